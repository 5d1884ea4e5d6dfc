// SPDX-License-Identifier: GPL-3.0-or-later
// The files part: saving and loading through the dialogs, a file named at
// start-up or dropped on the window, and the backups kept around transfers.

#include "SimHarness.h"
#include "TestFiles.h"
#include "text/Translations.h"

#include <QDir>
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
        QVERIFY(limitFileSize(cell<bool>("writeFails")));
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
        QCOMPARE(h.dialogs.fileRequests.value(0).initialPath, dir + "Presetta_20250701-1432.csv");
        QCOMPARE(h.dialogs.fileRequests.value(1).initialPath, dir + "*.csv");
    }

    void load_data()
    {
        QTest::addColumn<QString>("file"); // answer of the file dialog; "" cancels
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("beeps");
        QTest::addColumn<QString>("messageTitle");
        QTest::addColumn<QString>("messageText");
        QTest::newRow("cancelled") << "" << kStations << 1 << "" << "";
        QTest::newRow("too big") << "big.csv" << QByteArray() << 0 << " ERROR"
                                 << "  Could not read \"big.csv\": File is too large  ";
        QTest::newRow("LF line ends") << "in.csv" << QByteArray("Freq(KHz)\n1;A\n") << 0 << " ERROR"
                                      << "  Could not load \"in.csv\": not a memory file (no lines ended by CR LF)  ";
    }
    // Not loaded: the list and its line stay.
    void load()
    {
        QFETCH(QString, file);
        const QString dir = QStringLiteral("/remembered/"); // not where the file is
        mRegistry2::Registry(settingPath("\\LastDir"), 0, dir);
        QVERIFY(writeBytes(store.file("in.csv"), cell<QByteArray>("bytes")));
        QVERIFY(writeBytes(store.file("big.csv"), kCsvHeader) && QFile::resize(store.file("big.csv"), 65 << 20));
        WindowHarness h;
        QVERIFY(h.start());
        h.storeStation(5, "98700", "KEEP", "1234", 2, 0);
        h.clickLine(7);
        h.dialogs.fileAnswers << (file.isEmpty() ? QString() : store.file(file));
        h.click("cLoad");
        QCOMPARE(h.namesShown(), QStringList({"06 KEEP"}));
        QCOMPARE(h.selectedLine(), 7);
        QTEST(h.dialogs.beeps, "beeps");
        QTEST(h.dialogs.messages.value(0).title, "messageTitle");
        QTEST(h.dialogs.messages.value(0).text, "messageText");
        // The folder of a loaded file is not remembered.
        QCOMPARE(mRegistry2::Registry(settingPath("\\LastDir")).toString(), dir);
    }

    // A file named at start-up is loaded by Load's rules instead of the
    // automatic one, as no change. (A refused one is said: see the language
    // test's window, which starts with one.)
    void fileArgument()
    {
        QVERIFY(writeBytes(store.file("start.csv"), kStations));
        WindowHarness h;
        QVERIFY(writeBytes(h.programDir.filePath("presetta.csv"), memoryFile({"98000;AUTOMATIC;;0;1"})));
        QVERIFY(h.start(store.file("start.csv")));
        QCOMPARE(h.namesShown(), QStringList({"01 REGNBOGN", "02 RADIO"}));
        QCOMPARE(h.dialogs.messages.size(), 0);
        QVERIFY(!h.window->isWindowModified());
    }

    // A memory file dropped loads as Load does, in one step, the folder left alone.
    void drop_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("memory file") << "LIST.CSV" << QStringList{"01 REGNBOGN", "02 RADIO"};
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
        QCOMPARE(h.dropFile(store.file(name)), !names.isEmpty());
        // Loaded after the drop has ended.
        QTRY_COMPARE(h.namesShown(), names);
        QCOMPARE(h.window->undoStack()->count(), names.isEmpty() ? 0 : 1);
        QCOMPARE(h.window->lastDir(), folder);
    }

    // A copy of the list as a download brought it and as an upload is about
    // to send it; a backup that cannot be written is said once.
    void backups()
    {
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        SimHarness s(SimHarness::optionsFrom("--count 4"));
        SimHarness::runClockFrom(QTime(12, 0)); // the waits run on the clock
        QVERIFY(s.startWithFourChannels() && s.connectPort());
        const QDir folder(data.path() + "/presetta/backups");
        s.h.click("cDL");
        const QStringList down = folder.entryList({"*_download.csv"});
        QCOMPARE(down.size(), 1);
        QCOMPARE(readBytes(folder.filePath(down[0])), memoryFile(kFourChannels, 4));
        s.h.storeStation(0, "100400", "CHANGED", QString());
        QStringList upBeforeSending; // "-2": the same second as the download
        s.onCommand(1, [&] { upBeforeSending = folder.entryList({"*_upload*.csv"}); });
        s.h.click("cUL");
        QCOMPARE(upBeforeSending.size(), 1);
        QCOMPARE(readBytes(folder.filePath(upBeforeSending[0])),
                 memoryFile(QList<QByteArray>{"100400;CHANGED;D3C1;0;1"} + kFourChannels.mid(1), 4));
        QCOMPARE(s.h.dialogs.messages.size(), 0);

        QVERIFY(QDir(data.path() + "/presetta").removeRecursively());
        QVERIFY(writeBytes(data.path() + "/presetta", "a file where the folder should be"));
        s.h.click("cUL");
        s.h.click("cUL");
        QCOMPARE(s.h.dialogs.messages.size(), 1);
        QVERIFY(s.h.dialogs.messages[0].text.startsWith("  No backup could be written to"));
    }
};

QTEST_MAIN(tst_AppFiles)
#include "tst_app_files.moc"
