// The simulator over a real pseudo-terminal, in the same thread as the test:
// the test plays the program, opening the device path like a serial port.

#include "ExtraPortsRegistration.h"
#include "ReceiverSimulator.h"

#include "memlist/MemoryTable.h"
#include "settings/Registry.h"

#include <QSignalSpy>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int kWaitMs = 10000;

// The program's end of the line: non-blocking, raw, read by a notifier.
class PtyClient : public QObject
{
public:
    ~PtyClient() override { close(); }

    bool open(const QString &path)
    {
        close();
        m_fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (m_fd < 0)
            return false;
        termios t;
        ::tcgetattr(m_fd, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(m_fd, TCSANOW, &t);
        m_hungUp = false;
        m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &PtyClient::onReadable);
        return true;
    }

    void close()
    {
        delete m_notifier;
        m_notifier = nullptr;
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

    // Writes everything, letting the simulator read in between.
    bool send(const QByteArray &bytes)
    {
        qsizetype done = 0;
        QDeadlineTimer deadline(kWaitMs);
        while (done < bytes.size() && !deadline.hasExpired()) {
            const ssize_t w = ::write(m_fd, bytes.constData() + done, size_t(bytes.size() - done));
            if (w > 0)
                done += w;
            else if (w < 0 && errno != EAGAIN && errno != EINTR)
                return false;
            else
                QTest::qWait(1);
        }
        return done == bytes.size();
    }

    // Waits in the event loop until `lines` line ends have arrived.
    bool waitForLines(int lines)
    {
        QDeadlineTimer deadline(kWaitMs);
        while (m_buffer.count('\n') < lines && !deadline.hasExpired() && !m_hungUp)
            QTest::qWait(2);
        return m_buffer.count('\n') >= lines;
    }

    bool waitForHangUp()
    {
        QDeadlineTimer deadline(kWaitMs);
        while (!m_hungUp && !deadline.hasExpired())
            QTest::qWait(2);
        return m_hungUp;
    }

    QByteArray take()
    {
        QByteArray b = m_buffer;
        m_buffer.clear();
        return b;
    }
    const QByteArray &buffer() const { return m_buffer; }
    bool hungUp() const { return m_hungUp; }
    // A program busy elsewhere: bytes stay in the terminal meanwhile.
    void setReading(bool on) { m_notifier->setEnabled(on); }

private:
    void onReadable()
    {
        char buf[8192];
        for (;;) {
            const ssize_t r = ::read(m_fd, buf, sizeof buf);
            if (r > 0) {
                m_buffer.append(buf, r);
                continue;
            }
            if (r < 0 && (errno == EAGAIN || errno == EINTR))
                return;
            // 0 or EIO: the other side has gone.
            m_hungUp = true;
            m_notifier->setEnabled(false);
            return;
        }
    }

    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
    QByteArray m_buffer;
    bool m_hungUp = false;
};

// A download reply read the way the program reads it.
struct Download {
    QMap<QByteArray, QByteArray> keys;
    QMap<int, MemoryEntry> entries;
};

Download parseDownload(const QByteArray &reply, const Bands::Limits &limits = Bands::Limits())
{
    Download d;
    for (QByteArray line : reply.split('\n')) {
        line.replace('\r', QByteArray());
        if (line.size() >= 2 && line.at(1) == ':') {
            d.keys.insert(line.left(2), line.mid(2));
            continue;
        }
        const qsizetype comma = line.indexOf(',');
        if (comma > 0)
            d.entries.insert(line.left(comma).toInt(),
                             MemoryTable::entryFromRawLine(QString::fromLatin1(line), limits));
    }
    return d;
}

MemoryEntry fm(qint32 kHz, const char *pi, const char *name)
{
    MemoryEntry e;
    e.band = Bands::kFM;
    e.frequency = kHz;
    e.setPi(QString::fromLatin1(pi).rightJustified(4, QLatin1Char(' ')));
    e.setName(QString::fromLatin1(name));
    return e;
}

} // namespace

class SimPtyTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void downloadParsesBack();
    void acceptedEntryChangesDownload();
    void refusedEntry_data();
    void refusedEntry();
    void clockCommandAnswered();
    void lfOnlyReplies();
    void fixedStatus();
    void neverAnswer();
    void garbageModes_data();
    void garbageModes();
    void delayedAndSlowRepliesArriveWhole();
    void liftingThePaceKeepsReplyOrder();
    void hangUpAfterCommands();
    void hangUpByCall();
    void junkThenValidCommand_data();
    void junkThenValidCommand();
    void partialWritesMakeOneCommand();
    void programClosingItsSideKeepsTheLine();
    void bigMemoryDownloads();
    void registrationAddsAndRemoves();
    void storePersistsAcrossRuns();

