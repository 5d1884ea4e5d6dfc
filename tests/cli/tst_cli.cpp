// SPDX-License-Identifier: GPL-3.0-or-later
// presetta-cli end to end: a child process against the simulator running here.
#include "ExtraPortsRegistration.h"
#include "ReceiverSimulator.h"
#include "SimCommandLine.h"
#include "TestFiles.h"
#include "serial/clsCommPort.h"

#include <QProcess>
#include <QTest>

#include <csignal>
#include <unistd.h>

namespace {
// Three channels, none empty: the receiver gives each back, so downloads end
// as soon as the reply is whole. "Ö" is one byte in the file, on the wire and
// on standard output.
const QByteArray kThree = kCsvHeader + "100400;\xd6;D3C3;0;1\r\n1008;MW;0000;2;0\r\n"
                                       "87600;A B;1234;3;0\r\n";
} // namespace

class tst_Cli : public QObject
{
    Q_OBJECT

    struct Result {
        int code = -1;
        QByteArray out, err;
    };

    std::unique_ptr<TestStore> m_store;
    std::unique_ptr<ReceiverSimulator> m_sim;
    QTemporaryDir m_config;

    // The program without a display, its settings in m_config, its backups in
    // the store's folder. Started, not waited for.
    void start(QProcess &p, const QStringList &args, QStringList wrapper = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QLatin1String(name));
        env.insert(QStringLiteral("XDG_DATA_HOME"), m_store->dir());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config.path());
        p.setProcessEnvironment(env);
        wrapper << QStringLiteral(PRESETTA_CLI) << args;
        p.start(wrapper.takeFirst(), wrapper);
    }
    // The simulator answers while this waits in the event loop.
    Result finish(QProcess &p)
    {
        QDeadlineTimer deadline(30000);
        while (p.state() != QProcess::NotRunning && !deadline.hasExpired())
            QTest::qWait(10);
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
                p.readAllStandardError()};
    }
    Result cli(const QStringList &args, const QStringList &wrapper = {})
    {
        QProcess p;
        start(p, args, wrapper);
        return finish(p);
    }
    // On the simulator's port.
    Result onSim(const QString &args, const QStringList &wrapper = {})
    {
        return cli(QStringList{"-p", m_sim->devicePath()} + args.split(' ', Qt::SkipEmptyParts), wrapper);
    }
    QString file(const QByteArray &bytes)
    {
        const QString path = m_store->file(QStringLiteral("list.csv"));
        writeBytes(path, bytes);
        return path;
    }
    void startSim(const QString &arguments = QString())
    {
        SimCommandLine line;
        QVERIFY(line.parse(("presetta-sim --quiet --count 3 " + arguments).split(' ', Qt::SkipEmptyParts)));
        m_sim = std::make_unique<ReceiverSimulator>(line.options());
        QVERIFY(m_sim->start());
    }

