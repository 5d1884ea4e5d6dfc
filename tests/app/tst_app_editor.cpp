// SPDX-License-Identifier: GPL-3.0-or-later
// The window's share of editing: keys and focus, the editor boxes, Apply and
// Clear, the list buttons, Escape and what the controls tell a user.

#include "WindowHarness.h"

#include "WindowLook.h"
#include "files/CsvFile.h"
#include "identity/ProgramIdentity.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QRegularExpression>

namespace {

// Types into the focus (or the open popup): keys by name in brackets
// ("<Ctrl+V>", "<Home>"), a control's name in brackets for a click on it
// ("<cAply>"), any other character as itself. Queued work runs after each.
void press(const WindowHarness &h, const QString &keys)
{
    static const QRegularExpression token(QStringLiteral("<([^>]+)>|(.)"));
    for (const QRegularExpressionMatch &m : token.globalMatch(keys)) {
        QWidget *w = QApplication::focusWidget(); // inside an open popup too
        const QKeyCombination k = QKeySequence(m.captured(1))[0];
        if (m.hasCaptured(2))
            QTest::keyClick(w, m.captured(2).at(0).toLatin1());
        else if (QWidget *control = h.child(qPrintable(m.captured(1))))
            QTest::mouseClick(control, Qt::LeftButton);
        else if (k.key() == Qt::Key_Delete) // as X11 sends it: with the DEL character as its text
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_Delete, QString(QChar(0x7f)), Qt::NoModifier);
        else
            QTest::keyClick(w, k.key(), k.keyboardModifiers());
        WindowHarness::settle();
    }
}

} // namespace

class tst_AppEditor : public QObject
{
    Q_OBJECT
    std::unique_ptr<WindowHarness> h;

private slots:
    void init()
    {
        h = std::make_unique<WindowHarness>();
        QVERIFY(h->start());
        // Lines 1 and 2 as a rebuild shows them, 5 and 99 as Apply wrote them.
        h->storeStation(0, "87600", "A", "1");
        h->storeStation(1, "1008", "B", QString(), 1);
        h->window->RefreshList(true);
        h->storeStation(4, "99000", "C", "2", 5, 0);
        h->storeStation(98, "108000", "D", "");
    }
    void cleanup() { h.reset(); }

    void inventory()
    {
        WindowHarness fresh; // before start-up
        const QStringList disabled{"cSync", "cDL", "cUL", "cRefresh", "coCOM", "cUpd"};
        QHash<QString, QString> texts; // tooltips, with their blanks, or captions
        for (const QString &t : QStringLiteral(
                 "cSync= Sync Time ... ;cDL= Download all Data from Radio ... ;cUL= Upload all Data to Radio ... ;"
                 "cRefresh= Refresh COM-Port list ... ;coCOM= Select COM-Port ... ;ckConn=    &Connect;"
                 "cLoad= Load Data from File ... ;cSave= Save Data to File ... ;cUp= Move current entry Up ... ;"
                 "cDn= Move current entry Down ... ;cIns= Insert new entry ...;cDel= Remove current entry ... ;"
                 "cAply= Apply changes to the List ... ;cClr= Clear current entry in List ... ;pBuf_0= TX ;"
                 "pBuf_1= RX ;cUpd= Update only current entry to Radio ... ;lBand=Band;lFreq=&Freq. KHz;"
                 "lName=&Name (PS);Label1=&PI-Code;lBW=&Bandwidth;lST=&Stereo").split(';'))
            texts.insert(t.section('=', 0, 0), t.section('=', 1));
        for (QWidget *w : fresh.window->findChildren<QWidget *>()) {
            const QString name = w->objectName();
            if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
                continue; // parts Qt builds inside its own widgets
            if (texts.contains(name))
                QVERIFY2(QStringList({w->toolTip(), w->property("text").toString()}).contains(texts.take(name)),
                         qPrintable(name));
            QVERIFY2(!w->accessibleName().trimmed().isEmpty(), qPrintable(name));
            QVERIFY2(w->isEnabled() != disabled.contains(name), qPrintable(name));
        }
        QCOMPARE(texts.keys(), QStringList()); // every control found
        // The mark of unsaved changes shows only while there are some.
        QCOMPARE(h->window->windowTitle(), ProgramIdentity::caption() + "[*]");
        QCOMPARE(h->window->maximumSize(), h->window->minimumSize());
        QStringList order{"tFreq"}; // the editor's tab order, past the disabled cUpd
        for (h->box("tFreq")->setFocus(); order.size() < 7; order << QApplication::focusWidget()->objectName())
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(order.join(' '), QStringLiteral("tFreq tName tPI coBW coST cAply cClr"));
    }

