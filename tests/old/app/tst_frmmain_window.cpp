#include "tst_frmmain_harness.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>

namespace {

// Sees whether a key got past the window's own handling to the widget.
class KeyRecorder : public QObject
{
public:
    using QObject::QObject;
    QList<int> keys;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress)
            keys << static_cast<QKeyEvent *>(event)->key();
        return false;
    }
};

const QString kEmptyTail = QStringLiteral(" | -- |         |          |      |      |");

} // namespace

class tst_FrmMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void sixControlsStartDisabled();
    void captionAndFixedSize();
    void firstScreen();
    void geometry_data();
    void geometry();
    void tooltipsAndNames_data();
    void tooltipsAndNames();
    void everyControlHasAnAccessibleName();
    void captions_data();
    void captions();
    void lengthLimits_data();
    void lengthLimits();
    void fixedPitchWhereColumnsMatter_data();
    void fixedPitchWhereColumnsMatter();
    void tabOrder();
    void accessKeys_data();
    void accessKeys();
    void enterIsNotTakenByApply();
    void escapeSetsAbortFlag_data();
    void escapeSetsAbortFlag();
    void escapeInAnOpenChoiceList();
};

void tst_FrmMainWindow::sixControlsStartDisabled()
{
    // Before start-up sets the connection layout.
    FrmMainHarness h;
    const QStringList disabled{"cSync", "cDL", "cUL", "cRefresh", "coCOM", "cUpd"};
    for (const QString &name : disabled) {
        auto *w = h.window->findChild<QWidget *>(name);
        QVERIFY2(w, qPrintable(name));
        QVERIFY2(!w->isEnabled(), qPrintable(name));
    }
    const QStringList enabled{"ckConn", "lList", "cLoad", "cSave", "cUp",  "cDn",  "cIns",
                              "cDel",   "tFreq", "tName", "tPI",   "coBW", "coST", "cAply", "cClr"};
    for (const QString &name : enabled) {
        auto *w = h.window->findChild<QWidget *>(name);
        QVERIFY2(w, qPrintable(name));
        QVERIFY2(w->isEnabled(), qPrintable(name));
    }
}

void tst_FrmMainWindow::captionAndFixedSize()
{
    FrmMainHarness h;
    QVERIFY(h.start());
    QCOMPARE(h.window->windowTitle(), QStringLiteral("ESP32 Presetta  v1.06c  [2025.07.01]"));
    QCOMPARE(h.window->size(), QSize(506, 372));
    QCOMPARE(h.window->minimumSize(), QSize(506, 372));
    QCOMPARE(h.window->maximumSize(), QSize(506, 372));
    QVERIFY(h.window->isVisible());
}

void tst_FrmMainWindow::firstScreen()
{
    FrmMainHarness h;
    QVERIFY(h.start());

    const QStringList lines = h.lines();
    QCOMPARE(lines.size(), 99);
    QCOMPARE(lines.first(), QStringLiteral(" 01") + kEmptyTail);
    QCOMPARE(lines.last(), QStringLiteral(" 99") + kEmptyTail);
    for (int n = 1; n <= 99; ++n)
        QCOMPARE(lines[n - 1], QStringLiteral(" %1").arg(n, 2, 10, QLatin1Char('0')) + kEmptyTail);
    QCOMPARE(h.selectedLine(), 0);

    // The editor shows entry 1, which is empty; both choice lists are empty.
    for (const char *name : {"tBand", "tFreq", "tName", "tPI"})
        QVERIFY2(h.box(name)->text().isEmpty(), name);
    QCOMPARE(h.combo("coBW")->count(), 0);
    QCOMPARE(h.combo("coST")->count(), 0);

    QCOMPARE(h.window->table().size(), 99);
    QCOMPARE(int(h.window->table().memoryCount()), 99);
    QVERIFY(!h.window->abortFlag());
    QCOMPARE(h.dialogs.beeps, 0);
    QVERIFY(h.dialogs.messages.isEmpty());
}