private:
    bool startSim(const SimOptions &options = SimOptions());
    QByteArray exchange(const QByteArray &command, int lines = 1);

    std::unique_ptr<ReceiverSimulator> m_sim;
    std::unique_ptr<PtyClient> m_client;
};

void SimPtyTest::init()
{
    m_client = std::make_unique<PtyClient>();
}

void SimPtyTest::cleanup()
{
    m_client.reset();
    m_sim.reset();
}

bool SimPtyTest::startSim(const SimOptions &options)
{
    m_sim = std::make_unique<ReceiverSimulator>(options);
    QString error;
    if (!m_sim->start(&error)) {
        qWarning("start: %s", qPrintable(error));
        return false;
    }
    return m_client->open(m_sim->devicePath());
}

QByteArray SimPtyTest::exchange(const QByteArray &command, int lines)
{
    m_client->take();
    if (!m_client->send(command) || !m_client->waitForLines(lines))
        return QByteArray();
    return m_client->take();
}

void SimPtyTest::downloadParsesBack()
{
    SimOptions o;
    o.memoryCount = 30;
    QVERIFY(startSim(o));
    QVERIFY(m_sim->setChannel(1, {100400, 0, 0, "D3C3", "REGNBOGN"}));
    QVERIFY(m_sim->setChannel(3, {144, 4, 1, "1A", ""}));
    QVERIFY(m_sim->setChannel(30, {65000, 16, 1, "FFFF", "NINE CHRS"}));
    QVERIFY(!m_sim->setChannel(31, {65000, 16, 1, "FFFF", "X"}));

    const QByteArray reply = exchange("s", 10);
    const Download d = parseDownload(reply);
    QCOMPARE(d.keys.value("m:"), QByteArray("30"));
    QCOMPARE(d.keys.value("a:"), QByteArray("144,27000"));
    QCOMPARE(d.keys.value("f:"), QByteArray("65000,108000"));
    QVERIFY(d.keys.contains("r:") && d.keys.contains("v:") && d.keys.contains("s:") && d.keys.contains("o:"));
    QCOMPARE(d.entries.keys(), (QList<int>{1, 3, 30}));
    QCOMPARE(d.entries[1], fm(100400, "D3C3", "REGNBOGN"));
    QCOMPARE(d.entries[3].band, Bands::kAM);
    QCOMPARE(d.entries[3].bandwidth, quint8(4));
    QCOMPARE(d.entries[3].pi, QStringLiteral("  1A"));
    QCOMPARE(d.entries[30].name, QStringLiteral("NINE CHRS"));
    QCOMPARE(m_sim->receivedBytes(), QByteArray("s"));
}

void SimPtyTest::acceptedEntryChangesDownload()
{
    QVERIFY(startSim());
    QSignalSpy commands(m_sim.get(), &ReceiverSimulator::commandReceived);
    QCOMPARE(exchange("S12,100400,3,1,1A2B,RADIO\n"), QByteArray("S:128\r\n"));
    QCOMPARE(commands.size(), 1);
    QCOMPARE(commands.first().first().toByteArray(), QByteArray("S12,100400,3,1,1A2B,RADIO"));

    Download d = parseDownload(exchange("s", 8));
    QCOMPARE(d.entries.keys(), QList<int>{12});
    MemoryEntry expected = fm(100400, "1A2B", "RADIO");
    expected.bandwidth = 3;
    expected.stereo = 1;
    QCOMPARE(d.entries[12], expected);

    // Frequency 0 empties the memory again.
    QCOMPARE(exchange("S12,0,0,0,0000,\n"), QByteArray("S:128\r\n"));
    d = parseDownload(exchange("s", 7));
    QVERIFY(d.entries.isEmpty());
}

void SimPtyTest::refusedEntry_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("reply");

    QTest::newRow("frequency") << QByteArray("S2,50000,1,0,1,X\n") << QByteArray("S:1\r\n");
    QTest::newRow("memory number") << QByteArray("S100,100400,1,0,1,X\n") << QByteArray("S:2\r\n");
    QTest::newRow("bandwidth") << QByteArray("S2,100400,17,0,1,X\n") << QByteArray("S:4\r\n");
    QTest::newRow("stereo") << QByteArray("S2,100400,1,2,1,X\n") << QByteArray("S:8\r\n");
    QTest::newRow("memory 1 empty") << QByteArray("S1,0,0,0,0000,\n") << QByteArray("S:16\r\n");
    QTest::newRow("PI") << QByteArray("S2,100400,1,0,XYZ,X\n") << QByteArray("S:32\r\n");
    QTest::newRow("PI and frequency") << QByteArray("S2,5,1,0,XYZ,X\r\n") << QByteArray("S:33\r\n");
}

