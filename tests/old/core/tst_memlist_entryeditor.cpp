#include "memlist/EntryEditor.h"

#include <QTest>

namespace {

EntryEditor::Input input(int n, const QString &band, const QString &freq, const QString &name,
                         const QString &pi, int bwIndex, const QString &bwItem, int stIndex)
{
    EntryEditor::Input in;
    in.n = n;
    in.bandText = band;
    in.frequencyText = freq;
    in.nameText = name;
    in.piText = pi;
    in.bandwidthIndex = bwIndex;
    in.bandwidthItem = bwItem;
    in.stereoIndex = stIndex;
    return in;
}

MemoryEntry oldEntry()
{
    MemoryEntry e;
    e.band = 1;
    e.frequency = 99000;
    e.setName(QStringLiteral("OLDNAME"));
    e.setPi(QStringLiteral("BEEF"));
    e.bandwidth = 7;
    e.stereo = 1;
    return e;
}

} // namespace

Q_DECLARE_METATYPE(EntryEditor::Input)

class tst_MemlistEntryEditor : public QObject
{
    Q_OBJECT

private slots:
    void applyLine_data();
    void applyLine();
    void storedEntry_data();
    void storedEntry();
    void piRule_data();
    void piRule();
    void noBandKeepsCodes();
    void fmWithoutChoiceKeepsCodes_data();
    void fmWithoutChoiceKeepsCodes();
    void longListKeepsAllDigits();
};

void tst_MemlistEntryEditor::applyLine_data()
{
    QTest::addColumn<EntryEditor::Input>("in");
    QTest::addColumn<QString>("line");

    QTest::newRow("FM stereo")
        << input(1, "FM", "100400", "REGNBOGN", "", 0, "AUTO", 1)
        << " 01 | FM | 100.400 | REGNBOGN | 0000 | AUTO | STEREO";
    QTest::newRow("FM mono, left-aligned")
        << input(2, "FM", "87600", "RADIO", "D3C3", 5, "97k", 0)
        << " 02 | FM |  87.600 | RADIO    | D3C3 |  97k | MONO  ";
    QTest::newRow("AM, seven blanks at the end")
        << input(3, "AM", "1008", "AMSTAT", "", 1, "4k", -1)
        << " 03 | AM |   1.008 | AMSTAT   |      |   4k |       ";
    QTest::newRow("no band shows the frequency")
        << input(5, "", "50000", "LOST", "1234", -1, "", -1)
        << " 05 | -- |  50.000 |          |      |      |       ";
    QTest::newRow("empty frequency")
        << input(1, "", "", "", "", -1, "", -1)
        << " 01 | -- |         |          |      |      |       ";
    QTest::newRow("FM with no stereo choice")
        << input(4, "FM", "87600", "R", "1", -1, "", -1)
        << " 04 | FM |  87.600 | R        | 0001 |      | STEREO";
    QTest::newRow("band box text wins over computed band")
        << input(6, "??", "1008", "X", "", 0, "3k", -1)
        << " 06 | ?? |   1.008 | X        |      |   3k |       ";
}

void tst_MemlistEntryEditor::applyLine()
{
    QFETCH(EntryEditor::Input, in);
    QFETCH(QString, line);
    QCOMPARE(EntryEditor::apply(oldEntry(), in, Bands::Limits()).line, line);
}

void tst_MemlistEntryEditor::storedEntry_data()
{
    QTest::addColumn<EntryEditor::Input>("in");
    QTest::addColumn<int>("band");
    QTest::addColumn<int>("frequency");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pi");
    QTest::addColumn<int>("bw");
    QTest::addColumn<int>("stereo");

    QTest::newRow("FM") << input(1, "FM", "87600", "RADIO", "d3c3", 5, "97k", 0)
                        << 1 << 87600 << "RADIO    " << "d3c3" << 5 << 0;
    QTest::newRow("AM stores stereo 0 and position + 1")
        << input(1, "AM", "1008", "AMSTAT", "12", 3, "8k", 1) << 0 << 1008 << "AMSTAT   "
        << "    " << 4 << 0;
    QTest::newRow("AM without selection stores code 0")
        << input(1, "AM", "1008", "A", "", -1, "", -1) << 0 << 1008 << "A        " << "    " << 0 << 0;
    QTest::newRow("name cut to nine") << input(1, "FM", "87600", "ABCDEFGHIJK", "1", 0, "AUTO", 1)
                                      << 1 << 87600 << "ABCDEFGHI" << "0001" << 0 << 1;
    QTest::newRow("name kept as typed")
        << input(1, "FM", "87600", " lower!", "1", 0, "AUTO", 1) << 1 << 87600 << " lower!  "
        << "0001" << 0 << 1;
    QTest::newRow("frequency half rounds to even")
        << input(1, "FM", "87600.5", "R", "1", 0, "AUTO", 1) << 1 << 87600 << "R        " << "0001"
        << 0 << 1;
    QTest::newRow("odd frequency half rounds up")
        << input(1, "FM", "87601.5", "R", "1", 0, "AUTO", 1) << 1 << 87602 << "R        " << "0001"
        << 0 << 1;
    QTest::newRow("pasted letters end the number")
        << input(1, "FM", "87600x", "R", "1", 0, "AUTO", 1) << 1 << 87600 << "R        " << "0001"
        << 0 << 1;
}

