// SPDX-License-Identifier: GPL-3.0-or-later
// Memory list: number and band rules, list lines, Apply, the table and its operations.
#include "memlist/EntryEditor.h"
#include "memlist/LineFormat.h"
#include "memlist/MemoryTable.h"
#include "text/NumberRule.h"

#include <QLocale>
#include <QTest>

#include <cmath>
#include <functional>

using In = EntryEditor::Input;
using TableOp = std::function<void(MemoryTable &)>;
Q_DECLARE_METATYPE(MemoryEntry)
Q_DECLARE_METATYPE(EntryEditor::Input)
Q_DECLARE_METATYPE(TableOp)

namespace {
MemoryEntry ent(int band, int kHz, const QString &name, const QString &pi, int bw, int stereo)
{
    return {qint16(band), kHz, quint8(bw), quint8(stereo), MemoryEntry::fixedWidth(pi, 4), MemoryEntry::fixedWidth(name, 9)};
}

// Every field in one text: band|frequency|name|PI|bandwidth|stereo.
QString show(const MemoryEntry &e)
{
    return QStringLiteral("%1|%2|%3|%4|%5|%6").arg(e.band).arg(e.frequency).arg(e.name, e.pi).arg(e.bandwidth).arg(e.stereo);
}
} // namespace

class tst_MemList : public QObject
{
    Q_OBJECT

private slots:
    // A comma locale everywhere: no number may be read or shown with it.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void numbers_data()
    {
        QTest::addColumn<QString>("text");
        // value, found, as quint8, qint16, qint32, fits quint8; band by the editor and the download rule
        QTest::addColumn<QString>("read");
        const QString huge = QLatin1Char('1') + QString(400, QLatin1Char('0'));
        QTest::newRow("decimals") << "+12.75" << "12.75 1 13 13 13 1 -1 0";
        QTest::newRow("letters end it") << " 143.5kHz" << "143.5 1 144 144 144 1 0 0";
        QTest::newRow("point, no digit") << ".x" << "0 0 0 0 0 1 -1 -1";
        QTest::newRow("2.5 to even") << "2.5" << "2.5 1 2 2 2 1 -1 0";
        QTest::newRow("-2.5 to even") << "-2.5" << "-2.5 1 0 -2 -2 0 -1 -1";
        QTest::newRow("255.5") << "255.5" << "255.5 1 255 256 256 0 0 0";
        QTest::newRow("int range") << "-99999999999" << "-99999999999 1 0 -32768 -2147483648 0 -1 -1";
        QTest::newRow("huge") << huge << "inf 1 255 32767 2147483647 0 -1 0";
        QTest::newRow("66002: AM first") << "66002" << "66002 1 255 32767 66002 0 0 1";
        QTest::newRow("108000.5") << "108000.5" << "108000.5 1 255 32767 108000 0 1 1";
        QTest::newRow("108001") << "108001" << "108001 1 255 32767 108001 0 -1 0";
    }
    void numbers()
    {
        QFETCH(QString, text);
        const Bands::Limits l{"144", "  66001.5", "64999.5", "108000"}; // limits are read by the rule too
        const NumberRule::Parsed p = NumberRule::parse(text);
        QTEST(QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8").arg(QString::number(p.value, 'g', 12)).arg(p.found)
                  .arg(NumberRule::read<quint8>(text)).arg(NumberRule::read<qint16>(text))
                  .arg(NumberRule::read<qint32>(text)).arg(NumberRule::fits<quint8>(p.value))
                  .arg(EntryEditor::bandOfText(text, l)).arg(Bands::bandOfReceived(NumberRule::read<qint32>(text), l)),
              "read");
        QCOMPARE(NumberRule::roundHalfEven(std::nan("")), qint64(0));
    }

    void choices()
    {
        QCOMPARE(Bands::bandwidthChoices(Bands::kAM) + Bands::stereoChoices(Bands::kAM), QStringList({"3k", "4k", "6k", "8k"}));
        QCOMPARE((Bands::bandwidthChoices(Bands::kFM) + Bands::stereoChoices(Bands::kFM)).join(' '),
                 "AUTO 56k 64k 72k 84k 97k 114k 133k 151k 168k 184k 200k 217k 236k 254k 287k 311k OFF AUTO");
        QVERIFY((Bands::bandwidthChoices(Bands::kNone) + Bands::stereoChoices(Bands::kNone) + Bands::bandwidthChoices(2)).isEmpty());
    }

