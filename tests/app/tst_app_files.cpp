// SPDX-License-Identifier: GPL-3.0-or-later
// Memory files through the window, and what it keeps between runs: its place, the folder, the port.

#include "TestFiles.h"
#include "WindowHarness.h"

#include <QDir>
#include <QRegularExpression>
#include <QScreen>

#include <csignal>
#include <sys/resource.h>

static const QByteArray kStations = memoryFile({"100400;REGNBOGN;0000;0;1", "1008;RADIO;;3;0"});

class tst_AppFiles : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestStore> store;

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init()
    {
        store = std::make_unique<TestStore>();
        QVERIFY(store->isValid());
    }
    void cleanup() { store.reset(); }

    void save_data()
    {
        QTest::addColumn<QString>("answer"); // of the file dialog; "" cancels
        QTest::addColumn<bool>("fails");     // the file size limit stops the write
        QTest::newRow("saved") << "sub/list.csv" << false;
        QTest::newRow("cancelled") << "" << false;
        QTest::newRow("write fails") << "sub/list.csv" << true;
    }
    void save()
    {
        QFETCH(QString, answer);
        QFETCH(bool, fails);
        const QString dir = store->dir() + '/', target = store->file("sub/list.csv");
        mRegistry2::Registry(settingPath("\\LastDir"), 0, dir);
        const QByteArray old = kCsvHeader + "100400;OLD;0000;0;1\r\n";
        QVERIFY(QDir().mkpath(store->file("sub")) && writeBytes(target, old));
        WindowHarness h;
        QVERIFY(h.start());
        h.storeStation(1, "98700", "RADIO", "D3C1", 2, 0);
        rlimit normal{};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &normal) == 0);
        std::signal(SIGXFSZ, SIG_IGN); // a failed write, not the end of the test
        const rlimit limit{fails ? 300 : normal.rlim_cur, normal.rlim_max}; // 300 bytes: not for a table
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &limit) == 0);
        h.saveAs(answer.isEmpty() ? QString() : store->file(answer));
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &normal) == 0);

        const bool saved = !answer.isEmpty() && !fails;
        QCOMPARE(readBytes(target), saved ? memoryFile({"0;;;0;0", "98700;RADIO;D3C1;2;0"}) : old);
        QCOMPARE(mRegistry2::Registry(settingPath("\\LastDir")), QVariant(saved ? store->file("sub/") : dir));
        QCOMPARE(h.dialogs.beeps, answer.isEmpty() ? 1 : 0);
        const RecordingDialogs::Message m = h.dialogs.messages.value(0); // a reason after the name
        QVERIFY2(QRegularExpression("^  Could not save \"list.csv\": \\S.+  $").match(m.text).hasMatch() == fails
                     && m.title == (fails ? " ERROR" : ""), qPrintable(m.title + m.text));
        h.click("cLoad"); // a saved folder counts from the next start
        QStringList asked; // mode, proposed path, title, filter
        for (const RecordingDialogs::FileRequest &r : h.dialogs.fileRequests)
            asked << QString::number(r.mode) << r.initialPath << r.title << r.filter;
        QCOMPARE(asked.join('|'), "1|" + dir + "Presetta_20250701-1432.csv|Save Data ...|CSV-Files (*.csv)|*.csv|0|"
                                      + dir + "*.csv|Open Data ...|CSV-Files (*.csv)|*.csv");
    }

    void load_data()
    {
        QTest::addColumn<QString>("name"); // answer of the file dialog; "" cancels
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message"); // its start; "" none
        QTest::addColumn<QString>("stations");
        QTest::addColumn<int>("selected");
        QTest::newRow("accepted") << "in.csv" << kStations << "" << "1:REGNBOGN 2:RADIO" << 0;
        QTest::newRow("cancelled") << "" << kStations << "" << "6:KEEP" << 7;
        QTest::newRow("not compatible") << "in.csv" << QByteArray("Name\r\n") << "  CSV-File is not compatible!  "
                                        << "6:KEEP" << 7;
        QTest::newRow("too big") << "big.csv" << QByteArray() << "  Could not read \"big.csv\": " << "6:KEEP" << 7;
        QTest::newRow("ignored, redrawn") << "in.csv" << QByteArray("Freq(KHz)\n1;A\n") << "" << "6:KEEP" << 0;
    }
    void load()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        QVERIFY(writeBytes(store->file("in.csv"), cell<QByteArray>("bytes")));
        QVERIFY(writeBytes(store->file("big.csv"), kCsvHeader) && QFile::resize(store->file("big.csv"), 65 << 20));
        WindowHarness h;
        QVERIFY(h.start());
        h.storeStation(5, "98700", "KEEP", "1234", 2, 0);
        h.clickLine(7);
        h.loadFrom(name.isEmpty() ? QString() : store->file(name));
        QTEST(h.stations(), "stations");
        QTEST(h.selectedLine(), "selected");
        QCOMPARE(h.dialogs.beeps, name.isEmpty() ? 1 : 0);
        const RecordingDialogs::Message m = h.dialogs.messages.value(0);
        QCOMPARE(m.title + m.text.left(message.size()), message.isEmpty() ? "" : " ERROR" + message);
    }

    // Start-up with stored settings and a file beside the program, shut-down, the next start.
    void run_data()
    {
        for (const char *c : {"\\Win.Left", "\\Win.Top", "\\LastDir"})
            QTest::addColumn<QVariant>(c); // stored before; none when invalid
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("file"); // beside it
        QTest::addColumn<QStringList>("ports"); // listed; the last is chosen
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<bool>("dirTaken");
        const QRect s = QGuiApplication::primaryScreen()->geometry(); // centred
        const QPoint mid(s.x() + (s.width() - 506) / 2, s.y() + (s.height() - 372) / 2);
        QTest::newRow("stored") << QVariant(120) << QVariant(45) << QVariant("/stored/") << "presetta"
            << "presetta.csv" << QStringList{"ttyUSB0", "ttyUSB1"} << QPoint(120, 45) << true;
        QTest::newRow("off the screen") << QVariant(-2000) << QVariant(-2000) << QVariant() << "presetta.exe"
            << "presetta.csv" << QStringList() << QPoint(-2000, -2000) << false;
        QTest::newRow("wrong kinds") << QVariant(30.0) << QVariant("45") << QVariant(42) << "my.prog.bin"
            << "my.prog.csv" << QStringList{"ttyUSB0"} << mid << false;
    }
    void run()
    {
        QFETCH(QStringList, ports);
        for (const char *c : {"\\Win.Left", "\\Win.Top", "\\LastDir"})
            if (cell<QVariant>(c).isValid())
                mRegistry2::Registry(settingPath(c), 0, cell<QVariant>(c));
        mRegistry2::Registry(settingPath("\\COM-Port"), 0, QStringLiteral("ttyS9"));
        WindowHarness h;
        ExeName::setProgramPathForTest(h.programDir.filePath(cell<QString>("program")));
        QVERIFY(writeBytes(h.programDir.filePath(cell<QString>("file")), kStations));
        for (const QString &port : ports)
            h.ports->append(portRecord(port, QStringLiteral("Test port")));
        QVERIFY(h.start());
        QTEST(h.window->pos(), "pos");
        QCOMPARE(h.window->lastDir(), cell<bool>("dirTaken") ? "/stored/" : h.programDir.path() + '/');
        QCOMPARE(h.stations(), "1:REGNBOGN 2:RADIO");
        QVERIFY(h.dialogs.messages.isEmpty() && h.dialogs.beeps == 0);
        h.combo("coCOM")->setCurrentIndex(h.combo("coCOM")->count() - 1);
        const QPoint moved = h.window->pos() + QPoint(7, 9);
        h.window->move(moved);
        QVERIFY(h.window->close());
        QCOMPARE(mRegistry2::Registry(settingPath("\\COM-Port")).toString(), // with none listed the old one stays
                 ports.isEmpty() ? "ttyS9" : ports.last());
        WindowHarness next; // the place is stored as numbers: the next start reads it back
        QVERIFY(next.start());
        QCOMPARE(next.window->pos(), moved);
    }
};

QTEST_MAIN(tst_AppFiles)
#include "tst_app_files.moc"
