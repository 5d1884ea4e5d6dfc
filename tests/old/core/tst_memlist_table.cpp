#include "memlist/MemoryTable.h"

#include <QTest>

namespace {

const QString kBlankName(MemoryEntry::kNameWidth, QLatin1Char(' '));
const QString kBlankPi(MemoryEntry::kPiWidth, QLatin1Char(' '));

// Every entry different, so a shift by one shows.
MemoryTable numberedTable(qint16 count)
{
    MemoryTable t;
    t.setMemoryCount(count);
    t.clear();
    for (int n = 1; n <= count; ++n) {
        MemoryEntry &e = t.entry(n);
        e.band = n % 2;
        e.frequency = n % 2 ? 87500 + n * 100 : 500 + n;
        e.setName(QStringLiteral("ST%1").arg(n));
        e.setPi(QStringLiteral("%1").arg(n, 4, 16, QLatin1Char('0')).toUpper());
        e.bandwidth = quint8(n % 5);
        e.stereo = quint8(n % 2);
    }
    return t;
}

bool isBlankEmpty(const MemoryEntry &e)
{
    return e.band == -1 && e.frequency == 0 && e.bandwidth == 0 && e.stereo == 0
        && e.name == kBlankName && e.pi == kBlankPi;
}

} // namespace

class tst_MemlistTable : public QObject
{
    Q_OBJECT

private slots:
    void fixedWidth_data();
    void fixedWidth();
    void clearSizesToCount_data();
    void clearSizesToCount();
    void entryFromRawLine_data();
    void entryFromRawLine();
    void rawLineUsesGivenLimits();
    void buildFromRawLines();
    void insertEmptyAt_data();
    void insertEmptyAt();
    void deleteAt_data();
    void deleteAt();
    void swapEntries();
};

void tst_MemlistTable::fixedWidth_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("stored");

    QTest::newRow("short") << "AB" << 4 << "AB  ";
    QTest::newRow("exact") << "ABCD" << 4 << "ABCD";
    QTest::newRow("long") << "ABCDEF" << 4 << "ABCD";
    QTest::newRow("empty") << "" << 9 << "         ";
    QTest::newRow("leading blank kept") << " RADIO" << 9 << " RADIO   ";
    QTest::newRow("NULs become blanks") << QString(3, QChar(0)) << 4 << "    ";
}

void tst_MemlistTable::fixedWidth()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, stored);
    QCOMPARE(MemoryEntry::fixedWidth(text, width), stored);
}

void tst_MemlistTable::clearSizesToCount_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("size");

    QTest::newRow("99") << 99 << 99;
    QTest::newRow("12") << 12 << 12;
    QTest::newRow("120") << 120 << 120;
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("negative") << -3 << 0;
}

void tst_MemlistTable::clearSizesToCount()
{
    QFETCH(int, count);
    QFETCH(int, size);

    MemoryTable t = numberedTable(5);
    t.setMemoryCount(qint16(count));
    t.clear();
    QCOMPARE(t.size(), size);
    // A never-stored field holds blanks, so no NUL reaches screen, file or wire.
    for (const MemoryEntry &e : t.entries())
        QVERIFY(isBlankEmpty(e));
}