void tst_MemlistEntryEditor::storedEntry()
{
    QFETCH(EntryEditor::Input, in);
    QFETCH(int, band);
    QFETCH(int, frequency);
    QFETCH(QString, name);
    QFETCH(QString, pi);
    QFETCH(int, bw);
    QFETCH(int, stereo);

    const MemoryEntry e = EntryEditor::apply(oldEntry(), in, Bands::Limits()).entry;
    QCOMPARE(int(e.band), band);
    QCOMPARE(int(e.frequency), frequency);
    QCOMPARE(e.name, name);
    QCOMPARE(e.pi, pi);
    QCOMPARE(int(e.bandwidth), bw);
    QCOMPARE(int(e.stereo), stereo);
}

void tst_MemlistEntryEditor::piRule_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("box");

    QTest::newRow("empty name blanks the PI") << "" << "1234" << "    " << "";
    QTest::newRow("blank name blanks the PI") << "   " << "1234" << "    " << "";
    QTest::newRow("7") << "R" << "7" << "0007" << "0007";
    QTest::newRow("1A") << "R" << "1A" << "001A" << "001A";
    QTest::newRow("full code") << "R" << "D3C3" << "D3C3" << "D3C3";
    QTest::newRow("empty PI") << "R" << "" << "0000" << "0000";
    QTest::newRow("blank PI") << "R" << "  " << "0000" << "0000";
    // Pasted text bypasses the key filter and is taken as it is.
    QTest::newRow("pasted text") << "R" << "xyz" << "0xyz" << "0xyz";
}

void tst_MemlistEntryEditor::piRule()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QString, box);

    const EntryEditor::Result r =
        EntryEditor::apply(oldEntry(), input(1, "FM", "87600", name, typed, 0, "AUTO", 1), Bands::Limits());
    QCOMPARE(r.entry.pi, stored);
    QCOMPARE(r.piBoxText, box);
    QVERIFY(r.line.contains("| " + stored + " |"));
}

void tst_MemlistEntryEditor::noBandKeepsCodes()
{
    const EntryEditor::Result r =
        EntryEditor::apply(oldEntry(), input(1, "", "50000", "NAME", "1234", 2, "64k", 0), Bands::Limits());
    QCOMPARE(int(r.entry.band), -1);
    QCOMPARE(int(r.entry.frequency), 50000);
    QCOMPARE(r.entry.name, QString(9, QLatin1Char(' ')));
    QCOMPARE(r.entry.pi, QString(4, QLatin1Char(' ')));
    QCOMPARE(int(r.entry.bandwidth), 7);
    QCOMPARE(int(r.entry.stereo), 1);
    QCOMPARE(r.piBoxText, QString());
}

void tst_MemlistEntryEditor::fmWithoutChoiceKeepsCodes_data()
{
    QTest::addColumn<int>("oldBw");
    QTest::addColumn<int>("oldStereo");
    QTest::addColumn<QString>("stereoText");

    // Codes that have no item (a received FM entry with code 40 or stereo 5)
    // leave the lists unselected; Apply must not turn them into other codes.
    QTest::newRow("stereo 5") << 40 << 5 << "STEREO";
    QTest::newRow("mono") << 200 << 0 << "MONO  ";
}

void tst_MemlistEntryEditor::fmWithoutChoiceKeepsCodes()
{
    QFETCH(int, oldBw);
    QFETCH(int, oldStereo);
    QFETCH(QString, stereoText);

    MemoryEntry old = oldEntry();
    old.bandwidth = quint8(oldBw);
    old.stereo = quint8(oldStereo);
    const EntryEditor::Result r =
        EntryEditor::apply(old, input(2, "FM", "87600", "R", "1", -1, "", -1), Bands::Limits());
    QCOMPARE(int(r.entry.bandwidth), oldBw);
    QCOMPARE(int(r.entry.stereo), oldStereo);
    QCOMPARE(r.line, " 02 | FM |  87.600 | R        | 0001 |      | " + stereoText);
}

void tst_MemlistEntryEditor::longListKeepsAllDigits()
{
    EntryEditor::Input in = input(7, "FM", "87600", "R", "1", 0, "AUTO", 1);
    in.memoryCount = 120;
    QVERIFY(EntryEditor::apply(oldEntry(), in, Bands::Limits()).line.startsWith(" 007 | FM |"));
    in.n = 120;
    QVERIFY(EntryEditor::apply(oldEntry(), in, Bands::Limits()).line.startsWith(" 120 | FM |"));
}

QTEST_APPLESS_MAIN(tst_MemlistEntryEditor)
#include "tst_memlist_entryeditor.moc"
