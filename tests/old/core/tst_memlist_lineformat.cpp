#include "memlist/LineFormat.h"

#include <QLocale>
#include <QTest>

namespace {

MemoryEntry station(qint16 band, qint32 kHz, const QString &name, const QString &pi, int bw,
                    int stereo)
{
    MemoryEntry e;
    e.band = band;
    e.frequency = kHz;
    e.setName(name);
    e.setPi(pi);
    e.bandwidth = quint8(bw);
    e.stereo = quint8(stereo);
    return e;
}

const QString kEmptyTail = QStringLiteral("-- |         |          |      |      |");

} // namespace

Q_DECLARE_METATYPE(MemoryEntry)

class tst_MemlistLineFormat : public QObject
{
    Q_OBJECT

private slots:
    void listLine_data();
    void listLine();
    void bandwidthColumn_data();
    void bandwidthColumn();
    void frequencyColumn_data();
    void frequencyColumn();
    void frequencyIgnoresSystemLocale();
    void numberColumn_data();
    void numberColumn();
    void everyLineOfALongListSplitsAlike();
    void neverStoredFieldsShowBlanks();
    void splitAndSwap_data();
    void splitAndSwap();
    void swapTwiceRestores();
};

void tst_MemlistLineFormat::listLine_data()
{
    QTest::addColumn<MemoryEntry>("entry");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("line");

    QTest::newRow("FM stereo") << station(1, 100400, "REGNBOGN", "0000", 0, 1) << 1
                               << " 01 | FM | 100.400 | REGNBOGN | 0000 | AUTO | STEREO";
    QTest::newRow("FM mono") << station(1, 87600, "RADIO", "D3C3", 5, 0) << 2
                             << " 02 | FM |  87.600 | RADIO    | D3C3 |  97k |  MONO ";
    QTest::newRow("AM") << station(0, 1008, "AMSTAT", "    ", 2, 0) << 3
                        << " 03 | AM |   1.008 | AMSTAT   |      |   4k |      ";
    QTest::newRow("empty") << MemoryEntry() << 4 << " 04 | " + kEmptyTail;
    QTest::newRow("frequency 0 hides other fields")
        << station(1, 0, "GHOST", "1234", 3, 1) << 4 << " 04 | " + kEmptyTail;
    QTest::newRow("negative frequency") << station(0, -1008, "NEG", "", 1, 0) << 5
                                        << " 05 | " + kEmptyTail;
    QTest::newRow("nine-character name") << station(1, 99000, "ABCDEFGHI", "D3C3", 0, 1) << 6
                                         << " 06 | FM |  99.000 | ABCDEFGHI| D3C3 | AUTO | STEREO";
    QTest::newRow("band -1 with frequency shows FM")
        << station(-1, 50000, "OUTSIDE", "    ", 0, 0) << 7
        << " 07 | FM |  50.000 | OUTSIDE  |      | AUTO |  MONO ";
    QTest::newRow("unknown band shows FM") << station(5, 1008, "", "", 16, 2) << 8
                                           << " 08 | FM |   1.008 |          |      | 311k | STEREO";
    QTest::newRow("144 kHz") << station(0, 144, "LW", "", 1, 0) << 9
                             << " 09 | AM |   0.144 | LW       |      |   3k |      ";
    QTest::newRow("27000 kHz") << station(0, 27000, "CB", "", 4, 0) << 10
                               << " 10 | AM |  27.000 | CB       |      |   8k |      ";
    QTest::newRow("name keeps trailing blanks") << station(1, 87600, "A B ", "1", 1, 0) << 11
                                                << " 11 | FM |  87.600 | A B      | 1    |  56k |  MONO ";
}

void tst_MemlistLineFormat::listLine()
{
    QFETCH(MemoryEntry, entry);
    QFETCH(int, n);
    QFETCH(QString, line);
    QCOMPARE(LineFormat::listLine(entry, n, 99), line);
}

