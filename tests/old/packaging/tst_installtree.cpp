// Installs this build into a prefix whose name has blanks and checks what
// lands there: the files, the desktop entry, the AppStream metainfo, the icons,
// the man pages, and that the installed program starts from a read-only
// prefix with no icon theme around.
#include "ProcessRun.h"
#include "identity/ProgramIdentity.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

const QString kMetainfo = QStringLiteral("share/metainfo/com.norvane.presetta.metainfo.xml");
const QString kDesktop = QStringLiteral("share/applications/presetta.desktop");

QString readText(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}

// Keys of the [Desktop Entry] group.
QHash<QString, QString> desktopEntry(const QString &path)
{
    QHash<QString, QString> keys;
    bool inEntry = false;
    const QStringList lines = readText(path).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1Char('['))) {
            inEntry = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        if (inEntry && eq > 0)
            keys.insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
    return keys;
}

// Path, size and modification time of everything below `root`.
QStringList snapshot(const QString &root)
{
    QStringList items;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo fi(it.next());
        items << QStringLiteral("%1 %2 %3").arg(fi.filePath()).arg(fi.size()).arg(
            fi.lastModified().toMSecsSinceEpoch());
    }
    items.sort();
    return items;
}

void setWritable(const QString &root, bool writable)
{
    const QFileDevice::Permissions w =
        QFileDevice::WriteOwner | QFileDevice::WriteUser | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    QStringList paths{root};
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        paths << it.next();
    for (const QString &p : std::as_const(paths)) {
        const QFileInfo fi(p);
        if (fi.isSymLink())
            continue;
        QFile::setPermissions(p, writable ? fi.permissions() | QFileDevice::WriteOwner | QFileDevice::WriteUser
                                          : fi.permissions() & ~w);
    }
}

QString toolOrEmpty(const char *name)
{
    return ProcessRun::findTool(QString::fromLatin1(name));
}

} // namespace

class tst_InstallTree : public QObject
{
    Q_OBJECT

private:
    QString path(const QString &relative) const { return m_prefix + QLatin1Char('/') + relative; }

    QTemporaryDir m_tmp;
    QString m_prefix;

private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        m_prefix = m_tmp.path() + QStringLiteral("/install prefix with blanks");
        const ProcessResult r = ProcessRun::run(
            QStringLiteral(PRESETTA_CMAKE_COMMAND),
            {QStringLiteral("--install"), QStringLiteral(PRESETTA_BUILD_DIR), QStringLiteral("--prefix"), m_prefix});
        QVERIFY2(r.succeeded(), qPrintable(r.describe()));
    }

    void cleanupTestCase()
    {
        // The read-only check takes the write bits; the temporary folder needs them back.
        if (!m_prefix.isEmpty())
            setWritable(m_prefix, true);
    }

    void installsFile_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("executable");
        QTest::newRow("program") << QStringLiteral("bin/presetta") << true;
#if PRESETTA_HAS_SIM
        QTest::newRow("simulator") << QStringLiteral("bin/presetta-sim") << true;
