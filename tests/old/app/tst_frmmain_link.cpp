// The port list, the connection layouts, the busy lock and the activity lamps,
// with a port inventory made up by the test.

#include "tst_frmmain_simharness.h"

namespace {

const QColor kTxIdle(128, 64, 32);
const QColor kTxActive(255, 128, 64);
const QColor kRxIdle(64, 128, 32);

using Records = QList<PortRecord>;

// The busy lock's controls, in the order it sets them.
const QStringList kEditControls{"ckConn", "cLoad", "cSave", "cDL",   "cUL",   "cUp",
                                "cDn",    "cIns",  "cDel",  "cAply", "cUpd",  "cClr",
                                "tBand",  "tFreq", "tName", "tPI",   "coBW",  "coST"};

// Which watched controls changed their enabled state, in order.
class EnableRecorder : public QObject
{
public:
    QStringList changes;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::EnabledChange)
            changes << watched->objectName();
        return false;
    }
};

QColor lamp(const FrmMainHarness &h, const char *name)
{
    return h.child<QWidget>(name)->palette().color(QPalette::Window);
}

} // namespace

class tst_FrmMainLink : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void listTexts_data();
    void listTexts();
    void preselection_data();
    void preselection();
    void noPortsLeavesConnectDisabled();
    void notConnectedLayout();
    void busyLockControlsAndOrder();
    void busyLockLeavesListAndPortControls();
    void releasingTheLockWhileNotConnected();
    void releasingTheLockWithNoPortListed();
    void lampColours();
    void refreshFollowsTheInventory();
    void refreshPressedRepeatedly();
    void shutDownStoresThePortName();
    void shutDownWithNoPortKeepsTheRememberedOne();

private:
    // A window over `records`, started; the list handle stays with the test.
    std::unique_ptr<FrmMainHarness> startWith(const Records &records);
    FakePorts::List m_ports;
};

void tst_FrmMainLink::init()
{
    mRegistry2::DeleteValue(settingPath("\\COM-Port"));
}

std::unique_ptr<FrmMainHarness> tst_FrmMainLink::startWith(const Records &records)
{
    m_ports = std::make_shared<Records>(records);
    auto h = std::make_unique<FrmMainHarness>(std::make_unique<FakePorts>(m_ports));
    if (!h->start())
        return nullptr;
    return h;
}

void tst_FrmMainLink::listTexts_data()
{
    QTest::addColumn<Records>("records");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("usb serial") << Records{portRecord("ttyUSB0", "USB2.0-Serial")}
                                << QStringList{"ttyUSB0: USB2.0-Serial"};
    QTest::newRow("several in inventory order")
        << Records{portRecord("ttyS0", "16550A UART"), portRecord("rfcomm0", "Bluetooth link"),
                   portRecord("ttyACM0", "CDC modem")}
        << QStringList{"ttyS0: 16550A UART", "rfcomm0: Bluetooth link", "ttyACM0: CDC modem"};
    QTest::newRow("no description") << Records{portRecord("ttyUSB3", "")}
                                    << QStringList{"ttyUSB3: "};
}

void tst_FrmMainLink::listTexts()
{
    QFETCH(Records, records);
    QFETCH(QStringList, texts);
    auto h = startWith(records);
    QVERIFY(h);
    QComboBox *co = h->combo("coCOM");
    QStringList shown;
    for (int i = 0; i < co->count(); ++i)
        shown << co->itemText(i);
    QCOMPARE(shown, texts);
    QVERIFY(h->child<QCheckBox>("ckConn")->isEnabled());
}

void tst_FrmMainLink::preselection_data()
{
    QTest::addColumn<Records>("records");
    QTest::addColumn<QVariant>("remembered");
    QTest::addColumn<int>("selected");

    const PortRecord plain0 = portRecord("ttyS0", "16550A UART");
    const PortRecord plain1 = portRecord("ttyUSB1", "FT232R USB UART");
    const PortRecord ch340 = portRecord("ttyUSB0", "USB-SERIAL CH340");

    QTest::newRow("remembered although a CH340 comes first")
        << Records{ch340, plain1} << QVariant(QStringLiteral("ttyUSB1")) << 1;
    QTest::newRow("remembered number matches the port number")
        << Records{portRecord("ttyS0", "UART", {}, {}, {}, 1), portRecord("ttyS4", "UART", {}, {}, {}, 5)}
        << QVariant(5) << 1;
    QTest::newRow("CH340 over an earlier port") << Records{plain0, plain1, ch340} << QVariant() << 2;
    QTest::newRow("CH340 in lower case")
        << Records{plain0, portRecord("ttyUSB2", "usb-ch340 adapter")} << QVariant() << 1;
    QTest::newRow("CH340 in the first item")
        << Records{ch340, portRecord("ttyUSB5", "second ch340")} << QVariant() << 0;
    QTest::newRow("CH340 by USB identity 7523")
        << Records{plain0, portRecord("ttyUSB0", "USB2.0-Serial", {}, "1A86", "7523")} << QVariant() << 1;
    QTest::newRow("CH340 by USB identity 5523")
        << Records{plain0, portRecord("ttyUSB0", "USB2.0-Serial", {}, "1A86", "5523")} << QVariant() << 1;
    QTest::newRow("other product of the same maker")
        << Records{plain0, portRecord("ttyUSB0", "USB2.0-Serial", {}, "1A86", "7522")} << QVariant() << 0;
    QTest::newRow("remembered port absent: CH340")
        << Records{plain0, ch340} << QVariant(QStringLiteral("ttyUSB9")) << 1;
    QTest::newRow("two ports, none remembered: first") << Records{plain0, plain1} << QVariant() << 0;
}

