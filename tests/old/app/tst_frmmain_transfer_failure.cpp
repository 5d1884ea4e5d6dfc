// Transfers that end early: the receiver's line vanishing in the middle, and
// the window being closed in the middle.

#include "tst_frmmain_simharness.h"

namespace {

SimOptions receiverWith(int count, int fixedStatus = -1)
{
    SimOptions o;
    o.memoryCount = count;
    o.fixedStatus = fixedStatus;
    return o;
}

// Watches for the switch to the not-connected layout after a hang-up.
class LossWatch
{
public:
    explicit LossWatch(SimHarness &s) : m_s(s)
    {
        QObject::connect(s.ckConn(), &QCheckBox::toggled, s.ckConn(), [this](bool on) {
            if (!on && m_since.isValid() && m_switchedAfter < 0)
                m_switchedAfter = m_since.elapsed();
        });
        s.h->dialogs.onMessage = [this](const RecordingDialogs::Message &) {
            m_layoutAtMessage = m_s.showsLayout(false);
        };
    }

    // The line drops and the port leaves the inventory.
    void hangUp()
    {
        m_s.ports->clear();
        m_since.start();
        m_s.sim.hangUp();
    }
    void hangUpAfter(int ms)
    {
        QTimer::singleShot(ms, &m_s.sim, [this] { hangUp(); });
    }

    qint64 switchedAfter() const { return m_switchedAfter; }
    bool notConnectedAtMessage() const { return m_layoutAtMessage; }

private:
    SimHarness &m_s;
    QElapsedTimer m_since;
    qint64 m_switchedAfter = -1;
    bool m_layoutAtMessage = false;
};

QString lossText(const SimHarness &s)
{
    return QStringLiteral("  Fehler beim Zugriff auf ") + s.simPortName() + QStringLiteral(" ...  ");
}

} // namespace

class tst_FrmMainTransferFailure : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void vanishDuringDownload();
    void vanishDuringUpload_data();
    void vanishDuringUpload();
    void vanishDuringUpdate();
    void failureReportDuringUpload();
    void closedDuringUpload();
    void closedDuringDownload();

private:
    void checkLoss(SimHarness &s, const LossWatch &watch);
};

void tst_FrmMainTransferFailure::init()
{
    mRegistry2::DeleteValue(settingPath("\\COM-Port"));
}

void tst_FrmMainTransferFailure::checkLoss(SimHarness &s, const LossWatch &watch)
{
    QVERIFY2(watch.switchedAfter() >= 0 && watch.switchedAfter() <= 1500,
             qPrintable(QString::number(watch.switchedAfter())));
    QCOMPARE(s.h->dialogs.messages.size(), 1);
    QCOMPARE(s.h->dialogs.messages[0].text, lossText(s));
    QCOMPARE(s.h->dialogs.messages[0].title, QStringLiteral(" ERROR"));
    QVERIFY(watch.notConnectedAtMessage());
    QVERIFY(s.showsLayout(false));
    QVERIFY(!s.port()->IsOpen());
    QVERIFY(!s.timerChk()->isActive());
    QCOMPARE(s.h->combo("coCOM")->count(), 0);
    QVERIFY(!s.ckConn()->isEnabled());
    QVERIFY(!s.h->window->transferRunning());
    // Editing goes on without the receiver.
    QVERIFY(s.h->button("cAply")->isEnabled());
    QVERIFY(s.h->button("cSave")->isEnabled());
}

void tst_FrmMainTransferFailure::vanishDuringDownload()
{
    SimHarness s(receiverWith(3));
    QVERIFY(s.start());
    s.sim.setChannel(1, simChannel(100400, 0, 0, "D3C3", "REGNBOGN"));
    QVERIFY(s.connectPort());
    QVERIFY(s.freshDownload());
    const QVector<MemoryEntry> before = s.h->window->table().entries();
    const QStringList lines = s.lines();

    SimOptions o = s.sim.options();
    o.neverAnswer = true;
    s.sim.setOptions(o);
    LossWatch watch(s);
    s.onCommand(1, [&] { watch.hangUpAfter(300); });
    s.download();

    checkLoss(s, watch);
    COMPARE_ENTRIES(s.h->window->table().entries(), before);
    QCOMPARE(s.lines(), lines);
}

void tst_FrmMainTransferFailure::vanishDuringUpload_data()
{
    QTest::addColumn<bool>("answering");
    QTest::newRow("between replies") << true;
    QTest::newRow("waiting for a reply") << false;
}

