// SPDX-License-Identifier: GPL-3.0-or-later
// Memory files through the window, and what it keeps between runs: its place, the folder, the port.

#include "TestFiles.h"
#include "WindowHarness.h"
#include "text/Translations.h"

#include <QDir>
#include <QMouseEvent>
#include <QUndoStack>

#include <csignal>
#include <sys/resource.h>

static const QByteArray kStations = memoryFile({"100400;REGNBOGN;0000;0;1", "1008;RADIO;;3;0"});

class tst_AppFiles : public QObject
{
    Q_OBJECT
    TestStore store; // each test stores what it reads

    // Writes larger than 300 bytes fail while `on`: no table fits.
    static bool limitFileSize(bool on)
    {
        static rlimit normal{};
        if (normal.rlim_max == 0 && ::getrlimit(RLIMIT_FSIZE, &normal) != 0)
            return false;
        std::signal(SIGXFSZ, SIG_IGN); // a failed write, not the end of the test
        const rlimit limit{on ? 300 : normal.rlim_cur, normal.rlim_max};
        return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(store.isValid());
        Translations::install(qApp, QLocale::c()); // counts in English, as the program has them
    }

    void save_data()
    {
        QTest::addColumn<QString>("answer"); // of the file dialog; "" cancels
        QTest::addColumn<bool>("writeFails");
        QTest::addColumn<bool>("saved"); // file written, folder remembered, no changes left
        QTest::addColumn<int>("beeps");
        QTest::addColumn<QString>("messageTitle");
        QTest::addColumn<QString>("messageText");
        QTest::newRow("saved") << "sub/list.csv" << false << true << 0 << "" << "";
        QTest::newRow("cancelled") << "" << false << false << 1 << "" << "";
        QTest::newRow("write fails") << "sub/list.csv" << true << false << 0 << " ERROR"
                                     << "  Could not save \"list.csv\": Only 300 of 952 bytes could be written  ";
    }
    void save()
    {
        QFETCH(QString, answer);
        QFETCH(bool, writeFails);
        QFETCH(bool, saved);
        const QString dir = store.dir() + '/';
        mRegistry2::Registry(settingPath("\\LastDir"), 0, dir);
        const QString target = store.file("sub/list.csv");
        const QByteArray old = kCsvHeader + "100400;OLD;0000;0;1\r\n";
        QVERIFY(QDir().mkpath(store.file("sub")) && writeBytes(target, old));
        WindowHarness h;
        QVERIFY(h.start());
        h.storeStation(1, "98700", "RADIO", "D3C1", 2, 0);
        h.dialogs.fileAnswers << (answer.isEmpty() ? QString() : store.file(answer));
        QVERIFY(limitFileSize(writeFails));
        h.click("cSave");
        QVERIFY(limitFileSize(false));

        QCOMPARE(readBytes(target), saved ? memoryFile({"0;;;0;0", "98700;RADIO;D3C1;2;0"}) : old);
        QCOMPARE(mRegistry2::Registry(settingPath("\\LastDir")).toString(), saved ? store.file("sub/") : dir);
        QCOMPARE(h.window->isWindowModified(), !saved);
        QTEST(h.dialogs.beeps, "beeps");
        QTEST(h.dialogs.messages.value(0).title, "messageTitle");
        QTEST(h.dialogs.messages.value(0).text, "messageText");
        // Both dialogs start in the remembered folder; one saved to counts from the next start.
        h.click("cLoad");
        QCOMPARE(h.dialogs.fileRequests.value(0).mode, 1);
        QCOMPARE(h.dialogs.fileRequests.value(0).title, "Save Data ...");
        QCOMPARE(h.dialogs.fileRequests.value(0).initialPath, dir + "Presetta_20250701-1432.csv");
        QCOMPARE(h.dialogs.fileRequests.value(1).mode, 0);
        QCOMPARE(h.dialogs.fileRequests.value(1).initialPath, dir + "*.csv");
    }

