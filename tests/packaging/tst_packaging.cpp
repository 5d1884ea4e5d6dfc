// SPDX-License-Identifier: GPL-3.0-or-later
// What `cmake --install` and `cpack` make of this very build: the installed
// tree and its metadata, the Debian package, the installed program starting.
#include "identity/ProgramIdentity.h"

#include <QtTest>

namespace {

constexpr char kMetainfo[] = "share/metainfo/com.norvane.presetta.metainfo.xml";

// Runs a program to its end, by default in the build. ok: it exited with 0; a failure says why in err.
struct Run { bool ok; QString out, err; };
Run run(const QString &program, const QStringList &arguments, const QString &folder = PRESETTA_BUILD_DIR)
{
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start(program, arguments);
    const bool ok = p.waitForFinished(600000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    const QString why = QStringLiteral("%1: %2, exit %3\n").arg(program, p.errorString()).arg(p.exitCode());
    return {ok, p.readAllStandardOutput(), (ok ? QString() : why) + p.readAllStandardError()};
}

} // namespace

class tst_Packaging : public QObject
{
    Q_OBJECT
    QTemporaryDir m_tmp;
    QString m_prefix; // the installed tree
    QString m_deb;    // the package file
    QString m_debVersion; // as the build wrote it for cpack

    QString path(const QString &relative) const { return m_prefix + '/' + relative; }

private slots:
    void initTestCase()
    {
        m_prefix = m_tmp.filePath("install prefix with blanks");
        const QString out = m_tmp.filePath("package output");
        for (const Run &r : {run(PRESETTA_CMAKE_COMMAND, {"--install", ".", "--prefix", m_prefix}),
                             run(PRESETTA_CPACK_COMMAND, {"-B", out})})
            QVERIFY2(r.ok, qPrintable(r.err + r.out));
        QFile version(PRESETTA_BUILD_DIR "/packaging/debian-version");
        QVERIFY2(version.open(QIODevice::ReadOnly), qPrintable(version.fileName()));
        m_debVersion = QString::fromUtf8(version.readAll()).trimmed();
        const QString arch = run("dpkg", {"--print-architecture"}).out.trimmed();
        m_deb = QStringLiteral("%1/presetta_%2_%3.deb").arg(out, m_debVersion, arch);
        QCOMPARE(QDir(out).entryList({"*.deb"}), QStringList(QFileInfo(m_deb).fileName()));
    }

    void installedFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("mode");
        for (const char *f : {"bin/presetta", "bin/presetta-cli", "bin/presetta-sim", "share/applications/presetta.desktop",
                              kMetainfo, "share/man/man1/presetta.1.gz", "share/man/man1/presetta-cli.1.gz",
                              "share/man/man1/presetta-sim.1.gz", "share/doc/presetta/copyright",
                              "share/doc/presetta/changelog.gz", "share/icons/hicolor/scalable/apps/presetta.svg",
                              "share/presetta/translations/presetta_de.qm", "share/presetta/translations/presetta_en.qm"})
            QTest::newRow(f) << f << (QByteArray(f).startsWith("bin/") ? "755" : "644");
        for (int px : {16, 22, 24, 32, 48, 64, 128, 256})
            QTest::addRow("%d px", px) << QString("share/icons/hicolor/%1x%1/apps/presetta.png").arg(px) << "644";
    }

    void installedFiles()
    {
        QFETCH(QString, file);
        const QFileInfo fi(path(file));
        QVERIFY2(fi.isFile() && fi.size() > 0, qPrintable(fi.filePath()));
        // Qt keeps owner, group and other in hex digits 3, 1 and 0 (digit 2 is the user's).
        QTEST(QString::number(int(fi.permissions() & 0x7077), 16).remove(1, 1), "mode");
        // The icon theme looks for a picture of the size its folder names.
        if (file.endsWith(".png"))
            QCOMPARE(QImage(fi.filePath()).width(), file.section('/', 3, 3).section('x', 0, 0).toInt());
    }

