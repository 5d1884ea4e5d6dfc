#include "link/Bits.h"
#include "link/ClockCommand.h"
#include "link/EntryCommand.h"
#include "link/EntryStatus.h"
#include "memlist/MemoryTable.h"

#include <QtTest>

class TestLinkCommands : public QObject
{
    Q_OBJECT

private slots:
    void entryCommand_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<MemoryEntry>("entry");
        QTest::addColumn<QString>("command");
        MemoryEntry e;
        e.frequency = 100400;
        e.bandwidth = 3;
        e.stereo = 1;
        e.setPi("1A2B");
        e.setName("RADIO");
        QTest::newRow("full") << 12 << e << "S12,100400,3,1,1A2B,RADIO\n";
        QTest::newRow("downloaded empty")
            << 5 << MemoryTable::entryFromRawLine(QString(), Bands::Limits()) << "S5,0,0,0,0000,\n";
        QTest::newRow("never stored") << 1 << MemoryEntry() << "S1,0,0,0,,\n";
        e.setPi("  1A");
        e.setName("  LEAD");
        QTest::newRow("blanks") << 7 << e << "S7,100400,3,1,1A,  LEAD\n";
        e.name = QStringLiteral("A\nB\rC");
        e.pi = QString(4, QChar(0));
        QTest::newRow("no line end or NUL inside") << 7 << e << "S7,100400,3,1,,A B C\n";
    }
    void entryCommand()
    {
        QFETCH(int, n);
        QFETCH(MemoryEntry, entry);
        QTEST(EntryCommand::entryCommand(n, entry), "command");
    }

    void status_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<bool>("isStatus");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<bool>("fits");
        QTest::addColumn<int>("word");
        QTest::newRow("128") << "S:128" << true << true << true << 128;
        QTest::newRow("33") << "S:33" << true << false << true << 33;
        QTest::newRow("0") << "S:0" << true << false << true << 0;
        QTest::newRow("64") << "S:64" << true << false << true << 64;
        QTest::newRow("OK") << "OK" << false << true << true << 0;
        QTest::newRow("empty") << "" << false << true << true << 0;
        QTest::newRow("prefix") << "xyzS:5" << true << false << true << 5;
        QTest::newRow("70000") << "S:70000" << true << false << false << 0;
        QTest::newRow("negative") << "S:-1" << true << false << false << 0;
        QTest::newRow("65535") << "S:65535" << true << true << true << 65535;
        QTest::newRow("NUL CR LF blanks") << QString::fromLatin1(" \0S:1\r29\n ", 11) << true << true << true
                                          << 129;
        QTest::newRow("lower case") << "s:128" << false << true << true << 0;
        QTest::newRow("second piece") << "S:3:128" << true << false << true << 3;
    }
    void status()
    {
        QFETCH(QString, reply);
        const EntryStatus::Reply r = EntryStatus::parse(reply);
        QTEST(r.isStatus, "isStatus");
        QTEST(r.accepted, "accepted");
        QTEST(r.fits, "fits");
        QTEST(int(r.word), "word");
    }

    void errorMessages_data()
    {
        QTest::addColumn<int>("word");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("focus");
        QTest::newRow("33") << 33 << QStringList{"  Incorrect PI code!  ", "  Frequency out of range!  "}
                            << QStringList{"tPI", "tFreq"};
        QTest::newRow("63") << 63
                            << QStringList{"  Incorrect PI code!  ", "  Memory 01 can't be empty!  ",
                                           "  Mono/Stereo out of range!  ", "  Bandwidth out of range!  ",
                                           "  Memory Channel out of range!  ", "  Frequency out of range!  "}
                            << QStringList{"tPI", "tFreq", "coST", "coBW", "tFreq", "tFreq"};
        QTest::newRow("5") << 5 << QStringList{"  Bandwidth out of range!  ", "  Frequency out of range!  "}
                           << QStringList{"coBW", "tFreq"};
        QTest::newRow("64 none") << 64 << QStringList() << QStringList();
    }
    void errorMessages()
    {
        QFETCH(int, word);
        QStringList texts, focus;
        for (const auto &m : EntryStatus::errorMessages(static_cast<quint16>(word))) {
            texts << m.text;
            focus << m.focusName;
        }
        QTEST(texts, "texts");
        QTEST(focus, "focus");
        QCOMPARE(EntryStatus::errorTitle(static_cast<quint16>(word)), " ERROR: " + QString::number(word));
    }

    void isBitSet_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("bit");
        QTest::addColumn<bool>("set");
        QTest::newRow("128/7") << 128 << 7 << true;
        QTest::newRow("127/7") << 127 << 7 << false;
        QTest::newRow("33/5") << 33 << 5 << true;
        QTest::newRow("33/1") << 33 << 1 << false;
        QTest::newRow("bit 32") << -1 << 32 << false;
    }
    void isBitSet()
    {
        QFETCH(int, value);
        QFETCH(int, bit);
        QTEST(mBits::IsBitSet(static_cast<quint32>(value), bit), "set");
    }

    void clock_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("command");
        QTest::newRow("morning") << QTime(7, 5, 9) << "$time: 07:05:09\n";
        QTest::newRow("last second") << QTime(23, 59, 59) << "$time: 23:59:59\n";
        QTest::newRow("midnight") << QTime(0, 0, 0) << "$time: 00:00:00\n";
    }
    void clock()
    {
        QFETCH(QTime, time);
        QTEST(ClockCommand::clockCommand(time), "command");
    }
};

QTEST_GUILESS_MAIN(TestLinkCommands)
#include "tst_linkcommands.moc"
