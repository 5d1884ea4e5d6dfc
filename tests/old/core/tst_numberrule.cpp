#include "memlist/NumberRule.h"

#include <QTest>

#include <cmath>
#include <limits>

class tst_NumberRule : public QObject
{
    Q_OBJECT

private slots:
    void value_data();
    void value();
    void roundHalfEven_data();
    void roundHalfEven();
    void readClampsToWidth_data();
    void readClampsToWidth();
    void hugeDigitStringsSaturate();
    void notANumberRoundsToZero();
    void fits();
};

void tst_NumberRule::value_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::addColumn<bool>("found");

    QTest::newRow("empty") << "" << 0.0 << false;
    QTest::newRow("blanks only") << "    " << 0.0 << false;
    QTest::newRow("plain") << "100400" << 100400.0 << true;
    QTest::newRow("leading blanks") << "   42" << 42.0 << true;
    QTest::newRow("plus sign") << "+7" << 7.0 << true;
    QTest::newRow("minus sign") << "-7" << -7.0 << true;
    QTest::newRow("blanks then sign") << "  -12" << -12.0 << true;
    QTest::newRow("decimals") << "12.75" << 12.75 << true;
    QTest::newRow("point five") << ".5" << 0.5 << true;
    QTest::newRow("negative point five") << "-.5" << -0.5 << true;
    QTest::newRow("trailing point") << "5." << 5.0 << true;
    QTest::newRow("second point stops") << "1.2.3" << 1.2 << true;
    QTest::newRow("letters stop") << "3abc" << 3.0 << true;
    QTest::newRow("text without number") << "abc" << 0.0 << false;
    QTest::newRow("sign alone") << "-" << 0.0 << false;
    QTest::newRow("point alone") << "." << 0.0 << false;
    QTest::newRow("comma stops") << "1,5" << 1.0 << true;
    QTest::newRow("exponent not read") << "1e5" << 1.0 << true;
    QTest::newRow("inner blank stops") << "1 2" << 1.0 << true;
    QTest::newRow("two signs") << "+-3" << 0.0 << false;
    QTest::newRow("blank after sign") << "- 3" << 0.0 << false;
    QTest::newRow("trailing text after decimals") << " 87.6MHz" << 87.6 << true;
    QTest::newRow("leading zeros") << "007" << 7.0 << true;
}

void tst_NumberRule::value()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QFETCH(bool, found);

    QCOMPARE(NumberRule::value(text), expected);
    QCOMPARE(NumberRule::parse(text).found, found);
}

void tst_NumberRule::roundHalfEven_data()
{
    QTest::addColumn<double>("v");
    QTest::addColumn<qint64>("expected");

    QTest::newRow("0.5") << 0.5 << qint64(0);
    QTest::newRow("1.5") << 1.5 << qint64(2);
    QTest::newRow("2.5") << 2.5 << qint64(2);
    QTest::newRow("3.5") << 3.5 << qint64(4);
    QTest::newRow("-0.5") << -0.5 << qint64(0);
    QTest::newRow("-2.5") << -2.5 << qint64(-2);
    QTest::newRow("-3.5") << -3.5 << qint64(-4);
    QTest::newRow("below half") << 2.4999 << qint64(2);
    QTest::newRow("above half") << 2.5001 << qint64(3);
    QTest::newRow("negative below half") << -0.4 << qint64(0);
    QTest::newRow("negative above half") << -1.6 << qint64(-2);
    QTest::newRow("whole") << 100400.0 << qint64(100400);
    QTest::newRow("frequency half") << 87600.5 << qint64(87600);
    QTest::newRow("frequency odd half") << 87601.5 << qint64(87602);
}

void tst_NumberRule::roundHalfEven()
{
    QFETCH(double, v);
    QFETCH(qint64, expected);
    QCOMPARE(NumberRule::roundHalfEven(v), expected);
}

void tst_NumberRule::readClampsToWidth_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");    // 8 unsigned, 16 signed, 32 signed
    QTest::addColumn<qint64>("expected");

    QTest::newRow("byte in range") << "200" << 8 << qint64(200);
    QTest::newRow("byte 255") << "255" << 8 << qint64(255);
    QTest::newRow("byte above") << "256" << 8 << qint64(255);
    QTest::newRow("byte far above") << "99999" << 8 << qint64(255);
    QTest::newRow("byte negative") << "-4" << 8 << qint64(0);
    QTest::newRow("byte half even down") << "2.5" << 8 << qint64(2);
    QTest::newRow("byte half even up") << "3.5" << 8 << qint64(4);
    QTest::newRow("byte 254.5 rounds to even") << "254.5" << 8 << qint64(254);
    QTest::newRow("byte 255.5 clamps") << "255.5" << 8 << qint64(255);
    QTest::newRow("short above") << "40000" << 16 << qint64(32767);
    QTest::newRow("short below") << "-40000" << 16 << qint64(-32768);
    QTest::newRow("short count") << "120" << 16 << qint64(120);
    QTest::newRow("int above") << "99999999999" << 32 << qint64(2147483647);
    QTest::newRow("int below") << "-99999999999" << 32 << qint64(-2147483647 - 1);
    QTest::newRow("int text without number") << "x1" << 32 << qint64(0);
    QTest::newRow("int blanks and decimals") << "  1008.5kHz" << 32 << qint64(1008);
}

void tst_NumberRule::readClampsToWidth()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(qint64, expected);

    switch (width) {
    case 8: QCOMPARE(qint64(NumberRule::read<quint8>(text)), expected); break;
    case 16: QCOMPARE(qint64(NumberRule::read<qint16>(text)), expected); break;
    case 32: QCOMPARE(qint64(NumberRule::read<qint32>(text)), expected); break;
    default: QFAIL("unknown width");
    }
}

void tst_NumberRule::hugeDigitStringsSaturate()
{
    // More digits than a double can hold must neither crash nor wrap.
    const QString huge = QStringLiteral("1") + QString(400, QLatin1Char('0'));
    QCOMPARE(NumberRule::read<qint32>(huge), std::numeric_limits<qint32>::max());
    QCOMPARE(NumberRule::read<qint32>(QLatin1Char('-') + huge), std::numeric_limits<qint32>::min());
    QCOMPARE(NumberRule::read<quint8>(huge), quint8(255));
    QCOMPARE(NumberRule::roundHalfEven(1e300), std::numeric_limits<qint64>::max());
    QCOMPARE(NumberRule::roundHalfEven(-1e300), std::numeric_limits<qint64>::min());
}

void tst_NumberRule::notANumberRoundsToZero()
{
    QCOMPARE(NumberRule::roundHalfEven(std::nan("")), qint64(0));
}

void tst_NumberRule::fits()
{
    QVERIFY(NumberRule::fits<quint8>(255.4));
    QVERIFY(!NumberRule::fits<quint8>(255.6));
    QVERIFY(NumberRule::fits<quint8>(-0.5)); // rounds to 0
    QVERIFY(!NumberRule::fits<quint8>(-1.0));
    QVERIFY(NumberRule::fits<qint16>(32767.0));
    QVERIFY(!NumberRule::fits<qint16>(32768.0));
}

QTEST_APPLESS_MAIN(tst_NumberRule)
#include "tst_numberrule.moc"