    void listLine_data()
    {
        QTest::addColumn<MemoryEntry>("entry");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("line");
        QTest::newRow("FM stereo") << ent(1, 100400, "REGNBOGN", "0000", 0, 1) << 1 << 99 << " 01 | FM | 100.400 | REGNBOGN | 0000 | AUTO | STEREO";
        QTest::newRow("FM mono") << ent(1, 87600, "RADIO", "D3C3", 5, 0) << 2 << 99 << " 02 | FM |  87.600 | RADIO    | D3C3 |  97k |  MONO ";
        QTest::newRow("AM 1") << ent(0, 1008, "AMSTAT", "", 1, 1) << 4 << 99 << " 04 | AM |   1.008 | AMSTAT   |      |   3k |      ";
        QTest::newRow("AM 0") << ent(0, 144, "LW", "", 0, 0) << 5 << 99 << " 05 | AM |   0.144 | LW       |      |   ?k |      ";
        QTest::newRow("AM 4, 7 of 120") << ent(0, 27000, "CB", "", 4, 0) << 7 << 120 << " 007 | AM |  27.000 | CB       |      |   8k |      ";
        QTest::newRow("negative") << ent(0, -1008, "NEG", "", 1, 0) << 9 << 99 << " 09 | -- |         |          |      |      |";
        QTest::newRow("no band, 16") << ent(-1, 50000, "ABCDEFGHI", "D3C3", 16, 255) << 10 << 99 << " 10 | FM |  50.000 | ABCDEFGHI| D3C3 | 311k | STEREO";
        QTest::newRow("band 5, 17, long") << ent(5, 12345678, "", "", 17, 0) << 11 << 99 << " 11 | FM | 345.678 |          |      |   ?k |  MONO ";
        QTest::newRow("NULs show blanks") << MemoryEntry{1, 87600, 0, 1, QString(4, QChar(0)), QString(9, QChar(0))} << 12 << 99 << " 12 | FM |  87.600 |          |      | AUTO | STEREO";
        QTest::newRow("empty 5 of 1000") << MemoryEntry() << 5 << 1000 << " 0005 | -- |         |          |      |      |";
    }
    void listLine()
    {
        QFETCH(MemoryEntry, entry);
        QFETCH(int, n);
        QFETCH(int, count);
        QTEST(LineFormat::listLine(entry, n, count), "line");
        if (entry.frequency <= 0)
            QTEST(LineFormat::emptyLine(n, count), "line");
    }

    void splitAndSwap()
    {
        QString a = QStringLiteral(" 01 | FM | 100.400 | REGNBOGN | 0000 | AUTO | STEREO");
        QString b = LineFormat::emptyLine(2, 99);
        LineFormat::swapDataParts(a, b, LineFormat::splitPosition(a));
        LineFormat::swapDataParts(a, b, LineFormat::splitPosition(QStringLiteral("no bar"))); // moves nothing
        QCOMPARE(a + b, " 01 | -- |         |          |      |      | 02 | FM | 100.400 | REGNBOGN | 0000 | AUTO | STEREO");
    }

    void apply_data()
    {
        QTest::addColumn<In>("in");
        QTest::addColumn<int>("oldStereo"); // of the entry before: FM 99000 OLD BEEF, bandwidth 7
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("stored"); // the entry, then the PI box
        QTest::newRow("FM stereo") << In{1, 99, "FM", "100400", "REGNBOGN", "  ", 0, "AUTO", 1} << 0
            << " 01 | FM | 100.400 | REGNBOGN | 0000 | AUTO | STEREO" << "1|100400|REGNBOGN |0000|0|1|0000";
        QTest::newRow("FM mono") << In{2, 99, "FM", "87600", "RADIO", "d3c3", 5, "97k", 0} << 1
            << " 02 | FM |  87.600 | RADIO    | d3c3 |  97k | MONO  " << "1|87600|RADIO    |d3c3|5|0|d3c3";
        QTest::newRow("AM") << In{3, 99, "AM", "1008", "AMSTAT", "12", 3, "8k", 1} << 1
            << " 03 | AM |   1.008 | AMSTAT   |      |   8k |       " << "0|1008|AMSTAT   |    |4|0|";
        QTest::newRow("no band keeps codes") << In{5, 99, "", "50000", "LOST", "1234", 2, "64k", 0} << 1
            << " 05 | -- |  50.000 |          |      |  64k |       " << "-1|50000|         |    |7|1|";
        QTest::newRow("band box, no frequency") << In{6, 99, "??", "", "X", "", 0, "3k", -1} << 0
            << " 06 | ?? |         |          |      |   3k |       " << "-1|0|         |    |7|0|";
        QTest::newRow("FM, no choice, stereo") << In{4, 99, "FM", "87600", "R", "1", -1, "", -1} << 1
            << " 04 | FM |  87.600 | R        | 0001 |      | STEREO" << "1|87600|R        |0001|7|1|0001";
        QTest::newRow("FM, no choice, mono") << In{4, 99, "FM", "87600", "R", "1A", -1, "", -1} << 0
            << " 04 | FM |  87.600 | R        | 001A |      | MONO  " << "1|87600|R        |001A|7|0|001A";
        QTest::newRow("name cut, half up") << In{7, 120, "FM", "87601.5", "ABCDEFGHIJK", "12345", 0, "AUTO", 1} << 0
            << " 007 | FM |  87.602 | ABCDEFGHI| 2345 | AUTO | STEREO" << "1|87602|ABCDEFGHI|2345|0|1|2345";
        QTest::newRow("blank name, no PI") << In{9, 99, "FM", "87600", "   ", "1234", 0, "AUTO", 1} << 0
            << " 09 | FM |  87.600 |          |      | AUTO | STEREO" << "1|87600|         |    |0|1|";
    }
    void apply()
    {
        QFETCH(In, in);
        QFETCH(int, oldStereo);
        const EntryEditor::Result r = EntryEditor::apply(ent(1, 99000, "OLD", "BEEF", 7, oldStereo), in, {});
        QTEST(r.line, "line");
        QTEST(show(r.entry) + QLatin1Char('|') + r.piBoxText, "stored");
    }

