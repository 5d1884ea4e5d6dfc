// SPDX-License-Identifier: GPL-3.0-or-later
// The window: every command one action with its key, triggered by its button,
// key and menu entry, and by none of them while a transfer or a rebuild runs;
// keys that stay in a box in front; controls named for assistive tools. And
// the desktop program: its command line, start-up and shut-down, closing, the
// look at scale factor 2 (the whole program, see main), a port list that
// follows the devices.
#include "Dialogs.h"
#include "ExtraPortsRegistration.h"
#include "PseudoTerminal.h"
#include "SimHarness.h"
#include "TestFiles.h"
#include "WindowLook.h"
#include "WindowOptions.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QClipboard>
#include <QFileDialog>
#include <QFontDatabase>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QSignalSpy>
#include <QUndoStack>

// The clipboard and undo keys, typed into whatever has the focus in the
// box, then Escape, which closes it.
static void typeListKeys(QWidget *box)
{
    QTRY_COMPARE(QApplication::activeWindow(), box);
    QWidget *focus = box->focusWidget() ? box->focusWidget() : box;
    if (auto *dialog = qobject_cast<QFileDialog *>(box)) {
        focus = dialog->findChild<QAbstractItemView *>(QStringLiteral("listView"));
        focus->setFocus();
    }
    for (const QKeySequence::StandardKey key : {QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste,
                                                QKeySequence::Undo})
        QTest::keySequence(focus, key);
    QTest::keyClick(focus, Qt::Key_Escape);
}

class tst_AppWindow : public QObject
{
    Q_OBJECT
    TestStore m_store;
    QTemporaryDir m_dir;
    std::unique_ptr<SimHarness> m_s;

    // The simulator listed and connected, the window started with its four
    // channels, the clock running for the waits.
    WindowHarness &startConnected()
    {
        SimHarness::runClockFrom(QTime(12, 0));
        m_s = std::make_unique<SimHarness>(SimHarness::optionsFrom("--count 4"));
        if (!m_s->startWithFourChannels() || !m_s->connectPort())
            qWarning("the window did not start connected");
        return m_s->h;
    }

    // Delete by its key (the commands test shows the button and the menu
    // entry trigger the same action), a file dropped on the window or a
    // channel dragged to another line: whether the drop was taken.
    bool tryPath(WindowHarness &h, const QString &path)
    {
        if (path == "key")
            QTest::keyClick(h.window.get(), Qt::Key_Delete);
        if (path == "file drop")
            return h.dropFile(m_store.file("dropped.csv"));
        if (path == "channel drag") {
            QAbstractItemModel *model = h.list()->model();
            std::unique_ptr<QMimeData> data(model->mimeData({model->index(1, 0)}));
            return model->dropMimeData(data.get(), Qt::MoveAction, -1, 0, model->index(3, 0));
        }
        return false;
    }

