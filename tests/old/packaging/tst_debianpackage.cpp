// Builds the Debian package with cpack and reads it back with dpkg-deb: file
// name, control fields, computed dependencies plus the run-time plugin, and
// the files it installs.
#include "ProcessRun.h"
#include "identity/ProgramIdentity.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class tst_DebianPackage : public QObject
{
    Q_OBJECT

private:
    QString field(const QString &name) const
    {
        const QRegularExpression line(QStringLiteral("^%1: (.*)$").arg(name),
                                      QRegularExpression::MultilineOption);
        return line.match(m_control).captured(1).trimmed();
    }

    QStringList dependsNames() const
    {
        QStringList names;
        const QStringList items = field(QStringLiteral("Depends")).split(QLatin1Char(','), Qt::SkipEmptyParts);
        for (const QString &item : items)
            for (const QString &alternative : item.split(QLatin1Char('|')))
                names << alternative.trimmed().section(QLatin1Char(' '), 0, 0);
        return names;
    }

    QTemporaryDir m_tmp;
    QString m_root; // the package unpacked
    QString m_deb;
    QString m_control;
    QStringList m_contents;

private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        QVERIFY2(!ProcessRun::findTool(QStringLiteral("dpkg-shlibdeps")).isEmpty(),
                 "dpkg-shlibdeps is missing (Debian package dpkg-dev)");
        const QString out = m_tmp.path() + QStringLiteral("/package output");
        const ProcessResult pack = ProcessRun::run(
            QStringLiteral(PRESETTA_CPACK_COMMAND),
            {QStringLiteral("--config"), QStringLiteral(PRESETTA_BUILD_DIR "/CPackConfig.cmake"),
             QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("-B"), out});
        QVERIFY2(pack.succeeded(), qPrintable(pack.describe() + QString::fromLocal8Bit(pack.out)));

        const QStringList debs = QDir(out).entryList({QStringLiteral("*.deb")}, QDir::Files);
        QCOMPARE(debs.size(), 1);
        m_deb = out + QLatin1Char('/') + debs.first();

        const ProcessResult info = ProcessRun::run(QStringLiteral("dpkg-deb"), {QStringLiteral("--field"), m_deb});
        QVERIFY2(info.succeeded(), qPrintable(info.describe()));
        m_control = QString::fromUtf8(info.out);
        const ProcessResult list = ProcessRun::run(QStringLiteral("dpkg-deb"), {QStringLiteral("--contents"), m_deb});
        QVERIFY2(list.succeeded(), qPrintable(list.describe()));
        m_contents = QString::fromUtf8(list.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        m_root = m_tmp.path() + QStringLiteral("/unpacked");
        const ProcessResult x = ProcessRun::run(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), m_deb, m_root});
        QVERIFY2(x.succeeded(), qPrintable(x.describe()));
    }

    void fileNameIsPackageVersionArchitecture()
    {
        const ProcessResult arch =
            ProcessRun::run(QStringLiteral("dpkg"), {QStringLiteral("--print-architecture")});
        QVERIFY2(arch.succeeded(), qPrintable(arch.describe()));
        QCOMPARE(QFileInfo(m_deb).fileName(), QStringLiteral("presetta_%1_%2.deb")
                                                  .arg(QStringLiteral(PRESETTA_DEB_VERSION),
                                                       QString::fromLatin1(arch.out).trimmed()));
    }

    // The version the window shows is the package version.
    void versionIsTheProgramVersion()
    {
        QCOMPARE(QStringLiteral(PRESETTA_VERSION_TEXT), ProgramIdentity::versionText());
        QCOMPARE(field(QStringLiteral("Version")), QStringLiteral(PRESETTA_DEB_VERSION));
        if (ProgramIdentity::kRevision >= 1 && ProgramIdentity::kRevision <= 26)
            QCOMPARE(field(QStringLiteral("Version")), ProgramIdentity::versionText());
    }

    void controlFields()
    {
        QCOMPARE(field(QStringLiteral("Package")), QStringLiteral("presetta"));
        QVERIFY(!field(QStringLiteral("Maintainer")).isEmpty());
        QVERIFY(!field(QStringLiteral("Description")).isEmpty());
        QVERIFY(!field(QStringLiteral("Architecture")).isEmpty());
    }

    void dependsOn_data()
    {
        QTest::addColumn<QString>("package");
        QTest::newRow("Qt widgets") << QStringLiteral("libqt6widgets6");
        // Loaded at run time only, so named by hand.
        QTest::newRow("Qt SVG plugins") << QStringLiteral("libqt6svg6");
    }

    void dependsOn()
    {
        QFETCH(QString, package);
        QVERIFY2(dependsNames().contains(package), qPrintable(field(QStringLiteral("Depends"))));
    }

    void dependsOnOwnerOfEveryLinkedLibrary_data()
    {
        QTest::addColumn<QString>("library");
        const QString readelf = ProcessRun::findTool(QStringLiteral("readelf"));
        QVERIFY2(!readelf.isEmpty(), "readelf is missing (Debian package binutils)");
        static const QRegularExpression needed(QStringLiteral("\\(NEEDED\\).*\\[(.+)\\]"));
        const QDir bin(m_root + QStringLiteral("/usr/bin"));
        const QStringList programs = bin.entryList(QDir::Files);
        QVERIFY(!programs.isEmpty());
        for (const QString &program : programs) {
            const ProcessResult r = ProcessRun::run(readelf, {QStringLiteral("-d"), bin.filePath(program)});
            QVERIFY2(r.succeeded(), qPrintable(r.describe()));
            for (auto it = needed.globalMatch(QString::fromLatin1(r.out)); it.hasNext();) {
                const QString library = it.next().captured(1);
                QTest::addRow("%s: %s", qPrintable(program), qPrintable(library)) << library;
            }
        }
    }

    // Whatever the programs link, the package that owns it is a dependency.
    void dependsOnOwnerOfEveryLinkedLibrary()
    {
        QFETCH(QString, library);
        const ProcessResult r = ProcessRun::run(QStringLiteral("dpkg"), {QStringLiteral("-S"), QStringLiteral("*/") + library});
        QVERIFY2(r.succeeded(), qPrintable(r.describe()));
        // "libqt6widgets6:amd64: /usr/lib/.../libQt6Widgets.so.6"
        QStringList owners;
        const QStringList lines = QString::fromUtf8(r.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString &line : lines)
            for (const QString &p : line.section(QStringLiteral(": "), 0, 0).split(QStringLiteral(", ")))
                owners << p.section(QLatin1Char(':'), 0, 0).trimmed();
        const QStringList depends = dependsNames();
        bool covered = false;
        for (const QString &owner : std::as_const(owners))
            covered = covered || depends.contains(owner);
        QVERIFY2(covered, qPrintable(QStringLiteral("%1 (from %2) not in Depends: %3")
                                         .arg(library, owners.join(QLatin1Char(' ')),
                                              field(QStringLiteral("Depends")))));
    }

    void contains_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("mode");
        QTest::newRow("program") << QStringLiteral("./usr/bin/presetta") << QStringLiteral("-rwxr-xr-x");
