// SPDX-License-Identifier: GPL-3.0-or-later
// The receiver protocol: download reply, entry and clock commands, entry
// status, and the transfer engine against the simulator.
#include "ReceiverSimulator.h"
#include "link/Bits.h"
#include "link/ClockCommand.h"
#include "link/DownloadReply.h"
#include "link/EntryCommand.h"
#include "link/EntryStatus.h"
#include "link/ReplyTracker.h"
#include "link/TransferEngine.h"
#include "serial/clsCommPort.h"

#include <QTest>

// What a reply leaves behind, in short: whether it carried a list, the
// count, whatever differs from a fresh table, and every entry that is not the
// empty one ("n:band,frequency,bandwidth,stereo,PI,name", blanks as "_").
static QString outcome(const QString &reply)
{
    MemoryTable t;
    t.rawLines() = QStringList{"kept"};
    DownloadReply::Values v;
    const bool list = DownloadReply::apply(reply, t, v);
    QString out = (list ? "list m" : "none m") + QString::number(t.memoryCount());
    const QString limits = t.limits().aMin + "," + t.limits().aMax + " f" + t.limits().fMin + "," + t.limits().fMax;
    out += limits == "144,27000 f65000,108000" ? QString() : " a" + limits;
    if (v.r || !v.v.isEmpty() || v.s || v.o)
        out += QStringLiteral(" r%1 v%2 s%3 o%4").arg(v.r).arg(v.v).arg(v.s).arg(v.o);
    if (!list)
        return out + " " + t.rawLines().join('|');
    t.buildFromRawLines();
    out += " n" + QString::number(t.size());
    const MemoryEntry empty{Bands::kNone, 0, 0, 0, "0000", "         "};
    for (int n = 1; n <= t.size(); ++n) {
        const MemoryEntry &e = t.entry(n);
        if (e != empty)
            out += QStringLiteral(" %1:%2,%3,%4,%5,").arg(n).arg(e.band).arg(e.frequency).arg(e.bandwidth).arg(e.stereo)
                + QString(e.pi + "," + e.name).replace(' ', '_');
    }
    return out;
}

// Each table holds what the code under test produced and what it must be.
static void compareRow()
{
    QFETCH(QString, produced);
    QTEST(produced, "expected");
}

// An entry reply decoded ("-" for no status word, "?" for one beyond 16
// bits); for a refused entry each error bit's message with its focus
// control, bits 5 down to 0, and the title of the message boxes.
static QString decoded(const QString &reply)
{
    const EntryStatus::Reply r = EntryStatus::parse(reply);
    QString out = !r.isStatus ? "-" : r.fits ? QString::number(r.word) : "?";
    if (r.accepted)
        return out + " accepted";
    for (const EntryStatus::ErrorMessage &m : EntryStatus::errorMessages(r.word))
        out += "|" + m.text + "@" + m.focusName;
    return out + "|" + EntryStatus::errorTitle(r.word);
}

// Whether a reply arriving in these pieces is whole.
static QString whole(const QStringList &pieces)
{
    ReplyTracker t;
    for (const QString &p : pieces)
        t.add(p);
    return t.isWhole() ? "whole" : "open";
}

// One transfer of the engine over a pty to the simulator holding three
// channels, in short: the outcome, then every byte the simulator received.
static QString transfer(const QString &what, SimOptions o = SimOptions())
{
    o.memoryCount = 3;
    ReceiverSimulator sim(o);
    for (int n = 1; n <= 3; ++n)
        sim.setChannel(n, SimChannel{87500 + n * 100, n, 1, "D3C" + QByteArray::number(n), "ST" + QByteArray::number(n)});
    clsCommPort port;
    TransferEngine engine(&port);
    if (!sim.start())
        return "no simulator";
    port.setCPortPath(sim.devicePath());
    port.setCSettings("115200,N,8,1");
    port.setPollInterval(25);
    if (!port.cOpen(true))
        return "not open";
    MemoryTable t;
    DownloadReply::Values values;
    TransferEngine::Outcome out;
    QObject::connect(&engine, &TransferEngine::entryStarting, &engine, [&](int, int index) {
        if (what == "abort" && index == 2)
            engine.requestAbort();
    });
    if (what == "clock")
        out = engine.SyncDate(QTime(7, 5, 9));
    else {
        out = engine.ReadData(t, values);
        t.buildFromRawLines();
        if (what == "upload 2")
            t.entry(2).setName("NEW");
        if (what != "download") {
            sim.clearReceivedBytes();
            out = engine.SendData(t, what == "upload 2" ? QList<int>{2} : QList<int>{});
        }
    }
    static const char *const names[] = {"done", "no list", "refused", "link lost", "aborted"};
    // Whether the reply before a hang-up still comes through is up to timing.
    QString s = names[int(out.status)];
    if (out.status != TransferEngine::Status::LinkLost)
        s += QStringLiteral(" r%1").arg(out.replies);
    if (out.status == TransferEngine::Status::Refused)
        s += QStringLiteral(" %1:%2 %3").arg(out.entry).arg(out.word).arg(out.messages.size());
    if (what == "download")
        s += QStringLiteral(" m%1 %2").arg(t.memoryCount()).arg(t.entry(3).name);
    return s + " " + out.description.left(24) + "|" + QString::fromLatin1(sim.receivedBytes());
}

