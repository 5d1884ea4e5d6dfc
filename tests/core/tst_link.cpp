// SPDX-License-Identifier: GPL-3.0-or-later
// The receiver protocol: download reply, entry and clock commands, entry
// status; the transfer engine and the receiver session against the simulator;
// the words that close a transfer.
#include "EntryValues.h"
#include "ReceiverSimulator.h"
#include "SimCommandLine.h"
#include "TestFiles.h"
#include "link/DownloadReply.h"
#include "link/EntryCommand.h"
#include "link/EntryStatus.h"
#include "link/ReceiverSession.h"
#include "link/ReplyTracker.h"
#include "link/TransferWords.h"
#include "serial/clsCommPort.h"

#include <QSignalSpy>
#include <QTest>

namespace {
// What the download makes of a memory number no line arrived for.
const MemoryEntry kNoLine = entry(Bands::kNone, 0, "", "0000", 0, 0);
const QString kFiveLines = "m:3\nf:65000,108000\na:144,27000\n1,100400,0,0,D3C3,REGNBOGN\n3,144,5,1,0000,\n";
} // namespace

Q_DECLARE_METATYPE(MemoryEntry)
Q_DECLARE_METATYPE(TransferEngine::Status)
Q_DECLARE_METATYPE(PortProblem::Source)
Q_DECLARE_METATYPE(TransferWords::Command)
Q_DECLARE_METATYPE(TransferWords::Stop)

class TestLink : public QObject
{
    Q_OBJECT

    std::unique_ptr<ReceiverSimulator> m_sim;
    std::unique_ptr<ReceiverSession> m_session;

    // A simulator with three channels, each one different, and a session on its port.
    bool connectSim(const QString &arguments)
    {
        SimCommandLine line;
        if (!line.parse(("presetta-sim --quiet --count 3 " + arguments).split(' ', Qt::SkipEmptyParts)))
            return false;
        m_sim = std::make_unique<ReceiverSimulator>(line.options());
        for (int n = 1; n <= 3; ++n)
            m_sim->setChannel(n, SimChannel{87500 + n * 100, n, 1, "D3C" + QByteArray::number(n), "ST" + QByteArray::number(n)});
        m_session = std::make_unique<ReceiverSession>();
        return m_sim->start() && m_session->open(m_sim->devicePath(), 0, PortProblem::Source::Listed).open;
    }

private slots:
    void cleanup()
    {
        m_session.reset();
        m_sim.reset();
    }

