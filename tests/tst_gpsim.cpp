// The window's Microchip listings judged by a real assembler and simulator: the cycles gpsim counts for
// each listing the window shows must equal the count it shows beside it.
#include <QTest>

#include "support/Judges.h"
#include "support/Scenario.h"
#include "support/WindowFixture.h"

using namespace Qt::StringLiterals;

namespace {

JudgedPiece shownAfter(const QString& steps) {
    WindowFixture fixture;
    runSteps(fixture, u"pic | click OptMicroChip | "_s + steps);
    if (!fixture.desktop.messages.isEmpty()) qFatal("%s: %s", qPrintable(steps), qPrintable(fixture.desktop.messageTexts().join(u'|')));
    return {fixture.listing(), fixture.control<QCheckBox>("ChkAddCR")->isChecked(), fixture.box("TxtMC")->text().toLongLong(), steps};
}

}  // namespace

class TestGpsim : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void shownCyclesAreSimulated() {
        if (!gpsimAvailable()) QSKIP("gpasm and gpsim (Debian packages gputils and gpsim) are needed to judge the listings");
        // Typed counters, 0 standing for 256 passes; D at 0 in four loops is left out: some 1.3e10 cycles.
        QList<JudgedPiece> shown;
        for (const QString& calls : {u"untick ChkAddCR"_s, u"tick ChkAddCR"_s})
            for (int depth = 0; depth < 4; ++depth)
                for (const QString& counts : {u"1 1 1 1"_s, u"100 20 5 2"_s, u"255 2 255 1"_s, u"0 1 1 1"_s, u"1 0 1 1"_s, u"1 1 0 1"_s})
                    shown << shownAfter(u"type TxtClock 4000000 | counters %1 | %2 | tab %3 | click BtnCalcTime"_s.arg(counts, calls).arg(depth));
        shown << shownAfter(u"type TxtClock 4000000 | counters 0 0 0 1 | tab 3 | click BtnCalcTime"_s);
        // Searched counters; requests at or beyond the longest four-loop delay are left out.
        for (const QString& calls : {u"untick ChkAddCR"_s, u"tick ChkAddCR"_s})
            for (const QString& request : {u"4000000 0.0000005"_s, u"4000000 0.0005"_s, u"4000000 0.000769"_s, u"4000000 0.001"_s,
                                           u"4000000 0.5"_s, u"4000000 1"_s, u"4000000 100"_s, u"20000000 0.01"_s, u"20000000 0.2"_s,
                                           u"20000000 15"_s})
                shown << shownAfter(u"type TxtClock %1 | counters 1 1 1 1 | %2 | type TxtTime %3 | click BtnCalcValues"_s.arg(
                    request.section(u' ', 0, 0), calls, request.section(u' ', 1)));
        const QString differences = gpsimDifferences(u"p16f84"_s, shown);
        QVERIFY2(differences.isEmpty(), qPrintable(differences));
    }
};

QTEST_MAIN(TestGpsim)
#include "tst_gpsim.moc"