void tst_FrmMainWindow::geometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("rect"); // width or height -1: not given

    QTest::newRow("fCom") << "fCom" << "frmMain" << QRect(0, -6, 507, 53);
    QTest::newRow("fList") << "fList" << "frmMain" << QRect(0, 40, 507, 273);
    QTest::newRow("fStation") << "fStation" << "frmMain" << QRect(0, 306, 507, 67);
    QTest::newRow("cSync") << "cSync" << "fCom" << QRect(405, 16, 25, 25);
    QTest::newRow("cDL") << "cDL" << "fCom" << QRect(437, 16, 25, 25);
    QTest::newRow("cUL") << "cUL" << "fCom" << QRect(469, 16, 25, 25);
    QTest::newRow("pData") << "pData" << "fCom" << QRect(325, 23, 10, 11);
    QTest::newRow("pBuf_0") << "pBuf_0" << "pData" << QRect(1, 1, 8, 4);
    QTest::newRow("pBuf_1") << "pBuf_1" << "pData" << QRect(1, 6, 8, 4);
    QTest::newRow("cRefresh") << "cRefresh" << "fCom" << QRect(10, 16, 25, 25);
    QTest::newRow("coCOM") << "coCOM" << "fCom" << QRect(43, 17, 267, -1);
    QTest::newRow("ckConn") << "ckConn" << "fCom" << QRect(318, 16, 79, 25);
    QTest::newRow("lList") << "lList" << "fList" << QRect(10, 16, 450, 244);
    QTest::newRow("cLoad") << "cLoad" << "fList" << QRect(469, 16, 25, 25);
    QTest::newRow("cSave") << "cSave" << "fList" << QRect(469, 46, 25, 25);
    QTest::newRow("cUp") << "cUp" << "fList" << QRect(469, 108, 25, 25);
    QTest::newRow("cDn") << "cDn" << "fList" << QRect(469, 138, 25, 25);
    QTest::newRow("cIns") << "cIns" << "fList" << QRect(469, 204, 25, 25);
    QTest::newRow("cDel") << "cDel" << "fList" << QRect(469, 234, 25, 25);
    QTest::newRow("lBand") << "lBand" << "fStation" << QRect(10, 14, -1, -1);
    QTest::newRow("tBand") << "tBand" << "fStation" << QRect(10, 34, 29, 23);
    QTest::newRow("lFreq") << "lFreq" << "fStation" << QRect(48, 14, -1, -1);
    QTest::newRow("tFreq") << "tFreq" << "fStation" << QRect(46, 34, 63, 23);
    QTest::newRow("lName") << "lName" << "fStation" << QRect(118, 14, -1, -1);
    QTest::newRow("tName") << "tName" << "fStation" << QRect(116, 34, 83, 23);
    QTest::newRow("Label1") << "Label1" << "fStation" << QRect(208, 14, -1, -1);
    QTest::newRow("tPI") << "tPI" << "fStation" << QRect(206, 34, 47, 23);
    QTest::newRow("lBW") << "lBW" << "fStation" << QRect(262, 14, -1, -1);
    QTest::newRow("coBW") << "coBW" << "fStation" << QRect(260, 34, 65, -1);
    QTest::newRow("lST") << "lST" << "fStation" << QRect(334, 14, -1, -1);
    QTest::newRow("coST") << "coST" << "fStation" << QRect(332, 34, 65, -1);
    QTest::newRow("cAply") << "cAply" << "fStation" << QRect(406, 30, 25, 25);
    QTest::newRow("cClr") << "cClr" << "fStation" << QRect(469, 30, 25, 25);
    QTest::newRow("cUpd") << "cUpd" << "fStation" << QRect(437, 30, 25, 25);
}

void tst_FrmMainWindow::geometry()
{
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QRect, rect);

    FrmMainHarness h;
    QVERIFY(h.start());
    auto *w = h.window->findChild<QWidget *>(name);
    QVERIFY(w);
    QCOMPARE(w->parentWidget()->objectName(), parent);
    const QRect g = w->geometry();
    QCOMPARE(g.topLeft(), rect.topLeft());
    if (rect.width() >= 0)
        QCOMPARE(g.width(), rect.width());
    if (rect.height() >= 0)
        QCOMPARE(g.height(), rect.height());
}

void tst_FrmMainWindow::tooltipsAndNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("tooltip");

    QTest::newRow("cSync") << "cSync" << " Sync Time ... ";
    QTest::newRow("cDL") << "cDL" << " Download all Data from Radio ... ";
    QTest::newRow("cUL") << "cUL" << " Upload all Data to Radio ... ";
    QTest::newRow("pBuf_0") << "pBuf_0" << " TX ";
    QTest::newRow("pBuf_1") << "pBuf_1" << " RX ";
    QTest::newRow("cRefresh") << "cRefresh" << " Refresh COM-Port list ... ";
    QTest::newRow("coCOM") << "coCOM" << " Select COM-Port ... ";
    QTest::newRow("ckConn") << "ckConn" << " Connect / Disconnect ... ";
    QTest::newRow("cLoad") << "cLoad" << " Load Data from File ... ";
    QTest::newRow("cSave") << "cSave" << " Save Data to File ... ";
    QTest::newRow("cUp") << "cUp" << " Move current entry Up ... ";
    QTest::newRow("cDn") << "cDn" << " Move current entry Down ... ";
    QTest::newRow("cIns") << "cIns" << " Insert new entry ...";
    QTest::newRow("cDel") << "cDel" << " Remove current entry ... ";
    QTest::newRow("tBand") << "tBand" << " Band ";
    QTest::newRow("tFreq") << "tFreq" << " Frequency ";
    QTest::newRow("tName") << "tName" << " Station Name ";
    QTest::newRow("tPI") << "tPI" << " PI-Code (RDS) ";
    QTest::newRow("coBW") << "coBW" << " Bandwidth ";
    QTest::newRow("coST") << "coST" << " Mono (Off) / Stereo (Auto) ";
    QTest::newRow("cAply") << "cAply" << " Apply changes to the List ... ";
    QTest::newRow("cClr") << "cClr" << " Clear current entry in List ... ";
    QTest::newRow("cUpd") << "cUpd" << " Update only current entry to Radio ... ";
}