void tst_FrmMainLink::preselection()
{
    QFETCH(Records, records);
    QFETCH(QVariant, remembered);
    QFETCH(int, selected);
    if (remembered.isValid())
        mRegistry2::Registry(settingPath("\\COM-Port"), 0, remembered);
    auto h = startWith(records);
    QVERIFY(h);
    QCOMPARE(h->combo("coCOM")->currentIndex(), selected);
    QVERIFY(h->child<QCheckBox>("ckConn")->isEnabled());
}

void tst_FrmMainLink::noPortsLeavesConnectDisabled()
{
    auto h = startWith({});
    QVERIFY(h);
    QCOMPARE(h->combo("coCOM")->count(), 0);
    QVERIFY(!h->child<QCheckBox>("ckConn")->isEnabled());
    QVERIFY(h->combo("coCOM")->isEnabled());
    QVERIFY(h->button("cRefresh")->isEnabled());
}

void tst_FrmMainLink::notConnectedLayout()
{
    auto h = startWith({portRecord("ttyUSB0", "USB2.0-Serial")});
    QVERIFY(h);
    for (const QString &name : connectionControls())
        QVERIFY2(!h->window->findChild<QWidget *>(name)->isEnabled(), qPrintable(name));
    for (const QString &name : portControls())
        QVERIFY2(h->window->findChild<QWidget *>(name)->isEnabled(), qPrintable(name));
    QVERIFY(!h->child<QCheckBox>("ckConn")->isChecked());
    QVERIFY(!h->window->findChild<QTimer *>(QStringLiteral("TimerChk"))->isActive());
}

void tst_FrmMainLink::busyLockControlsAndOrder()
{
    auto h = startWith({portRecord("ttyUSB0", "USB2.0-Serial")});
    QVERIFY(h);
    // Start from everything enabled, so each control changes exactly once.
    for (const QString &name : kEditControls)
        h->window->findChild<QWidget *>(name)->setEnabled(true);
    EnableRecorder rec;
    for (const QString &name : kEditControls)
        h->window->findChild<QWidget *>(name)->installEventFilter(&rec);

    h->window->EditEn(false);
    QCOMPARE(rec.changes, kEditControls);
    for (const QString &name : kEditControls)
        QVERIFY2(!h->window->findChild<QWidget *>(name)->isEnabled(), qPrintable(name));
}

void tst_FrmMainLink::busyLockLeavesListAndPortControls()
{
    auto h = startWith({portRecord("ttyUSB0", "USB2.0-Serial")});
    QVERIFY(h);
    h->window->EditEn(false);
    QVERIFY(h->list()->isEnabled());
    QVERIFY(h->combo("coCOM")->isEnabled());
    QVERIFY(h->button("cRefresh")->isEnabled());
    h->window->EditEn(true);
    for (const QString &name : kEditControls) {
        if (connectionControls().contains(name))
            continue;
        QVERIFY2(h->window->findChild<QWidget *>(name)->isEnabled(), qPrintable(name));
    }
}

void tst_FrmMainLink::releasingTheLockWhileNotConnected()
{
    // The receiver commands follow the connection, not the lock.
    auto h = startWith({portRecord("ttyUSB0", "USB2.0-Serial")});
    QVERIFY(h);
    h->window->EditEn(false);
    h->window->EditEn(true);
    for (const QString &name : connectionControls())
        QVERIFY2(!h->window->findChild<QWidget *>(name)->isEnabled(), qPrintable(name));
}

void tst_FrmMainLink::releasingTheLockWithNoPortListed()
{
    // A port lost during a transfer can leave the list empty: nothing to connect to.
    auto h = startWith({});
    QVERIFY(h);
    h->window->EditEn(false);
    h->window->EditEn(true);
    QVERIFY(!h->child<QCheckBox>("ckConn")->isEnabled());
    QVERIFY(h->button("cAply")->isEnabled());
}

