// Upload, single-entry update and clock sync through the window, checked on
// the wire of the receiver simulator.

#include "tst_frmmain_simharness.h"

namespace {

SimOptions receiverWith(int count, int fixedStatus = -1)
{
    SimOptions o;
    o.memoryCount = count;
    o.fixedStatus = fixedStatus;
    return o;
}

QByteArray emptyEntryCommand(int n)
{
    return "S" + QByteArray::number(n) + ",0,0,0,0000,\n";
}

const QByteArray kEntry12("S12,100400,3,1,1A2B,RADIO\n");

int commandsOnWire(const ReceiverSimulator &sim)
{
    return static_cast<int>(sim.receivedBytes().count('\n'));
}

} // namespace

class tst_FrmMainUpload : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void entriesOnTheWire();
    void updateSendsTheSelectedEntryOnly();
    void updateWithNoLineSelected();
    void neverStoredFieldsGoAsBlanks();
    void nonStatusReplyCarriesOn();
    void silentReceiverCostsASecondPerEntry();
    void escapeStopsAfterTheCurrentEntry();
    void syncIsLockedDuringUploadAndUpdate();
    void clockLine_data();
    void clockLine();
    void editedEntryComesBack();
};

void tst_FrmMainUpload::cleanup()
{
    Clock::setSource({});
}

void tst_FrmMainUpload::entriesOnTheWire()
{
    SimHarness s(receiverWith(12, 128));
    QVERIFY(s.start());
    s.sim.setChannel(12, simChannel(100400, 3, 1, "1A2B", "RADIO"));
    QVERIFY(s.connectPort());
    QVERIFY(s.freshDownload());
    QCOMPARE(s.h->window->table().entry(12).name, QStringLiteral("RADIO    "));

    s.h->clickLine(7);
    s.upload();
    QByteArray expected;
    for (int n = 1; n <= 11; ++n)
        expected += emptyEntryCommand(n);
    expected += kEntry12;
    QCOMPARE(s.sim.receivedBytes(), expected);

    // Afterwards: first line, one beep, focus back on the button, still connected.
    QCOMPARE(s.h->selectedLine(), 0);
    QCOMPARE(s.h->dialogs.beeps, 1);
    QCOMPARE(QApplication::focusWidget(), s.h->button("cUL"));
    QVERIFY(s.h->dialogs.messages.isEmpty());
    QVERIFY(s.showsLayout(true));
    QVERIFY(s.h->button("cAply")->isEnabled());
    QVERIFY(s.ckConn()->isEnabled());
}

void tst_FrmMainUpload::updateSendsTheSelectedEntryOnly()
{
    SimHarness s(receiverWith(12, 128));
    QVERIFY(s.start());
    s.sim.setChannel(12, simChannel(100400, 3, 1, "1A2B", "RADIO"));
    QVERIFY(s.connectPort());
    QVERIFY(s.freshDownload());

    s.h->clickLine(11);
    s.h->click("cUpd");
    QCOMPARE(s.sim.receivedBytes(), kEntry12);

    s.sim.clearReceivedBytes();
    s.h->clickLine(4);
    s.h->click("cUpd");
    // The update applies the editor first, whose empty boxes store blanks.
    QCOMPARE(s.sim.receivedBytes(), QByteArray("S5,0,0,0,,\n"));
    QCOMPARE(s.h->dialogs.beeps, 0);
    QCOMPARE(s.h->selectedLine(), 4);
}

void tst_FrmMainUpload::updateWithNoLineSelected()
{
    SimHarness s(receiverWith(3, 128));
    QVERIFY(s.start());
    QVERIFY(s.connectPort());
    QVERIFY(s.freshDownload());
    s.h->list()->setCurrentRow(-1);
    s.h->click("cUpd");
    QCOMPARE(s.h->dialogs.beeps, 1);
    QTest::qWait(200);
    QCOMPARE(s.sim.receivedBytes(), QByteArray());
    COMPARE_ENTRIES(s.h->window->table().entries(),
                    QVector<MemoryEntry>(3, emptyDownloaded()));
}

void tst_FrmMainUpload::neverStoredFieldsGoAsBlanks()
{
    // The list as start-up builds it, before any download.
    SimHarness s(receiverWith(99));
    QVERIFY(s.start());
    QVERIFY(s.connectPort());
    s.upload();
    // Memory 1 empty is refused by the receiver, which ends the upload.
    QCOMPARE(s.sim.receivedBytes(), QByteArray("S1,0,0,0,,\n"));
    QCOMPARE(s.h->dialogs.messages.size(), 1);
    QCOMPARE(s.h->dialogs.messages[0].text, QStringLiteral("  Memory 01 can't be empty!  "));
    QCOMPARE(s.h->dialogs.messages[0].title, QStringLiteral(" ERROR: 16"));
}

void tst_FrmMainUpload::nonStatusReplyCarriesOn()
{
    SimHarness s(receiverWith(4));
    QVERIFY(s.start());
    QVERIFY(s.connectPort());
    QVERIFY(s.freshDownload());
    SimOptions o = s.sim.options();
    o.garbage = GarbageMode::Instead;
    s.sim.setOptions(o);
    s.upload();
    QCOMPARE(commandsOnWire(s.sim), 4);
    QVERIFY(s.h->dialogs.messages.isEmpty());
    QCOMPARE(s.h->dialogs.beeps, 1);
}

