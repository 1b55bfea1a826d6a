// The counter name checks: which names are refused, and for which reason, and the trimming
// that runs before the check.
#include <QTest>

#include "prefs/CounterChecks.h"

class TestCounterCheck : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void findSpace_data();
    void findSpace();
    void trimSpaces_data();
    void trimSpaces();
};

void TestCounterCheck::findSpace_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("verdict");
    const int ok = prefs::NameOk;
    const int space = prefs::NameHasSpace;
    const int digit = prefs::NameStartsWithDigit;

    QTest::newRow("Count1") << "Count1" << ok;
    QTest::newRow("_1") << "_1" << ok;
    QTest::newRow("dly") << "dly" << ok;
    QTest::newRow("one letter") << "x" << ok;
    QTest::newRow("digit inside") << "Cnt7" << ok;
    // The characters just outside 0 to 9 in the code table.
    QTest::newRow("slash first") << "/x" << ok;
    QTest::newRow("colon first") << ":x" << ok;

    QTest::newRow("1dly") << "1dly" << digit;
    QTest::newRow("7up") << "7up" << digit;
    QTest::newRow("0 alone") << "0" << digit;
    QTest::newRow("9 alone") << "9" << digit;
    QTest::newRow("all digits") << "123" << digit;

    QTest::newRow("d ly") << "d ly" << space;
    QTest::newRow("one space") << " " << space;
    QTest::newRow("empty") << "" << space;
    QTest::newRow("space at the end") << "dly " << space;
    QTest::newRow("space at the start") << " dly" << space;
    QTest::newRow("two spaces inside") << "a  b" << space;
    // A space outweighs a leading digit.
    QTest::newRow("digit first, space inside") << "1 x" << space;
    QTest::newRow("digit then space") << "7 " << space;

    // Other blanks are ordinary characters.
    QTest::newRow("tab inside") << "d\tly" << ok;
    QTest::newRow("tab alone") << "\t" << ok;
    QTest::newRow("non-breaking space inside") << QStringLiteral("d\u00A0ly") << ok;
    QTest::newRow("non-breaking space alone") << QStringLiteral("\u00A0") << ok;
    QTest::newRow("ideographic space inside") << QStringLiteral("d\u3000ly") << ok;

    // Other digits are ordinary characters.
    QTest::newRow("Arabic-Indic digit first") << QStringLiteral("\u0663up") << ok;
    QTest::newRow("superscript two first") << QStringLiteral("\u00B2x") << ok;
    QTest::newRow("fullwidth digit first") << QStringLiteral("\uFF11x") << ok;
}

void TestCounterCheck::findSpace() {
    QFETCH(QString, name);
    QFETCH(int, verdict);
    QCOMPARE(int(prefs::FindSpace(name)), verdict);
}

void TestCounterCheck::trimSpaces_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("trimmed");
    QTest::newRow("nothing to trim") << "dly" << "dly";
    QTest::newRow("leading") << "  dly" << "dly";
    QTest::newRow("trailing") << "dly  " << "dly";
    QTest::newRow("both ends, inner space kept") << " d ly " << "d ly";
    QTest::newRow("only spaces") << "   " << "";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("tabs at the ends kept") << "\tdly\t" << "\tdly\t";
    QTest::newRow("line feed at the end kept") << "dly\n" << "dly\n";
    QTest::newRow("space before a tab") << " \tdly" << "\tdly";
    QTest::newRow("non-breaking spaces kept")
        << QStringLiteral("\u00A0dly\u00A0") << QStringLiteral("\u00A0dly\u00A0");
}

void TestCounterCheck::trimSpaces() {
    QFETCH(QString, name);
    QFETCH(QString, trimmed);
    QCOMPARE(prefs::trimSpaces(name), trimmed);
}

QTEST_APPLESS_MAIN(TestCounterCheck)
#include "tst_countercheck.moc"
