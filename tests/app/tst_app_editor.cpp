// SPDX-License-Identifier: GPL-3.0-or-later
// The window's share of editing: keys and focus, the editor boxes, Apply and
// Clear, the list buttons, Escape; and its look on scaled screens.

#include "WindowHarness.h"

#include "PngIconEngine.h"
#include "WindowLook.h"
#include "files/CsvFile.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QFontDatabase>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>

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

// The entries as a memory file's lines, header left out.
QStringList fileLines(const MemoryTable &table)
{
    return CsvFile::text(table).split(QStringLiteral("\r\n")).mid(1);
}

const QStringList kNamesAtStart{"01 A", "02 B", "05 C", "99 D"};

} // namespace

class tst_AppEditor : public QObject
{
    Q_OBJECT
    std::unique_ptr<WindowHarness> h;
    QTemporaryDir m_dir;
    QIcon m_icon; // a red drawing of 16 px and a blue one of 32 px

    // Lines 1 and 2 as a rebuild shows them, 5 and 99 as Apply wrote them.
    bool startWithFourStations()
    {
        h = std::make_unique<WindowHarness>();
        if (!h->start())
            return false;
        h->storeStation(0, "87600", "A", "1");
        h->storeStation(1, "1008", "B", QString(), 1);
        h->window->list()->RefreshList(true);
        h->storeStation(4, "99000", "C", "2", 5, 0);
        h->storeStation(98, "108000", "D", "");
        QGuiApplication::clipboard()->setText(QStringLiteral("x"));
        return true;
    }

private slots:
    void initTestCase()
    {
        PngIconEngine::Files files;
        for (const auto &[edge, colour] : {std::pair{16, Qt::red}, std::pair{32, Qt::blue}}) {
            QImage drawing(edge, edge, QImage::Format_ARGB32);
            drawing.fill(colour);
            files.append({edge, m_dir.filePath(QStringLiteral("%1.png").arg(edge))});
            QVERIFY(drawing.save(files.last().second, "png"));
        }
        m_icon = QIcon(new PngIconEngine(files));
    }
    void cleanup() { h.reset(); }

    // Before start-up a screen reader names each control as its tooltip
    // does, each glyph has both drawings, the receiver commands wait for a
    // port. Started without a stored place, the window is centred.
    void controls()
    {
        TestStore store;
        WindowHarness fresh;
        const QStringList waiting{"cSync", "cDL", "cUL", "cRefresh", "coCOM", "cUpd"};
        for (QWidget *w : fresh.window->findChildren<QWidget *>()) {
            const QString name = w->objectName();
            if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
                continue; // parts Qt builds inside its own widgets
            QVERIFY2(!w->accessibleName().trimmed().isEmpty(), qPrintable(name));
            if (!w->toolTip().isEmpty())
                QCOMPARE(w->toolTip().trimmed(), w->accessibleName());
            QVERIFY2(w->isEnabled() != waiting.contains(name), qPrintable(name));
            if (auto *button = qobject_cast<QAbstractButton *>(w); button && !button->icon().isNull())
                QCOMPARE(button->icon().availableSizes(), QList<QSize>({{16, 16}, {32, 32}}));
        }
        QVERIFY(fresh.start());
        const QPoint off = fresh.window->geometry().center() - QGuiApplication::primaryScreen()->geometry().center();
        QVERIFY2(qAbs(off.x()) <= 2 && qAbs(off.y()) <= 2, qPrintable(QStringLiteral("%1,%2").arg(off.x()).arg(off.y())));
    }