void tst_FrmMainWindow::tooltipsAndNames()
{
    QFETCH(QString, name);
    QFETCH(QString, tooltip);

    FrmMainHarness h;
    auto *w = h.window->findChild<QWidget *>(name);
    QVERIFY(w);
    QCOMPARE(w->toolTip(), tooltip);
    // Glyph buttons are reached by screen readers through the tooltip's words.
    QCOMPARE(w->accessibleName(), tooltip.trimmed());
}

void tst_FrmMainWindow::everyControlHasAnAccessibleName()
{
    FrmMainHarness h;
    int checked = 0;
    QStringList unnamed;
    for (QWidget *w : h.window->findChildren<QWidget *>()) {
        const QString name = w->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue; // parts Qt builds inside its own widgets
        if (w->accessibleName().trimmed().isEmpty())
            unnamed << name;
        ++checked;
    }
    QVERIFY(checked >= 34); // the inventory
    QCOMPARE(unnamed, QStringList());
}

void tst_FrmMainWindow::captions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");

    QTest::newRow("ckConn") << "ckConn" << "    &Connect";
    QTest::newRow("lBand") << "lBand" << "Band";
    QTest::newRow("lFreq") << "lFreq" << "&Freq. KHz";
    QTest::newRow("lName") << "lName" << "&Name (PS)";
    QTest::newRow("Label1") << "Label1" << "&PI-Code";
    QTest::newRow("lBW") << "lBW" << "&Bandwidth";
    QTest::newRow("lST") << "lST" << "&Stereo";
}

void tst_FrmMainWindow::captions()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);

    FrmMainHarness h;
    QObject *o = h.window->findChild<QObject *>(name);
    QVERIFY(o);
    QCOMPARE(o->property("text").toString(), caption);
}

void tst_FrmMainWindow::lengthLimits_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("maxLength");

    QTest::newRow("tBand") << "tBand" << 4;
    QTest::newRow("tFreq") << "tFreq" << 6;
    QTest::newRow("tName") << "tName" << 9;
    QTest::newRow("tPI") << "tPI" << 4;
}

void tst_FrmMainWindow::lengthLimits()
{
    QFETCH(QString, name);
    QFETCH(int, maxLength);

    FrmMainHarness h;
    auto *b = h.window->findChild<QLineEdit *>(name);
    QVERIFY(b);
    QCOMPARE(b->maxLength(), maxLength);
    // Only the editor writes the band box.
    QCOMPARE(b->isReadOnly(), name == QLatin1String("tBand"));
}

void tst_FrmMainWindow::fixedPitchWhereColumnsMatter_data()
{
    QTest::addColumn<QString>("name");
    for (const char *n : {"lList", "tBand", "tFreq", "tName", "tPI", "coBW", "coST"})
        QTest::newRow(n) << n;
}

void tst_FrmMainWindow::fixedPitchWhereColumnsMatter()
{
    QFETCH(QString, name);

    FrmMainHarness h;
    auto *w = h.window->findChild<QWidget *>(name);
    QVERIFY(w);
    // What matters is that the columns of the lines stand under each other.
    const QFontMetrics m(w->font());
    const int blank = m.horizontalAdvance(QLatin1Char(' '));
    for (const char c : QByteArray("|W1.-?iMk"))
        QVERIFY2(m.horizontalAdvance(QLatin1Char(c)) == blank, qPrintable(QFontInfo(w->font()).family()));
}

void tst_FrmMainWindow::tabOrder()
{
    FrmMainHarness h;
    QVERIFY(h.start());
    h.focus(h.box("tFreq"));

    // cUpd is skipped while disabled (not connected).
    const QStringList expected{"tName", "tPI", "coBW", "coST", "cAply", "cClr"};
    QStringList seen;
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        FrmMainHarness::settle();
        seen << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(seen, expected);
}

