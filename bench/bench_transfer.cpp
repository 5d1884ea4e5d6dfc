// SPDX-License-Identifier: GPL-3.0-or-later
// Download and upload through the real window against the receiver simulator,
// the CPU share while connected and idle, and (--counts) how the download's
// list rebuild grows with the number of memories.
#include "BenchCommon.h"
#include "ReceiverSimulator.h"
#include "ReplyBuilder.h"
#include "WindowHarness.h"
#include "memlist/MemoryTable.h"
#include "serial/clsCommPort.h"

#include <QAbstractButton>
#include <QCommandLineParser>
#include <QEventLoop>
#include <QFile>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

using namespace Bench;

namespace {

using Sim = std::unique_ptr<ReceiverSimulator>;

constexpr int kChannels = 99;
constexpr int kPollMs = 25;   // the poll period the window sets when it connects

// Every memory filled, every tenth with an AM station (no PI), the rest FM;
// all valid, so an upload runs to the end.
SimChannel channel(int n)
{
    const bool am = n % 10 == 0;
    SimChannel c;
    c.frequency = am ? 531 + 9 * (n % 100) : 87500 + 100 * (n % 205);
    c.bandwidth = am ? 1 + n % 4 : n % 17;
    c.stereo = am ? 0 : n % 2;
    c.pi = am ? QByteArray() : QByteArray::number(0xD000 + n % 4096, 16).toUpper();
    c.name = (am ? "AM " : "STN ") + QByteArray::number(n);
    return c;
}

// The simulator on a thread of its own, as a real receiver is a device of its
// own: its work neither stalls the window's event loop nor counts as the
// window thread's CPU time.
class SimThread
{
public:
    explicit SimThread(int count)
    {
        m_context.moveToThread(&m_thread);
        m_thread.start();
        // Made on its thread, so its timers and notifiers belong there.
        call([count](Sim &sim) {
            SimOptions options;
            options.memoryCount = count;
            sim = std::make_unique<ReceiverSimulator>(options);
            for (int n = 1; n <= count; ++n)
                sim->setChannel(n, channel(n));
            return true;
        });
    }
    ~SimThread()
    {
        call([](Sim &sim) { sim.reset(); return true; });
        m_thread.quit();
        m_thread.wait();
    }
    // Runs f on the simulator's thread and hands back its result.
    template <typename F, typename R = std::invoke_result_t<F, Sim &>>
    R call(F f)
    {
        R result{};
        QMetaObject::invokeMethod(&m_context, [&] { result = f(m_sim); }, Qt::BlockingQueuedConnection);
        return result;
    }

private:
    QThread m_thread;
    QObject m_context;
    Sim m_sim;
};

// The simulator's own answer time (median), from our side of its terminal
// before the window holds it: command written until the whole reply is in. A
// pseudo-terminal has no baud rate, so this is its work, not time on a wire.
double answerTime(const QString &path, const QList<QByteArray> &commands, qint64 replyBytes)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    termios t{};
    if (fd < 0 || ::tcgetattr(fd, &t) != 0)
        fail("cannot open " + path);
    ::cfmakeraw(&t);
    ::tcsetattr(fd, TCSANOW, &t);
    ::tcflush(fd, TCIOFLUSH);
    QList<double> times;
    for (const QByteArray &command : commands) {
        const Cpu start = Cpu::now();
        char buffer[65536];
        qint64 got = ::write(fd, command.constData(), size_t(command.size())) == command.size() ? 0 : -1;
        for (pollfd p{fd, POLLIN, 0}; got >= 0 && got < replyBytes && ::poll(&p, 1, 10000) > 0;)
            got += qMax<ssize_t>(0, ::read(fd, buffer, sizeof buffer));
        if (got < replyBytes)
            fail("the simulator did not answer the probe");
        times << (Cpu::now() - start).wall;
    }
    ::close(fd);
    return median(times);
}

struct Transfer {
    Cpu total;
    Cpu rebuild{-1, 0, 0};   // first list line added to the end; wall < 0: no rebuild
};