class TestLink : public QObject
{
    Q_OBJECT

private slots:
    void download_data()
    {
        QTest::addColumn<QString>("produced");
        QTest::addColumn<QString>("expected");
        QTest::newRow("five lines") << outcome("m:3\nf:65000,108000\na:144,27000\n1,100400,0,0,D3C3,REGNBOGN\n3,144,5,1,0000,\n")
                                    << "list m3 n3 1:1,100400,0,0,D3C3,REGNBOGN_ 3:0,144,5,1,0000,_________";
        QTest::newRow("CR LF") << outcome("r:1\r\nm:2\r\na:100,20000\r\n1,100400,3,1,1A2B,RADIO\r\n")
                               << "list m2 a100,20000 f65000,108000 r1 v s0 o0 n2 1:1,100400,3,1,1A2B,RADIO____";
        QTest::newRow("bare CR") << outcome("m:2\r1,100400\r2,90000\n") << "list m21 n21";
        QTest::newRow("12 not 1") << outcome("1,100400\nm:20\n12,90000") << "list m20 n20 12:1,90000,0,0,0000,_________";
        QTest::newRow("count again") << outcome("m:3\n1,90000\nm:2.5\n2,91000") << "list m2 n2 2:1,91000,0,0,0000,_________";
        QTest::newRow("ignored") << outcome(QString::fromUtf8("m:3\n0,1\n01,1\n4,1\n 1,1\n1;1,1\n4294967297,1\n\u0661,1"))
                                 << "list m3 n3";
        QTest::newRow("PI, name cut") << outcome("m:1\n1,1,0,0,12345,ABCDEFGHIJ") << "list m1 n1 1:0,1,0,0,2345,ABCDEFGHI";
        QTest::newRow("codes, PI, name") << outcome("m:1\n1,88000,300,-5, 1A ,AB,CD") << "list m1 n1 1:1,88000,255,0,__1A,AB_______";
        QTest::newRow("FM limits") << outcome("m:2\nf:87500,108000\n1,87500\n2,87499")
            << "list m2 a144,27000 f87500,108000 n2 1:1,87500,0,0,0000,_________ 2:0,87499,0,0,0000,_________";
        QTest::newRow("highest") << outcome("m:32767\n32767,90000") << "list m32767 n32767 32767:1,90000,0,0,0000,_________";
        QTest::newRow("refused counts") << outcome("m:0\nm:-1\nm:32768\nm:abc\nm:\nM:3\n1,100400") << "none m99 kept";
        QTest::newRow("values") << outcome("r:3\nr:70000\nr:32768\nv:1.2 b\ns:-70000\ns:2147483648\no:2147483647\no:-2147483649")
                                << "none m99 r3 v1.2 b s-70000 o2147483647 kept";
        QTest::newRow("limits") << outcome("a:5,6,7\nf:1.5,2\na:100\nf:x,y\nf:87500,\nR:1") << "none m99 a5,6 f1.5,2 kept";
    }
    void download() { compareRow(); }

    void commands_data()
    {
        QTest::addColumn<QString>("produced");
        QTest::addColumn<QString>("expected");
        const auto entry = [](int n, qint32 kHz, quint8 bandwidth, quint8 stereo, const QString &pi, const QString &name) {
            return EntryCommand::entryCommand(n, MemoryEntry{Bands::kNone, kHz, bandwidth, stereo, pi, name});
        };
        QTest::newRow("entry") << entry(12, 100400, 3, 1, "1A2B", "RADIO    ") << "S12,100400,3,1,1A2B,RADIO\n";
        QTest::newRow("downloaded empty") << entry(5, 0, 0, 0, "0000", "         ") << "S5,0,0,0,0000,\n";
        QTest::newRow("never stored") << entry(1, 0, 0, 0, QString(4, QChar(0)), QString(9, QChar(0))) << "S1,0,0,0,,\n";
        QTest::newRow("blanks") << entry(7, 1, 0, 0, "  1A", "  LEAD   ") << "S7,1,0,0,1A,  LEAD\n";
        QTest::newRow("line ends inside") << entry(7, 1, 0, 0, "1\r2\n", "A\nB\rC    ") << "S7,1,0,0,1 2,A B C\n";
        QTest::newRow("clock") << ClockCommand::clockCommand(QTime(7, 5, 9)) << "$time: 07:05:09\n";
        QTest::newRow("clock, 24 hours") << ClockCommand::clockCommand(QTime(23, 59, 59)) << "$time: 23:59:59\n";
    }
    void commands() { compareRow(); }