void tst_MemlistTable::entryFromRawLine_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<int>("band");
    QTest::addColumn<int>("frequency");
    QTest::addColumn<int>("bw");
    QTest::addColumn<int>("stereo");
    QTest::addColumn<QString>("pi");
    QTest::addColumn<QString>("name");

    QTest::newRow("full FM line") << "1,100400,0,1,D3C3,REGNBOGN" << 1 << 100400 << 0 << 1 << "D3C3"
                                  << "REGNBOGN ";
    QTest::newRow("AM line with empty PI") << "3,1008,2,0,,AMSTAT" << 0 << 1008 << 2 << 0 << "    "
                                           << "AMSTAT   ";
    QTest::newRow("empty line") << "" << -1 << 0 << 0 << 0 << "0000" << kBlankName;
    QTest::newRow("number only") << "7" << -1 << 0 << 0 << 0 << "0000" << kBlankName;
    QTest::newRow("two fields") << "5,87600" << 1 << 87600 << 0 << 0 << "0000" << kBlankName;
    QTest::newRow("three fields") << "5,87600,3" << 1 << 87600 << 3 << 0 << "0000" << kBlankName;
    QTest::newRow("four fields") << "5,87600,3,1" << 1 << 87600 << 3 << 1 << "0000" << kBlankName;
    QTest::newRow("five fields") << "5,87600,3,1,12AB" << 1 << 87600 << 3 << 1 << "12AB" << kBlankName;
    QTest::newRow("short PI right-aligned") << "5,87600,0,1,  1A ,X" << 1 << 87600 << 0 << 1 << "  1A"
                                            << "X        ";
    QTest::newRow("long PI keeps last four") << "5,87600,0,1,12345,X" << 1 << 87600 << 0 << 1 << "2345"
                                             << "X        ";
    QTest::newRow("long name cut") << "5,87600,0,1,1,ABCDEFGHIJ" << 1 << 87600 << 0 << 1 << "   1"
                                   << "ABCDEFGHI";
    QTest::newRow("name blanks kept") << "5,87600,0,1,1, R A" << 1 << 87600 << 0 << 1 << "   1"
                                      << " R A     ";
    QTest::newRow("fields after the name ignored") << "5,87600,0,1,1,NAME,more,9" << 1 << 87600 << 0
                                                   << 1 << "   1" << "NAME     ";
    QTest::newRow("frequency 0 has no band") << "5,0,2,1,1,X" << -1 << 0 << 2 << 1 << "   1"
                                             << "X        ";
    QTest::newRow("negative frequency") << "5,-100,0,0" << -1 << -100 << 0 << 0 << "0000" << kBlankName;
    QTest::newRow("frequency by number rule") << "5, 87600.5kHz" << 1 << 87600 << 0 << 0 << "0000"
                                              << kBlankName;
    QTest::newRow("frequency without number") << "5,abc" << -1 << 0 << 0 << 0 << "0000" << kBlankName;
    QTest::newRow("27000 is AM") << "5,27000" << 0 << 27000 << 0 << 0 << "0000" << kBlankName;
    QTest::newRow("50000 is AM") << "5,50000" << 0 << 50000 << 0 << 0 << "0000" << kBlankName;
    QTest::newRow("65000 is FM") << "5,65000" << 1 << 65000 << 0 << 0 << "0000" << kBlankName;
    QTest::newRow("108000 is FM") << "5,108000" << 1 << 108000 << 0 << 0 << "0000" << kBlankName;
    QTest::newRow("108001 is AM") << "5,108001" << 0 << 108001 << 0 << 0 << "0000" << kBlankName;
    QTest::newRow("huge frequency clamps") << "5,99999999999" << 0 << 2147483647 << 0 << 0 << "0000"
                                           << kBlankName;
    QTest::newRow("codes above 255 clamp") << "5,87600,300,999" << 1 << 87600 << 255 << 255 << "0000"
                                           << kBlankName;
    QTest::newRow("negative codes clamp") << "5,87600,-4,-1" << 1 << 87600 << 0 << 0 << "0000"
                                          << kBlankName;
    QTest::newRow("codes round half to even") << "5,87600,2.5,3.5" << 1 << 87600 << 2 << 4 << "0000"
                                              << kBlankName;
    QTest::newRow("codes without number") << "5,87600,x,y" << 1 << 87600 << 0 << 0 << "0000"
                                          << kBlankName;
}

void tst_MemlistTable::entryFromRawLine()
{
    QFETCH(QString, raw);
    QFETCH(int, band);
    QFETCH(int, frequency);
    QFETCH(int, bw);
    QFETCH(int, stereo);
    QFETCH(QString, pi);
    QFETCH(QString, name);

    const MemoryEntry e = MemoryTable::entryFromRawLine(raw, Bands::Limits());
    QCOMPARE(int(e.band), band);
    QCOMPARE(int(e.frequency), frequency);
    QCOMPARE(int(e.bandwidth), bw);
    QCOMPARE(int(e.stereo), stereo);
    QCOMPARE(e.pi, pi);
    QCOMPARE(e.name, name);
}