void tst_FrmMainUpload::silentReceiverCostsASecondPerEntry()
{
    SimHarness s(receiverWith(3));
    QVERIFY(s.start());
    QVERIFY(s.connectPort());
    QVERIFY(s.freshDownload());
    SimOptions o = s.sim.options();
    o.neverAnswer = true;
    s.sim.setOptions(o);

    QElapsedTimer t;
    t.start();
    s.upload();
    const qint64 ms = t.elapsed();
    QCOMPARE(commandsOnWire(s.sim), 3);
    QVERIFY2(ms >= 3000 && ms < 30000, qPrintable(QString::number(ms)));
    QVERIFY(s.h->dialogs.messages.isEmpty());
    QCOMPARE(s.h->dialogs.beeps, 1);
    QVERIFY(s.isConnected());
}

void tst_FrmMainUpload::escapeStopsAfterTheCurrentEntry()
{
    SimHarness s(receiverWith(6, 128));
    QVERIFY(s.start());
    QVERIFY(s.connectPort());
    QVERIFY(s.freshDownload());

    s.onCommand(2, [&] { QTest::keyClick(s.h->window.get(), Qt::Key_Escape); });
    s.upload();
    QCOMPARE(s.sim.receivedBytes(), emptyEntryCommand(1) + emptyEntryCommand(2));
    QVERIFY(s.h->window->abortFlag());
    QCOMPARE(s.h->selectedLine(), 0);
    QCOMPARE(s.h->dialogs.beeps, 1);

    // The flag stays set until the next upload, which clears it and runs through.
    s.sim.clearReceivedBytes();
    s.upload();
    QCOMPARE(commandsOnWire(s.sim), 6);
    QVERIFY(!s.h->window->abortFlag());
}

void tst_FrmMainUpload::syncIsLockedDuringUploadAndUpdate()
{
    SimHarness s(receiverWith(3, 128));
    QVERIFY(s.start());
    QVERIFY(s.connectPort());
    QVERIFY(s.freshDownload());

    QList<bool> syncEnabled;
    auto record = [&] { syncEnabled << s.h->button("cSync")->isEnabled(); };
    s.onCommand(1, record);
    s.upload();
    s.onCommand(1, record);
    s.h->clickLine(1);
    s.h->click("cUpd");
    QCOMPARE(syncEnabled, QList<bool>({false, false}));
    QVERIFY(s.h->button("cSync")->isEnabled());
}

void tst_FrmMainUpload::clockLine_data()
{
    QTest::addColumn<QTime>("now");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("morning") << QTime(7, 5, 9) << QByteArray("$time: 07:05:09\n");
    QTest::newRow("24-hour clock") << QTime(23, 59, 59) << QByteArray("$time: 23:59:59\n");
    QTest::newRow("midnight") << QTime(0, 0, 0) << QByteArray("$time: 00:00:00\n");
}

void tst_FrmMainUpload::clockLine()
{
    QFETCH(QTime, now);
    QFETCH(QByteArray, line);
    SimHarness s(receiverWith(3));
    QVERIFY(s.start());
    QVERIFY(s.connectPort());
    SimHarness::runClockFrom(now);
    s.h->click("cSync");
    QCOMPARE(s.sim.receivedBytes(), line);
    // The receiver took it and its reply was read and dropped.
    QTRY_VERIFY_WITH_TIMEOUT(s.sim.clock().isSet(), kSettleMs);
    QCOMPARE(s.port()->cInBufferCount(), 0);
    QVERIFY(s.h->dialogs.messages.isEmpty());
    QVERIFY(s.isConnected());
}

void tst_FrmMainUpload::editedEntryComesBack()
{
    SimHarness s(receiverWith(5));
    QVERIFY(s.start());
    s.sim.setChannel(1, simChannel(100400, 0, 1, "D3C3", "REGNBOGN"));
    QVERIFY(s.connectPort());
    QVERIFY(s.freshDownload());

    s.h->storeStation(1, QStringLiteral("95000"), QStringLiteral("EDITED"), QStringLiteral("ABCD"), 2, 0);
    const MemoryEntry edited = s.h->window->table().entry(2);
    QCOMPARE(edited, memoryEntry(1, 95000, 2, 0, QStringLiteral("ABCD"), QStringLiteral("EDITED")));
    s.upload();
    QVERIFY(s.h->dialogs.messages.isEmpty());
    QCOMPARE(s.sim.memories().channel(2), simChannel(95000, 2, 0, "ABCD", "EDITED"));

    // Drop it here, then fetch it back from the receiver.
    s.h->clickLine(1);
    s.h->click("cDel");
    QVERIFY(s.h->window->table().entry(2) != edited);
    s.download();
    QCOMPARE(s.h->window->table().entry(2), edited);
    QVERIFY(s.lines().at(1).contains(QStringLiteral("EDITED")));
    QVERIFY(s.lines().at(0).contains(QStringLiteral("REGNBOGN")));
}

QTEST_MAIN(tst_FrmMainUpload)
#include "tst_frmmain_transfer_upload.moc"