    void rawLines_data()
    {
        QTest::addColumn<QString>("raw");
        QTest::addColumn<QString>("entry");
        QTest::newRow("bandwidth") << "1,87600,3" << "1|87600|         |0000|3|0";
        QTest::newRow("short PI") << "1,87600,0,1,  1A ,X" << "1|87600|X        |  1A|0|1";
        QTest::newRow("long PI, long name") << "1,87600,0,1,12345,ABCDEFGHIJ" << "1|87600|ABCDEFGHI|2345|0|1";
        QTest::newRow("no frequency") << "1,abc,2,1,1,X" << "-1|0|X        |   1|2|1";
        QTest::newRow("below the FM limit") << "1, 87000.5kHz" << "0|87000|         |0000|0|0";
        QTest::newRow("clamped") << "1,99999999999,-1,300" << "0|2147483647|         |0000|0|255";
    }
    void rawLines()
    {
        QFETCH(QString, raw);
        MemoryTable t; // 99 entries until the count says otherwise
        t.setMemoryCount(2);
        t.limits().fMin = QStringLiteral("87500");
        t.rawLines() = QStringList{raw};
        t.buildFromRawLines();
        QCOMPARE(t.size(), 2);
        QTEST(show(t.entry(1)), "entry");
        QCOMPARE(show(t.entry(2)), "-1|0|         |0000|0|0"); // no line at all
    }

    void listOperations_data()
    {
        QTest::addColumn<TableOp>("op");
        QTest::addColumn<QString>("order"); // old entry numbers; e is a new empty entry
        QTest::newRow("insert first") << TableOp([](MemoryTable &t) { t.insertEmptyAt(1); }) << "e 1 2 3 4";
        QTest::newRow("delete first") << TableOp([](MemoryTable &t) { t.deleteAt(1); }) << "2 3 4 5 e";
        QTest::newRow("delete last") << TableOp([](MemoryTable &t) { t.deleteAt(5); }) << "1 2 3 4 e";
        QTest::newRow("swap") << TableOp([](MemoryTable &t) { t.swapEntries(5, 4); }) << "1 2 3 5 4";
        QTest::newRow("clear") << TableOp([](MemoryTable &t) { t.clear(); }) << "e e e e e";
    }
    void listOperations()
    {
        QFETCH(TableOp, op);
        MemoryTable t;
        t.setMemoryCount(5);
        t.clear();
        for (int n = 1; n <= 5; ++n) // every field differs from entry to entry
            t.entry(n) = ent(n % 2, 1000 * n, QString::number(n), QString::number(n), n, n % 2);
        const QVector<MemoryEntry> before = t.entries();
        op(t);
        QStringList order;
        for (const MemoryEntry &e : t.entries())
            order << (e == MemoryEntry() ? QStringLiteral("e") : QString::number(before.indexOf(e) + 1));
        QTEST(order.join(' '), "order");
    }
};

QTEST_APPLESS_MAIN(tst_MemList)
#include "tst_memlist.moc"