void tst_MemlistLineFormat::bandwidthColumn_data()
{
    QTest::addColumn<int>("band");
    QTest::addColumn<int>("bw");
    QTest::addColumn<int>("stereo");
    QTest::addColumn<QString>("tail"); // from the bandwidth column on

    QTest::newRow("FM 0") << 1 << 0 << 1 << "AUTO | STEREO";
    QTest::newRow("FM 1") << 1 << 1 << 1 << " 56k | STEREO";
    QTest::newRow("FM 16") << 1 << 16 << 1 << "311k | STEREO";
    QTest::newRow("FM 17") << 1 << 17 << 1 << "  ?k | STEREO";
    QTest::newRow("FM 100") << 1 << 100 << 1 << "  ?k | STEREO";
    QTest::newRow("FM 255") << 1 << 255 << 1 << "  ?k | STEREO";
    QTest::newRow("stereo 0") << 1 << 0 << 0 << "AUTO |  MONO ";
    QTest::newRow("stereo 2") << 1 << 0 << 2 << "AUTO | STEREO";
    QTest::newRow("stereo 255") << 1 << 0 << 255 << "AUTO | STEREO";
    QTest::newRow("AM 0") << 0 << 0 << 0 << "  ?k |      ";
    QTest::newRow("AM 1") << 0 << 1 << 0 << "  3k |      ";
    QTest::newRow("AM 4") << 0 << 4 << 0 << "  8k |      ";
    QTest::newRow("AM 5") << 0 << 5 << 0 << "  ?k |      ";
    QTest::newRow("AM 255") << 0 << 255 << 0 << "  ?k |      ";
    QTest::newRow("AM ignores stereo") << 0 << 2 << 1 << "  4k |      ";
}

void tst_MemlistLineFormat::bandwidthColumn()
{
    QFETCH(int, band);
    QFETCH(int, bw);
    QFETCH(int, stereo);
    QFETCH(QString, tail);

    const QString line = LineFormat::listLine(station(qint16(band), 100000, "X", "ABCD", bw, stereo), 1, 99);
    QVERIFY2(line.endsWith(tail), qPrintable(line));
    // The columns stand under each other whatever the codes.
    QCOMPARE(line.size(), band == 0 ? 51 : 52);
}

void tst_MemlistLineFormat::frequencyColumn_data()
{
    QTest::addColumn<double>("kHz");
    QTest::addColumn<QString>("column");

    QTest::newRow("144") << 144.0 << "  0.144";
    QTest::newRow("1") << 1.0 << "  0.001";
    QTest::newRow("1008") << 1008.0 << "  1.008";
    QTest::newRow("27000") << 27000.0 << " 27.000";
    QTest::newRow("100400") << 100400.0 << "100.400";
    QTest::newRow("999999") << 999999.0 << "999.999";
    // A longer text keeps its last 7 characters.
    QTest::newRow("1000000") << 1000000.0 << "000.000";
    QTest::newRow("12345678") << 12345678.0 << "345.678";
}

void tst_MemlistLineFormat::frequencyColumn()
{
    QFETCH(double, kHz);
    QFETCH(QString, column);
    QCOMPARE(LineFormat::frequencyColumn(kHz), column);
}

void tst_MemlistLineFormat::frequencyIgnoresSystemLocale()
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString line = LineFormat::listLine(station(1, 87600, "RADIO", "D3C3", 5, 0), 2, 99);
    const QString apply = LineFormat::applyLine({2, 99, "FM", 87600.0, "RADIO    ", "D3C3", "97k", "MONO"});
    QLocale::setDefault(before);
    QCOMPARE(line, QStringLiteral(" 02 | FM |  87.600 | RADIO    | D3C3 |  97k |  MONO "));
    QCOMPARE(apply, QStringLiteral(" 02 | FM |  87.600 | RADIO    | D3C3 |  97k | MONO  "));
}

void tst_MemlistLineFormat::numberColumn_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("column");

    QTest::newRow("7 of 99") << 7 << 99 << " 07 ";
    QTest::newRow("99 of 99") << 99 << 99 << " 99 ";
    QTest::newRow("1 of 12") << 1 << 12 << " 01 ";
    QTest::newRow("1 of 1") << 1 << 1 << " 01 ";
    QTest::newRow("1 of 100") << 1 << 100 << " 001 ";
    QTest::newRow("7 of 120") << 7 << 120 << " 007 ";
    QTest::newRow("100 of 120") << 100 << 120 << " 100 ";
    QTest::newRow("120 of 120") << 120 << 120 << " 120 ";
    QTest::newRow("5 of 1000") << 5 << 1000 << " 0005 ";
}