#endif
        QTest::newRow("desktop entry") << kDesktop << false;
        QTest::newRow("metainfo") << kMetainfo << false;
        QTest::newRow("svg icon") << QStringLiteral("share/icons/hicolor/scalable/apps/presetta.svg") << false;
        QTest::newRow("man page") << QStringLiteral("share/man/man1/presetta.1") << false;
        QTest::newRow("sim man page") << QStringLiteral("share/man/man1/presetta-sim.1") << false;
    }

    void installsFile()
    {
        QFETCH(QString, file);
        QFETCH(bool, executable);
        const QFileInfo fi(path(file));
        QVERIFY2(fi.isFile(), qPrintable(fi.filePath()));
        QVERIFY(fi.size() > 0);
        QCOMPARE(fi.isExecutable(), executable);
    }

    void pngIconHasItsSize_data()
    {
        QTest::addColumn<int>("size");
        for (int s : {16, 22, 24, 32, 48, 64, 128, 256})
            QTest::addRow("%dx%d", s, s) << s;
    }

    // The hicolor theme only finds an icon whose pixels match its folder.
    void pngIconHasItsSize()
    {
        QFETCH(int, size);
        const QString file = path(QStringLiteral("share/icons/hicolor/%1x%1/apps/presetta.png").arg(size));
        QImage image;
        QVERIFY2(image.load(file, "PNG"), qPrintable(file));
        QCOMPARE(image.size(), QSize(size, size));
        QVERIFY(image.hasAlphaChannel());
        int opaque = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                opaque += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
        QVERIFY2(opaque > size * size / 4, "the icon is (nearly) empty");
    }

    void desktopEntryValidates()
    {
        const QString tool = toolOrEmpty("desktop-file-validate");
        QVERIFY2(!tool.isEmpty(), "desktop-file-validate is missing (Debian package desktop-file-utils)");
        const ProcessResult r = ProcessRun::run(tool, {path(kDesktop)});
        QVERIFY2(r.succeeded(), qPrintable(r.describe() + QString::fromLocal8Bit(r.out)));
        // Hints are advice; errors and warnings are not accepted.
        const QString report = QString::fromLocal8Bit(r.out + r.err);
        QVERIFY2(!report.contains(QLatin1String("error:")) && !report.contains(QLatin1String("warning:")),
                 qPrintable(report));
    }

    void desktopEntryStartsTheInstalledProgram()
    {
        const QHash<QString, QString> e = desktopEntry(path(kDesktop));
        QCOMPARE(e.value(QStringLiteral("Type")), QStringLiteral("Application"));
        QCOMPARE(e.value(QStringLiteral("Name")), ProgramIdentity::kTitle);
        QVERIFY(!e.value(QStringLiteral("Comment")).isEmpty());
        QCOMPARE(e.value(QStringLiteral("Terminal")), QStringLiteral("false"));
        const QString program = e.value(QStringLiteral("Exec")).section(QLatin1Char(' '), 0, 0);
        QVERIFY2(QFileInfo(path(QStringLiteral("bin/") + program)).isExecutable(), qPrintable(program));
        const QString icon = e.value(QStringLiteral("Icon"));
        QVERIFY(QFileInfo::exists(path(QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(icon))));
        const QStringList categories =
            e.value(QStringLiteral("Categories")).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        QVERIFY(categories.contains(QStringLiteral("Utility")));
    }

    void metainfoValidates()
    {
        const QString tool = toolOrEmpty("appstreamcli");
        QVERIFY2(!tool.isEmpty(), "appstreamcli is missing (Debian package appstream)");
        const ProcessResult r =
            ProcessRun::run(tool, {QStringLiteral("validate"), QStringLiteral("--no-net"), path(kMetainfo)});
        QVERIFY2(r.succeeded(), qPrintable(r.describe() + QString::fromUtf8(r.out)));
    }

    void metainfoNamesReleaseAndDesktopEntry()
    {
        QFile f(path(kMetainfo));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&f);
        QString version, date, launchable, name;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("release")) {
                version = xml.attributes().value(QLatin1String("version")).toString();
                date = xml.attributes().value(QLatin1String("date")).toString();
            } else if (xml.name() == QLatin1String("launchable")) {
                launchable = xml.readElementText();
            } else if (xml.name() == QLatin1String("name") && name.isEmpty()) {
                name = xml.readElementText();
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(name, ProgramIdentity::kTitle);
        QCOMPARE(version, ProgramIdentity::versionText());
        QCOMPARE(date, QString(ProgramIdentity::kReleaseDate).replace(QLatin1Char('.'), QLatin1Char('-')));
        QCOMPARE(QStringLiteral("share/applications/") + launchable, kDesktop);
    }

    void manPageFormatsCleanly_data()
    {
        QTest::addColumn<QString>("page");
        QTest::newRow("presetta") << QStringLiteral("presetta");
        QTest::newRow("presetta-sim") << QStringLiteral("presetta-sim");
    }

    void manPageFormatsCleanly()
    {
        QFETCH(QString, page);
        const QString tool = toolOrEmpty("groff");
        QVERIFY2(!tool.isEmpty(), "groff is missing (Debian package groff-base)");
        const QString file = path(QStringLiteral("share/man/man1/%1.1").arg(page));
        const ProcessResult r = ProcessRun::run(
            tool, {QStringLiteral("-man"), QStringLiteral("-Tutf8"), QStringLiteral("-ww"), QStringLiteral("-z"), file});
        QVERIFY2(r.succeeded(), qPrintable(r.describe()));
        QVERIFY2(r.err.isEmpty(), r.err.constData());
        QVERIFY(readText(file).contains(ProgramIdentity::versionText()));
    }

    // Every option the simulator accepts is explained in its man page.
    void simManPageCoversEveryOption()
    {
#if !PRESETTA_HAS_SIM
        QSKIP("presetta-sim is not part of this build");
#endif
        const ProcessResult r = ProcessRun::run(path(QStringLiteral("bin/presetta-sim")), {QStringLiteral("--help")});
        QVERIFY2(r.succeeded(), qPrintable(r.describe()));
        const QString help = QString::fromLocal8Bit(r.out);
        const QString page = readText(path(QStringLiteral("share/man/man1/presetta-sim.1")));
        static const QRegularExpression optionLine(QStringLiteral("^\\s+(?:-\\w, )?--([a-z][a-z-]*)"),
                                                   QRegularExpression::MultilineOption);
        int seen = 0;
        for (auto it = optionLine.globalMatch(help); it.hasNext(); ++seen) {
            const QString name = it.next().captured(1);
            const QString roff = QStringLiteral("\\-\\-") + QString(name).replace(QLatin1Char('-'), QLatin1String("\\-"));
            QVERIFY2(page.contains(roff), qPrintable(QStringLiteral("--%1 is not in presetta-sim.1").arg(name)));
        }
        QVERIFY2(seen > 0, "no options found in --help");
    }

    // Installed under /usr the program's folder is not writable, and a bare
    // system may have no icon theme; the program must start all the same and
    // leave its folder as it was.
    void startsFromReadOnlyPrefixWithoutIconTheme()
    {
        const QString home = m_tmp.path() + QStringLiteral("/home");
        const QString noData = m_tmp.path() + QStringLiteral("/no data");
        QVERIFY(QDir().mkpath(home));
        QVERIFY(QDir().mkpath(noData));

        setWritable(m_prefix, false);
        const QStringList before = snapshot(m_prefix);

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), noData);
        env.insert(QStringLiteral("XDG_DATA_DIRS"), noData);
        QProcess program;
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(home);
        program.start(path(QStringLiteral("bin/presetta")), QStringList());
        QSignalSpy ended(&program, &QProcess::finished);
        // Start-up failures show within moments; a running window never ends by itself.
        QVERIFY2(!ended.wait(3000), program.readAllStandardError().constData());
        QCOMPARE(program.state(), QProcess::Running);
        program.kill();
        QVERIFY(ended.wait(30000));

        QCOMPARE(snapshot(m_prefix), before);
    }
};

QTEST_MAIN(tst_InstallTree)
#include "tst_installtree.moc"