#if PRESETTA_HAS_SIM
        QTest::newRow("simulator") << QStringLiteral("./usr/bin/presetta-sim") << QStringLiteral("-rwxr-xr-x");
#endif
        QTest::newRow("desktop entry") << QStringLiteral("./usr/share/applications/presetta.desktop")
                                       << QStringLiteral("-rw-r--r--");
        QTest::newRow("metainfo") << QStringLiteral("./usr/share/metainfo/com.norvane.presetta.metainfo.xml")
                                  << QStringLiteral("-rw-r--r--");
        QTest::newRow("svg icon") << QStringLiteral("./usr/share/icons/hicolor/scalable/apps/presetta.svg")
                                  << QStringLiteral("-rw-r--r--");
        QTest::newRow("48 px icon") << QStringLiteral("./usr/share/icons/hicolor/48x48/apps/presetta.png")
                                    << QStringLiteral("-rw-r--r--");
        QTest::newRow("man page") << QStringLiteral("./usr/share/man/man1/presetta.1") << QStringLiteral("-rw-r--r--");
        QTest::newRow("sim man page") << QStringLiteral("./usr/share/man/man1/presetta-sim.1")
                                      << QStringLiteral("-rw-r--r--");
    }

    void contains()
    {
        QFETCH(QString, file);
        QFETCH(QString, mode);
        // dpkg-deb lists: mode owner/group size date time path
        QString found;
        for (const QString &line : std::as_const(m_contents))
            if (line.endsWith(QLatin1Char(' ') + file))
                found = line;
        QVERIFY2(!found.isEmpty(), qPrintable(file));
        QCOMPARE(found.section(QLatin1Char(' '), 0, 0), mode);
        QVERIFY2(found.contains(QLatin1String(" root/root ")), qPrintable(found));
    }
};

QTEST_GUILESS_MAIN(tst_DebianPackage)
#include "tst_debianpackage.moc"