void tst_MemlistLineFormat::numberColumn()
{
    QFETCH(int, n);
    QFETCH(int, count);
    QFETCH(QString, column);

    QCOMPARE(LineFormat::numberColumn(n, count), column);
    // Every writer of a line uses the same number column.
    QCOMPARE(LineFormat::emptyLine(n, count), column + "| " + kEmptyTail);
    QVERIFY(LineFormat::listLine(station(1, 87600, "R", "1", 0, 1), n, count).startsWith(column + "| FM"));
    QVERIFY(LineFormat::applyLine({n, count, "FM", 87600.0, "R", "1", "AUTO", "STEREO"})
                .startsWith(column + "| FM"));
}

void tst_MemlistLineFormat::everyLineOfALongListSplitsAlike()
{
    // With more than 99 memories the split position must be the same on every
    // line, or moving lines would cut them at the wrong place.
    const int count = 120;
    const int p = LineFormat::splitPosition(LineFormat::emptyLine(1, count));
    QCOMPARE(p, 6);
    for (int n = 1; n <= count; ++n) {
        QCOMPARE(LineFormat::splitPosition(LineFormat::emptyLine(n, count)), p);
        QCOMPARE(LineFormat::splitPosition(LineFormat::listLine(station(0, 1008, "A", "", 1, 0), n, count)), p);
    }
}

void tst_MemlistLineFormat::neverStoredFieldsShowBlanks()
{
    // Fields holding NULs (as a cleared table would) must show as blanks.
    MemoryEntry e = station(1, 87600, "", "", 0, 1);
    e.name = QString(MemoryEntry::kNameWidth, QChar(0));
    e.pi = QString(MemoryEntry::kPiWidth, QChar(0));
    const QString line = LineFormat::listLine(e, 1, 99);
    QCOMPARE(line, QStringLiteral(" 01 | FM |  87.600 |          |      | AUTO | STEREO"));
    const QString apply = LineFormat::applyLine({1, 99, "FM", 87600.0, e.name, e.pi, "AUTO", "STEREO"});
    QVERIFY(!apply.contains(QChar(0)));
}

void tst_MemlistLineFormat::splitAndSwap_data()
{
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("lower");
    QTest::addColumn<QString>("newUpper");
    QTest::addColumn<QString>("newLower");

    QTest::newRow("station and empty")
        << " 01 | FM | 100.400 | REGNBOGN | 0000 | AUTO | STEREO" << " 02 | " + kEmptyTail
        << " 01 | " + kEmptyTail << " 02 | FM | 100.400 | REGNBOGN | 0000 | AUTO | STEREO";
    QTest::newRow("apply-style lines keep their text")
        << " 03 | AM |   1.008 | AMSTAT   |      |   4k |       "
        << " 04 | FM |  87.600 | RADIO    | D3C3 |  97k | MONO  "
        << " 03 | FM |  87.600 | RADIO    | D3C3 |  97k | MONO  "
        << " 04 | AM |   1.008 | AMSTAT   |      |   4k |       ";
}

void tst_MemlistLineFormat::splitAndSwap()
{
    QFETCH(QString, upper);
    QFETCH(QString, lower);
    QFETCH(QString, newUpper);
    QFETCH(QString, newLower);

    const int p = LineFormat::splitPosition(upper);
    QCOMPARE(p, 5);
    LineFormat::swapDataParts(upper, lower, p);
    QCOMPARE(upper, newUpper);
    QCOMPARE(lower, newLower);
}

void tst_MemlistLineFormat::swapTwiceRestores()
{
    const QString a = LineFormat::listLine(station(1, 87600, "RADIO", "D3C3", 5, 0), 8, 99);
    const QString b = LineFormat::emptyLine(9, 99);
    QString x = a, y = b;
    LineFormat::swapDataParts(x, y, 5);
    QVERIFY(x != a);
    LineFormat::swapDataParts(x, y, 5);
    QCOMPARE(x, a);
    QCOMPARE(y, b);

    // A line without "|" gives no split position and nothing moves.
    QCOMPARE(LineFormat::splitPosition(QStringLiteral("no bar")), 0);
    LineFormat::swapDataParts(x, y, 0);
    QCOMPARE(x, a);
    QCOMPARE(y, b);
}

QTEST_APPLESS_MAIN(tst_MemlistLineFormat)
#include "tst_memlist_lineformat.moc"