    void typing_data()
    {
        QTest::addColumn<QString>("widget"); // clicked first; "popup": the bandwidth list dropped down
        QTest::addColumn<int>("line");       // -1: no line selected
        QTest::addColumn<QString>("keys");   // the clipboard holds "x"
        QTest::addColumn<QString>("state"); // band|freq|name|PI|bw/items|st/items|selected|beeps|focus|line|abort
        QTest::addColumn<QString>("changed"); // lines, then entries as file lines
        QTest::newRow("freq") << "tFreq" << 2 << "8a7-. 6543210<Backspace><Home><Delete>"
                              << "|7654|||/0|/0||0|tFreq|2|0" << "";
        QTest::newRow("PI") << "tPI" << 2 << "d3gG c9F<Home><Delete><Return>" << "|||3C9|/0|/0||3|coBW|2|0" << "";
        QTest::newRow("name") << "tName" << 2 << "a-b .x!?0123<Return>" << "||a-b .x!?0||/0|/0||0|tName|2|0" << "";
        QTest::newRow("paste, copy, undo, redo")
            << "tFreq" << 2 << "<Ctrl+V>1<Ctrl+A><Ctrl+C><Home><Ctrl+V><Ctrl+Z><Ctrl+Z><Ctrl+Y><End><Ctrl+V>"
            << "|x1x1|||/0|/0||0|tFreq|2|0" << "";
        QTest::newRow("freq: Up twice from line 2, Escape, Down") << "tFreq" << 1 << "<End><Up><Up><Escape><Down>"
                                                                  << "AM|1008|B||4k/4|/0|1008|0|tFreq|1|1" << "";
        QTest::newRow("name: Down on the last line") << "tName" << 98 << "<End><Down>"
                                                     << "FM|108000|D|0000|AUTO/17|AUTO/2||0|tName|98|0" << "";
        QTest::newRow("PI: no arrows, Escape") << "tPI" << 0 << "<End><Down><Escape>"
                                               << "FM|87600|A|0001|AUTO/17|AUTO/2||1|tPI|0|1" << "";
        QTest::newRow("dropped-down list: Escape") << "popup" << 0 << "<Escape>"
                                                   << "FM|87600|A|0001|AUTO/17|AUTO/2||0|lList|0|1" << "";
        // The frequency check as the focus leaves tFreq; line 5 holds C on FM with 97k and OFF.
        QTest::newRow("check: FM") << "tFreq" << 4 << "87600<Return>"
                                   << "FM|87600|C|0002|AUTO/17|AUTO/2||0|tName|4|0" << "";
        QTest::newRow("check: AM") << "tFreq" << 4 << "1008<Tab>" << "AM|1008|C||8k/4|/0||0|tName|4|0" << "";
        QTest::newRow("check: no band") << "tFreq" << 4 << "50000<Tab>" << "|50000|||/0|/0||0|tName|4|0" << "";
        QTest::newRow("Apply") << "tFreq" << 4 << "87600<Return> A B<Tab>d3c3<Return>9<Tab>O<cAply>"
            << "FM|87600| A B|D3C3|97k/17|OFF/2||0|cAply|4|0"
            << " 05 | FM |  87.600 |  A B     | D3C3 |  97k | MONO  ;87600; A B;D3C3;5;0";
        QTest::newRow("Apply, checked on the way") << "tFreq" << 4 << "27000<cAply>"
            << "AM|27000|C||8k/4|/0||0|cAply|4|0"
            << " 05 | AM |  27.000 | C        |      |   8k |       ;27000;C;;4;0";
        QTest::newRow("Apply, no line selected") << "tFreq" << -1 << "65000<Return>NOSEL<cAply>"
            << "FM|65000|NOSEL|0000|AUTO/17|AUTO/2||0|cAply|-1|0"
            << " 01 | FM |  65.000 | NOSEL    | 0000 | AUTO | STEREO;65000;NOSEL;0000;0;1";
        QTest::newRow("Clear") << "tFreq" << 1 << "<cClr>" << "||||/0|/0||0|cClr|1|0"
                               << " 02 | -- |         |          |      |      |";
    }
    void typing()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("x"));
        cell<int>("line") < 0 ? h->window->RefreshList(true) : h->clickLine(cell<int>("line"));
        const QStringList lines = h->lines(), file = CsvFile::text(h->window->table()).split("\r\n").mid(1);
        auto *box = h->box(qPrintable(cell<QString>("widget")));
        if (box) { // a click lands the cursor somewhere; the whole text is selected anyway
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
            WindowHarness::settle();
            QCOMPARE(box->selectedText(), box->text());
        } else {
            h->combo("coBW")->showPopup();
            WindowHarness::settle();
            QVERIFY(QApplication::activePopupWidget());
        }
        press(*h, cell<QString>("keys"));
        QVERIFY(!QApplication::activePopupWidget()); // Escape was not consumed
        QStringList state;
        for (const char *name : {"tBand", "tFreq", "tName", "tPI"})
            state << h->box(name)->text();
        for (QComboBox *c : {h->combo("coBW"), h->combo("coST")})
            state << c->currentText() + '/' + QString::number(c->count());
        state << (box ? box->selectedText() : "") << QString::number(h->dialogs.beeps)
              << QApplication::focusWidget()->objectName() << QString::number(h->selectedLine());
        QTEST(state.join('|') + '|' + QString::number(h->window->abortFlag()), "state");
        QStringList changed; // Enter and Escape never apply
        const QStringList fileAfter = CsvFile::text(h->window->table()).split("\r\n").mid(1); // past the header
        for (int i = 0; i < lines.size(); ++i)
            changed << (h->line(i) != lines[i] ? h->line(i) : "") << (fileAfter[i] != file[i] ? fileAfter[i] : "");
        changed.removeAll(QString());
        QTEST(changed.join(';'), "changed");
    }

    void listButtons_data()
    {
        QTest::addColumn<int>("position"); // -1: no line selected; 40: pressed during a rebuild
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("stations"); // "": refused with a beep
        QTest::addColumn<int>("selected");
        QTest::newRow("Up") << 4 << "cUp" << "1:A 2:B 4:C 99:D" << 3;
        QTest::newRow("Down") << 0 << "cDn" << "1:B 2:A 5:C 99:D" << 1;
        QTest::newRow("Insert") << 1 << "cIns" << "1:A 3:B 6:C" << 2;
        QTest::newRow("Insert on the last line") << 98 << "cIns" << "1:A 2:B 5:C" << 98;
        QTest::newRow("Delete") << 1 << "cDel" << "1:A 4:C 98:D" << 1;
        QTest::newRow("Down on the last line") << 98 << "cDn" << "" << 98;
        QTest::newRow("Up on line 1") << 0 << "cUp" << "" << 0;
        for (const char *b : {"cUp", "cDn", "cIns", "cDel", "cClr"})
            QTest::addRow("%s without selection", b) << -1 << b << "" << -1;
        for (const char *b : {"cUp", "cDn", "cIns", "cDel"})
            QTest::addRow("%s during a rebuild", b) << 40 << b << "" << 0;
    }
    void listButtons()
    {
        QFETCH(int, position);
        QFETCH(QString, stations);
        QFETCH(int, selected);
        position < 0 ? h->window->RefreshList(true) : h->clickLine(position); // -1: no line selected
        const QStringList before = h->lines();
        QWidget *button = h->child(qPrintable(cell<QString>("button")));
        connect(h->list(), &QListWidget::currentRowChanged, button, [button](int row) {
            if (row == 40) // while the list fills line by line
                QTest::mouseClick(button, Qt::LeftButton);
        });
        position == 40 ? h->window->RefreshList(false) : QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(h->dialogs.beeps, stations.isEmpty() ? 1 : 0);
        QCOMPARE(h->stations(), stations.isEmpty() ? QStringLiteral("1:A 2:B 5:C 99:D") : stations);
        QCOMPARE(h->selectedLine(), selected);
        if (stations.isEmpty() && position != 40) // refused: nothing changed
            QCOMPARE(h->lines(), before);
        // A moved line keeps its data part as it was.
        if (!stations.isEmpty() && (button == h->child("cUp") || button == h->child("cDn")))
            QCOMPARE(h->line(selected).mid(3), before[position].mid(3));
    }

    // Sharp on scaled screens: the bitmap font only where it shows at its
    // size, else a scalable one with its 6-pixel cell; glyphs drawn for 2x.
    void look_data()
    {
        QTest::addColumn<qreal>("ratio");
        for (qreal r : {1.0, 1.5, 2.0})
            QTest::addRow("%gx", r) << r;
    }
    void look()
    {
        QFETCH(qreal, ratio);
        const QFont f = WindowLook::fixedFont(ratio);
        QCOMPARE(f.family() == "Terminus", ratio == 1.0);
        QVERIFY(ratio == 1.0 || QFontDatabase::isSmoothlyScalable(f.family()));
        QVERIFY(qAbs(QFontMetricsF(f).horizontalAdvance(QString(60, 'W')) - 360) < 2);
        QCOMPARE(h->child<QPushButton>("cAply")->icon().availableSizes(), QList<QSize>({{16, 16}, {32, 32}}));
    }
};

QTEST_MAIN(tst_AppEditor)
#include "tst_app_editor.moc"
