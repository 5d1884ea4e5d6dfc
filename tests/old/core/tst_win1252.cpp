#include "text/Win1252.h"

#include <QtTest>

class TestWin1252 : public QObject
{
    Q_OBJECT

private slots:
    void everyByteSurvives()
    {
        QByteArray all(256, Qt::Uninitialized);
        for (int i = 0; i < 256; ++i)
            all[i] = static_cast<char>(i);
        const QString text = Win1252::decode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(Win1252::encode(text), all);
    }

    void mapping_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("ascii") << QByteArray("Freq;A") << QStringLiteral("Freq;A");
        QTest::newRow("euro") << QByteArray("\x80") << QStringLiteral("€");
        QTest::newRow("quotes") << QByteArray("\x93\x94") << QStringLiteral("“”");
        QTest::newRow("undefined 0x81") << QByteArray("\x81") << QString(QChar(0x81));
        QTest::newRow("latin-1 range") << QByteArray("\xfc\xe9\xff") << QStringLiteral("üéÿ");
        QTest::newRow("NUL") << QByteArray(1, '\0') << QString(QChar(0));
    }
    void mapping()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(Win1252::decode(bytes), text);
        QCOMPARE(Win1252::encode(text), bytes);
    }

    void unmappableBecomesQuestionMark()
    {
        QCOMPARE(Win1252::encode(QStringLiteral("a\u0100b\u4e2d")), QByteArray("a?b?"));
    }
};

QTEST_GUILESS_MAIN(TestWin1252)
#include "tst_win1252.moc"