    static QStringList portPaths(const QComboBox *list)
    {
        QStringList paths;
        for (int row = 0; row < list->count(); ++row)
            paths << list->itemData(row, Qt::UserRole + 2).toString();
        return paths;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_store.isValid());
        qputenv("XDG_DATA_HOME", m_dir.path().toLocal8Bit()); // the transfers' backups go there
    }
    void cleanup() { m_s.reset(); }

    // Before start-up a screen reader names each control as its tooltip
    // does, each glyph has both drawings, the receiver commands wait for a
    // port.
    void controls()
    {
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
    }

    // Every command is an action of the window, with its key where it has
    // one; the key pressed on the list and the button trigger it, and a
    // context menu holds the action itself.
    void commands_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("menu"); // of this control
        QTest::newRow("Load") << "actLoad" << QKeySequence("Ctrl+O") << "cLoad" << "";
        QTest::newRow("Recent files") << "actRecent" << QKeySequence() << "" << "";
        QTest::newRow("Save") << "actSave" << QKeySequence("Ctrl+S") << "cSave" << "";
        QTest::newRow("Up") << "actUp" << QKeySequence("Ctrl+Up") << "cUp" << "";
        QTest::newRow("Down") << "actDown" << QKeySequence("Ctrl+Down") << "cDn" << "";
        QTest::newRow("Insert") << "actInsert" << QKeySequence("Ins") << "cIns" << "";
        QTest::newRow("Delete") << "actDelete" << QKeySequence("Del") << "cDel" << "lList";
        QTest::newRow("Apply") << "actApply" << QKeySequence("Ctrl+Return") << "cAply" << "";
        QTest::newRow("Apply, keypad") << "actApply" << QKeySequence("Ctrl+Enter") << "" << "";
        QTest::newRow("Clear") << "actClear" << QKeySequence() << "cClr" << "";
        QTest::newRow("Update") << "actUpdate" << QKeySequence() << "cUpd" << "";
        QTest::newRow("Download") << "actDownload" << QKeySequence() << "cDL" << "";
        QTest::newRow("Upload") << "actUpload" << QKeySequence() << "cUL" << "";
        QTest::newRow("Upload changed channels") << "actUploadChanged" << QKeySequence() << "" << "cUL";
        QTest::newRow("Sync") << "actSync" << QKeySequence() << "cSync" << "";
        QTest::newRow("Refresh") << "actRefresh" << QKeySequence() << "cRefresh" << "";
        QTest::newRow("Connect") << "actConnect" << QKeySequence() << "ckConn" << "";
        QTest::newRow("Sort by frequency") << "actSortByFrequency" << QKeySequence() << "" << "lList";
        QTest::newRow("Sort by name") << "actSortByName" << QKeySequence() << "" << "lList";
        QTest::newRow("Empty channels last") << "actEmptiesLast" << QKeySequence() << "" << "lList";
        QTest::newRow("Edit selected channels") << "actEditSelected" << QKeySequence() << "" << "lList";
        QTest::newRow("Copy") << "actCopy" << QKeySequence("Ctrl+C") << "" << "lList";
        QTest::newRow("Cut") << "actCut" << QKeySequence("Ctrl+X") << "" << "lList";
        QTest::newRow("Paste") << "actPaste" << QKeySequence("Ctrl+V") << "" << "lList";
        QTest::newRow("Copy all channels") << "actCopyAll" << QKeySequence() << "" << "lList";
        QTest::newRow("Find") << "actFind" << QKeySequence("Ctrl+F") << "" << "lList";
        QTest::newRow("Find next") << "actFindNext" << QKeySequence("F3") << "" << "";
        QTest::newRow("Find previous") << "actFindPrevious" << QKeySequence("Shift+F3") << "" << "";
        QTest::newRow("Undo") << "actUndo" << QKeySequence("Ctrl+Z") << "" << "lList";
        QTest::newRow("Redo") << "actRedo" << QKeySequence("Ctrl+Shift+Z") << "" << "lList";
        QTest::newRow("Redo, second key") << "actRedo" << QKeySequence("Ctrl+Y") << "" << "";
        // The platform's key, which the offscreen platform leaves out.
        QTest::newRow("Quit") << "actQuit" << QKeySequence(QKeySequence::Quit) << "" << "";
    }
    void commands()
    {
        QFETCH(QString, action);
        QFETCH(QKeySequence, key);
        QFETCH(QString, button);
        QFETCH(QString, menu);
        WindowHarness &h = startConnected();
        QAction *command = nullptr;
        for (QAction *a : h.window->findChildren<QAction *>())
            command = a->objectName() == action ? a : command;
        QVERIFY(command);
        QVERIFY(key.isEmpty() ? command->shortcut().isEmpty() : command->shortcuts().contains(key));
        if (!menu.isEmpty()) {
            QWidget *on = h.child(qPrintable(menu));
            if (auto *list = qobject_cast<QAbstractItemView *>(on))
                on = list->viewport();
            bool held = false;
            h.withContextMenu(on, [&](QMenu *shown) { held = shown->actions().contains(command); });
            QVERIFY(held);
        }
        // Steps to undo and one to redo, a line to act on.
        h.clickLine(1);
        h.trigger("actDelete");
        h.trigger("actDelete");
        h.trigger("actUndo");
        if (action == "actRefresh" || action == "actConnect")
            QTest::mouseClick(h.child("ckConn"), Qt::LeftButton); // they wait for the receiver to be let go
        h.clickLine(1);
        QSignalSpy triggered(command, &QAction::triggered);
        QSignalSpy toggled(command, &QAction::toggled);
        if (!key.isEmpty())
            QTest::keySequence(h.list(), key);
        if (!button.isEmpty())
            h.click(qPrintable(button));
        QCOMPARE(triggered.count() + toggled.count(), int(!key.isEmpty()) + int(!button.isEmpty()));
    }

    // While an upload or a load's rebuild runs, no command is taken, by any path.
    void busy_data()
    {
        QTest::addColumn<QString>("work");
        QTest::addColumn<QString>("path");
        for (const QString work : {"upload", "load"}) {
            for (const QString path : {"key", "file drop", "channel drag"})
                QTest::newRow(qPrintable(work + ", " + path)) << work << path;
        }
    }
    void busy()
    {
        QFETCH(QString, path);
        WindowHarness &h = startConnected();
        QVERIFY(writeBytes(m_store.file("list.csv"), memoryFile(kFourChannels)));
        h.clickLine(1);
        QSignalSpy deleted(h.action("actDelete"), &QAction::triggered);
        bool tried = false;
        bool taken = false;
        const auto attempt = [&] {
            if (!std::exchange(tried, true))
                taken = tryPath(h, path);
        };
        if (cell<QString>("work") == "upload") {
            m_s->onCommand(2, attempt);
            h.click("cUL");
        } else {
            // Halfway through the lines.
            connect(h.list()->selectionModel(), &QItemSelectionModel::currentChanged, this,
                    [&](const QModelIndex &current) {
                        if (current.row() == 40)
                            attempt();
                    });
            h.dialogs.fileAnswers = {m_store.file("list.csv")};
            h.click("cLoad");
        }
        QVERIFY(tried);
        QVERIFY(!taken);
        QCOMPARE(deleted.count(), 0);
    }

    // In a message box and a file dialog, keys do what the box does: the list
    // behind it stays as it was, a file dropped on the window and a button
    // pressed by an assistive tool included, and Escape closes the box
    // without touching the abort flag. An assistive tool's press returns
    // before the box it leads to opens: a box opened inside the call would
    // keep the tool waiting.
    void keysStayInBoxes_data()
    {
        QTest::addColumn<QString>("box");
        QTest::newRow("message box") << "message";
        QTest::newRow("file dialog") << "file";
    }
    void keysStayInBoxes()
    {
        QFETCH(QString, box);
        QtDialogs dialogs;
        WindowHarness h(&dialogs, false);
        h.ports->append(portRecord("ttyGONE", "USB2.0-Serial", m_store.file("ttyGONE")));
        QVERIFY(writeBytes(h.programDir.filePath("presetta.csv"), memoryFile(kFourChannels)));
        QVERIFY(h.start());
        h.clickLine(0);
        h.trigger("actDelete"); // a step for Undo to take back
        const QVector<MemoryEntry> entries = h.window->table().entries();
        const int steps = h.window->undoStack()->index();
        QGuiApplication::clipboard()->setText("90000;PASTED;;0;1\r\n");
        QVERIFY(writeBytes(m_store.file("dropped.csv"), memoryFile({"90000;DROPPED;;0;1"}, 4)));
        bool typed = false;
        bool dropped = false;
        const auto typeIntoModal = [&] {
            dropped = h.dropFile(m_store.file("dropped.csv"));
            // An assistive tool can still press a button behind the box; its click comes a moment later.
            QAccessible::queryAccessibleInterface(h.child("cDel"))->actionInterface()->doAction(
                QAccessibleActionInterface::pressAction());
            QTest::qWait(300);
            typeListKeys(QApplication::activeModalWidget());
            typed = true;
            if (QWidget *open = QApplication::activeModalWidget()) // so a failure cannot hang the test
                open->close();
        };
        if (box == "message") {
            // The port is gone: a box says so, after the call.
            bool blocked = false;
            QTimer guard; // ends a box that holds the call, so the test cannot hang
            guard.setSingleShot(true);
            connect(&guard, &QTimer::timeout, this, [&blocked] {
                blocked = true;
                if (QWidget *box = QApplication::activeModalWidget())
                    box->close();
            });
            guard.start(3000);
            QAccessible::queryAccessibleInterface(h.child("ckConn"))->actionInterface()->doAction(
                QAccessibleActionInterface::toggleAction());
            guard.stop();
            QVERIFY(!blocked);
            QVERIFY(!h.child<QAbstractButton>("ckConn")->isChecked());
            QTRY_VERIFY(qobject_cast<QMessageBox *>(QApplication::activeModalWidget()));
            typeIntoModal();
            QVERIFY(QGuiApplication::clipboard()->text().contains("ttyGONE"));
        } else {
            QTimer::singleShot(0, this, typeIntoModal);
            h.trigger("actLoad");
        }
        QVERIFY(typed);
        QVERIFY(!dropped);
        QVERIFY(!h.window->abortFlag());
        QCOMPARE(h.window->table().entries(), entries);
        QCOMPARE(h.window->undoStack()->index(), steps);
    }

    void options_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<WindowOptions::Action>("action");
        QTest::addColumn<QString>("file");
        QTest::newRow("nothing") << QStringList{} << WindowOptions::Action::Run << "";
        QTest::newRow("a file") << QStringList{"list.csv"} << WindowOptions::Action::Run << "list.csv";
        QTest::newRow("help") << QStringList{"-h"} << WindowOptions::Action::Help << "";
        QTest::newRow("two files") << QStringList{"a.csv", "b.csv"} << WindowOptions::Action::Usage << "";
        // Qt's own options (the window's QApplication takes them out) and their
        // values are passed over beside help and the version too.
        QTest::newRow("help after -platform") << QStringList{"-platform", "offscreen", "--help"}
                                              << WindowOptions::Action::Help << "";
        QTest::newRow("version before -style") << QStringList{"--version", "-style", "fusion"}
                                               << WindowOptions::Action::Version << "";
        QTest::newRow("a title that reads --help") << QStringList{"-qwindowtitle", "--help"}
                                                   << WindowOptions::Action::Run << "";
        for (const char *option : {"-platform", "--platform", "-platformpluginpath", "-platformtheme", "-plugin",
                                   "-qwindowgeometry", "-qwindowicon", "-qwindowtitle", "-session", "-display",
                                   "-geometry", "-title", "-icon", "-name", "-visual", "-style", "--style",
                                   "-stylesheet", "-fontengine"})
            QTest::newRow(option) << QStringList{option, "value", "list.csv"} << WindowOptions::Action::Run
                                  << "list.csv";
    }
    void options()
    {
        QFETCH(QStringList, arguments);
        QFETCH(WindowOptions::Action, action);
        const WindowOptions o = WindowOptions::parse(QStringList{"presetta"} + arguments);
        QVERIFY2(o.action == action, qPrintable(o.error));
        QTEST(o.file, "file");
        QCOMPARE(o.error.isEmpty(), o.action != WindowOptions::Action::Usage);
        // Told without a display: help and the version, and nothing else.
        QCOMPARE(WindowOptions::asksForText(QStringList{"presetta"} + arguments),
                 o.action == WindowOptions::Action::Help || o.action == WindowOptions::Action::Version);
    }

    // Answered on standard output; a wrong option is a usage error.
    void optionsAnswered_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("output");
        QTest::newRow("version") << "--version" << 0 << WindowOptions::versionText();
        QTest::newRow("unknown") << "--frobnicate" << 2 << "";
    }
    void optionsAnswered()
    {
        QFETCH(QString, option);
        QProcess program;
        program.start(PRESETTA_WINDOW, {option});
        QVERIFY(program.waitForFinished(10000));
        QTEST(program.exitCode(), "status");
        QTEST(QString::fromUtf8(program.readAllStandardOutput()), "output");
        QCOMPARE(program.readAllStandardError().contains("frobnicate"), option == "--frobnicate");
    }

    // Start-up with the file beside the program, shut-down without a
    // question, the port chosen kept for the next run.
    void run()
    {
        WindowHarness h;
        QVERIFY(writeBytes(h.programDir.filePath("presetta.csv"), memoryFile(kFourChannels)));
        QVERIFY(h.start());
        // The caption's mark of unsaved changes shows only while there are some.
        QCOMPARE(h.window->windowTitle(), QStringLiteral("ESP32 Presetta  v1.06c  [2025.07.01][*]"));
        QVERIFY(!h.window->undoStack()->canUndo()); // what it starts with is no change
        QCOMPARE(h.window->maximumSize(), h.window->minimumSize());
        QVERIFY(h.window->close());
        QCOMPARE(h.dialogs.questions.size(), 0);

        WindowHarness next;
        next.ports->append(portRecord("ttyUSB0", "Test port"));
        next.ports->append(portRecord("ttyUSB1", "Test port"));
        QVERIFY(next.start());
        next.combo("coCOM")->setCurrentIndex(1);
        QVERIFY(next.window->close());
        QCOMPARE(mRegistry2::Registry(settingPath("\\COM-Port")).toString(), "ttyUSB1");
    }

    // Closed with changes: the question, then saved, not closed or thrown away.
    void closeAsks_data()
    {
        QTest::addColumn<Dialogs::Answer>("answer");
        QTest::addColumn<bool>("fileChosen"); // by the save dialog, if it opens: named after the row
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Save") << Dialogs::Answer::Save << true << true << true;
        QTest::newRow("Save, dialog cancelled") << Dialogs::Answer::Save << false << false << false;
        QTest::newRow("Discard") << Dialogs::Answer::Discard << true << true << false;
    }
    void closeAsks()
    {
        QFETCH(bool, saved);
        const QString file = m_store.file(QTest::currentDataTag() + QStringLiteral(".csv"));
        WindowHarness &h = startConnected();
        h.clickLine(3);
        h.trigger("actDelete");
        h.dialogs.saveAnswers << cell<Dialogs::Answer>("answer");
        h.dialogs.fileAnswers << (cell<bool>("fileChosen") ? file : QString());
        QTEST(h.window->close(), "closed");
        QCOMPARE(h.dialogs.questions.size(), 1);
        QCOMPARE(h.dialogs.questions[0].text, "  The memory list has changes that are not saved. Save them?  ");
        QCOMPARE(h.dialogs.questions[0].title, " Presetta");
        QCOMPARE(readBytes(file), saved ? memoryFile(kFourChannels.mid(0, 3)) : QByteArray("<unreadable>"));
        QCOMPARE(h.window->isWindowModified(), !saved);
    }

    // Closed while an upload runs: the upload stops at its next safe point,
    // then the window closes, with the question.
    void closeDuringUpload()
    {
        WindowHarness &h = startConnected();
        h.storeStation(0, "100400", "CHANGED", QString());
        h.dialogs.saveAnswers << Dialogs::Answer::Cancel;
        bool closedAtOnce = true;
        m_s->onCommand(2, [&] { closedAtOnce = h.window->close(); });
        h.click("cUL");
        QVERIFY(!closedAtOnce);
        QCOMPARE(m_s->sim.commandCount(), 2);
        QTRY_COMPARE(h.dialogs.questions.size(), 1);
        QVERIFY(h.window->isVisible());
    }

    // The bitmap font only where it shows at its size, else a scalable one
    // with the same 6-pixel cell.
    void atRatio_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<bool>("bitmapFont");
        QTest::newRow("1x") << 1.0 << true;
        QTest::newRow("1.5x") << 1.5 << false;
    }
    void atRatio()
    {
        QFETCH(qreal, ratio);
        const QFont f = WindowLook::fixedFont(ratio);
        QTEST(f.family() == "Terminus", "bitmapFont");
        QVERIFY(ratio == 1.0 || QFontDatabase::isSmoothlyScalable(f.family()));
        QVERIFY(qAbs(QFontMetricsF(f).horizontalAdvance(QString(60, 'W')) - 360) < 2);
    }

    // Pseudo-terminals named in the settings are listed as they come, without Refresh;
    // one that has just come is chosen, unless the user chose another.
    void portsFollowed()
    {
        PseudoTerminal first, second, third;
        QVERIFY(first.open(nullptr) && second.open(nullptr) && third.open(nullptr));
        WindowHarness h(nullptr, true);
        QVERIFY(h.start());
        QComboBox *list = h.combo("coCOM");
        QVERIFY(!portPaths(list).contains(first.slavePath()));
        ExtraPortsRegistration one, two, three;
        one.add(first.slavePath());
        QTRY_COMPARE_WITH_TIMEOUT(list->currentData(Qt::UserRole + 2).toString(), first.slavePath(), 5000);
        QCOMPARE(list->currentText(), first.slavePath().mid(5) + ": Receiver simulator");
        two.add(second.slavePath());
        QTRY_COMPARE_WITH_TIMEOUT(list->currentData(Qt::UserRole + 2).toString(), second.slavePath(), 5000);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Up); // the user's own choice
        QCOMPARE(list->currentData(Qt::UserRole + 2).toString(), first.slavePath());
        three.add(third.slavePath());
        QTRY_VERIFY_WITH_TIMEOUT(portPaths(list).contains(third.slavePath()), 5000);
        QCOMPARE(list->currentData(Qt::UserRole + 2).toString(), first.slavePath());
        QVERIFY(h.child("ckConn")->isEnabled());
    }
};

int main(int argc, char *argv[])
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    tst_AppWindow test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_app_window.moc"