void tst_FrmMainWindow::accessKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("target");

    QTest::newRow("Alt+F") << int(Qt::Key_F) << "tFreq";
    QTest::newRow("Alt+N") << int(Qt::Key_N) << "tName";
    QTest::newRow("Alt+P") << int(Qt::Key_P) << "tPI";
    QTest::newRow("Alt+B") << int(Qt::Key_B) << "coBW";
    QTest::newRow("Alt+S") << int(Qt::Key_S) << "coST";
}

void tst_FrmMainWindow::accessKeys()
{
    QFETCH(int, key);
    QFETCH(QString, target);

    FrmMainHarness h;
    QVERIFY(h.start());
    h.focus(h.list());
    QTest::keyClick(h.list(), Qt::Key(key), Qt::AltModifier);
    FrmMainHarness::settle();
    QCOMPARE(QApplication::focusWidget()->objectName(), target);
}

void tst_FrmMainWindow::enterIsNotTakenByApply()
{
    FrmMainHarness h;
    QVERIFY(h.start());
    QVERIFY(!h.button("cAply")->isDefault());

    const QStringList before = h.lines();
    h.typeInto("tFreq", QStringLiteral("87600"));
    QTest::keyClick(h.box("tFreq"), Qt::Key_Return);
    FrmMainHarness::settle();
    // Enter moved on to the name and ran the frequency check; nothing applied.
    QCOMPARE(QApplication::focusWidget(), h.box("tName"));
    QCOMPARE(h.box("tBand")->text(), QStringLiteral("FM"));

    h.typeInto("tName", QStringLiteral("RADIO"));
    h.typeInto("tPI", QStringLiteral("1234"));
    QTest::keyClick(h.box("tPI"), Qt::Key_Enter);
    FrmMainHarness::settle();
    QCOMPARE(QApplication::focusWidget(), h.combo("coBW"));

    QCOMPARE(h.lines(), before);
    QCOMPARE(int(h.window->table().entry(1).frequency), 0);
    QCOMPARE(h.dialogs.beeps, 0);
}

void tst_FrmMainWindow::escapeSetsAbortFlag_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("reachesControl");
    QTest::addColumn<int>("beeps");

    QTest::newRow("tName") << "tName" << true << 0;
    QTest::newRow("lList") << "lList" << true << 0;
    QTest::newRow("coBW") << "coBW" << true << 0;
    QTest::newRow("cAply") << "cAply" << true << 0;
    // The character filters take Escape as one of the characters they refuse.
    QTest::newRow("tFreq") << "tFreq" << false << 0;
    QTest::newRow("tPI") << "tPI" << false << 1;
}

void tst_FrmMainWindow::escapeSetsAbortFlag()
{
    QFETCH(QString, name);
    QFETCH(bool, reachesControl);
    QFETCH(int, beeps);

    FrmMainHarness h;
    QVERIFY(h.start());
    auto *w = h.window->findChild<QWidget *>(name);
    QVERIFY(w);
    h.focus(w);
    QCOMPARE(QApplication::focusWidget(), w);

    KeyRecorder recorder;
    w->installEventFilter(&recorder);
    const QStringList before = h.lines();
    QVERIFY(!h.window->abortFlag());

    QTest::keyClick(w, Qt::Key_Escape);
    FrmMainHarness::settle();

    QVERIFY(h.window->abortFlag());
    QCOMPARE(recorder.keys.contains(Qt::Key_Escape), reachesControl);
    QCOMPARE(h.dialogs.beeps, beeps);
    // Nothing visible happens.
    QCOMPARE(h.lines(), before);
    QCOMPARE(h.selectedLine(), 0);
    QCOMPARE(QApplication::focusWidget(), w);
    QVERIFY(h.window->isVisible());
}

void tst_FrmMainWindow::escapeInAnOpenChoiceList()
{
    FrmMainHarness h;
    QVERIFY(h.start());
    h.typeFrequency(QStringLiteral("87600"));
    QComboBox *bw = h.combo("coBW");
    h.focus(bw);
    bw->showPopup();
    FrmMainHarness::settle();
    QWidget *popup = QApplication::activePopupWidget();
    QVERIFY(popup);

    QTest::keyClick(popup, Qt::Key_Escape);
    FrmMainHarness::settle();

    // The list belongs to the window even while it is dropped down.
    QVERIFY(!QApplication::activePopupWidget());
    QVERIFY(h.window->abortFlag());
}

QTEST_MAIN(tst_FrmMainWindow)
#include "tst_frmmain_window.moc"