void SimPtyTest::refusedEntry()
{
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, reply);
    QVERIFY(startSim());
    QVERIFY(m_sim->setChannel(2, {98000, 1, 0, "1", "KEEP"}));
    QCOMPARE(exchange(command), reply);
    // A refused entry leaves the memory as it was.
    QCOMPARE(m_sim->memories().storedNumbers(), QList<int>{2});
    QCOMPARE(m_sim->memories().channel(2).name, QByteArray("KEEP"));
}

void SimPtyTest::clockCommandAnswered()
{
    QVERIFY(startSim());
    const QByteArray reply = exchange("$time: 07:05:09\n");
    QVERIFY2(reply == "T:07:05:09\r\n" || reply == "T:07:05:10\r\n", reply.constData());
    QVERIFY(m_sim->clock().isSet());
    QCOMPARE(exchange("$time: 25:00:00\n"), QByteArray("T:ERR\r\n"));
}

void SimPtyTest::lfOnlyReplies()
{
    SimOptions o;
    o.lfOnly = true;
    QVERIFY(startSim(o));
    QCOMPARE(exchange("S5,100400,0,0,,\n"), QByteArray("S:128\n"));
    const QByteArray reply = exchange("s", 8);
    QVERIFY(!reply.contains('\r'));
    QCOMPARE(parseDownload(reply).entries.keys(), QList<int>{5});
}

void SimPtyTest::fixedStatus()
{
    SimOptions o;
    o.fixedStatus = 33;
    QVERIFY(startSim(o));
    QCOMPARE(exchange("S5,100400,0,0,,\n"), QByteArray("S:33\r\n"));
    QCOMPARE(exchange("S0,5,0,0,,\n"), QByteArray("S:33\r\n"));
    // The own checks still decide what is kept.
    QCOMPARE(m_sim->memories().storedNumbers(), QList<int>{5});
}

void SimPtyTest::neverAnswer()
{
    SimOptions o;
    o.neverAnswer = true;
    QVERIFY(startSim(o));
    QSignalSpy commands(m_sim.get(), &ReceiverSimulator::commandReceived);
    QVERIFY(m_client->send("S5,100400,0,0,,\ns"));
    QTRY_COMPARE_WITH_TIMEOUT(commands.size(), 2, kWaitMs);
    QCOMPARE(m_sim->memories().storedNumbers(), QList<int>{5});

    // Nothing was sent: the first bytes after answering resumes are the reply.
    o.neverAnswer = false;
    m_sim->setOptions(o);
    QVERIFY(m_client->send("$time: 01:02:03\n"));
    QVERIFY(m_client->waitForLines(1));
    QVERIFY(m_client->buffer().startsWith("T:01:02:0"));
}

void SimPtyTest::garbageModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("lines");
    QTest::newRow("before") << int(GarbageMode::Before) << 2;
    QTest::newRow("instead") << int(GarbageMode::Instead) << 1;
}

void SimPtyTest::garbageModes()
{
    QFETCH(int, mode);
    QFETCH(int, lines);
    SimOptions o;
    o.garbage = GarbageMode(mode);
    QVERIFY(startSim(o));
    const QByteArray reply = exchange("S5,100400,0,0,,\n", lines);
    QList<QByteArray> got = reply.split('\n');
    QCOMPARE(got.takeLast(), QByteArray());
    QCOMPARE(got.size(), lines);
    QVERIFY(!got.first().contains("S:"));
    QCOMPARE(got.last() == "S:128\r", mode == int(GarbageMode::Before));
    // The entry took effect either way.
    QCOMPARE(m_sim->memories().storedNumbers(), QList<int>{5});
}

void SimPtyTest::delayedAndSlowRepliesArriveWhole()
{
    SimOptions o;
    o.answerDelayMs = 50;
    o.byteDelayMs = 1;
    QVERIFY(startSim(o));
    QVERIFY(m_sim->setChannel(7, {100400, 0, 0, "D3C3", "SLOW"}));
    QSignalSpy written(m_sim.get(), &ReceiverSimulator::repliesWritten);
    QCOMPARE(exchange("S8,98000,2,1,1,X\n"), QByteArray("S:128\r\n"));
    const Download d = parseDownload(exchange("s", 9));
    QCOMPARE(d.entries.keys(), (QList<int>{7, 8}));
    QCOMPARE(d.entries[7], fm(100400, "D3C3", "SLOW"));
    QTRY_VERIFY_WITH_TIMEOUT(written.size() >= 2, kWaitMs);
}

