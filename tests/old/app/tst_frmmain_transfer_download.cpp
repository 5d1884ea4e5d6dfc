// Download through the window from the receiver simulator: the request on the
// wire, the table and list it rebuilds, line ends, limits and slow replies.

#include "tst_frmmain_simharness.h"

#include "ReplyBuilder.h"

namespace {

// The five-line example: three memories, 1 FM, 2 empty, 3 AM.
SimOptions exampleReceiver()
{
    SimOptions o;
    o.memoryCount = 3;
    return o;
}

void storeExample(ReceiverSimulator &sim)
{
    sim.setChannel(1, simChannel(100400, 0, 0, "D3C3", "REGNBOGN"));
    sim.setChannel(3, simChannel(144, 5, 1, "0000", ""));
}

QVector<MemoryEntry> exampleEntries()
{
    return {memoryEntry(1, 100400, 0, 0, QStringLiteral("D3C3"), QStringLiteral("REGNBOGN")),
            emptyDownloaded(),
            memoryEntry(0, 144, 5, 1, QStringLiteral("0000"), QString())};
}

} // namespace

class tst_FrmMainDownload : public QObject
{
    Q_OBJECT

private slots:
    void requestIsOneByte();
    void fiveLineExample();
    void lockedWhileItRuns();
    void newCountAndLimits();
    void lineEndsGiveTheSameTable_data();
    void lineEndsGiveTheSameTable();
    void silentReceiverKeepsTheTable();
    void zeroCountKeepsTheTable();
    void garbageAroundTheReply_data();
    void garbageAroundTheReply();
    void slowReplyArrivesWhole();
};

void tst_FrmMainDownload::requestIsOneByte()
{
    SimHarness s(exampleReceiver());
    QVERIFY(s.start());
    QVERIFY(s.connectPort());
    s.download();
    QCOMPARE(s.sim.receivedBytes(), QByteArray("s"));
    QCOMPARE(s.sim.commandCount(), 1);
}

void tst_FrmMainDownload::fiveLineExample()
{
    SimHarness s(exampleReceiver());
    QVERIFY(s.start());
    storeExample(s.sim);
    QVERIFY(s.connectPort());
    s.download();

    COMPARE_ENTRIES(s.h->window->table().entries(), exampleEntries());
    QCOMPARE(s.lines().size(), 3);
    QVERIFY(s.lines().at(0).contains(QStringLiteral("REGNBOGN")));
    QCOMPARE(s.h->window->receivedValues().r, qint16(1));
    QCOMPARE(s.h->window->receivedValues().v, QStringLiteral("presetta-sim 1.0"));

    // Afterwards: line 1 in the editor, the commands usable, no word said.
    QCOMPARE(s.h->selectedLine(), 0);
    QCOMPARE(s.h->box("tFreq")->text(), QStringLiteral("100400"));
    QCOMPARE(s.h->box("tName")->text(), QStringLiteral("REGNBOGN"));
    QCOMPARE(s.h->box("tPI")->text(), QStringLiteral("D3C3"));
    QVERIFY(s.showsLayout(true));
    QVERIFY(s.ckConn()->isEnabled());
    QVERIFY(s.h->button("cAply")->isEnabled());
    QCOMPARE(QApplication::focusWidget(), s.h->button("cDL"));
    QVERIFY(s.h->dialogs.messages.isEmpty());
    QCOMPARE(s.h->dialogs.beeps, 0);
}

void tst_FrmMainDownload::lockedWhileItRuns()
{
    SimHarness s(exampleReceiver());
    QVERIFY(s.start());
    QVERIFY(s.connectPort());
    QStringList enabledMidway;
    s.onCommand(1, [&] {
        for (const char *name : {"ckConn", "cDL", "cUL", "cUpd", "cSync", "cAply", "cLoad", "tFreq",
                                 "coCOM", "cRefresh"})
            if (s.h->child<QWidget>(name)->isEnabled())
                enabledMidway << QLatin1String(name);
    });
    s.download();
    QCOMPARE(enabledMidway, QStringList());
    QVERIFY(s.h->button("cSync")->isEnabled());
    QVERIFY(s.ckConn()->isEnabled());
}

void tst_FrmMainDownload::newCountAndLimits()
{
    SimHarness s(exampleReceiver());
    QVERIFY(s.start());
    storeExample(s.sim);
    QVERIFY(s.connectPort());
    s.download();
    QCOMPARE(s.h->window->table().size(), 3);

    // 80000 kHz is FM under the first limits.
    s.h->clickLine(1);
    s.h->typeFrequency(QStringLiteral("80000"));
    QCOMPARE(s.h->box("tBand")->text(), QStringLiteral("FM"));

    SimOptions o = s.sim.options();
    o.memoryCount = 7;
    o.limits = SimLimits{522, 1620, 87500, 108000};
    s.sim.setOptions(o);
    s.sim.setChannel(6, simChannel(80000, 0, 0, "ABCD", "LOW"));
    s.download();

    QCOMPARE(s.h->window->table().size(), 7);
    QCOMPARE(s.lines().size(), 7);
    const Bands::Limits &l = s.h->window->table().limits();
    QCOMPARE(QStringList({l.aMin, l.aMax, l.fMin, l.fMax}),
             QStringList({"522", "1620", "87500", "108000"}));
    // Below the new FM band a received memory counts as AM.
    QCOMPARE(s.h->window->table().entry(6).band, Bands::kAM);

    // The editor follows the new limits at once.
    s.h->clickLine(1);
    s.h->typeFrequency(QStringLiteral("80000"));
    QCOMPARE(s.h->box("tBand")->text(), QString());
    s.h->typeFrequency(QStringLiteral("1000"));
    QCOMPARE(s.h->box("tBand")->text(), QStringLiteral("AM"));
    s.h->typeFrequency(QStringLiteral("144"));
    QCOMPARE(s.h->box("tBand")->text(), QString());
    s.h->typeFrequency(QStringLiteral("87500"));
    QCOMPARE(s.h->box("tBand")->text(), QStringLiteral("FM"));
}

