// Reading numbers from boxes and writing them back: the patterns, the rounding and the
// checked narrowing.
#include <QTest>

#include "support/ThrowsFault.h"

#include "calc/Fault.h"
#include "calc/NumberText.h"

Q_DECLARE_METATYPE(calc::FaultKind)

class TestNumberText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parsesNumbers_data();
    void parsesNumbers();
    void refusesText_data();
    void refusesText();
    void delayPattern_data();
    void delayPattern();
    void wholePattern_data();
    void wholePattern();
    void plainTextReadsBack_data();
    void plainTextReadsBack();
    void toInt16RoundsHalfToEven_data();
    void toInt16RoundsHalfToEven();
    void checkedArithmetic();
};

void TestNumberText::parsesNumbers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("whole") << "4000000" << 4e6;
    QTest::newRow("decimal") << "0.001" << 0.001;
    QTest::newRow("exponent") << "1e-3" << 0.001;
    QTest::newRow("negative") << "-5" << -5.0;
    QTest::newRow("plus sign") << "+2.5" << 2.5;
    QTest::newRow("blanks around") << "  12 " << 12.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("zero") << "0" << 0.0;
}

void TestNumberText::parsesNumbers() {
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(calc::parseNumber(text), value);
}

void TestNumberText::refusesText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<calc::FaultKind>("kind");
    QTest::newRow("empty") << "" << calc::FaultKind::NotANumber;
    QTest::newRow("blanks") << "   " << calc::FaultKind::NotANumber;
    QTest::newRow("letters") << "abc" << calc::FaultKind::NotANumber;
    QTest::newRow("trailing letter") << "12x" << calc::FaultKind::NotANumber;
    QTest::newRow("grouped") << "1,000,000" << calc::FaultKind::NotANumber;
    QTest::newRow("blank inside") << "1 2" << calc::FaultKind::NotANumber;
    QTest::newRow("infinity word") << "inf" << calc::FaultKind::NotANumber;
    QTest::newRow("nan word") << "nan" << calc::FaultKind::NotANumber;
    QTest::newRow("beyond double") << "1e400" << calc::FaultKind::Overflow;
    QTest::newRow("beyond double, negative") << "-1e400" << calc::FaultKind::Overflow;
}

void TestNumberText::refusesText() {
    QFETCH(QString, text);
    QFETCH(calc::FaultKind, kind);
    try {
        calc::parseNumber(text);
        QFAIL("accepted");
    } catch (const calc::Fault& fault) {
        QCOMPARE(fault.kind(), kind);
    }
}

void TestNumberText::delayPattern_data() {
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("eight decimals") << 0.000766 << "0.00076600";
    QTest::newRow("ninth decimal shown") << 0.000007822223 << "0.000007822";
    QTest::newRow("integer digits") << 344.6079643 << "344.60796430";
    QTest::newRow("zero") << 0.0 << "0.00000000";
    QTest::newRow("rounds to nine decimals") << 0.0000000014 << "0.000000001";
    QTest::newRow("tiny negative is zero") << -1e-12 << "0.00000000";
    QTest::newRow("negative") << -0.5 << "-0.50000000";
    QTest::newRow("large, no grouping") << 12345678.9 << "12345678.90000000";
}

void TestNumberText::delayPattern() {
    QFETCH(double, seconds);
    QFETCH(QString, text);
    QCOMPARE(calc::formatDelay(seconds), text);
}

void TestNumberText::wholePattern_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 4e6 << "4000000";
    QTest::newRow("rounded") << 3579545.4 << "3579545";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("small negative rounds to zero") << -0.2 << "0";
    QTest::newRow("large") << 1e12 << "1000000000000";
}

void TestNumberText::wholePattern() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(calc::formatWhole(value), text);
}

void TestNumberText::plainTextReadsBack_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 766.0 << "766";
    QTest::newRow("large whole") << 12918587911.0 << "12918587911";
    QTest::newRow("fraction") << 1.5 << "1.5";
    QTest::newRow("negative") << -6.0 << "-6";
    QTest::newRow("shortest delay") << 0.000004 << "0.000004";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("rounded product") << 4.0 / 3579545 * 4 << "0.0000044698418374402335";
}

void TestNumberText::plainTextReadsBack() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(calc::formatPlain(value), text);
    QCOMPARE(calc::parseNumber(calc::formatPlain(value)), value);
}

void TestNumberText::toInt16RoundsHalfToEven_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("whole");
    QTest::newRow("2.5 to 2") << 2.5 << 2;
    QTest::newRow("3.5 to 4") << 3.5 << 4;
    QTest::newRow("-2.5 to -2") << -2.5 << -2;
    QTest::newRow("2.6 to 3") << 2.6 << 3;
    QTest::newRow("upper bound") << 32767.0 << 32767;
    QTest::newRow("lower bound") << -32768.0 << -32768;
    QTest::newRow("rounds down into range") << 32767.4 << 32767;
}

void TestNumberText::toInt16RoundsHalfToEven() {
    QFETCH(double, value);
    QFETCH(int, whole);
    QCOMPARE(int(calc::toInt16(value)), whole);
}

void TestNumberText::checkedArithmetic() {
    for (const double outside : {32767.5, 32768.0, -32769.0, 1e9})
        QVERIFY_FAULT(calc::toInt16(outside));
    QVERIFY_FAULT(calc::divide(1, 0));
    QVERIFY_FAULT(calc::toSingle(1e39));
    QVERIFY_FAULT(calc::checked(std::numeric_limits<double>::infinity()));
    QVERIFY_FAULT(calc::checked(std::numeric_limits<double>::quiet_NaN()));
    QCOMPARE(calc::toSingle(3579545.0), 3579545.0f);
    QCOMPARE(calc::Fault(calc::FaultKind::DivisionByZero).description(), QStringLiteral("Division by zero"));
}

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