void SimPtyTest::liftingThePaceKeepsReplyOrder()
{
    SimOptions o;
    o.byteDelayMs = 20;
    QVERIFY(startSim(o));
    QVERIFY(m_client->send("s"));
    QTRY_VERIFY_WITH_TIMEOUT(!m_client->buffer().isEmpty(), kWaitMs);
    o.byteDelayMs = 0;
    m_sim->setOptions(o);
    QVERIFY(m_client->send("$time: 12:00:00\n"));
    QVERIFY(m_client->waitForLines(8));
    const QList<QByteArray> lines = m_client->take().split('\n');
    QCOMPARE(lines.first(), QByteArray("r:1\r"));
    QCOMPARE(lines.at(6), QByteArray("f:65000,108000\r"));
    QVERIFY(lines.at(7).startsWith("T:12:00:0"));
}

void SimPtyTest::hangUpAfterCommands()
{
    SimOptions o;
    o.hangUpAfter = 2;
    QVERIFY(startSim(o));
    QSignalSpy hung(m_sim.get(), &ReceiverSimulator::hungUp);
    QCOMPARE(exchange("$time: 01:02:03\n").left(9), QByteArray("T:01:02:0"));
    QVERIFY(!m_client->hungUp());
    // The reply to the last command still reaches a program that reads late.
    m_client->setReading(false);
    QVERIFY(m_client->send("S5,100400,0,0,,\n"));
    QTRY_COMPARE_WITH_TIMEOUT(m_sim->commandCount(), 2, kWaitMs);
    QTest::qWait(200);
    QVERIFY(m_sim->isRunning());
    m_client->setReading(true);
    QVERIFY(m_client->waitForHangUp());
    QCOMPARE(m_client->buffer(), QByteArray("S:128\r\n"));
    QCOMPARE(hung.size(), 1);
    QVERIFY(!m_sim->isRunning());
}

void SimPtyTest::hangUpByCall()
{
    QVERIFY(startSim());
    QSignalSpy hung(m_sim.get(), &ReceiverSimulator::hungUp);
    m_sim->hangUp();
    QVERIFY(m_client->waitForHangUp());
    QCOMPARE(hung.size(), 1);
    // A second hang-up has no line to drop.
    m_sim->hangUp();
    QCOMPARE(hung.size(), 1);
}

void SimPtyTest::junkThenValidCommand_data()
{
    QTest::addColumn<QByteArray>("junk");
    QTest::addColumn<int>("expectedCommands");

    QTest::newRow("NUL and high bytes") << QByteArray("\0\0\xff\xfe\x1b[2J\0\n", 10) << 1;
    QTest::newRow("unknown lines") << QByteArray("hello\nAT+X\n$timex\n") << 3;
    QTest::newRow("bare CRs") << QByteArray("\r\r\r\n") << 1;
    QTest::newRow("overlong line") << QByteArray(20000, 'A') + '\n' << 1;
    QTest::newRow("overlong entry") << "S3,100400,0,0,," + QByteArray(9000, 'N') + '\n' << 1;
    QTest::newRow("many small commands") << QByteArray("x\n").repeated(500) << 500;
}

void SimPtyTest::junkThenValidCommand()
{
    QFETCH(QByteArray, junk);
    QFETCH(int, expectedCommands);
    QVERIFY(startSim());
    QSignalSpy commands(m_sim.get(), &ReceiverSimulator::commandReceived);
    QVERIFY(m_client->send(junk));
    QTRY_COMPARE_WITH_TIMEOUT(commands.size(), expectedCommands, kWaitMs);
    for (const QList<QVariant> &c : commands)
        QVERIFY(c.first().toByteArray().size() <= CommandReader::kDefaultMaxLine);

    m_client->take();
    QCOMPARE(exchange("S1,100400,0,0,D3C3,OK\n").right(7), QByteArray("S:128\r\n"));
    QCOMPARE(m_sim->memories().channel(1).name, QByteArray("OK"));
    QVERIFY(m_sim->isRunning());
}

