// SPDX-License-Identifier: GPL-3.0-or-later
// The user's language: German where the program has it, and every other
// language sees the texts exactly as written, framing blanks included.
#include "TestFiles.h"
#include "WindowHarness.h"
#include "text/Translations.h"

#include <QCheckBox>
#include <QScopeGuard>

class tst_AppLanguage : public QObject
{
    Q_OBJECT
    TestStore store;

private slots:
    void initTestCase() { QVERIFY(store.isValid()); }

    // A text from the form (uic), from the window's code and from the core.
    void window_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("connect");
        QTest::addColumn<QString>("sort");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QString>("openTitle");
        QTest::addColumn<QString>("saveTitle");
        QTest::newRow("German") << "de_DE" << "   &Verbinden" << "Nach Frequenz sortieren"
                                << "  CSV-Datei ist nicht kompatibel!  " << "Daten öffnen ..." << "Daten speichern ...";
        QTest::newRow("English") << "en_US" << "    &Connect" << "Sort by frequency" << "  CSV-File is not compatible!  "
                                 << "Open Data ..." << "Save Data ...";
    }
    void window()
    {
        QFETCH(QString, locale);
        const auto restore = qScopeGuard([] { Translations::install(qApp, QLocale::c()); });
        QCOMPARE(Translations::install(qApp, QLocale(locale)), locale.startsWith("de") || locale.startsWith("en"));
        QVERIFY(writeBytes(store.file("foreign.csv"), "Frequency;Station\r\n"));
        WindowHarness h;
        QVERIFY(h.start(store.file("foreign.csv")));
        QTEST(h.child<QCheckBox>("ckConn")->text(), "connect");
        QCOMPARE(h.dialogs.messages.size(), 1);
        QTEST(h.dialogs.messages.value(0).text, "refusal");
        QTEST(h.action("actSortByFrequency")->text(), "sort");
        h.click("cLoad");
        h.click("cSave");
        QTEST(h.dialogs.fileRequests.value(0).title, "openTitle");
        QTEST(h.dialogs.fileRequests.value(1).title, "saveTitle");
    }

    // Counts take their language's singular and plural. (The English forms, in
    // the C locale too, show in every test that reads a transfer's word.)
    void plurals_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("text");
        QTest::newRow("German, one") << "de_DE" << 1 << "1 Kanal empfangen";
        QTest::newRow("German, many") << "de_DE" << 99 << "99 Kanäle empfangen";
    }
    void plurals()
    {
        const auto restore = qScopeGuard([] { Translations::install(qApp, QLocale::c()); });
        Translations::install(qApp, QLocale(cell<QString>("locale")));
        QTEST(QCoreApplication::translate("TransferWords", "%n channel(s) received", nullptr, cell<int>("count")), "text");
    }
};

QTEST_MAIN(tst_AppLanguage)
#include "tst_app_language.moc"