private slots:
    void init()
    {
        m_sim.reset(); // before the store it may have written to
        m_store = std::make_unique<TestStore>();
    }

    void downloadWritesTheSaveBytes()
    {
        startSim();
        QCOMPARE(onSim("upload " + file(kThree)).code, 0);
        const Result r = onSim("download");
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, kThree);
        const QString out = m_store->file(QStringLiteral("out.csv"));
        QCOMPARE(onSim("download -o " + out).code, 0);
        QCOMPARE(readBytes(out), kThree);
        // Each transfer left its backup with the same bytes.
        const QDir backups(m_store->dir() + QStringLiteral("/presetta/backups"));
        const QStringList names = backups.entryList(QDir::Files, QDir::Time | QDir::Reversed);
        QCOMPARE(names.size(), 3);
        QCOMPARE(readBytes(backups.filePath(names.last())), kThree);
    }

    // --verify compares every channel of the file, the last included: the
    // receiver answers 128 but keeps only what passes its checks. A name is
    // compared as far as the download carries it: up to a comma. Nothing
    // differing is said too.
    void changedAndVerify()
    {
        startSim("--status 128");
        QCOMPARE(onSim("upload " + file(kThree)).code, 0);
        m_sim->clearReceivedBytes();
        QByteArray edited = kThree;
        edited.replace("1008;MW;", "1008;MW2,X;");
        Result r = onSim("upload --changed --verify " + file(edited));
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, "verified: all 3 channels as in " + m_store->file("list.csv").toUtf8() + "\n");
        QCOMPARE(m_sim->receivedBytes(), QByteArray("sS2,1008,2,0,0000,MW2,X\ns"));
        edited.replace("87600;A B;", "30000;A B;");
        r = onSim("upload --verify " + file(edited));
        QCOMPARE(r.code, 6);
        QCOMPARE(r.out, "channel 3 differs: file \"03 | FM |  30.000 | A B      | 1234 |  72k |  MONO\", "
                        "receiver \"03 | FM |  87.600 | A B      | 1234 |  72k |  MONO\"\n");
    }

    // A memory file has a line per channel; a header alone has none to send.
    void headerOnlySendsNothing()
    {
        startSim();
        const Result r = onSim("upload " + file(kCsvHeader));
        QCOMPARE(r.code, 0);
        QVERIFY2(r.err.contains("nothing sent: "), r.err);
        QCOMPARE(m_sim->receivedBytes(), QByteArray());
    }

    // Ctrl+C during the download of --changed ends the program; no upload follows.
    void interruptedBeforeTheUpload()
    {
        startSim("--delay 1500");
        QProcess p;
        connect(m_sim.get(), &ReceiverSimulator::commandReceived, &p, [&p] { ::kill(pid_t(p.processId()), SIGINT); });
        start(p, {"-p", m_sim->devicePath(), "upload", "--changed", file(kThree)});
        QCOMPARE(finish(p).code, 130);
        QTest::qWait(2000); // anything sent after the reply would arrive by now
        QCOMPARE(m_sim->receivedBytes(), "s");
    }

    // The list as the window shows it: a short file fills the first lines.
    void show()
    {
        const Result r = cli({"show", file(kCsvHeader + "1008;MW;;2;0\r\n")});
        QCOMPARE(r.code, 0);
        const QList<QByteArray> lines = r.out.split('\n');
        QCOMPARE(lines.size(), 100); // 99 and the empty piece after the last line end
        QCOMPARE(lines[0], " 01 | AM |   1.008 | MW       |      |   4k |      ");
    }

    // -p takes a port by the name `ports` lists it under.
    void portByName()
    {
        startSim();
        mRegistry2::setStoreFile(m_config.filePath(QStringLiteral("presetta/registry.json")));
        ExtraPortsRegistration registration;
        registration.add(m_sim->devicePath());
        const Result listed = cli({"ports"});
        QByteArray line;
        for (const QByteArray &l : listed.out.split('\n'))
            line = l.endsWith(m_sim->devicePath().toUtf8()) ? l : line;
        QVERIFY2(!line.isEmpty(), listed.out);
        // "  2  pts/3: Receiver simulator  /dev/pts/3"
        const QString name = QString::fromUtf8(line.split(':').value(0).split(' ').constLast());
        QCOMPARE(cli({"-p", name, "sync"}).code, 0);
        QVERIFY(m_sim->receivedBytes().startsWith("$time: "));
    }

    // On a terminal the last line says what was done; -q keeps it quiet.
    void closingLine_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("simulator");
        QTest::addColumn<QString>("closing");
        QTest::newRow("upload") << "upload FILE" << "" << "3 channels sent";
        QTest::newRow("download, one channel") << "download -o OUT" << "--count 1" << "1 channel received";
        QTest::newRow("update") << "update FILE --channel 2" << "" << "channel 2 sent";
        QTest::newRow("sync") << "sync" << "" << "clock set to ";
        QTest::newRow("changed: nothing to send") << "upload --changed EMPTY" << "" << "nothing to send: the receiver holds this list";
        QTest::newRow("quiet: nothing") << "-q upload FILE" << "" << "";
    }
    void closingLine()
    {
        startSim(cell<QString>("simulator"));
        QString command = QStringLiteral("%1 -p %2 %3").arg(QStringLiteral(PRESETTA_CLI), m_sim->devicePath(), cell<QString>("arguments"));
        command.replace("FILE", file(kThree)).replace("OUT", m_store->file("out.csv"));
        // Three empty channels: what the simulator holds at its start.
        QVERIFY(writeBytes(m_store->file("empty.csv"), memoryFile({}, 3)));
        command.replace("EMPTY", m_store->file("empty.csv"));
        QProcess p;
        // script gives the program a terminal, and prints what it wrote there.
        p.start("script", {"-qec", command, "/dev/null"});
        const Result r = finish(p);
        QCOMPARE(r.code, 0);
        // What stays on the screen: the last of the lines the progress overwrote.
        QByteArrayList shown = QByteArray(r.out).replace("\033[K", "").replace('\n', '\r').split('\r');
        shown.removeAll(QByteArray());
        const QByteArray closing = cell<QString>("closing").toUtf8();
        if (closing.isEmpty())
            QVERIFY2(shown.isEmpty(), r.out);
        else
            QVERIFY2(shown.value(shown.size() - 1).startsWith(closing), r.out);
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
        QTest::newRow("silent receiver, changed upload") << "upload --changed FILE" << "--silent" << 3 << "the receiver does not answer";
        QTest::newRow("no list in the reply") << "download" << "--garbage instead" << 3 << "the receiver sent no channel list";
        QTest::newRow("silent sync") << "sync" << "--silent" << 3 << "the receiver does not answer";
        QTest::newRow("no command") << "" << "" << 2 << "no command given";
        QTest::newRow("option of another command") << "sync --verify" << "" << 2 << "--verify belongs to upload";
        QTest::newRow("missing file") << "show /nonexistent.csv" << "" << 5 << "/nonexistent.csv: no such file";
        QTest::newRow("a folder as the file") << "show /tmp" << "" << 5 << "/tmp: not a regular file";
    }
    void failures()
    {
        startSim(cell<QString>("simulator"));
        QString arguments = cell<QString>("arguments");
        arguments.replace("FILE", file(kThree));
        const Result r = onSim(arguments);
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
        Result r = onSim("sync");
        QCOMPARE(r.code, 3);
        QVERIFY2(r.err.contains("is in use by another program (tst_cli, process " + QByteArray::number(getpid())), r.err);
        holder.cClose();
        QVERIFY(QFile::setPermissions(m_sim->devicePath(), {}));
        r = onSim("sync", geteuid() ? QStringList() : QStringList{"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
        QCOMPARE(r.code, 3);
        QVERIFY2(r.err.contains("No permission to use " + m_sim->devicePath().mid(5).toUtf8()
                                + ". Your user must be a member of the group \"" + QFileInfo(m_sim->devicePath()).group().toUtf8()
                                + "\""), r.err);
    }
};

QTEST_GUILESS_MAIN(tst_Cli)
#include "tst_cli.moc"