void SimPtyTest::partialWritesMakeOneCommand()
{
    QVERIFY(startSim());
    QSignalSpy commands(m_sim.get(), &ReceiverSimulator::commandReceived);
    QVERIFY(m_client->send("S4,1004"));
    QTest::qWait(20);
    QVERIFY(m_client->send("00,0,0,D3"));
    QTest::qWait(20);
    QCOMPARE(exchange("C3,PART\n"), QByteArray("S:128\r\n"));
    QCOMPARE(commands.size(), 1);
    QCOMPARE(m_sim->memories().channel(4).name, QByteArray("PART"));
}

void SimPtyTest::programClosingItsSideKeepsTheLine()
{
    QVERIFY(startSim());
    QSignalSpy commands(m_sim.get(), &ReceiverSimulator::commandReceived);
    // The program asks and closes before the answer: the answer waits.
    QVERIFY(m_client->send("S6,100400,0,0,,\n"));
    QTRY_COMPARE_WITH_TIMEOUT(commands.size(), 1, kWaitMs);
    m_client->close();
    QTest::qWait(50);
    QVERIFY(m_sim->isRunning());

    QVERIFY(m_client->open(m_sim->devicePath()));
    QVERIFY(m_client->waitForLines(1));
    QCOMPARE(m_client->take(), QByteArray("S:128\r\n"));
    QCOMPARE(exchange("S7,100400,0,0,,\n"), QByteArray("S:128\r\n"));
}

void SimPtyTest::bigMemoryDownloads()
{
    SimOptions o;
    o.memoryCount = SimOptions::kMaxCount;
    QVERIFY(startSim(o));
    for (int n = 1; n <= o.memoryCount; ++n)
        QVERIFY(m_sim->setChannel(n, {65000 + n, n % 17, n % 2, QByteArray::number(n, 16), "CH" + QByteArray::number(n)}));

    const QByteArray reply = exchange("s", 7 + o.memoryCount);
    const Download d = parseDownload(reply);
    QCOMPARE(d.keys.value("m:"), QByteArray("9999"));
    QCOMPARE(d.entries.size(), 9999);
    QCOMPARE(d.entries[9999].frequency, 65000 + 9999);
    QCOMPARE(d.entries[9999].name, QStringLiteral("CH9999   "));
    QCOMPARE(d.entries[4096].pi, QStringLiteral("1000"));
}

void SimPtyTest::registrationAddsAndRemoves()
{
    QVERIFY(startSim());
    const QString path = ExtraPortsRegistration::valuePath();
    QCOMPARE(path, QStringLiteral("HKCU\\Software\\Norvane\\Presetta\\ExtraPorts"));
    const QString other = QStringLiteral("/dev/ttyOther|Other");
    mRegistry2::Registry(path, 0, QVariant(QStringList{other}));

    const QString mine = m_sim->devicePath() + QStringLiteral("|Receiver simulator");
    {
        ExtraPortsRegistration reg;
        reg.add(m_sim->devicePath());
        QVERIFY(reg.isAdded());
        QCOMPARE(mRegistry2::Registry(path).toStringList(), (QStringList{other, mine}));
        reg.remove();
        QCOMPARE(mRegistry2::Registry(path).toStringList(), QStringList{other});

        mRegistry2::DeleteValue(path);
        reg.add(m_sim->devicePath());
        QCOMPARE(mRegistry2::Registry(path).toStringList(), QStringList{mine});
    }
    // Gone with the last element, so the value reads as none.
    QVERIFY(!mRegistry2::Registry(path).isValid());
}

void SimPtyTest::storePersistsAcrossRuns()
{
    QTemporaryDir dir;
    SimOptions o;
    o.storeFile = dir.filePath(QStringLiteral("memories.txt"));
    QVERIFY(startSim(o));
    QCOMPARE(exchange("S1,100400,0,0,D3C3,REGNBOGN\n"), QByteArray("S:128\r\n"));
    QCOMPARE(exchange("S9,144,4,1,1A,AM  X\n"), QByteArray("S:128\r\n"));
    QCOMPARE(exchange("S9,0,0,0,,\n"), QByteArray("S:128\r\n"));
    QCOMPARE(exchange("S9,1000,2,0,,AM\n"), QByteArray("S:128\r\n"));
    const QByteArray before = exchange("s", 9);
    m_client->close();
    m_sim->stop();
    QVERIFY(QFile::exists(o.storeFile));

    QVERIFY(startSim(o));
    QCOMPARE(m_sim->memories().storedNumbers(), (QList<int>{1, 9}));
    QCOMPARE(exchange("s", 9), before);
    QCOMPARE(parseDownload(before).entries[9].name, QStringLiteral("AM       "));
}

QTEST_GUILESS_MAIN(SimPtyTest)
#include "tst_simpty.moc"
