// Connecting and disconnecting through the window, with the receiver
// simulator on a pseudo-terminal as the port.

#include "tst_frmmain_simharness.h"

namespace {
const QColor kRxIdle(64, 128, 32);
const QColor kRxActive(128, 255, 64);
} // namespace

class tst_FrmMainLinkSim : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void connectGivesTheConnectedLayout();
    void disconnectClosesThePort();
    void missingPortSpringsBack();
    void hangUpWhileIdle();
    void hangUpLeavesOtherPortsListed();
    void receivedBytesLightRx();
    void shutDownWhileConnected();
    void reconnectAfterHangUp();
};

void tst_FrmMainLinkSim::init()
{
    mRegistry2::DeleteValue(settingPath("\\COM-Port"));
}

void tst_FrmMainLinkSim::connectGivesTheConnectedLayout()
{
    SimHarness s;
    QVERIFY(s.start());
    QVERIFY(s.showsLayout(false));
    QVERIFY(s.connectPort());
    QVERIFY(s.showsLayout(true));
    QVERIFY(s.ckConn()->isEnabled());
    QCOMPARE(s.timerChk()->interval(), 1000);
    QCOMPARE(s.port()->cSettings(), QStringLiteral("115200,N,8,1"));
    QCOMPARE(s.port()->PollInterval(), 25);
    QCOMPARE(s.h->dialogs.beeps, 0);
    // The connection lasts: the check finds the port still there.
    QTest::qWait(1300);
    QVERIFY(s.isConnected());
    QVERIFY(s.showsLayout(true));
}

void tst_FrmMainLinkSim::disconnectClosesThePort()
{
    SimHarness s;
    QVERIFY(s.start());
    QVERIFY(s.connectPort());
    QTest::mouseClick(s.ckConn(), Qt::LeftButton);
    FrmMainHarness::settle();
    QVERIFY(!s.port()->IsOpen());
    QVERIFY(!s.timerChk()->isActive());
    QVERIFY(s.showsLayout(false));
    QVERIFY(s.ckConn()->isEnabled());
    QCOMPARE(s.h->dialogs.beeps, 0);
}

void tst_FrmMainLinkSim::missingPortSpringsBack()
{
    SimHarness s;
    QVERIFY(s.start());
    s.ports->prepend(portRecord(QStringLiteral("ttyGONE0"), QStringLiteral("USB-SERIAL CH340"),
                                QStringLiteral("/nonexistent/ttyGONE0")));
    s.h->click("cRefresh");
    QCOMPARE(s.h->combo("coCOM")->currentIndex(), 0);

    QVERIFY(!s.connectPort());
    QCOMPARE(s.h->dialogs.beeps, 1);
    QVERIFY(s.h->dialogs.messages.isEmpty());
    QVERIFY(s.showsLayout(false));
    QVERIFY(!s.timerChk()->isActive());
    QVERIFY(s.ckConn()->isEnabled());
}

void tst_FrmMainLinkSim::hangUpWhileIdle()
{
    SimHarness s;
    QVERIFY(s.start());
    QVERIFY(s.connectPort());
    s.ports->clear();
    s.sim.hangUp();
    QTRY_VERIFY_WITH_TIMEOUT(!s.ckConn()->isChecked(), 1500);
    FrmMainHarness::settle();
    QVERIFY(s.showsLayout(false));
    QVERIFY(!s.port()->IsOpen());
    QVERIFY(!s.timerChk()->isActive());
    QCOMPARE(s.h->combo("coCOM")->count(), 0);
    QVERIFY(!s.ckConn()->isEnabled());
    // Silent: no message, no beep.
    QVERIFY(s.h->dialogs.messages.isEmpty());
    QCOMPARE(s.h->dialogs.beeps, 0);
}

void tst_FrmMainLinkSim::hangUpLeavesOtherPortsListed()
{
    SimHarness s;
    QVERIFY(s.start());
    s.ports->append(portRecord(QStringLiteral("ttyS0"), QStringLiteral("16550A UART")));
    s.h->click("cRefresh");
    QCOMPARE(s.h->combo("coCOM")->count(), 2);
    QVERIFY(s.connectPort());

    s.ports->removeFirst();
    s.sim.hangUp();
    QTRY_VERIFY_WITH_TIMEOUT(!s.ckConn()->isChecked(), 1500);
    FrmMainHarness::settle();
    QCOMPARE(s.h->combo("coCOM")->count(), 1);
    QCOMPARE(s.h->combo("coCOM")->itemText(0), QStringLiteral("ttyS0: 16550A UART"));
    QVERIFY(s.ckConn()->isEnabled());
    QVERIFY(s.showsLayout(false));
}

void tst_FrmMainLinkSim::receivedBytesLightRx()
{
    SimHarness s;
    QVERIFY(s.start());
    QVERIFY(s.connectPort());
    auto rx = [&] { return s.h->child<QWidget>("pBuf_1")->palette().color(QPalette::Window); };
    QCOMPARE(rx(), kRxIdle);
    // A clock command makes the receiver answer; nobody reads the answer.
    s.port()->cOutput(QStringLiteral("$time: 10:00:00\n"));
    QTRY_COMPARE_WITH_TIMEOUT(rx(), kRxActive, kSettleMs);
    QVERIFY(s.port()->cInput().startsWith(QStringLiteral("T:")));
    s.h->window->ShowBuf(false);
    QCOMPARE(rx(), kRxIdle);
}

void tst_FrmMainLinkSim::shutDownWhileConnected()
{
    SimHarness s;
    QVERIFY(s.start());
    QVERIFY(s.connectPort());
    QVERIFY(s.h->window->close());
    QVERIFY(!s.port()->IsOpen());
    QVERIFY(!s.timerChk()->isActive());
    QCOMPARE(mRegistry2::Registry(settingPath("\\COM-Port")), QVariant(s.simPortName()));
    QCOMPARE(mRegistry2::Registry(settingPath("\\Win.Top")), QVariant(s.h->window->y()));
}

void tst_FrmMainLinkSim::reconnectAfterHangUp()
{
    SimHarness s;
    QVERIFY(s.start());
    QVERIFY(s.connectPort());
    s.ports->clear();
    s.sim.hangUp();
    QTRY_VERIFY_WITH_TIMEOUT(!s.ckConn()->isChecked(), 1500);

    // The receiver comes back on a new line.
    QVERIFY(s.sim.start());
    s.ports->append(s.simRecord());
    s.h->click("cRefresh");
    QCOMPARE(s.h->combo("coCOM")->count(), 1);
    QVERIFY(s.connectPort());
    QVERIFY(s.showsLayout(true));
}

QTEST_MAIN(tst_FrmMainLinkSim)
#include "tst_frmmain_link_sim.moc"