    void status_data()
    {
        QTest::addColumn<QString>("produced");
        QTest::addColumn<QString>("expected");
        QTest::newRow("accepted") << decoded("S:128") << "128 accepted";
        QTest::newRow("all error bits") << decoded("S:63")
            << "63|  Incorrect PI code!  @tPI|  Memory 01 can't be empty!  @tFreq|  Mono/Stereo out of range!  @coST"
               "|  Bandwidth out of range!  @coBW|  Memory Channel out of range!  @tFreq|  Frequency out of range!  @tFreq"
               "| ERROR: 63";
        QTest::newRow("no error bit") << decoded("S:64") << "64| ERROR: 64";
        QTest::newRow("no status") << decoded("s:128") << "- accepted";
        QTest::newRow("text before, second piece") << decoded("xyzS:128:3") << "128 accepted";
        QTest::newRow("NUL CR LF blanks") << decoded(QString::fromLatin1(" S:1\r2\0\n9 ", 10)) << "129 accepted";
        QTest::newRow("largest") << decoded("S:65535") << "65535 accepted";
        QTest::newRow("beyond 16 bits") << decoded("S:65664") << "?| ERROR: 0";
        QTest::newRow("bits 7, 7, 32, -1") << QStringLiteral("%1%2%3%4").arg(mBits::IsBitSet(128, 7)).arg(mBits::IsBitSet(127, 7))
                                                  .arg(mBits::IsBitSet(~0u, 32)).arg(mBits::IsBitSet(~0u, -1)) << "1000";
    }
    void status() { compareRow(); }

    void replyWhole_data()
    {
        QTest::addColumn<QString>("produced");
        QTest::addColumn<QString>("expected");
        QTest::newRow("whole") << whole({"r:1\r\nm:2\r", "\n1,100\r\n2,", "200\r\n"}) << "whole";
        QTest::newRow("line missing") << whole({"m:3\n1,1\n3,3\n1,1\n"}) << "open";
        QTest::newRow("last line unended") << whole({"m:2\n1,1\n2,2"}) << "open";
        QTest::newRow("lines before the count") << whole({"1,1\n2,2\nm:2\n"}) << "open";
        QTest::newRow("count again") << whole({"m:1\n1,1\nm:2\n2,2\n"}) << "open";
        QTest::newRow("no list") << whole({"m:0\n", "1,1\n"}) << "open";
        QTest::newRow("same on the receiver")
            << QStringLiteral("%1%2%3").arg(EntryCommand::sameOnReceiver({Bands::kNone, 0, 0, 0, "0000", "A"}, {}))
                   .arg(EntryCommand::sameOnReceiver({Bands::kFM, 1, 0, 0, "0000", "A"}, {Bands::kAM, 1, 0, 0, "0000", "A  "}))
                   .arg(EntryCommand::sameOnReceiver({Bands::kFM, 1, 0, 0, "0000", "A"}, {Bands::kFM, 1, 0, 1, "0000", "A"}))
            << "110";
    }
    void replyWhole() { compareRow(); }

    void engine_data()
    {
        QTest::addColumn<QString>("produced");
        QTest::addColumn<QString>("expected");
        const QString all = "S1,87600,1,1,D3C1,ST1\nS2,87700,2,1,D3C2,ST2\nS3,87800,3,1,D3C3,ST3\n";
        QTest::newRow("download") << transfer("download") << "done r0 m3 ST3       |s";
        QTest::newRow("upload") << transfer("upload") << "done r3 |" + all;
        QTest::newRow("only some") << transfer("upload 2") << "done r1 |S2,87700,2,1,D3C2,NEW\n";
        QTest::newRow("abort") << transfer("abort") << "aborted r2 |" + all.left(44);
        SimOptions refusing;
        refusing.fixedStatus = 33;
        QTest::newRow("refused") << transfer("upload", refusing) << "refused r1 1:33 2 |" + all.left(22);
        SimOptions silent;
        silent.neverAnswer = true;
        QTest::newRow("silent") << transfer("download", silent) << "no list r0 m99           |s";
        SimOptions hangUp;
        hangUp.hangUpAfter = 2;
        QTest::newRow("hang-up") << transfer("upload", hangUp) << "link lost Fehler beim Zugriff auf |S1,87600,1,1,D3C1,ST1\n";
        QTest::newRow("clock") << transfer("clock") << "done r1 |$time: 07:05:09\n";
    }
    void engine() { compareRow(); }
};

QTEST_GUILESS_MAIN(TestLink)
#include "tst_link.moc"