    void load_data()
    {
        QTest::addColumn<QString>("file"); // answer of the file dialog; "" cancels
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("beeps");
        QTest::addColumn<QString>("messageTitle");
        QTest::addColumn<QString>("messageText");
        const QStringList kept{"06 KEEP"};
        QTest::newRow("cancelled") << "" << kStations << kept << 7 << 1 << "" << "";
        QTest::newRow("too big") << "big.csv" << QByteArray() << kept << 7 << 0 << " ERROR"
                                 << "  Could not read \"big.csv\": File is too large  ";
        QTest::newRow("LF line ends") << "in.csv" << QByteArray("Freq(KHz)\n1;A\n") << kept << 7 << 0 << " ERROR"
                                      << "  Could not load \"in.csv\": not a memory file (no lines ended by CR LF)  ";
    }
    void load()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        const QString dir = QStringLiteral("/remembered/"); // not where the file is
        mRegistry2::Registry(settingPath("\\LastDir"), 0, dir);
        QVERIFY(writeBytes(store.file("in.csv"), bytes));
        QVERIFY(writeBytes(store.file("big.csv"), kCsvHeader) && QFile::resize(store.file("big.csv"), 65 << 20));
        WindowHarness h;
        QVERIFY(h.start());
        h.storeStation(5, "98700", "KEEP", "1234", 2, 0);
        h.clickLine(7);
        h.dialogs.fileAnswers << (file.isEmpty() ? QString() : store.file(file));
        h.click("cLoad");
        QTEST(h.namesShown(), "names");
        QTEST(h.namesStored(), "names");
        QTEST(h.selectedLine(), "selected");
        QTEST(h.dialogs.beeps, "beeps");
        QTEST(h.dialogs.messages.value(0).title, "messageTitle");
        QTEST(h.dialogs.messages.value(0).text, "messageText");
        // The folder of a loaded file is not remembered.
        QCOMPARE(h.window->lastDir(), dir);
        QCOMPARE(mRegistry2::Registry(settingPath("\\LastDir")).toString(), dir);
    }

    // Input queued while a Load rebuilds the list waits: no command runs in
    // the middle of it, so the Load is one whole step on top of the history.
    void inputDuringRebuild_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("Apply") << "cAply";
        QTest::newRow("Load") << "cLoad";
    }
    void inputDuringRebuild()
    {
        QFETCH(QString, button);
        // A mono channel first: Apply writes its line in its own way.
        QVERIFY(writeBytes(store.file("in.csv"), memoryFile({"87600;MONO;D3C3;0;0", "1008;RADIO;;3;0"})));
        QVERIFY(writeBytes(store.file("other.csv"), memoryFile({"98000;OTHER;;0;1"})));
        WindowHarness h;
        QVERIFY(h.start());
        h.storeStation(5, "98700", "KEEP", "1234", 2, 0);
        const QVector<MemoryEntry> before = h.window->table().entries();
        const int steps = h.window->undoStack()->count();
        QWidget *pressed = h.child(qPrintable(button));
        const QPoint at = pressed->rect().center();
        QCoreApplication::postEvent(pressed, new QMouseEvent(QEvent::MouseButtonPress, at, pressed->mapToGlobal(at),
                                                             Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
        QCoreApplication::postEvent(pressed, new QMouseEvent(QEvent::MouseButtonRelease, at, pressed->mapToGlobal(at),
                                                             Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
        h.dialogs.fileAnswers = {store.file("in.csv"), store.file("other.csv")};
        h.click("cLoad");
        QCOMPARE(h.namesStored(), QStringList({"01 MONO", "02 RADIO"}));
        QCOMPARE(h.window->undoStack()->count(), steps + 1);
        QCOMPARE(h.window->undoStack()->undoText(), "Load in.csv");
        QVERIFY(!h.window->isWindowModified());
        h.window->undoStack()->undo();
        QCOMPARE(h.window->table().entries(), before);
    }

    // Start-up with the settings of the last run and the file beside the
    // program, shut-down, the next start.
    void run()
    {
        mRegistry2::Registry(settingPath("\\Win.Left"), 0, 120);
        mRegistry2::Registry(settingPath("\\Win.Top"), 0, 45);
        mRegistry2::Registry(settingPath("\\LastDir"), 0, "/stored/");
        mRegistry2::Registry(settingPath("\\COM-Port"), 0, "ttyS9");
        WindowHarness h;
        QVERIFY(writeBytes(h.programDir.filePath("presetta.csv"), kStations));
        QVERIFY(h.start());
        QCOMPARE(h.window->pos(), QPoint(120, 45));
        QCOMPARE(h.window->lastDir(), "/stored/");
        QCOMPARE(h.namesStored(), QStringList({"01 REGNBOGN", "02 RADIO"}));
        // The caption's mark of unsaved changes shows only while there are some.
        QCOMPARE(h.window->windowTitle(), QStringLiteral("ESP32 Presetta  v1.06c  [2025.07.01][*]"));
        QVERIFY(!h.window->undoStack()->canUndo()); // what it starts with is no change
        QCOMPARE(h.window->maximumSize(), h.window->minimumSize());
        QCOMPARE(h.dialogs.messages.size(), 0);
        QCOMPARE(h.dialogs.beeps, 0);
        const QPoint moved = h.window->pos() + QPoint(7, 9);
        h.window->move(moved);
        QVERIFY(h.window->close());
        QCOMPARE(h.dialogs.questions.size(), 0); // nothing to save
        // With no port listed the one stored stays.
        QCOMPARE(mRegistry2::Registry(settingPath("\\COM-Port")).toString(), "ttyS9");

        WindowHarness next;
        next.ports->append(portRecord("ttyUSB0", "Test port"));
        next.ports->append(portRecord("ttyUSB1", "Test port"));
        QVERIFY(next.start());
        QCOMPARE(next.window->pos(), moved);
        next.combo("coCOM")->setCurrentIndex(1);
        QVERIFY(next.window->close());
        QCOMPARE(mRegistry2::Registry(settingPath("\\COM-Port")).toString(), "ttyUSB1");
    }
};

QTEST_MAIN(tst_AppFiles)
#include "tst_app_files.moc"