    void validates_data()
    {
        QTest::addColumn<QStringList>("command"); // run in the installed tree
        QTest::newRow("desktop") << QStringList{"desktop-file-validate", "share/applications/presetta.desktop"};
        QTest::newRow("metainfo") << QStringList{"appstreamcli", "validate", "--no-net", kMetainfo};
        for (const char *page : {"presetta", "presetta-cli", "presetta-sim"})
            QTest::newRow(page) << QStringList{"sh", "-c", QString("zcat share/man/man1/%1.1.gz | groff -man -Tutf8 -ww -z").arg(page)};
    }

    void validates()
    {
        QFETCH(QStringList, command);
        const Run r = run(command.first(), command.mid(1), m_prefix);
        QVERIFY2(r.ok && r.err.isEmpty() && !r.out.contains(QRegularExpression("error:|warning:|hint:")),
                 qPrintable(r.err + r.out));
    }

    // The version the window shows, in the metainfo and as the package's.
    void debianPackage()
    {
        const QString release = "<release version=\"" + ProgramIdentity::versionText() + '"';
        QVERIFY2(run("grep", {"-F", release, path(kMetainfo)}).ok, qPrintable(release));
        QCOMPARE(run("dpkg-deb", {"--field", m_deb, "Package", "Version"}).out,
                 "Package: presetta\nVersion: " + m_debVersion + '\n');
        const QString depends = run("dpkg-deb", {"--field", m_deb, "Depends"}).out;
        const QStringList names = depends.split(QRegularExpression(" \\([^)]*\\)|[,|\\s]+"), Qt::SkipEmptyParts);
        // Whatever the programs link, a package that owns it ("libc6:amd64, libc6-i386: /lib/...") is one.
        for (const QString &program : QDir(path("bin")).entryList(QDir::Files)) {
            const QString dynamic = run("readelf", {"-d", path("bin/" + program)}).out;
            for (auto it = QRegularExpression("\\(NEEDED\\).*\\[(.+)\\]").globalMatch(dynamic); it.hasNext();) {
                const QString library = it.next().captured(1);
                const QString owners = run("dpkg", {"-S", "*/" + library}).out;
                const auto owned = owners.split(QRegularExpression("(:[^,\\n]*)?(, |\\n)"), Qt::SkipEmptyParts);
                QVERIFY2(std::any_of(owned.begin(), owned.end(), [&](auto &o) { return names.contains(o); }),
                         qPrintable(library + ": " + owners + depends));
            }
        }
    }

    // Debian's own checker has nothing to say about the package.
    void lintian()
    {
        if (QStandardPaths::findExecutable("lintian").isEmpty())
            QSKIP("lintian is not installed");
        const Run r = run("lintian", {m_deb});
        QVERIFY2(r.ok && r.out.isEmpty(), qPrintable(r.err + r.out));
    }

    // Installed under /usr the program's folder is read-only and there may be
    // no icon theme: it must start all the same and leave its folder alone.
    void startsFromReadOnlyPrefix()
    {
        const QStringList listing{m_prefix, "-printf", "%p %s %T@\n"};
        QVERIFY(run("chmod", {"-R", "a-w", m_prefix}).ok);
        const Run before = run("find", listing);
        qputenv("XDG_DATA_DIRS", m_tmp.filePath("no data").toLocal8Bit()); // no icon theme
        QProcess program;
        program.start(path("bin/presetta"), {});
        // A start-up failure shows at once; a window never ends by itself.
        QVERIFY2(!program.waitForFinished(3000), program.readAllStandardError().constData());
        program.kill();
        QCOMPARE(run("find", listing).out, before.out);
        run("chmod", {"-R", "u+w", m_prefix}); // for the temporary folder's removal
    }
};

QTEST_MAIN(tst_Packaging)
#include "tst_packaging.moc"
