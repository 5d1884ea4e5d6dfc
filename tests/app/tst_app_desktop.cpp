// SPDX-License-Identifier: GPL-3.0-or-later
// The window as a desktop program: its command line, files dropped on it,
// the usual keys, the position on a screen of twice the pixels, a Connect
// pressed by an assistive tool, and a port list that follows the devices.
// The whole program runs at scale factor 2 (see main).
#include "Dialogs.h"
#include "ExtraPortsRegistration.h"
#include "PseudoTerminal.h"
#include "TestFiles.h"
#include "WindowHarness.h"
#include "WindowOptions.h"
#include "settings/ProgramSettings.h"

#include <QAccessible>
#include <QClipboard>
#include <QFileDialog>
#include <QAccessibleActionInterface>
#include <QCheckBox>
#include <QDropEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QTimer>
#include <QUndoStack>

static const QByteArray kStations = memoryFile({"100400;REGNBOGN;0000;0;1", "1008;RADIO;;3;0"});

// The real boxes and file dialogs, but a file dialog answered at once while
// answers are left.
class BoxDialogs : public QtDialogs
{
public:
    QStringList files;
    QString fileDialog(QWidget *owner, int mode, const QString &initialPath, const QString &title,
                       const QString &filter, const QStringList &places) override
    {
        return files.isEmpty() ? QtDialogs::fileDialog(owner, mode, initialPath, title, filter, places)
                               : files.takeFirst();
    }
};

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

class tst_AppDesktop : public QObject
{
    Q_OBJECT
    TestStore store;

    static QStringList portPaths(const QComboBox *list)
    {
        QStringList paths;
        for (int row = 0; row < list->count(); ++row)
            paths << list->itemData(row, Qt::UserRole + 2).toString();
        return paths;
    }

private slots:
    void initTestCase() { QVERIFY(store.isValid()); }

    void options_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<WindowOptions::Action>("action");
        QTest::addColumn<QString>("file");
        QTest::newRow("nothing") << QStringList{} << WindowOptions::Action::Run << "";
        QTest::newRow("a file") << QStringList{"list.csv"} << WindowOptions::Action::Run << "list.csv";
        QTest::newRow("help") << QStringList{"-h"} << WindowOptions::Action::Help << "";
        QTest::newRow("unknown option") << QStringList{"--frobnicate"} << WindowOptions::Action::Usage << "";
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
        for (const char *option : {"-reverse", "--reverse", "-widgetcount", "-nograb", "-dograb", "-sync",
                                   "-style=fusion", "--style=fusion", "-stylesheet=a.qss"})
            QTest::newRow(option) << QStringList{option, "list.csv"} << WindowOptions::Action::Run << "list.csv";
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