// A receiver of `count` memories and the real window connected to it; each
// command is a click on the window's own button and ends inside it.
class Rig
{
public:
    explicit Rig(int count) : m_count(count), m_sim(count)
    {
        QString error;
        if (!m_sim.call([&](Sim &s) { return s->start(&error); }))
            fail(error);
        path = m_sim.call([](Sim &s) { return s->devicePath(); });
        downloadReply = m_sim.call(
            [](Sim &s) { return ReplyBuilder::downloadReply(s->memories(), s->options()); });
        QList<QByteArray> entries;
        for (int n = 1; n <= 20; ++n)
            entries << 'S' + channel(n).memoryLine(n) + '\n';   // stores what is there already
        downloadAnswer = answerTime(path, QList<QByteArray>(5, "s"), downloadReply.size());
        entryAnswer = answerTime(path, entries, entryReply.size());

        m_h = std::make_unique<WindowHarness>();
        m_h->ports->append(portRecord(path.mid(5), "Receiver simulator", path));
        if (!m_h->start())
            fail("the window did not start");
        clickConnect();
        if (!isConnected())
            fail("the window could not connect to " + path);
        idle(500);
    }

    void clickConnect() { m_h->child<QAbstractButton>("ckConn")->click(); }
    bool isConnected() const { return m_h->window->port()->IsOpen(); }

    // Ends the program unless the simulator's memories came into the table.
    Transfer download()
    {
        const Transfer t = press("cDL");
        const MemoryTable &table = m_h->window->table();
        if (table.size() != m_count)
            fail(QString("download: %1 entries, not %2").arg(table.size()).arg(m_count));
        for (int n = 1; n <= m_count; ++n) {
            const SimChannel c = channel(n);
            const MemoryEntry &e = table.entry(n);
            if (e.frequency != c.frequency || e.bandwidth != c.bandwidth || e.stereo != c.stereo)
                fail(QString("download: entry %1 differs from the receiver's").arg(n));
        }
        return t;
    }
    // Ends the program unless every entry was sent.
    Transfer upload()
    {
        const int before =
            m_sim.call([](Sim &s) { s->clearReceivedBytes(); return s->commandCount(); });
        const Transfer t = press("cUL");
        const auto [sent, bytes] = m_sim.call(
            [](Sim &s) { return std::pair(s->commandCount(), s->receivedBytes().size()); });
        if (sent - before != m_count)
            fail(QString("upload sent %1 entries, not %2").arg(sent - before).arg(m_count));
        commandBytes = bytes;
        return t;
    }
    // Two channels of the receiver made to differ, then the upload of what
    // differs: ends the program unless exactly those two were sent.
    Transfer uploadChanged()
    {
        m_sim.call([](Sim &s) {
            for (int n : {20, 70})
                s->setChannel(n, SimChannel{88800, 0, 1, "D999", "OTHER"});
            s->clearReceivedBytes();
            return s->commandCount();
        });
        const Cpu start = Cpu::now();
        m_h->window->receiver()->uploadChangedChannels();
        const Transfer t{Cpu::now() - start};
        const QByteArray bytes = m_sim.call([](Sim &s) { return s->receivedBytes(); });
        if (bytes != "s" + QByteArray('S' + channel(20).memoryLine(20) + '\n' + 'S' + channel(70).memoryLine(70) + '\n'))
            fail("the upload of changes sent " + QString::fromLatin1(bytes.left(80)));
        return t;
    }
    // Sits in the event loop for ms milliseconds.
    static Cpu idle(int ms)
    {
        QEventLoop loop;
        const Cpu start = Cpu::now();
        QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
        return Cpu::now() - start;
    }

    QString path;
    QByteArray downloadReply;
    const QByteArray entryReply = ReplyBuilder::statusReply(0x80, false);   // entry accepted
    double downloadAnswer = 0, entryAnswer = 0;
    qint64 commandBytes = 0;   // of the last upload

private:
    Transfer press(const char *button)
    {
        auto *b = m_h->child<QAbstractButton>(button);
        if (!b->isEnabled())
            fail(QString("%1 is not enabled").arg(button));
        const qsizetype messages = m_h->dialogs.messages.size();
        std::optional<Cpu> firstLine;
        const Cpu start = Cpu::now();
        const auto watch = QObject::connect(m_h->list()->model(), &QAbstractItemModel::rowsInserted,
                                            m_h->list(), [&] { if (!firstLine) firstLine = Cpu::now(); });
        b->click();
        const Cpu end = Cpu::now();
        QObject::disconnect(watch);
        Transfer t{end - start};
        if (firstLine)
            t.rebuild = end - *firstLine;
        if (m_h->dialogs.messages.size() != messages)
            fail(QString("%1: %2").arg(button, m_h->dialogs.messages.last().text));
        return t;
    }

