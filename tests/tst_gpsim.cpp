// The window's Microchip listings judged by a real assembler and simulator: the cycles gpsim
// counts for each listing the window shows must equal the count it shows beside it.
#include <QTest>

#include "support/Gpsim.h"
#include "support/Scenario.h"
#include "support/WindowFixture.h"

using namespace Qt::StringLiterals;

namespace {

struct Shown {
    QString steps;  // what was done to the window
    QString listing;
    qint64 cycles = 0;
    bool subroutine = false;
};

// Judges every listing in one simulator run.
void judge(const QList<Shown>& shown) {
    QList<GpsimPiece> pieces;
    qint64 total = 0;
    for (const Shown& one : shown) {
        pieces << GpsimPiece{one.listing, one.subroutine};
        total += one.cycles;
    }
    const GpsimCycles simulated = cyclesInGpsim(pieces, total + 1000);
    QVERIFY2(simulated.failure.isEmpty(), qPrintable(simulated.failure));
    for (qsizetype at = 0; at < shown.size(); ++at)
        QVERIFY2(simulated.cycles[at] == shown[at].cycles,
                 qPrintable(u"%1: gpsim counts %2, the window shows %3\n"_s.arg(shown[at].steps).arg(simulated.cycles[at]).arg(shown[at].cycles) +
                            shown[at].listing));
}

Shown shownAfter(const QString& steps) {
    WindowFixture fixture;
    runSteps(fixture, u"pic | click OptMicroChip | "_s + steps);
    if (!fixture.desktop.messages.isEmpty()) qFatal("%s: %s", qPrintable(steps), qPrintable(fixture.desktop.messageTexts().join(u'|')));
    return {steps, fixture.listing(), fixture.box("TxtMC")->text().toLongLong(), fixture.control<QCheckBox>("ChkAddCR")->isChecked()};
}

}  // namespace

class TestGpsim : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        if (!gpsimAvailable()) QSKIP("gpasm and gpsim (Debian packages gputils and gpsim) are needed to judge the listings");
    }

    void typedCounters() {
        // 0 stands for 256 passes. D at 0 in four loops is left out: some 1.3e10 cycles.
        QList<Shown> shown;
        for (const QString& calls : {u"untick ChkAddCR"_s, u"tick ChkAddCR"_s})
            for (int depth = 0; depth < 4; ++depth)
                for (const QString& counts : {u"1 1 1 1"_s, u"100 20 5 2"_s, u"255 2 255 1"_s, u"0 1 1 1"_s, u"1 0 1 1"_s, u"1 1 0 1"_s})
                    shown << shownAfter(u"type TxtClock 4000000 | counters "_s + counts + u" | "_s + calls + u" | tab %1 | click BtnCalcTime"_s.arg(depth));
        shown << shownAfter(u"type TxtClock 4000000 | counters 0 0 0 1 | tab 3 | click BtnCalcTime"_s)
              << shownAfter(u"type TxtClock 32768 | counters 37 1 1 1 | click BtnCalcTime"_s)
              << shownAfter(u"type TxtClock 20000000 | counters 100 20 5 2 | tick ChkAddCR | tab 2"_s);
        judge(shown);
    }

    void searchedCounters() {
        // Requests at or beyond the longest four-loop delay are left out: some 1.3e10 cycles.
        QList<Shown> shown;
        for (const QString& calls : {u"untick ChkAddCR"_s, u"tick ChkAddCR"_s}) {
            for (const QString& delay : {u"0.0000005"_s, u"0.0005"_s, u"0.000769"_s, u"0.001"_s, u"0.5"_s, u"1"_s, u"100"_s})
                shown << shownAfter(u"type TxtClock 4000000 | counters 1 1 1 1 | "_s + calls + u" | type TxtTime "_s + delay + u" | click BtnCalcValues"_s);
            for (const QString& delay : {u"0.01"_s, u"0.2"_s, u"15"_s})
                shown << shownAfter(u"type TxtClock 20000000 | counters 1 1 1 1 | "_s + calls + u" | type TxtTime "_s + delay + u" | click BtnCalcValues"_s);
        }
        judge(shown);
    }
};

QTEST_MAIN(TestGpsim)
#include "tst_gpsim.moc"