    void memoryLines_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("n");
        QTest::addColumn<MemoryEntry>("expected");
        QTest::newRow("no line for it") << kFiveLines << 3 << 2 << kNoLine;
        QTest::newRow("CR LF") << "m:2\r\n1,100400,3,1,1A2B,RADIO\r\n" << 2 << 1 << entry(Bands::kFM, 100400, "RADIO", "1A2B", 3, 1);
        QTest::newRow("12, is not 1,") << "m:20\n12,90000" << 20 << 1 << kNoLine;
        QTest::newRow("before the count: lost") << "1,100400\nm:3\n" << 3 << 1 << kNoLine;
        QTest::newRow("a second count empties") << "m:3\n1,90000\nm:2.5\n2,91000" << 2 << 1 << kNoLine;
        QTest::newRow("received FM limits decide") << "m:1\nf:87500,108000\n1,87499" << 1 << 1
                                                   << entry(Bands::kAM, 87499, "", "0000", 0, 0);
        QTest::newRow("highest count") << "m:32767\n32767,90000" << 32767 << 32767 << entry(Bands::kFM, 90000, "", "0000", 0, 0);
        QTest::newRow("zero, leading zero, beyond the count, blank, other digits")
            << QString::fromUtf8("m:3\n0,1\n01,1\n4,1\n 1,1\n1;1,1\n\u0661,1") << 3 << 1 << kNoLine;
        QTest::newRow("a bare CR ends no line") << "m:2\r1,100400\r2,90000\n" << 21 << 1 << kNoLine;
    }
    void memoryLines()
    {
        QFETCH(QString, reply);
        QFETCH(int, n);
        MemoryTable table;
        DownloadReply::Values values;
        QVERIFY(DownloadReply::apply(reply, table, values));
        table.buildFromRawLines();
        QTEST(table.size(), "count");
        QTEST(table.entry(n), "expected");
    }

    // Replies that bring no list leave count and lines; band limits are taken.
    void keyedLines_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QStringList>("limits");   // aMin, aMax, fMin, fMax
        const QStringList start{"144", "27000", "65000", "108000"};
        QTest::newRow("refused counts") << "m:0\nm:-1\nm:32768\nm:abc\nm:\nM:3\n1,100400" << start;
        QTest::newRow("limits need two numbers") << "a:5,6,7\nf:1.5,2\na:100\nf:x,y\nf:87500,"
                                                 << QStringList{"5", "6", "1.5", "2"};
    }
    void keyedLines()
    {
        QFETCH(QString, reply);
        MemoryTable table;
        table.rawLines() = QStringList{"kept"};
        DownloadReply::Values values;
        QVERIFY(!DownloadReply::apply(reply, table, values));
        QCOMPARE(table.memoryCount(), MemoryTable::kDefaultCount);
        QCOMPARE(table.rawLines(), QStringList{"kept"});
        const Bands::Limits &l = table.limits();
        QTEST(QStringList({l.aMin, l.aMax, l.fMin, l.fMax}), "limits");
    }

    void replyWhole_data()
    {
        QTest::addColumn<QStringList>("pieces");
        QTest::addColumn<bool>("whole");
        QTest::newRow("every line, in pieces") << QStringList{"r:1\r\nm:2\r", "\n1,100\r\n2,", "200\r\n"} << true;
        QTest::newRow("a line missing") << QStringList{"m:3\n1,1\n3,3\n1,1\n"} << false;
        QTest::newRow("last line unended") << QStringList{"m:2\n1,1\n2,2"} << false;
        QTest::newRow("lines before the count") << QStringList{"1,1\n2,2\nm:2\n"} << false;
        QTest::newRow("a second count") << QStringList{"m:1\n1,1\nm:2\n2,2\n"} << false;
        QTest::newRow("no list") << QStringList{"m:0\n", "1,1\n"} << false;
    }
    void replyWhole()
    {
        QFETCH(QStringList, pieces);
        ReplyTracker tracker;
        for (const QString &p : pieces)
            tracker.add(p);
        QTEST(tracker.isWhole(), "whole");
    }

    void entryCommand_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<MemoryEntry>("stored");
        QTest::addColumn<QByteArray>("wire");
        QTest::newRow("fields in order") << 12 << entry(Bands::kFM, 100400, "RADIO", "1A2B", 3, 1) << QByteArray("S12,100400,3,1,1A2B,RADIO\n");
        QTest::newRow("never stored: NULs left out") << 1 << entry(Bands::kNone, 0, QString(9, QChar(0)), QString(4, QChar(0)), 0, 0)
                                                     << QByteArray("S1,0,0,0,,\n");
        QTest::newRow("PI trimmed, name's lead kept") << 7 << entry(Bands::kNone, 1, "  LEAD", "  1A", 0, 0) << QByteArray("S7,1,0,0,1A,  LEAD\n");
        QTest::newRow("line ends inside become blanks") << 7 << entry(Bands::kNone, 1, "A\nB\rC", "1\r2\n", 0, 0)
                                                        << QByteArray("S7,1,0,0,1 2,A B C\n");
    }
    void entryCommand()
    {
        QFETCH(int, n);
        QFETCH(MemoryEntry, stored);
        QTEST(EntryCommand::entryCommand(n, stored).toLatin1(), "wire");
    }

    // A channel as the download brings it back after an upload stored it.
    void asReceived_data()
    {
        QTest::addColumn<MemoryEntry>("stored");
        QTest::addColumn<MemoryEntry>("received");
        QTest::newRow("PI right-aligned, name's lead kept") << entry(Bands::kFM, 100400, "  LEAD", "1A", 0, 0)
                                                            << entry(Bands::kFM, 100400, "  LEAD", "  1A", 0, 0);
        QTest::newRow("band by the download's rule") << entry(Bands::kNone, 30000, "SW", "0000", 0, 0)
                                                     << entry(Bands::kAM, 30000, "SW", "0000", 0, 0);
        QTest::newRow("a character without a byte") << entry(Bands::kFM, 100400, "\u0416", "0000", 0, 0)
                                                    << entry(Bands::kFM, 100400, "?", "0000", 0, 0);
    }
    void asReceived()
    {
        QFETCH(MemoryEntry, stored);
        QTEST(EntryCommand::asReceived(stored, Bands::Limits()), "received");
    }

    // An empty channel is empty whatever its text fields.
    void sameOnReceiver()
    {
        QVERIFY(EntryCommand::sameOnReceiver(entry(Bands::kNone, 0, "A", "0000", 0, 0), MemoryEntry(), Bands::Limits()));
    }

    void status_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<bool>("isStatus");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("word");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("focus");
        QTest::newRow("every error bit, 5 down to 0") << "S:63" << true << false << 63
            << QStringList{"  Incorrect PI code!  ", "  Memory 01 can't be empty!  ", "  Mono/Stereo out of range!  ",
                           "  Bandwidth out of range!  ", "  Memory Channel out of range!  ", "  Frequency out of range!  "}
            << QStringList{"tPI", "tFreq", "coST", "coBW", "tFreq", "tFreq"};
        QTest::newRow("refused without a reason") << "S:64" << true << false << 64 << QStringList() << QStringList();
        QTest::newRow("not a status reply") << "s:128" << false << true << 0 << QStringList() << QStringList();
        QTest::newRow("text before, the second piece") << "xyzS:128:3" << true << true << 128 << QStringList() << QStringList();
        QTest::newRow("NUL, CR, LF and blanks removed") << QString::fromLatin1(" S:1\r2\0\n9 ", 10) << true << true << 129
                                                        << QStringList() << QStringList();
        QTest::newRow("beyond 16 bits") << "S:65664" << true << false << 0 << QStringList() << QStringList();
    }
    void status()
    {
        QFETCH(QString, reply);
        const EntryStatus::Reply r = EntryStatus::parse(reply);
        QTEST(r.isStatus, "isStatus");
        QTEST(r.accepted, "accepted");
        QTEST(int(r.word), "word");
        QStringList messages, focus;
        for (const EntryStatus::ErrorMessage &m : EntryStatus::errorMessages(r.word)) {
            messages << m.text;
            focus << m.focusName;
        }
        QTEST(r.accepted ? QStringList() : messages, "messages");
        QTEST(r.accepted ? QStringList() : focus, "focus");
        QCOMPARE(EntryStatus::errorTitle(r.word), " ERROR: " + QString::number(r.word));
    }

    // The engine's transfers of all three channels, or of channel 2 alone.
    void upload_data()
    {
        QTest::addColumn<QString>("simulator");
        QTest::addColumn<QList<int>>("numbers");
        QTest::addColumn<int>("abortAt");   // the channel during which Escape comes; 0 none
        QTest::addColumn<QList<int>>("started");
        QTest::addColumn<TransferEngine::Status>("status");
        QTest::addColumn<int>("replies");
        QTest::addColumn<QByteArray>("wire");
        const QByteArray s1 = "S1,87600,1,1,D3C1,ST1\n", s2 = "S2,87700,2,1,D3C2,ST2\n", s3 = "S3,87800,3,1,D3C3,ST3\n";
        using S = TransferEngine::Status;
        const QList<int> all{1, 2, 3};
        QTest::newRow("all") << "" << QList<int>() << 0 << all << S::Done << 3 << s1 + s2 + s3;
        QTest::newRow("channel 2 alone") << "" << QList<int>{2} << 0 << QList<int>{2} << S::Done << 1 << s2;
        QTest::newRow("Escape ends after its channel") << "" << QList<int>() << 2 << QList<int>{1, 2} << S::Aborted << 2 << s1 + s2;
        QTest::newRow("refused: stops there") << "--status 33" << QList<int>() << 0 << QList<int>{1} << S::Refused << 1 << s1;
        QTest::newRow("silent: runs on, nothing answered") << "--silent" << QList<int>() << 0 << all << S::Done << 0 << s1 + s2 + s3;
        QTest::newRow("hang-up: link lost") << "--hang-up-after 1" << QList<int>() << 0 << QList<int>{1} << S::LinkLost << 1 << s1;
    }
    void upload()
    {
        QFETCH(int, abortAt);
        QVERIFY(connectSim(cell<QString>("simulator")));
        MemoryTable table;
        table.setMemoryCount(3);
        table.clear();
        for (int n = 1; n <= 3; ++n)
            table.entry(n) = entry(Bands::kFM, 87500 + n * 100, "ST" + QString::number(n), "D3C" + QString::number(n), n, 1);
        TransferEngine *engine = m_session->engine();
        QSignalSpy starting(engine, &TransferEngine::entryStarting);
        QSignalSpy refused(engine, &TransferEngine::entryRefused);
        connect(engine, &TransferEngine::entryStarting, engine, [&](int n) {
            if (n == abortAt)
                engine->requestAbort();
        });
        const TransferEngine::Outcome out = engine->SendData(table, cell<QList<int>>("numbers"));
        QTEST(out.status, "status");
        QTEST(out.replies, "replies");
        QTEST(m_sim->receivedBytes(), "wire");
        QList<int> started;
        for (const QList<QVariant> &args : starting)
            started << args.at(0).toInt();
        QTEST(started, "started");
        QCOMPARE(refused.size(), out.status == TransferEngine::Status::Refused ? 1 : 0);
        if (out.status == TransferEngine::Status::Refused) {
            QCOMPARE(out.entry, 1);
            QCOMPARE(int(out.word), 33);
            QCOMPARE(out.messages.size(), 2);
        }
    }

    // The session's line and its download's progress and values; the table it
    // hands back is what uploadChanged compares and sends again.
    void download()
    {
        QVERIFY(connectSim(""));
        QCOMPARE(m_session->port()->cSettings(), "115200,N,8,1");
        QCOMPARE(m_session->port()->PollInterval(), 25);
        QSignalSpy progress(m_session->engine(), &TransferEngine::replyProgress);
        const ReceiverSession::Download d = m_session->download(MemoryTable());
        QCOMPARE(d.values.v, "presetta-sim 1.0");
        QVERIFY(!progress.isEmpty());
    }

    void silentDownload()
    {
        QVERIFY(connectSim("--silent"));
        const ReceiverSession::Download d = m_session->download(MemoryTable());
        QCOMPARE(d.outcome.status, TransferEngine::Status::NoList);
    }

    void clock()
    {
        QVERIFY(connectSim(""));
        QSignalSpy activity(m_session->engine(), &TransferEngine::activity);
        const TransferEngine::Outcome out = m_session->engine()->SyncDate(QTime(7, 5, 9));
        QCOMPARE(out.status, TransferEngine::Status::Done);
        QCOMPARE(out.replies, 1);
        QCOMPARE(m_sim->receivedBytes(), "$time: 07:05:09\n");
        // The lamps end idle.
        QCOMPARE(activity.last().at(0).toBool(), true);
    }

    // Only what differs from the receiver's list goes out.
    void uploadChanged_data()
    {
        QTest::addColumn<QList<int>>("named");   // channels given the name below
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("escapeWhileDownloading");
        QTest::addColumn<QList<int>>("offered"); // numbers ready is handed
        QTest::addColumn<TransferEngine::Status>("status");
        QTest::addColumn<QByteArray>("wire");
        using S = TransferEngine::Status;
        QTest::newRow("two changed") << QList<int>{1, 3} << "NEW" << false << QList<int>{1, 3} << S::Done
                                     << QByteArray("sS1,87600,1,1,D3C1,NEW\nS3,87800,3,1,D3C3,NEW\n");
        // Stored whole, a download brings back only "ST2".
        QTest::newRow("name cut at its comma by the download") << QList<int>{2} << "ST2,FM" << false << QList<int>()
                                                                << S::Done << QByteArray("s");
        QTest::newRow("Escape while downloading: nothing sent") << QList<int>{2} << "NEW" << true << QList<int>() << S::Aborted
                                                                 << QByteArray("s");
    }
    void uploadChanged()
    {
        QVERIFY(connectSim(""));
        MemoryTable table = m_session->download(MemoryTable()).table;
        for (int n : cell<QList<int>>("named"))
            table.entry(n).setName(cell<QString>("name"));
        m_sim->clearReceivedBytes();
        if (cell<bool>("escapeWhileDownloading"))
            connect(m_sim.get(), &ReceiverSimulator::commandReceived, m_session->engine(), &TransferEngine::requestAbort);
        QList<int> offered;
        const ReceiverSession::ChangedUpload up = m_session->uploadChanged(table, 3, [&](const MemoryTable &, const QList<int> &numbers) {
            offered = numbers;
            return true;
        });
        QTEST(up.outcome.status, "status");
        QTEST(m_sim->receivedBytes(), "wire");
        QCOMPARE(up.receiver.size(), 3);
        QTEST(offered, "offered");
    }

    // The closing word both front ends take when the user, the line or
    // silence ends a transfer.
    void closingWord_data()
    {
        QTest::addColumn<TransferWords::Command>("command");
        QTest::addColumn<TransferEngine::Status>("status");
        QTest::addColumn<int>("entry"); // sent last
        QTest::addColumn<int>("replies");
        QTest::addColumn<TransferWords::Stop>("stop");
        QTest::addColumn<QString>("word");
        using C = TransferWords::Command;
        using S = TransferEngine::Status;
        using Stop = TransferWords::Stop;
        QTest::newRow("Ctrl+C") << C::Upload << S::Aborted << 26 << 26 << Stop::Interrupt
                                << "stopped after channel 26: interrupted";
        QTest::newRow("Escape before any channel") << C::UploadChanged << S::Aborted << 0 << 0 << Stop::Escape
                                                   << "nothing sent: Escape";
        QTest::newRow("a failing line, not unplugged") << C::Sync << S::LinkLost << 0 << 0 << Stop::None
                                                       << "the link to the receiver failed";
        QTest::newRow("given up on silence") << C::Upload << S::Aborted << 2 << 0 << Stop::None
                                             << "the receiver does not answer";
    }
    void closingWord()
    {
        TransferEngine::Outcome outcome;
        outcome.status = cell<TransferEngine::Status>("status");
        outcome.entry = cell<int>("entry");
        outcome.replies = cell<int>("replies");
        TransferWords::Ending ending(cell<TransferWords::Command>("command"), outcome, 99); // a count none of these names
        ending.stop = cell<TransferWords::Stop>("stop");
        QTEST(TransferWords::closing(ending), "word");
    }

    // A port that will not open says why.
    void openRefused_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<PortProblem::Source>("source");
        QTest::addColumn<QString>("why");
        QTest::newRow("typed, never there") << "/dev/ttyNONE7" << PortProblem::Source::Typed << "/dev/ttyNONE7 is not there: no such device.";
        QTest::newRow("listed, gone") << "/dev/ttyNONE7" << PortProblem::Source::Listed
                                      << "ttyNONE7 is gone: the device is no longer there. Plug it in again.";
        QTest::newRow("a folder") << "/tmp" << PortProblem::Source::Typed << "/tmp is not a serial device.";
    }
    void openRefused()
    {
        QFETCH(QString, path);
        QFETCH(PortProblem::Source, source);
        ReceiverSession session;
        const ReceiverSession::Opening o = session.open(path, 0, source);
        QVERIFY(!o.open);
        QVERIFY(!session.port()->IsOpen());
        QTEST(o.why, "why");
    }
};

QTEST_GUILESS_MAIN(TestLink)
#include "tst_link.moc"