void tst_FrmMainDownload::lineEndsGiveTheSameTable_data()
{
    QTest::addColumn<bool>("lfOnly");
    QTest::newRow("CR LF") << false;
    QTest::newRow("LF") << true;
}

void tst_FrmMainDownload::lineEndsGiveTheSameTable()
{
    QFETCH(bool, lfOnly);
    SimOptions o = exampleReceiver();
    o.lfOnly = lfOnly;
    SimHarness s(o);
    QVERIFY(s.start());
    storeExample(s.sim);
    QVERIFY(s.connectPort());
    s.download();
    COMPARE_ENTRIES(s.h->window->table().entries(), exampleEntries());
    QCOMPARE(s.h->window->receivedValues().v, QStringLiteral("presetta-sim 1.0"));
    for (const QString &line : s.lines())
        QVERIFY2(!line.contains(QLatin1Char('\r')), qPrintable(line));
}

void tst_FrmMainDownload::silentReceiverKeepsTheTable()
{
    SimHarness s(exampleReceiver());
    QVERIFY(s.start());
    storeExample(s.sim);
    QVERIFY(s.connectPort());
    s.download();
    const QStringList before = s.lines();

    SimOptions o = s.sim.options();
    o.neverAnswer = true;
    s.sim.setOptions(o);
    s.download();
    // Drawn again from the table, not left empty.
    COMPARE_ENTRIES(s.h->window->table().entries(), exampleEntries());
    QCOMPARE(s.lines(), before);
    QCOMPARE(s.h->selectedLine(), 0);
    QCOMPARE(s.h->box("tFreq")->text(), QStringLiteral("100400"));
    QVERIFY(s.h->dialogs.messages.isEmpty());
    QVERIFY(s.isConnected());
}

void tst_FrmMainDownload::zeroCountKeepsTheTable()
{
    SimHarness s(exampleReceiver());
    QVERIFY(s.start());
    storeExample(s.sim);
    QVERIFY(s.connectPort());
    s.download();
    const QStringList before = s.lines();

    SimOptions o = s.sim.options();
    o.memoryCount = 0;
    s.sim.setOptions(o);
    s.download();
    COMPARE_ENTRIES(s.h->window->table().entries(), exampleEntries());
    QCOMPARE(s.lines(), before);
}

void tst_FrmMainDownload::garbageAroundTheReply_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("listArrives");
    QTest::newRow("junk line before the reply") << int(GarbageMode::Before) << true;
    QTest::newRow("junk instead of the reply") << int(GarbageMode::Instead) << false;
}

void tst_FrmMainDownload::garbageAroundTheReply()
{
    QFETCH(int, mode);
    QFETCH(bool, listArrives);
    SimHarness s(exampleReceiver());
    QVERIFY(s.start());
    storeExample(s.sim);
    QVERIFY(s.connectPort());
    const QVector<MemoryEntry> before = s.h->window->table().entries();

    SimOptions o = s.sim.options();
    o.garbage = static_cast<GarbageMode>(mode);
    s.sim.setOptions(o);
    s.download();
    // Junk is ignored line by line; without a memory list nothing is replaced.
    COMPARE_ENTRIES(s.h->window->table().entries(), listArrives ? exampleEntries() : before);
    QVERIFY(s.h->dialogs.messages.isEmpty());
    QVERIFY(s.isConnected());
}

void tst_FrmMainDownload::slowReplyArrivesWhole()
{
    SimOptions o = exampleReceiver();
    o.byteDelayMs = 25;
    SimHarness s(o);
    QVERIFY(s.start());
    storeExample(s.sim);
    // Make sure the reply really outlasts the fixed wait.
    const qsizetype bytes = ReplyBuilder::downloadReply(s.sim.memories(), o).size();
    QVERIFY2(bytes * o.byteDelayMs > 2800, qPrintable(QString::number(bytes)));
    QVERIFY(s.connectPort());

    QElapsedTimer t;
    t.start();
    s.download();
    QVERIFY(t.elapsed() >= 2800);
    COMPARE_ENTRIES(s.h->window->table().entries(), exampleEntries());
    QCOMPARE(s.port()->cInBufferCount(), 0);
}

QTEST_MAIN(tst_FrmMainDownload)
#include "tst_frmmain_transfer_download.moc"
