// SPDX-License-Identifier: GPL-3.0-or-later
// Memory list: the number rule, bands, list lines, Apply, the table and its operations.
#include "EntryValues.h"
#include "files/CsvFile.h"
#include "memlist/BulkEdit.h"
#include "memlist/EntryEditor.h"
#include "memlist/LineFormat.h"
#include "memlist/ListOrder.h"
#include "memlist/MemoryTable.h"
#include "memlist/StationFind.h"
#include "text/NumberRule.h"

#include <QLocale>
#include <QTest>

#include <functional>

using TableOp = std::function<void(MemoryTable &)>;
using Order = std::function<QList<int>(const QVector<MemoryEntry> &)>;
Q_DECLARE_METATYPE(EntryEditor::Input)
Q_DECLARE_METATYPE(TableOp)
Q_DECLARE_METATYPE(Order)

// 0 REGNBOGN, 1 empty, 2 AM Zürich, 3 Radio 7, 4 REGIO; the AM line shows no PI.
static const QVector<MemoryEntry> kStations{entry(1, 100400, "REGNBOGN", "D3C3", 0, 1), MemoryEntry(),
                                            entry(0, 1008, "Zürich", "1A2B", 2, 0), entry(1, 87600, "Radio 7", "1A2B", 0, 1),
                                            entry(1, 100400, "REGIO", "D3C4", 0, 1)};

class tst_MemList : public QObject
{
    Q_OBJECT