    int m_count;
    SimThread m_sim;
    std::unique_ptr<WindowHarness> m_h;   // goes first: it closes its end before the line goes
};

// The transfer table: a line per measured thing, its wall time against the
// least it could take (none for an idle stretch) and its CPU share of one
// core against a goal (none for the reference), with notes below.
struct TransferTable {
    void add(const QString &name, const QList<Cpu> &runs, double floor, double ratioGoal, double cpuGoal)
    {
        QList<double> wall, process, thread;
        for (const Cpu &c : runs) {
            wall << c.wall;
            process << c.process / c.wall;
            thread << c.thread / c.wall;
        }
        const double ratio = median(wall) / floor, cpu = median(process);
        rows << QStringList{name, number(median(wall), 3), floor > 0 ? number(floor, 3) : "-",
                            floor > 0 ? number(ratio, 3) : "-", floor > 0 ? QString("≤ %1").arg(ratioGoal) : "-",
                            floor > 0 ? meets(ratio, ratioGoal) : "-", percent(cpu), percent(median(thread)),
                            cpuGoal > 0 ? QString("≤ %1%").arg(cpuGoal * 100) : "-",
                            cpuGoal > 0 ? meets(cpu, cpuGoal) : "-"};
    }
    QList<QStringList> rows{{"Measure", "Wall s", "Floor s", "Ratio", "Goal", "Met", "CPU process",
                             "CPU window thread", "CPU goal", "Met"}};
    QStringList notes;
};

template <typename F>
QList<Cpu> repeat(int runs, F measure)
{
    QList<Cpu> all;
    while (runs-- > 0)
        all << measure();
    return all;
}

// Each measured thing is a function adding its line.
void measureDownload(Rig &rig, int runs, TransferTable &t)
{
    const QList<Cpu> all = repeat(runs, [&] { return rig.download().total; });
    const qint64 bytes = 1 + rig.downloadReply.size();   // request and reply
    t.add(QString("Download, %1 channels").arg(kChannels), all,
          Floor::download(1, rig.downloadReply.size(), rig.downloadAnswer), 1.15, 0.02);
    t.notes << QString::asprintf("Download floor: waits %.3f s + %lld bytes on the wire %.3f s + simulator answer"
                                 " %.6f s.", Floor::kDownloadWaits, static_cast<long long>(bytes),
                                 Floor::wire(bytes), rig.downloadAnswer);
}

void measureUpload(Rig &rig, int runs, TransferTable &t)
{
    const QList<Cpu> all = repeat(runs, [&] { return rig.upload().total; });
    const qint64 reply = rig.entryReply.size();
    t.add(QString("Upload, %1 channels").arg(kChannels), all,
          Floor::upload(kChannels, rig.commandBytes, reply, rig.entryAnswer), 1.15, 0.02);
    t.notes << QString::asprintf("Upload floor: %d x (waits %.3f s + reply %lld bytes %.4f s + simulator answer"
                                 " %.6f s) + %lld command bytes %.3f s.", kChannels, Floor::kEntryWaits,
                                 static_cast<long long>(reply), Floor::wire(reply), rig.entryAnswer,
                                 static_cast<long long>(rig.commandBytes), Floor::wire(rig.commandBytes));
}

void measureUploadChanged(Rig &rig, int runs, TransferTable &t)
{
    const QList<Cpu> all = repeat(runs, [&] { return rig.uploadChanged().total; });
    const qint64 commands = 2 * (1 + channel(20).memoryLine(20).size() + 1);
    t.add(QString("Upload of 2 changed in %1").arg(kChannels), all,
          Floor::download(1, rig.downloadReply.size(), rig.downloadAnswer)
              + Floor::upload(2, commands, rig.entryReply.size(), rig.entryAnswer),
          1.15, 0.02);
    t.notes << "Upload of changes floor: the download's, then the upload's for two channels.";
}

void measureIdle(Rig &rig, int runs, TransferTable &t)
{
    t.add("Connected, idle", repeat(runs, [] { return Rig::idle(10000); }), 0, 0, 0.005);
    if (!rig.isConnected())
        fail("the connection was lost");
}