void tst_FrmMainLink::lampColours()
{
    auto h = startWith({portRecord("ttyUSB0", "USB2.0-Serial")});
    QVERIFY(h);
    QCOMPARE(lamp(*h, "pBuf_0"), kTxIdle);
    QCOMPARE(lamp(*h, "pBuf_1"), kRxIdle);

    // Output waiting (no port open, so it stays) lights TX only.
    h->window->port()->cOutput(QStringLiteral("s"));
    h->window->ShowBuf(false);
    QCOMPARE(lamp(*h, "pBuf_0"), kTxActive);
    QCOMPARE(lamp(*h, "pBuf_1"), kRxIdle);

    h->window->ShowBuf(true);
    QCOMPARE(lamp(*h, "pBuf_0"), kTxIdle);
    QCOMPARE(lamp(*h, "pBuf_1"), kRxIdle);

    h->window->ShowBuf(false);
    QCOMPARE(lamp(*h, "pBuf_0"), kTxActive);
    h->window->port()->cOutput(QString());
    h->window->ShowBuf(false);
    QCOMPARE(lamp(*h, "pBuf_0"), kTxIdle);
}

void tst_FrmMainLink::refreshFollowsTheInventory()
{
    auto h = startWith({portRecord("ttyS0", "16550A UART")});
    QVERIFY(h);
    QCOMPARE(h->combo("coCOM")->count(), 1);

    // Same number of ports, other ports: the list is still rebuilt.
    *m_ports = {portRecord("ttyUSB0", "USB-SERIAL CH340")};
    h->click("cRefresh");
    QCOMPARE(h->combo("coCOM")->itemText(0), QStringLiteral("ttyUSB0: USB-SERIAL CH340"));

    *m_ports = {portRecord("ttyS0", "16550A UART"), portRecord("ttyUSB0", "USB-SERIAL CH340")};
    h->click("cRefresh");
    QCOMPARE(h->combo("coCOM")->count(), 2);
    QCOMPARE(h->combo("coCOM")->currentIndex(), 1);
    QVERIFY(h->child<QCheckBox>("ckConn")->isEnabled());

    m_ports->clear();
    h->click("cRefresh");
    QCOMPARE(h->combo("coCOM")->count(), 0);
    QVERIFY(!h->child<QCheckBox>("ckConn")->isEnabled());
    QVERIFY(h->button("cRefresh")->isEnabled());

    // A port turning up again makes the toggle usable.
    *m_ports = {portRecord("ttyACM0", "CDC modem")};
    h->click("cRefresh");
    QCOMPARE(h->combo("coCOM")->currentIndex(), 0);
    QVERIFY(h->child<QCheckBox>("ckConn")->isEnabled());
}

void tst_FrmMainLink::refreshPressedRepeatedly()
{
    auto h = startWith({portRecord("ttyS0", "16550A UART"), portRecord("ttyUSB0", "USB-SERIAL CH340")});
    QVERIFY(h);
    for (int i = 0; i < 10; ++i) {
        QTest::mouseClick(h->button("cRefresh"), Qt::LeftButton);
        QCOMPARE(h->combo("coCOM")->count(), 2);
    }
    FrmMainHarness::settle();
    QCOMPARE(h->combo("coCOM")->currentIndex(), 1);
    QVERIFY(h->child<QCheckBox>("ckConn")->isEnabled());
    QVERIFY(h->dialogs.messages.isEmpty());
    QCOMPARE(h->dialogs.beeps, 0);
}

void tst_FrmMainLink::shutDownStoresThePortName()
{
    auto h = startWith({portRecord("ttyS0", "16550A UART"), portRecord("ttyUSB1", "FT232R USB UART")});
    QVERIFY(h);
    h->combo("coCOM")->setCurrentIndex(1);
    QVERIFY(h->window->close());
    QCOMPARE(mRegistry2::Registry(settingPath("\\COM-Port")), QVariant(QStringLiteral("ttyUSB1")));
    QCOMPARE(mRegistry2::Registry(settingPath("\\Win.Left")), QVariant(h->window->x()));
    QCOMPARE(mRegistry2::Registry(settingPath("\\Win.Top")), QVariant(h->window->y()));

    // The next start selects it again.
    auto again = startWith({portRecord("ttyS0", "16550A UART"), portRecord("ttyUSB1", "FT232R USB UART")});
    QVERIFY(again);
    QCOMPARE(again->combo("coCOM")->currentIndex(), 1);
}

void tst_FrmMainLink::shutDownWithNoPortKeepsTheRememberedOne()
{
    mRegistry2::Registry(settingPath("\\COM-Port"), 0, QStringLiteral("ttyUSB7"));
    auto h = startWith({});
    QVERIFY(h);
    QVERIFY(h->window->close());
    QCOMPARE(mRegistry2::Registry(settingPath("\\COM-Port")), QVariant(QStringLiteral("ttyUSB7")));
}

QTEST_MAIN(tst_FrmMainLink)
#include "tst_frmmain_link.moc"