    // Keys typed after a click on a line and into a box (its whole text gets
    // selected); line 3 is empty, line 5 holds C on FM with 97k and OFF, the
    // clipboard "x". Escape anywhere in the window sets the abort flag. Apply
    // is drawn as the default button while edits wait for it.
    void editing_data()
    {
        QTest::addColumn<int>("line"); // clicked first; -1: no line selected
        QTest::addColumn<QString>("box"); // clicked into
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("editor"); // band, frequency, name, PI, bandwidth, stereo
        QTest::addColumn<QString>("selectedText"); // of the box
        QTest::addColumn<int>("selected"); // line
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("beeps");
        QTest::addColumn<QString>("listLine"); // the line changed, if any
        QTest::addColumn<QString>("fileLine"); // the entry changed, if any, as a memory file has it
        QTest::addColumn<bool>("applyPending"); // Apply drawn as the default button
        const QStringList blank{"", "", "", "", "", ""};
        QTest::newRow("frequency: six digits at most") << 2 << "tFreq" << "8a7-. 6543210<Backspace><Home><Delete>"
            << QStringList{"", "7654", "", "", "", ""} << "" << 2 << "tFreq" << 0 << "" << "" << true;
        QTest::newRow("PI: four hex digits, upper case; Enter goes on") << 2 << "tPI" << "d3gG c9F<Home><Delete><Return>"
            << QStringList{"", "", "", "3C9", "", ""} << "" << 2 << "coBW" << 3 << "" << "" << true;
        QTest::newRow("clipboard and undo keys") << 2 << "tFreq"
            << "<Ctrl+V>1<Ctrl+A><Ctrl+C><Home><Ctrl+V><Ctrl+Z><Ctrl+Z><Ctrl+Y><End><Ctrl+V>"
            << QStringList{"", "x1x1", "", "", "", ""} << "" << 2 << "tFreq" << 0 << "" << "" << true;
        QTest::newRow("frequency: typed, Up twice from line 2, Escape, Down") << 1 << "tFreq" << "9<Up><Up><Escape><Down>"
            << QStringList{"AM", "1008", "B", "", "4k", ""} << "1008" << 1 << "tFreq" << 0 << "" << "" << false;
        QTest::newRow("name: Down on the last line") << 98 << "tName" << "<End><Down>"
            << QStringList{"FM", "108000", "D", "0000", "AUTO", "AUTO"} << "" << 98 << "tName" << 0 << "" << "" << false;
        QTest::newRow("name: Ctrl+Up steps, Insert moves nothing") << 4 << "tName" << "<Ctrl+Up><Insert>"
            << blank << "" << 3 << "tName" << 0 << "" << "" << false;
        QTest::newRow("choice list: Ctrl+Down moves nothing") << 4 << "tPI" << "<Tab><Ctrl+Down>"
            << QStringList{"FM", "99000", "C", "0002", "97k", "OFF"} << "" << 4 << "coBW" << 0 << "" << "" << false;
        QTest::newRow("PI: no arrows; Escape beeps") << 0 << "tPI" << "<End><Down><Escape>"
            << QStringList{"FM", "87600", "A", "0001", "AUTO", "AUTO"} << "" << 0 << "tPI" << 1 << "" << "" << false;
        QTest::newRow("dropped-down list: Escape") << 0 << "tFreq" << "<coBW><Escape>"
            << QStringList{"FM", "87600", "A", "0001", "AUTO", "AUTO"} << "" << 0 << "coBW" << 0 << "" << "" << false;
        QTest::newRow("check: AM, left with Tab") << 4 << "tFreq" << "1008<Tab>"
            << QStringList{"AM", "1008", "C", "", "8k", ""} << "" << 4 << "tName" << 0 << "" << "" << true;
        QTest::newRow("check: no band") << 4 << "tFreq" << "50000<Tab>"
            << QStringList{"", "50000", "", "", "", ""} << "" << 4 << "tName" << 0 << "" << "" << true;
        QTest::newRow("Apply") << 4 << "tFreq" << "87600<Return> A B<Tab>d3c3<Return>9<Tab>O<cAply>"
            << QStringList{"FM", "87600", " A B", "D3C3", "97k", "OFF"} << "" << 4 << "cAply" << 0
            << " 05 | FM |  87.600 |  A B     | D3C3 |  97k | MONO  " << "87600; A B;D3C3;5;0" << false;
        QTest::newRow("Apply, checked on the way") << 4 << "tFreq" << "27000<cAply>"
            << QStringList{"AM", "27000", "C", "", "8k", ""} << "" << 4 << "cAply" << 0
            << " 05 | AM |  27.000 | C        |      |   8k |       " << "27000;C;;4;0" << false;
        QTest::newRow("Apply, no line selected: the first") << -1 << "tFreq" << "65000<Return>NOSEL<cAply>"
            << QStringList{"FM", "65000", "NOSEL", "0000", "AUTO", "AUTO"} << "" << -1 << "cAply" << 0
            << " 01 | FM |  65.000 | NOSEL    | 0000 | AUTO | STEREO" << "65000;NOSEL;0000;0;1" << false;
        QTest::newRow("Enter in the name applies") << 4 << "tName" << "X<Return>"
            << QStringList{"FM", "99000", "X", "0002", "97k", "OFF"} << "" << 4 << "tName" << 0
            << " 05 | FM |  99.000 | X        | 0002 |  97k | MONO  " << "99000;X;0002;5;0" << false;
        QTest::newRow("Enter in a list applies") << 4 << "tName" << "<Tab><Tab><Down><Return>"
            << QStringList{"FM", "99000", "C", "0002", "114k", "OFF"} << "" << 4 << "coBW" << 0
            << " 05 | FM |  99.000 | C        | 0002 | 114k | MONO  " << "99000;C;0002;6;0" << false;
        QTest::newRow("Ctrl+Return in the frequency: checked, applied") << 4 << "tFreq" << "1008<Ctrl+Return>"
            << QStringList{"AM", "1008", "C", "", "8k", ""} << "" << 4 << "tFreq" << 0
            << " 05 | AM |   1.008 | C        |      |   8k |       " << "1008;C;;4;0" << false;
        QTest::newRow("Clear: the line and the editor, not the entry") << 1 << "tFreq" << "5<cClr>" << blank << ""
            << 1 << "cClr" << 0 << " 02 | -- |         |          |      |      |" << "" << false;
    }
    void editing()
    {
        QFETCH(int, line);
        QFETCH(QString, box);
        QFETCH(QString, keys);
        QFETCH(QString, listLine);
        QFETCH(QString, fileLine);
        QVERIFY(startWithFourStations());
        if (line < 0)
            h->window->list()->RefreshList(true);
        else
            h->clickLine(line);
        QLineEdit *edit = h->box(qPrintable(box));
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(4, edit->height() / 2));
        WindowHarness::settle();
        QCOMPARE(edit->selectedText(), edit->text());
        QStringList lines = h->lines();
        QStringList entries = fileLines(h->window->table());
        press(*h, keys);
        QVERIFY(!QApplication::activePopupWidget()); // Escape was not consumed
        QCOMPARE(h->window->abortFlag(), keys.contains("<Escape>"));
        QTEST(QStringList({h->box("tBand")->text(), h->box("tFreq")->text(), h->box("tName")->text(),
                           h->box("tPI")->text(), h->combo("coBW")->currentText(), h->combo("coST")->currentText()}),
              "editor");
        QTEST(edit->selectedText(), "selectedText");
        QTEST(h->selectedLine(), "selected");
        QTEST(QApplication::focusWidget()->objectName(), "focus");
        QTEST(h->dialogs.beeps, "beeps");
        QTEST(h->child<QPushButton>("cAply")->isDefault(), "applyPending");
        const int changed = qMax(line, 0);
        if (!listLine.isEmpty())
            lines[changed] = listLine;
        if (!fileLine.isEmpty())
            entries[changed] = fileLine;
        QCOMPARE(h->lines(), lines);
        QCOMPARE(fileLines(h->window->table()), entries);
    }

    void listButtons_data()
    {
        QTest::addColumn<int>("line"); // -1: no line selected; 40: pressed during a rebuild
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("names"); // none: refused with a beep, nothing changed
        QTest::addColumn<int>("selected");
        QTest::newRow("Insert on the last line") << 98 << "cIns" << QStringList{"01 A", "02 B", "05 C"} << 98;
        QTest::newRow("Down on the last line") << 98 << "cDn" << QStringList() << 98;
        QTest::newRow("Up on line 1") << 0 << "cUp" << QStringList() << 0;
        for (const char *b : {"cUp", "cDn", "cIns", "cDel", "cClr"})
            QTest::addRow("%s without a selection", b) << -1 << b << QStringList() << -1;
        for (const char *b : {"cUp", "cDn", "cIns", "cDel"})
            QTest::addRow("%s during a rebuild", b) << 40 << b << QStringList() << 0;
    }
    void listButtons()
    {
        QFETCH(int, line);
        QFETCH(QString, button);
        QFETCH(QStringList, names);
        QFETCH(int, selected);
        QVERIFY(startWithFourStations());
        QWidget *pressed = h->child(qPrintable(button));
        if (line < 0)
            h->window->list()->RefreshList(true);
        else if (line != 40)
            h->clickLine(line);
        if (line == 40) {
            // While the list fills line by line.
            connect(h->list()->selectionModel(), &QItemSelectionModel::currentChanged, pressed,
                    [pressed](const QModelIndex &current) {
                        if (current.row() == 40)
                            QTest::mouseClick(pressed, Qt::LeftButton);
                    });
            h->window->list()->RefreshList(false);
        } else {
            QTest::mouseClick(pressed, Qt::LeftButton);
        }
        const bool refused = names.isEmpty();
        // While the list is rebuilt the buttons wait, as during a transfer: no beep.
        QCOMPARE(h->dialogs.beeps, refused && line != 40 ? 1 : 0);
        QCOMPARE(h->namesShown(), refused ? kNamesAtStart : names);
        QCOMPARE(h->namesStored(), refused ? kNamesAtStart : names);
        QCOMPARE(h->selectedLine(), selected);
    }

    // A glyph takes the palette's button text; disabled, it is halfway to the button.
    void glyphColours_data()
    {
        QTest::addColumn<QColor>("button");
        QTest::addColumn<QColor>("text");
        QTest::newRow("light") << QColor(240, 240, 240) << QColor(0, 0, 0);
        QTest::newRow("dark") << QColor(48, 48, 48) << QColor(230, 230, 230);
    }
    void glyphColours()
    {
        QFETCH(QColor, button);
        QFETCH(QColor, text);
        const QPalette normal = QGuiApplication::palette();
        QPalette palette(button);
        palette.setColor(QPalette::ButtonText, text);
        QGuiApplication::setPalette(palette);
        PngIconEngine::Files files{{16, m_dir.filePath(QStringLiteral("16.png"))}};
        const QIcon glyph(new PngIconEngine(files, PngIconEngine::Colours::ButtonText));
        const QColor enabled = glyph.pixmap(QSize(16, 16), 1.0).toImage().pixelColor(8, 8);
        const QColor disabled = glyph.pixmap(QSize(16, 16), 1.0, QIcon::Disabled).toImage().pixelColor(8, 8);
        QGuiApplication::setPalette(normal);
        QCOMPARE(enabled, text);
        QCOMPARE(disabled.red(), (text.red() + button.red()) / 2);
    }

    // The bitmap font only where it shows at its size, else a scalable one
    // with the same 6-pixel cell. A 16-point glyph takes the smallest drawing
    // at least as large as its device pixels, made smaller to fit, never larger.
    void atRatio_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<bool>("bitmapFont");
        QTest::addColumn<int>("pixels"); // edge of the glyph drawn, in device pixels
        QTest::addColumn<QColor>("drawing");
        QTest::newRow("1x") << 1.0 << true << 16 << QColor(Qt::red);
        QTest::newRow("1.5x") << 1.5 << false << 24 << QColor(Qt::blue);
        QTest::newRow("2x") << 2.0 << false << 32 << QColor(Qt::blue);
        QTest::newRow("3x") << 3.0 << false << 32 << QColor(Qt::blue);
    }
    void atRatio()
    {
        QFETCH(qreal, ratio);
        QFETCH(int, pixels);
        QFETCH(QColor, drawing);
        const QFont f = WindowLook::fixedFont(ratio);
        QTEST(f.family() == "Terminus", "bitmapFont");
        QVERIFY(ratio == 1.0 || QFontDatabase::isSmoothlyScalable(f.family()));
        QVERIFY(qAbs(QFontMetricsF(f).horizontalAdvance(QString(60, 'W')) - 360) < 2);

        const QImage asked = m_icon.pixmap(QSize(16, 16), ratio).toImage();
        QCOMPARE(asked.size(), QSize(pixels, pixels));
        QCOMPARE(asked.pixelColor(pixels / 2, pixels / 2), drawing);
        // Painted on a device of that ratio; a smaller glyph is centred.
        const int device = qRound(16 * ratio);
        QImage painted(device, device, QImage::Format_ARGB32);
        painted.fill(Qt::transparent);
        painted.setDevicePixelRatio(ratio);
        QPainter painter(&painted);
        m_icon.paint(&painter, QRect(0, 0, 16, 16));
        painter.end();
        QCOMPARE(painted.pixelColor(device / 2, device / 2), drawing);
    }
};

QTEST_MAIN(tst_AppEditor)
#include "tst_app_editor.moc"