    // A file named at start-up is loaded by Load's rules instead of the
    // automatic one; a refused one is said.
    void fileArgument_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("messages");
        QTest::newRow("loaded") << kStations << QStringList{"01 REGNBOGN", "02 RADIO"} << 0;
        QTest::newRow("refused") << QByteArray("no memory file\r\n") << QStringList() << 1;
    }
    void fileArgument()
    {
        QFETCH(QByteArray, content);
        QVERIFY(writeBytes(store.file("start.csv"), content));
        WindowHarness h;
        QVERIFY(writeBytes(h.programDir.filePath("presetta.csv"), memoryFile({"98000;AUTOMATIC;;0;1"})));
        QVERIFY(h.start(store.file("start.csv")));
        QTEST(h.namesShown(), "names");
        QTEST(int(h.dialogs.messages.size()), "messages");
        QVERIFY(!h.window->isWindowModified());
    }

    // A memory file dropped loads as Load does, in one step, the folder left alone.
    void drop_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("memory file") << "dropped.csv" << QStringList{"01 REGNBOGN", "02 RADIO"};
        QTest::newRow("memory file, upper case") << "LIST.CSV" << QStringList{"01 REGNBOGN", "02 RADIO"};
        QTest::newRow("other file") << "dropped.txt" << QStringList();
    }
    void drop()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, names);
        QVERIFY(writeBytes(store.file(name), kStations));
        const QString folder = store.dir() + "/folder/";
        mRegistry2::Registry(settingPath("\\LastDir"), 0, folder);
        WindowHarness h;
        QVERIFY(h.start());
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(store.file(name))});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(h.window.get(), &enter);
        QCOMPARE(enter.isAccepted(), !names.isEmpty());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(h.window.get(), &drop);
        // Loaded after the drop has ended.
        QTRY_COMPARE(h.namesShown(), names);
        QCOMPARE(h.window->undoStack()->count(), names.isEmpty() ? 0 : 1);
        QCOMPARE(h.window->lastDir(), folder);
    }

    // In a message box, the question at close and the file dialogs, keys do
    // what the box does: the list behind it stays as it was, and Escape
    // closes the box without touching the abort flag.
    void keysStayInBoxes_data()
    {
        QTest::addColumn<QString>("box");
        QTest::newRow("message box") << "message";
        QTest::newRow("question at close") << "question";
        QTest::newRow("load dialog") << "cLoad";
        QTest::newRow("save dialog") << "cSave";
    }
    void keysStayInBoxes()
    {
        QFETCH(QString, box);
        QVERIFY(writeBytes(store.file("start.csv"), kStations));
        QVERIFY(writeBytes(store.file("foreign.csv"), "Frequency;Station\r\n"));
        BoxDialogs dialogs;
        WindowHarness h(&dialogs, false);
        QVERIFY(h.start(store.file("start.csv")));
        h.clickLine(0);
        h.click("cDel"); // a change for the question at close
        const QVector<MemoryEntry> entries = h.window->table().entries();
        const int steps = h.window->undoStack()->index();
        QGuiApplication::clipboard()->setText("90000;PASTED;;0;1\r\n");
        bool typed = false;
        const auto typeIntoModal = [&typed] {
            typeListKeys(QApplication::activeModalWidget());
            typed = true;
            if (QWidget *open = QApplication::activeModalWidget()) // so a failure cannot hang the test
                open->close();
        };
        if (box == "message") {
            dialogs.files = {store.file("foreign.csv")};
            h.click("cLoad");
            QTRY_VERIFY(qobject_cast<QMessageBox *>(QApplication::activeModalWidget()));
            typeIntoModal();
            QVERIFY(QGuiApplication::clipboard()->text().contains("CSV-File is not compatible!"));
        } else {
            QTimer::singleShot(0, this, typeIntoModal);
            if (box == "question")
                QVERIFY(!h.window->close());
            else
                h.click(qPrintable(box));
        }
        QVERIFY(typed);
        QVERIFY(!h.window->abortFlag());
        QCOMPARE(h.window->table().entries(), entries);
        QCOMPARE(h.window->undoStack()->index(), steps);
    }

    void saveKey()
    {
        WindowHarness h;
        QVERIFY(h.start());
        QTest::keyClick(h.box("tName"), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(h.dialogs.fileRequests.size(), 1);
        QCOMPARE(h.dialogs.fileRequests.value(0).title, "Save Data ...");
    }

    // Stored in screen pixels; at twice the pixels the window is placed at half.
    // A place off every screen is used, and kept, as it is.
    void position_data()
    {
        QTest::addColumn<QPoint>("stored");
        QTest::addColumn<QPoint>("placed");
        QTest::newRow("on the screen") << QPoint(300, 200) << QPoint(150, 100);
        QTest::newRow("off every screen") << QPoint(9000, 7000) << QPoint(9000, 7000);
    }
    void position()
    {
        QFETCH(QPoint, stored);
        QCOMPARE(QGuiApplication::primaryScreen()->devicePixelRatio(), 2.0);
        ProgramSettings().setWindowPosition(stored.x(), stored.y());
        WindowHarness h;
        QVERIFY(h.start());
        QTEST(h.window->pos(), "placed");
        QVERIFY(h.window->close());
        QCOMPARE(QPoint(*ProgramSettings().winLeft(), *ProgramSettings().winTop()), stored);
    }

    // The tool's action returns while the message about the port is still to
    // be read: a box opened inside the call would keep the tool waiting.
    void accessibleConnect()
    {
        QtDialogs shown;
        WindowHarness h(&shown, false);
        h.ports->append(portRecord("ttyGONE", "USB2.0-Serial", store.file("ttyGONE")));
        QVERIFY(h.start());
        bool blocked = false;
        QTimer guard; // ends a box that holds the call, so the test cannot hang
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, this, [&blocked] {
            if (QWidget *box = QApplication::activeModalWidget()) {
                blocked = true;
                box->close();
            }
        });
        guard.start(3000);
        QAccessibleInterface *connect = QAccessible::queryAccessibleInterface(h.child("ckConn"));
        QVERIFY(connect && connect->actionInterface());
        connect->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(!blocked);
        QVERIFY(!h.child<QCheckBox>("ckConn")->isChecked());
        QTRY_VERIFY(h.window->findChild<QMessageBox *>() && h.window->findChild<QMessageBox *>()->isVisible());
        QMessageBox *box = h.window->findChild<QMessageBox *>();
        QVERIFY2(box->text().contains("ttyGONE"), qPrintable(box->text()));
        box->accept();
    }

    // Pseudo-terminals named in the settings come and go without Refresh;
    // one that has just come is chosen, unless the user chose another.
    void portsFollowed()
    {
        PseudoTerminal first, second, third;
        QVERIFY(first.open(nullptr) && second.open(nullptr) && third.open(nullptr));
        // The second is named by a link of the test's own, which goes for
        // good: a closed terminal's number comes back with the next terminal
        // any program opens.
        const QString secondPath = store.file("ttySECOND");
        QVERIFY(QFile::link(second.slavePath(), secondPath));
        WindowHarness h(nullptr, true);
        QVERIFY(h.start());
        QComboBox *list = h.combo("coCOM");
        QVERIFY(!portPaths(list).contains(first.slavePath()));
        ExtraPortsRegistration one, two, three;
        one.add(first.slavePath());
        QTRY_COMPARE_WITH_TIMEOUT(list->currentData(Qt::UserRole + 2).toString(), first.slavePath(), 5000);
        QCOMPARE(list->currentText(), first.slavePath().mid(5) + ": Receiver simulator");
        two.add(secondPath);
        QTRY_COMPARE_WITH_TIMEOUT(list->currentData(Qt::UserRole + 2).toString(), secondPath, 5000);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Up); // the user's own choice
        QCOMPARE(list->currentData(Qt::UserRole + 2).toString(), first.slavePath());
        three.add(third.slavePath());
        QTRY_VERIFY_WITH_TIMEOUT(portPaths(list).contains(third.slavePath()), 5000);
        QCOMPARE(list->currentData(Qt::UserRole + 2).toString(), first.slavePath());
        QVERIFY(QFile::remove(secondPath));
        QTRY_VERIFY_WITH_TIMEOUT(!portPaths(list).contains(secondPath), 5000);
        QCOMPARE(list->currentData(Qt::UserRole + 2).toString(), first.slavePath());
        QVERIFY(h.child("ckConn")->isEnabled());
    }
};

int main(int argc, char *argv[])
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    tst_AppDesktop test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_app_desktop.moc"