void tst_FrmMainTransferFailure::vanishDuringUpload()
{
    QFETCH(bool, answering);
    SimHarness s(receiverWith(6, 128));
    QVERIFY(s.start());
    s.sim.setChannel(1, simChannel(100400, 0, 0, "D3C3", "REGNBOGN"));
    QVERIFY(s.connectPort());
    QVERIFY(s.freshDownload());
    const QVector<MemoryEntry> before = s.h->window->table().entries();
    const QStringList lines = s.lines();

    if (!answering) {
        SimOptions o = s.sim.options();
        o.neverAnswer = true;
        s.sim.setOptions(o);
    }
    LossWatch watch(s);
    s.onCommand(2, [&] { watch.hangUpAfter(answering ? 0 : 300); });
    s.upload();

    checkLoss(s, watch);
    QVERIFY(s.sim.receivedBytes().count('\n') <= 3);
    COMPARE_ENTRIES(s.h->window->table().entries(), before);
    QCOMPARE(s.lines(), lines);
}

void tst_FrmMainTransferFailure::vanishDuringUpdate()
{
    SimHarness s(receiverWith(3));
    QVERIFY(s.start());
    QVERIFY(s.connectPort());
    QVERIFY(s.freshDownload());
    SimOptions o = s.sim.options();
    o.neverAnswer = true;
    s.sim.setOptions(o);

    LossWatch watch(s);
    s.onCommand(1, [&] { watch.hangUpAfter(200); });
    s.h->clickLine(2);
    s.h->click("cUpd");
    QTRY_VERIFY_WITH_TIMEOUT(!s.h->window->transferRunning(), kSettleMs);
    checkLoss(s, watch);
}

void tst_FrmMainTransferFailure::failureReportDuringUpload()
{
    // A failed read or write in the port's own poll: the port is closed
    // first, then the report comes as a signal, the device still present.
    SimHarness s(receiverWith(6, 128));
    QVERIFY(s.start());
    QVERIFY(s.connectPort());
    QVERIFY(s.freshDownload());
    const QVector<MemoryEntry> before = s.h->window->table().entries();
    const QString report = QStringLiteral("Fehler beim Zugriff auf ") + s.simPortName()
        + QStringLiteral(" ...");
    s.onCommand(2, [&] {
        s.port()->cClose();
        emit s.port()->failure(report);
    });
    s.upload();

    QCOMPARE(s.h->dialogs.messages.size(), 1);
    QCOMPARE(s.h->dialogs.messages[0].text, lossText(s));
    QCOMPARE(s.h->dialogs.messages[0].title, QStringLiteral(" ERROR"));
    QVERIFY(s.sim.receivedBytes().count('\n') <= 3);
    QVERIFY(s.showsLayout(false));
    QVERIFY(!s.timerChk()->isActive());
    // The device is still there, so it stays listed and can be connected again.
    QCOMPARE(s.h->combo("coCOM")->count(), 1);
    QVERIFY(s.ckConn()->isEnabled());
    COMPARE_ENTRIES(s.h->window->table().entries(), before);
    QVERIFY(s.connectPort());
}

void tst_FrmMainTransferFailure::closedDuringUpload()
{
    SimHarness s(receiverWith(6, 128));
    QVERIFY(s.start());
    QVERIFY(s.connectPort());
    QVERIFY(s.freshDownload());
    bool closedAtOnce = true;
    s.onCommand(2, [&] { closedAtOnce = s.h->window->close(); });
    s.upload();

    // It waits for the upload to stop, then closes as usual.
    QVERIFY(!closedAtOnce);
    QTRY_VERIFY_WITH_TIMEOUT(!s.h->window->isVisible(), kSettleMs);
    QCOMPARE(s.sim.receivedBytes().count('\n'), 2);
    QVERIFY(!s.port()->IsOpen());
    QVERIFY(!s.timerChk()->isActive());
    QCOMPARE(mRegistry2::Registry(settingPath("\\COM-Port")), QVariant(s.simPortName()));
    QCOMPARE(mRegistry2::Registry(settingPath("\\Win.Left")), QVariant(s.h->window->x()));
    QVERIFY(s.h->dialogs.messages.isEmpty());
}

void tst_FrmMainTransferFailure::closedDuringDownload()
{
    SimHarness s(receiverWith(3));
    QVERIFY(s.start());
    QVERIFY(s.connectPort());
    QVERIFY(s.freshDownload());
    const QVector<MemoryEntry> before = s.h->window->table().entries();
    s.sim.setChannel(2, simChannel(100400, 0, 0, "D3C3", "REGNBOGN"));
    SimOptions o = s.sim.options();
    o.answerDelayMs = 1500;
    s.sim.setOptions(o);

    s.onCommand(1, [&] { s.h->window->close(); });
    QElapsedTimer t;
    t.start();
    s.download();
    QTRY_VERIFY_WITH_TIMEOUT(!s.h->window->isVisible(), kSettleMs);
    // The reply wait was cut short; nothing half-applied.
    QVERIFY2(t.elapsed() < 2500, qPrintable(QString::number(t.elapsed())));
    COMPARE_ENTRIES(s.h->window->table().entries(), before);
    QVERIFY(!s.port()->IsOpen());
    QCOMPARE(mRegistry2::Registry(settingPath("\\COM-Port")), QVariant(s.simPortName()));
}

QTEST_MAIN(tst_FrmMainTransferFailure)
#include "tst_frmmain_transfer_failure.moc"
