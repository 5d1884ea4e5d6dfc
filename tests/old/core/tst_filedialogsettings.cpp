#include "files/FileDialogSettings.h"

#include <QtTest>

class TestFileDialogSettings : public QObject
{
    Q_OBJECT

private slots:
    void make_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("initialPath");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("expTitle");
        QTest::addColumn<QStringList>("filters");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("directory");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("suffix");

        const QString csv = QStringLiteral("CSV-Files (*.csv)|*.csv");
        const QStringList csvList{QStringLiteral("CSV-Files (*.csv)")};
        QTest::newRow("save csv") << 1 << "/home/u/Presetta_20250701-1432.csv" << "Save Data ..." << csv
                                  << "Save Data ..." << csvList << 0 << "/home/u/"
                                  << "Presetta_20250701-1432" << "csv";
        QTest::newRow("open csv") << 0 << "/home/u/*.csv" << "Open Data ..." << csv + "|"
                                  << "Open Data ..." << csvList << 0 << "/home/u/" << "" << "csv";
        QTest::newRow("open defaults") << 0 << "" << "" << "" << "Datei öffnen ..." << QStringList()
                                       << -1 << "" << "" << "";
        QTest::newRow("save default title") << 1 << "list" << "" << "" << "Datei speichern ..."
                                            << QStringList() << -1 << "" << "list" << "";
        QTest::newRow("case-insensitive choice")
            << 1 << "C:\\data\\list.CSV" << "T" << "Text (*.txt)|*.txt|CSV-Files (*.csv)|*.csv|All|*"
            << "T" << QStringList{"Text (*.txt)", "CSV-Files (*.csv)", "All (*)"} << 1 << "C:\\data\\"
            << "list" << "CSV";
        QTest::newRow("pairs counted, not patterns")
            << 0 << "/d/*.csv" << "T" << "All|*|CSV|*.csv" << "T" << QStringList{"All (*)", "CSV (*.csv)"}
            << 1 << "/d/" << "" << "csv";
        QTest::newRow("no matching pattern") << 0 << "/d/a.xyz" << "T" << csv << "T" << csvList << -1
                                             << "/d/" << "" << "xyz";
        QTest::newRow("several patterns") << 0 << "a.txt" << "T" << "Data|*.csv;*.txt" << "T"
                                          << QStringList{"Data (*.csv *.txt)"} << -1 << "" << "" << "txt";
        QTest::newRow("description without pattern") << 0 << "" << "T" << "CSV|*.csv|Orphan" << "T"
                                                     << QStringList{"CSV (*.csv)"} << -1 << "" << "" << "";
        QTest::newRow("dot in folder only") << 1 << "/a.b/file" << "T" << "" << "T" << QStringList()
                                            << -1 << "/a.b/" << "file" << "";
        QTest::newRow("folder only") << 1 << "/home/u/" << "T" << "" << "T" << QStringList() << -1
                                     << "/home/u/" << "" << "";
    }
    void make()
    {
        QFETCH(int, mode);
        QFETCH(QString, initialPath);
        QFETCH(QString, title);
        QFETCH(QString, filter);
        const FileDialogSettings s = FileDialogSettings::make(mode, initialPath, title, filter);
        QTEST(s.title, "expTitle");
        QTEST(s.nameFilters, "filters");
        QTEST(s.selectedFilter, "selected");
        QTEST(s.directory, "directory");
        QTEST(s.fileName, "fileName");
        QTEST(s.defaultSuffix, "suffix");
    }
};

QTEST_GUILESS_MAIN(TestFileDialogSettings)
#include "tst_filedialogsettings.moc"