// The window disconnected, as it waits for a port; then what the poll's
// period costs by itself here: a timer of the same period that does nothing.
void measureReference(Rig &rig, int runs, TransferTable &t)
{
    rig.clickConnect();
    if (rig.isConnected())
        fail("the window did not disconnect");
    // Disconnected the window watches for ports coming and going instead.
    t.add("Disconnected, idle", repeat(runs, [] { return Rig::idle(10000); }), 0, 0, 0.001);
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &tick, [] {});
    tick.start(kPollMs);
    t.add(QString("Reference: a bare %1 ms timer").arg(kPollMs), repeat(runs, [] { return Rig::idle(10000); }),
          0, 0, 0);
    t.notes << QString("The reference row is the window disconnected with a %1 ms timer that does nothing: the"
                       " part of the idle figure that the poll's period alone costs here.").arg(kPollMs);
}

void printScale(const QList<int> &counts, int runs)
{
    QList<QStringList> table{{"Channels", "Wall s", "Beyond waits s", "Rebuild s", "Per line ms",
                              "CPU per line ms", QString("Per line vs %1").arg(counts.first()), "Goal", "Met"}};
    double base = 0;
    for (const int count : counts) {
        Rig rig(count);
        QList<double> wall, rebuild, cpu;
        for (int i = 0; i < runs; ++i) {
            const Transfer d = rig.download();
            if (d.rebuild.wall < 0)
                fail(QString("the download of %1 did not rebuild the list").arg(count));
            wall << d.total.wall;
            rebuild << d.rebuild.wall;
            cpu << d.rebuild.thread;
        }
        const double perLine = median(rebuild) / count;
        base = base > 0 ? base : perLine;
        // "Flat": a line costs at most 1.5 times what it costs at the smallest count.
        table << QStringList{QString::number(count), number(median(wall), 3),
                             number(median(wall) - Floor::kDownloadWaits, 3), number(median(rebuild), 3),
                             number(perLine * 1000, 3), number(median(cpu) / count * 1000, 3),
                             number(perLine / base, 2), "≤ 1.5", meets(perLine / base, 1.5)};
    }
    std::printf("\n%s\nMedians of %d downloads each. \"Beyond waits\": wall time less the fixed waits of %.3f s;"
                " \"Rebuild\": from the first list line added to the end of the command.\n",
                qPrintable(markdown(table)), runs, Floor::kDownloadWaits);
}

} // namespace

int main(int argc, char *argv[])
{
    prepareEnvironment();
    QApplication app(argc, argv);
    QCommandLineParser cli;
    cli.setApplicationDescription("Transfers of 99 channels against presetta-sim");
    cli.addHelpOption();
    const QCommandLineOption runsOption("runs", "Runs of each transfer.", "n", "5");
    const QCommandLineOption idleOption("idle-runs", "Idle stretches of 10 s.", "n", "3");
    const QCommandLineOption countsOption(
        "counts", "Also time the list rebuild per line for these memory counts (e.g. 99,999,9999).", "list");
    cli.addOptions({runsOption, idleOption, countsOption});
    cli.process(app);
    const int runs = qMax(1, cli.value(runsOption).toInt());
    const int idleRuns = qMax(1, cli.value(idleOption).toInt());
    QList<int> counts;
    for (const QString &c : cli.value(countsOption).split(',', Qt::SkipEmptyParts)) {
        counts << c.toInt();
        if (counts.last() < 1 || counts.last() > SimOptions::kMaxCount)
            fail(QString("a count runs from 1 to %1, not %2").arg(SimOptions::kMaxCount).arg(c));
    }
    std::printf("%s\n\n", qPrintable(environmentLine()));

    {
        Rig rig(kChannels);
        TransferTable t;
        measureDownload(rig, runs, t);
        measureUpload(rig, runs, t);
        measureUploadChanged(rig, runs, t);
        measureIdle(rig, idleRuns, t);
        measureReference(rig, idleRuns, t);
        std::printf("%s\nMedians of %d transfer runs and %d idle stretches; CPU as a share of one core. The"
                    " simulator runs in this process on a thread of its own: \"CPU process\" includes it, \"CPU"
                    " window thread\" is the program alone.\n%s\n", qPrintable(markdown(t.rows)), runs, idleRuns,
                    qPrintable(t.notes.join('\n')));
    }
    if (!counts.isEmpty())
        printScale(counts, runs);
    return 0;
}