    // FM bandwidth 3 stereo, AM 6k, a frequency without band, an empty channel.
    static QVector<MemoryEntry> fourChannels()
    {
        return {entry(1, 98000, "F", "D3C3", 3, 1), entry(0, 1008, "A", "", 3, 0), entry(-1, 50000, "", "", 5, 1),
                MemoryEntry()};
    }
    // Rows (from 0) moved together as a block.
    static TableOp moved(const QList<int> &rows, int by)
    {
        return [rows, by](MemoryTable &t) { t.setEntries(ListOrder::applied(t.entries(), ListOrder::blockMoved(t.size(), rows, by))); };
    }

private slots:
    // A comma locale everywhere: no number may be read or shown with it.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void numberRule_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("found");
        QTest::addColumn<int>("asQuint8");
        QTest::addColumn<int>("asQint16");
        QTest::newRow("letters end it") << " 143.5kHz" << 143.5 << true << 144 << 144;
        QTest::newRow("2.5 to even") << "2.5" << 2.5 << true << 2 << 2;
        QTest::newRow("255.5 to even") << "255.5" << 255.5 << true << 255 << 256;
        QTest::newRow("below every range") << "-99999999999" << -99999999999.0 << true << 0 << -32768;
        QTest::newRow("more digits than a double") << QLatin1Char('1') + QString(400, QLatin1Char('0')) << qInf() << true << 255 << 32767;
    }
    void numberRule()
    {
        QFETCH(QString, text);
        const NumberRule::Parsed p = NumberRule::parse(text);
        QTEST(p.value, "value");
        QTEST(p.found, "found");
        QTEST(int(NumberRule::read<quint8>(text)), "asQuint8");
        QTEST(int(NumberRule::read<qint16>(text)), "asQint16");
    }

    void listLine_data()
    {
        QTest::addColumn<MemoryEntry>("entry");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("line");
        QTest::newRow("FM stereo") << entry(1, 100400, "REGNBOGN", "0000", 0, 1) << 1 << 99 << " 01 | FM | 100.400 | REGNBOGN | 0000 | AUTO | STEREO";
        QTest::newRow("FM mono") << entry(1, 87600, "RADIO", "D3C3", 5, 0) << 2 << 99 << " 02 | FM |  87.600 | RADIO    | D3C3 |  97k |  MONO ";
        QTest::newRow("AM 0") << entry(0, 144, "LW", "", 0, 0) << 5 << 99 << " 05 | AM |   0.144 | LW       |      |   ?k |      ";
        QTest::newRow("AM 4, 7 of 120") << entry(0, 27000, "CB", "", 4, 0) << 7 << 120 << " 007 | AM |  27.000 | CB       |      |   8k |      ";
        QTest::newRow("empty 5 of 1000") << MemoryEntry() << 5 << 1000 << " 0005 | -- |         |          |      |      |";
    }
    void listLine()
    {
        QFETCH(MemoryEntry, entry);
        QFETCH(int, n);
        QFETCH(int, count);
        QTEST(LineFormat::listLine(entry, n, count), "line");
        if (entry.isEmpty()) // the same line as a cleared list shows
            QTEST(LineFormat::emptyLine(n, count), "line");
    }

    // Over FM 99000 "OLD" BEEF, bandwidth 7. The band is the frequency's, AM first where the
    // bands overlap (65000 to 66002: limits are texts, read by the number rule).
    void apply_data()
    {
        QTest::addColumn<EntryEditor::Input>("in");
        QTest::addColumn<int>("oldStereo");
        QTest::addColumn<QString>("line");
        QTest::addColumn<MemoryEntry>("stored");
        QTest::addColumn<QString>("piBox");
        using In = EntryEditor::Input;
        QTest::newRow("FM stereo") << In{1, 99, "FM", "100400", "REGNBOGN", "  ", 0, "AUTO", 1} << 0
            << " 01 | FM | 100.400 | REGNBOGN | 0000 | AUTO | STEREO" << entry(1, 100400, "REGNBOGN", "0000", 0, 1) << "0000";
        QTest::newRow("AM") << In{3, 99, "AM", "1008", "AMSTAT", "12", 3, "8k", 1} << 1
            << " 03 | AM |   1.008 | AMSTAT   |      |   8k |       " << entry(0, 1008, "AMSTAT", "", 4, 0) << "";
        QTest::newRow("both bands: AM") << In{3, 99, "AM", "66002", "X", "", 0, "3k", 0} << 1
            << " 03 | AM |  66.002 | X        |      |   3k |       " << entry(0, 66002, "X", "", 1, 0) << "";
        QTest::newRow("no band keeps codes") << In{5, 99, "", "108001", "LOST", "1234", 2, "64k", 0} << 1
            << " 05 | -- | 108.001 |          |      |  64k |       " << entry(-1, 108001, "", "", 7, 1) << "";
        QTest::newRow("FM, no choice: codes kept") << In{4, 99, "FM", "87600", "R", "1A", -1, "", -1} << 1
            << " 04 | FM |  87.600 | R        | 001A |      | STEREO" << entry(1, 87600, "R", "001A", 7, 1) << "001A";
        QTest::newRow("name and PI cut") << In{7, 120, "FM", "87601.5", "ABCDEFGHIJK", "12345", 0, "AUTO", 1} << 0
            << " 007 | FM |  87.602 | ABCDEFGHI| 2345 | AUTO | STEREO" << entry(1, 87602, "ABCDEFGHI", "2345", 0, 1) << "2345";
    }
    void apply()
    {
        QFETCH(EntryEditor::Input, in);
        QFETCH(int, oldStereo);
        const Bands::Limits limits{"144", "  66001.5", "64999.5", "108000"};
        const EntryEditor::Result r = EntryEditor::apply(entry(1, 99000, "OLD", "BEEF", 7, oldStereo), in, limits);
        QTEST(r.line, "line");
        QTEST(r.entry, "stored");
        QTEST(r.piBoxText, "piBox");
    }

    // A memory line of the download reply: "n,frequency,bandwidth,stereo,PI,name"; FM from 87500 kHz here.
    void entryFromRawLine_data()
    {
        QTest::addColumn<QString>("raw");
        QTest::addColumn<MemoryEntry>("entry");
        QTest::newRow("short PI, blanks trimmed") << "1,87600,0,1,  1A ,X" << entry(1, 87600, "X", "  1A", 0, 1);
        QTest::newRow("below the FM limit") << "1, 87000.5kHz" << entry(0, 87000, "", "0000", 0, 0);
        QTest::newRow("clamped") << "1,99999999999,-1,300" << entry(0, 2147483647, "", "0000", 0, 255);
        QTest::newRow("PI cut, name ends at a comma") << "1,1,0,0,12345,AB,CD" << entry(0, 1, "AB", "2345", 0, 0);
    }
    void entryFromRawLine()
    {
        QFETCH(QString, raw);
        Bands::Limits limits;
        limits.fMin = QStringLiteral("87500");
        QTEST(MemoryTable::entryFromRawLine(raw, limits), "entry");
    }

    // Five entries that differ in every field; 0 stands for a new empty one.
    void listOperations_data()
    {
        QTest::addColumn<TableOp>("operation");
        QTest::addColumn<QList<int>>("order");
        QTest::newRow("delete 2 and 4") << TableOp([](MemoryTable &t) { t.deleteAt({2, 4}); }) << QList<int>{1, 3, 5, 0, 0};
        QTest::newRow("insert 2 at 2") << TableOp([](MemoryTable &t) { t.insertEmptyAt(2, 2); }) << QList<int>{1, 0, 0, 2, 3};
        QTest::newRow("2 and 4 up one, the gap kept") << moved({1, 3}, -1) << QList<int>{2, 1, 4, 3, 5};
        QTest::newRow("2 and 3 down past the end: stopped") << moved({1, 2}, 5) << QList<int>{1, 4, 5, 2, 3};
        QTest::newRow("1 and 3 up: nothing moves") << moved({0, 2}, -1) << QList<int>{1, 2, 3, 4, 5};
    }
    void listOperations()
    {
        QFETCH(TableOp, operation);
        MemoryTable t;
        t.setMemoryCount(5);
        t.clear();
        for (int n = 1; n <= 5; ++n)
            t.entry(n) = entry(n % 2, 1000 * n, QString::number(n), QString::number(n), n, n % 2);
        const QVector<MemoryEntry> before = t.entries();
        operation(t);
        QList<int> order; // where each entry was before
        for (const MemoryEntry &e : t.entries())
            order << int(before.indexOf(e) + 1);
        QTEST(order, "order");
    }

    // Channels by frequency and name (0 kHz: empty); the old rows in their new order.
    void listOrder_data()
    {
        QTest::addColumn<Order>("sort");
        QTest::addColumn<QList<int>>("kHz");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<int>>("order");
        QTest::newRow("frequency: AM first, empties last, ties kept") << Order(ListOrder::byFrequency)
            << QList<int>{100400, 0, 1008, 87600, 1008, 0} << QStringList{"A", "", "B", "C", "D", ""} << QList<int>{2, 4, 3, 0, 1, 5};
        QTest::newRow("name ignoring case, then frequency") << Order(ListOrder::byName) << QList<int>{90000, 0, 88000, 87000, 95000}
            << QStringList{"beta", "", "Alpha", "BETA", "alpha"} << QList<int>{2, 4, 3, 0, 1};
        QTest::newRow("only the empties move") << Order(ListOrder::emptiesLast) << QList<int>{0, 90000, 0, 88000}
            << QStringList{"", "B", "", "A"} << QList<int>{1, 3, 0, 2};
        QTest::newRow("in order already") << Order(ListOrder::byFrequency) << QList<int>{88000, 90000, 0}
            << QStringList{"A", "B", ""} << QList<int>{0, 1, 2};
    }
    void listOrder()
    {
        QFETCH(Order, sort);
        QFETCH(QList<int>, kHz);
        QFETCH(QStringList, names);
        QFETCH(QList<int>, order);
        QVector<MemoryEntry> entries;
        for (int i = 0; i < kHz.size(); ++i)
            entries << entry(kHz[i] ? 1 : -1, kHz[i], names[i], "", 0, 0);
        QCOMPARE(sort(entries), order);
        QCOMPARE(ListOrder::isUnchanged(order), order == QList<int>({0, 1, 2}));
    }

    // Name, PI or frequency in either form, ignoring case; on round the list, or back.
    void find_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("from");
        QTest::addColumn<StationFind::Direction>("direction");
        QTest::addColumn<int>("found");
        using D = StationFind::Direction;
        QTest::newRow("name, round the end") << "bogn" << 3 << D::Next << 0;
        QTest::newRow("PI, not on an AM line") << "1a2b" << 4 << D::Next << 3;
        QTest::newRow("frequency as shown") << " 100.4" << 0 << D::Next << 4;
        QTest::newRow("frequency in kHz, back round the start") << "1008" << 0 << D::Previous << 2;
        QTest::newRow("nothing") << "87.61" << 0 << D::Next << -1;
    }
    void find()
    {
        QFETCH(QString, text);
        QFETCH(int, from);
        QFETCH(StationFind::Direction, direction);
        QTEST(StationFind::find(kStations, from, text, direction), "found");
    }

    // Typed on the list: a name's beginning, ignoring case; one letter steps on.
    void byTyping_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("found");
        QTest::newRow("a letter: the next name") << "r" << 0 << 3;
        QTest::newRow("the letter again") << "rr" << 3 << 4;
        QTest::newRow("more letters, any case: from the line itself") << "rEg" << 0 << 0;
    }
    void byTyping()
    {
        QFETCH(QString, typed);
        QFETCH(int, current);
        QTEST(StationFind::byTyping(kStations, current, typed), "found");
    }

    // Over the four channels, all selected.
    void bulkEdit_data()
    {
        QTest::addColumn<QString>("bandwidth");
        QTest::addColumn<QString>("stereo");
        QTest::addColumn<QString>("channels"); // afterwards, as a memory file has them
        QTest::addColumn<int>("refused");
        QTest::newRow("8k: AM only") << "8k" << "" << "98000;F;D3C3;3;1\r\n1008;A;;4;0\r\n50000;;;5;1\r\n0;;;0;0\r\n" << 2;
        QTest::newRow("AUTO and OFF: FM only") << "AUTO" << "OFF" << "98000;F;D3C3;0;0\r\n1008;A;;3;0\r\n50000;;;5;1\r\n0;;;0;0\r\n" << 2;
        QTest::newRow("stereo alone") << "" << "OFF" << "98000;F;D3C3;3;0\r\n1008;A;;3;0\r\n50000;;;5;1\r\n0;;;0;0\r\n" << 0;
    }
    void bulkEdit()
    {
        QFETCH(QString, bandwidth);
        QFETCH(QString, stereo);
        const BulkEdit::Result r = BulkEdit::applied(fourChannels(), {0, 1, 2, 3}, bandwidth, stereo);
        QTEST(CsvFile::channelLines(r.entries), "channels");
        QTEST(r.refused, "refused");
    }

    // What the bands among the channels offer, AUTO first; stereo only with FM.
    void bulkChoices()
    {
        const BulkEdit::Choices c = BulkEdit::offered(fourChannels(), {0, 1, 2, 3});
        QCOMPARE(c.bandwidths.mid(0, 6), QStringList({"AUTO", "3k", "4k", "6k", "8k", "56k"}));
        QCOMPARE(c.stereos, QStringList({"OFF", "AUTO"}));
    }
};

QTEST_APPLESS_MAIN(tst_MemList)
#include "tst_memlist.moc"
