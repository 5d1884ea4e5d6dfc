// SPDX-License-Identifier: GPL-3.0-or-later
// presetta-cli end to end: a child process against the simulator running here.
#include "ReceiverSimulator.h"
#include "SimCommandLine.h"
#include "TestFiles.h"
#include "serial/clsCommPort.h"

#include <QProcess>
#include <QTest>

#include <unistd.h>

namespace {
// Three channels, none empty: the receiver gives each back, so downloads end
// as soon as the reply is whole.
const QByteArray kThree = kCsvHeader + "100400;REGNBOGN;D3C3;0;1\r\n1008;MW;0000;2;0\r\n"
                                       "87600;A B;1234;3;0\r\n";
} // namespace

class tst_Cli : public QObject
{
    Q_OBJECT

    struct Result {
        int code = -1;
        QByteArray out, err;
    };

    // Runs the program with no display at all; the simulator answers while
    // this waits in the event loop.
    Result cli(QStringList args, QStringList wrapper = {})
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QLatin1String(name));
        env.insert(QStringLiteral("XDG_DATA_HOME"), m_store->dir());
        p.setProcessEnvironment(env);
        args = QStringList{QStringLiteral(PRESETTA_CLI), QStringLiteral("-p"), m_sim->devicePath()} + args;
        wrapper += args;
        p.start(wrapper.takeFirst(), wrapper);
        QDeadlineTimer deadline(30000);
        while (p.state() != QProcess::NotRunning && !deadline.hasExpired())
            QTest::qWait(10);
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
                p.readAllStandardError()};
    }
    QString file(const QByteArray &bytes)
    {
        const QString path = m_store->file(QStringLiteral("list.csv"));
        writeBytes(path, bytes);
        return path;
    }

    std::unique_ptr<TestStore> m_store;
    std::unique_ptr<ReceiverSimulator> m_sim;

    void startSim(SimOptions o = SimOptions())
    {
        o.memoryCount = 3;
        m_sim = std::make_unique<ReceiverSimulator>(o);
        QVERIFY(m_sim->start());
    }

private slots:
    void init()
    {
        m_sim.reset(); // before the store it may have written to
        m_store = std::make_unique<TestStore>();
        Clock::setSource({}); // the program's waits need a running clock
    }

    void downloadWritesTheSaveBytes()
    {
        startSim();
        QVERIFY(cli({QStringLiteral("upload"), file(kThree)}).code == 0);
        const Result r = cli({QStringLiteral("download")});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, kThree);
        const QString out = m_store->file(QStringLiteral("out.csv"));
        QCOMPARE(cli({QStringLiteral("download"), QStringLiteral("-o"), out}).code, 0);
        QCOMPARE(readBytes(out), kThree);
        // Each transfer left its backup with the same bytes.
        const QStringList backups = QDir(m_store->dir() + QStringLiteral("/presetta/backups")).entryList(QDir::Files);
        QCOMPARE(backups.size(), 3);
        QCOMPARE(readBytes(m_store->dir() + QStringLiteral("/presetta/backups/") + backups.last()), kThree);
    }

    void changedSendsOnlyWhatDiffers()
    {
        startSim();
        QCOMPARE(cli({QStringLiteral("upload"), file(kThree)}).code, 0);
        m_sim->clearReceivedBytes();
        QByteArray edited = kThree;
        edited.replace("1008;MW;", "1008;MW2;");
        const Result r = cli({QStringLiteral("upload"), QStringLiteral("--changed"), QStringLiteral("--verify"),
                              file(edited)});
        QCOMPARE(r.code, 0);
        QCOMPARE(m_sim->receivedBytes(), QByteArray("sS2,1008,2,0,0000,MW2\ns"));
    }

    // Every way a run can end badly: a line of its own and the exit status.
    void failures_data()
    {
        QTest::addColumn<QString>("arguments"); // FILE: the three channels
        QTest::addColumn<QString>("simulator");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("refused") << "upload FILE" << "--status 33" << 4
                                 << "channel 1 refused by the receiver (status 33): Incorrect PI code! Frequency out of range!";
        QTest::newRow("hang-up") << "upload FILE" << "--hang-up-after 2" << 3 << "Fehler beim Zugriff auf pts/";
        QTest::newRow("silent download") << "download" << "--silent" << 3 << "the receiver sent no channel list";
        QTest::newRow("silent sync") << "sync" << "--silent" << 3 << "the receiver does not answer";
        QTest::newRow("no command") << "" << "" << 2 << "no command given";
        QTest::newRow("option of another command") << "sync --verify" << "" << 2 << "--verify belongs to upload";
        QTest::newRow("missing file") << "show /nonexistent.csv" << "" << 5 << "/nonexistent.csv: no such file";
    }
    void failures()
    {
        QFETCH(QString, simulator);
        SimCommandLine line;
        QVERIFY(line.parse(("presetta-sim --quiet " + simulator).split(' ', Qt::SkipEmptyParts)));
        startSim(line.options());
        const Result r = cli(cell<QString>("arguments").replace("FILE", file(kThree)).split(' ', Qt::SkipEmptyParts));
        QTEST(r.code, "code");
        QVERIFY2(r.err.contains(cell<QString>("message").toUtf8()), r.err);
    }

    // A port that will not open says why: held by another program, or not
    // the user's (tried as an ordinary user when the tests run as root).
    void portProblems()
    {
        startSim();
        clsCommPort holder;
        holder.setCPortPath(m_sim->devicePath());
        holder.setCSettings("115200,N,8,1");
        QVERIFY(holder.cOpen(false));
        Result r = cli({"sync"});
        QCOMPARE(r.code, 3);
        QVERIFY2(r.err.contains("is in use by another program (tst_cli, process " + QByteArray::number(getpid())), r.err);
        holder.cClose();
        QVERIFY(QFile::setPermissions(m_sim->devicePath(), {}));
        r = cli({"sync"}, geteuid() ? QStringList() : QStringList{"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
        QCOMPARE(r.code, 3);
        QVERIFY2(r.err.contains("No permission to use " + m_sim->devicePath().mid(5).toUtf8()
                                + ". Your user must be a member of the group \"" + QFileInfo(m_sim->devicePath()).group().toUtf8()
                                + "\""), r.err);
    }

};

QTEST_GUILESS_MAIN(tst_Cli)
#include "tst_cli.moc"