void tst_MemlistTable::rawLineUsesGivenLimits()
{
    Bands::Limits l;
    l.fMin = QStringLiteral("87500");
    QCOMPARE(int(MemoryTable::entryFromRawLine(QStringLiteral("1,87000"), l).band), 0);
    QCOMPARE(int(MemoryTable::entryFromRawLine(QStringLiteral("1,87500"), l).band), 1);
    // The AM limits take no part in the received-band rule.
    l.aMin = QStringLiteral("1000");
    QCOMPARE(int(MemoryTable::entryFromRawLine(QStringLiteral("1,153"), l).band), 0);
}

void tst_MemlistTable::buildFromRawLines()
{
    MemoryTable t = numberedTable(99);
    t.setMemoryCount(12);
    t.rawLines() = QStringList{QStringLiteral("1,100400,0,1,D3C3,REGNBOGN"), QString(),
                               QStringLiteral("3,1008,2")};
    t.buildFromRawLines();

    // The table follows the count in force, not its old size.
    QCOMPARE(t.size(), 12);
    QCOMPARE(t.entry(1).name, QStringLiteral("REGNBOGN "));
    QCOMPARE(int(t.entry(1).band), 1);
    QCOMPARE(int(t.entry(2).band), -1);
    QCOMPARE(int(t.entry(3).band), 0);
    QCOMPARE(int(t.entry(3).bandwidth), 2);
    // Memories the reply did not mention read as empty lines.
    for (int n = 4; n <= 12; ++n) {
        QCOMPARE(int(t.entry(n).frequency), 0);
        QCOMPARE(t.entry(n).pi, QStringLiteral("0000"));
        QCOMPARE(t.entry(n).name, kBlankName);
    }

    // Raw lines beyond the count are not used.
    t.setMemoryCount(2);
    t.buildFromRawLines();
    QCOMPARE(t.size(), 2);
}

void tst_MemlistTable::insertEmptyAt_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("at");

    QTest::newRow("line 5 of 99") << 99 << 5;
    QTest::newRow("first") << 99 << 1;
    QTest::newRow("last") << 99 << 99;
    QTest::newRow("one before last") << 99 << 98;
    QTest::newRow("short table") << 12 << 7;
    QTest::newRow("single entry") << 1 << 1;
}

void tst_MemlistTable::insertEmptyAt()
{
    QFETCH(int, count);
    QFETCH(int, at);

    MemoryTable t = numberedTable(qint16(count));
    const QVector<MemoryEntry> before = t.entries();
    t.insertEmptyAt(at);

    QCOMPARE(t.size(), count);
    for (int n = 1; n < at; ++n)
        QCOMPARE(t.entry(n), before[n - 1]);
    QVERIFY(isBlankEmpty(t.entry(at)));
    // Everything below moves one place down; the old last entry falls out.
    for (int n = at + 1; n <= count; ++n)
        QCOMPARE(t.entry(n), before[n - 2]);
}

void tst_MemlistTable::deleteAt_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("at");

    QTest::newRow("line 5 of 99") << 99 << 5;
    QTest::newRow("first") << 99 << 1;
    QTest::newRow("last") << 99 << 99;
    QTest::newRow("short table") << 12 << 7;
    QTest::newRow("single entry") << 1 << 1;
}

void tst_MemlistTable::deleteAt()
{
    QFETCH(int, count);
    QFETCH(int, at);

    MemoryTable t = numberedTable(qint16(count));
    const QVector<MemoryEntry> before = t.entries();
    t.deleteAt(at);

    QCOMPARE(t.size(), count);
    for (int n = 1; n < at; ++n)
        QCOMPARE(t.entry(n), before[n - 1]);
    for (int n = at; n < count; ++n)
        QCOMPARE(t.entry(n), before[n]);
    QVERIFY(isBlankEmpty(t.entry(count)));
}

void tst_MemlistTable::swapEntries()
{
    MemoryTable t = numberedTable(99);
    const QVector<MemoryEntry> before = t.entries();

    t.swapEntries(2, 1);
    QCOMPARE(t.entry(1), before[1]);
    QCOMPARE(t.entry(2), before[0]);
    for (int n = 3; n <= 99; ++n)
        QCOMPARE(t.entry(n), before[n - 1]);

    t.swapEntries(1, 2);
    QCOMPARE(t.entries(), before);

    t.swapEntries(98, 99);
    QCOMPARE(t.entry(98), before[98]);
    QCOMPARE(t.entry(99), before[97]);
}

QTEST_APPLESS_MAIN(tst_MemlistTable)
#include "tst_memlist_table.moc"
