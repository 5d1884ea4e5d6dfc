#include "memlist/Bands.h"
#include "memlist/EntryEditor.h"

#include <QTest>

class tst_MemlistBands : public QObject
{
    Q_OBJECT

private slots:
    void editorBand_data();
    void editorBand();
    void receivedBand_data();
    void receivedBand();
    void limitsFollowTheirTexts_data();
    void limitsFollowTheirTexts();
    void frequencyBoxText_data();
    void frequencyBoxText();
    void choices_data();
    void choices();
};

void tst_MemlistBands::editorBand_data()
{
    QTest::addColumn<qint64>("kHz");
    QTest::addColumn<int>("band");

    QTest::newRow("0") << qint64(0) << -1;
    QTest::newRow("negative") << qint64(-5) << -1;
    QTest::newRow("143") << qint64(143) << -1;
    QTest::newRow("144") << qint64(144) << 0;
    QTest::newRow("1008") << qint64(1008) << 0;
    QTest::newRow("27000") << qint64(27000) << 0;
    QTest::newRow("27001") << qint64(27001) << -1;
    QTest::newRow("50000") << qint64(50000) << -1;
    QTest::newRow("64999") << qint64(64999) << -1;
    QTest::newRow("65000") << qint64(65000) << 1;
    QTest::newRow("87600") << qint64(87600) << 1;
    QTest::newRow("108000") << qint64(108000) << 1;
    QTest::newRow("108001") << qint64(108001) << -1;
}

void tst_MemlistBands::editorBand()
{
    QFETCH(qint64, kHz);
    QFETCH(int, band);
    QCOMPARE(int(Bands::bandOf(kHz, Bands::Limits())), band);
}

void tst_MemlistBands::receivedBand_data()
{
    QTest::addColumn<qint64>("kHz");
    QTest::addColumn<int>("band");

    QTest::newRow("0") << qint64(0) << -1;
    QTest::newRow("negative") << qint64(-1) << -1;
    QTest::newRow("1") << qint64(1) << 0;
    QTest::newRow("143") << qint64(143) << 0;
    QTest::newRow("27000") << qint64(27000) << 0;
    QTest::newRow("27001") << qint64(27001) << 0;
    QTest::newRow("64999") << qint64(64999) << 0;
    QTest::newRow("65000") << qint64(65000) << 1;
    QTest::newRow("108000") << qint64(108000) << 1;
    QTest::newRow("108001") << qint64(108001) << 0;
}

void tst_MemlistBands::receivedBand()
{
    QFETCH(qint64, kHz);
    QFETCH(int, band);
    QCOMPARE(int(Bands::bandOfReceived(kHz, Bands::Limits())), band);
}

void tst_MemlistBands::limitsFollowTheirTexts_data()
{
    QTest::addColumn<QString>("aMax");
    QTest::addColumn<QString>("fMin");
    QTest::addColumn<qint64>("kHz");
    QTest::addColumn<int>("band");
    QTest::addColumn<int>("receivedBand");

    // AM is tested first, so a frequency inside both ranges is AM.
    QTest::newRow("overlap gives AM") << "70000" << "65000" << qint64(66000) << 0 << 1;
    QTest::newRow("raised FM floor") << "27000" << "87500" << qint64(87000) << -1 << 0;
    QTest::newRow("limit with blanks") << "27000" << "  87500" << qint64(87500) << 1 << 1;
    QTest::newRow("limit with decimals") << "27000" << "87499.5" << qint64(87499) << -1 << 0;
    QTest::newRow("limit half rounds even") << "27000" << "87499.5" << qint64(87500) << 1 << 1;
    QTest::newRow("limit without number") << "x" << "65000" << qint64(144) << -1 << 0;
}

void tst_MemlistBands::limitsFollowTheirTexts()
{
    QFETCH(QString, aMax);
    QFETCH(QString, fMin);
    QFETCH(qint64, kHz);
    QFETCH(int, band);
    QFETCH(int, receivedBand);

    Bands::Limits l;
    l.aMax = aMax;
    l.fMin = fMin;
    QCOMPARE(int(Bands::bandOf(kHz, l)), band);
    QCOMPARE(int(Bands::bandOfReceived(kHz, l)), receivedBand);
}

void tst_MemlistBands::frequencyBoxText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("band");

    QTest::newRow("empty") << "" << -1;
    QTest::newRow("27000") << "27000" << 0;
    QTest::newRow("27001") << "27001" << -1;
    QTest::newRow("143.5 rounds to 144") << "143.5" << 0;
    QTest::newRow("144.5 rounds to 144") << "144.5" << 0;
    QTest::newRow("108000.5 rounds to 108000") << "108000.5" << 1;
    QTest::newRow("108001.5 rounds to 108002") << "108001.5" << -1;
    QTest::newRow("pasted with letters") << "87600a" << 1;
    QTest::newRow("letters first") << "a87600" << -1;
}

void tst_MemlistBands::frequencyBoxText()
{
    QFETCH(QString, text);
    QFETCH(int, band);
    QCOMPARE(int(EntryEditor::bandOfText(text, Bands::Limits())), band);
}

void tst_MemlistBands::choices_data()
{
    QTest::addColumn<int>("band");
    QTest::addColumn<QStringList>("bandwidth");
    QTest::addColumn<QStringList>("stereo");

    QTest::newRow("AM") << 0 << QStringList{"3k", "4k", "6k", "8k"} << QStringList();
    QTest::newRow("FM") << 1
                        << QStringList{"AUTO", "56k",  "64k",  "72k",  "84k",  "97k",
                                       "114k", "133k", "151k", "168k", "184k", "200k",
                                       "217k", "236k", "254k", "287k", "311k"}
                        << QStringList{"OFF", "AUTO"};
    QTest::newRow("none") << -1 << QStringList() << QStringList();
    QTest::newRow("unknown band") << 2 << QStringList() << QStringList();
}

void tst_MemlistBands::choices()
{
    QFETCH(int, band);
    QFETCH(QStringList, bandwidth);
    QFETCH(QStringList, stereo);
    QCOMPARE(Bands::bandwidthChoices(qint16(band)), bandwidth);
    QCOMPARE(Bands::stereoChoices(qint16(band)), stereo);
}

QTEST_APPLESS_MAIN(tst_MemlistBands)
#include "tst_memlist_bands.moc"
