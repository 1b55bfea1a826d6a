// The calculation: delay from counters, counters from a delay, the chip toggle, the tab
// strip and the clock and delay boxes.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>

#include "calc/CounterSearch.h"
#include "calc/Fault.h"
#include "calc/Formulas.h"
#include "calc/NumberText.h"
#include "ui/FrmMain.h"

namespace ui {

namespace {
const QString kBlankNames = QStringLiteral("You must not have any blank counter names.");
}

bool FrmMain::anyCounterNameEmpty() const {
    return std::any_of(rows_.rbegin(), rows_.rend(),
                       [](const CounterRow& row) { return row.name->text().isEmpty(); });
}

void FrmMain::CalcTmm() {
    try {
        calc::CalcTmm(calc_, TxtClock->text());
    } catch (const calc::Fault&) {
        // The limits not yet written keep their values.
    }
}

void FrmMain::CalcTime() {
    try {
        std::array<QString, calc::MaxDepth> values;
        for (int counter = 0; counter < calc::MaxDepth; ++counter) {
            QLineEdit* box = rows_[counter].value;
            if (box->text().isEmpty()) box->setText(QStringLiteral("1"));
            values[counter] = box->text();
        }
        calc::CalcTime(calc_, TxtClock->text(), values);
    } catch (const calc::Fault&) {
        // Stops at the first box that fails; what it has not reached keeps its value.
    }
}

void FrmMain::FillBoxes() {
    try {
        const calc::ShownResult shown =
            calc::FillBoxes(calc_, TabCode->currentIndex(), ChkAddCR->isChecked(), TxtClock->text());
        TxtTime->setText(shown.timeText);
        TxtMC->setText(shown.cyclesText);
    } catch (const calc::Fault&) {
        // Nothing shown: the boxes keep the previous result.
    }
}

void FrmMain::onBtnCalcTimePressed() {
    if (anyCounterNameEmpty()) {
        exclaim(kBlankNames);
        return;
    }
    CalcTime();
    FillBoxes();
    FillTab();
    try {
        calc_.DelayValue = calc::parseNumber(TxtTime->text());
    } catch (const calc::Fault&) {
        // The delay box only ever holds a number; its own handling sees to that.
    }
}

void FrmMain::onBtnCalcValuesPressed() {
    if (anyCounterNameEmpty()) {
        exclaim(kBlankNames);
        return;
    }
    const calc::SearchOutcome outcome = calc::CounterSearch(
        calc_, {TxtTime->text(), TxtClock->text(), ChkAddCR->isChecked()});
    if (outcome.inputNotNumeric) {
        exclaim(QStringLiteral("Do not use non-numeric characters in number fields!  Previously "
                               "saved preferences will be loaded to fix."));
        onBtnResetPressed();
        return;
    }
    for (const QString& limit : outcome.delayTexts) TxtTime->setText(limit);
    if (outcome.depth > 0) {
        const int tab = outcome.depth - 1;
        // The tab click this raises must not recalculate: the press below does that.
        if (TabCode->currentIndex() != tab) calc_.SuppressTabRecalc = 1;
        TabCode->setCurrentIndex(tab);
    }
    const calc::Counts counts = calc::countsOf(calc_);
    for (int counter = 0; counter < calc::MaxDepth; ++counter)
        setValueFromCode(counter, calc::formatPlain(counts[counter]));
    onBtnCalcTimePressed();
}

void FrmMain::onTabCodeClicked() {
    if (calc_.SuppressTabRecalc != 1) {
        CalcTmm();
        CalcTime();
        FillBoxes();
        FillTab();
    }
    calc_.SuppressTabRecalc = 0;
}

void FrmMain::showChipType(bool pic, const QString& pictureName) {
    const QPixmap chip = picture(pictureName);
    BtnChip->setIcon(chip);
    BtnChip->setIconSize(chip.size());
    calc_.ChipType = pic ? calc::ChipMchip : calc::ChipSxTurbo;
    Label5->setText(pic ? QStringLiteral("Machine Cycles:") : QStringLiteral("Clock Cycles:"));
    Label7->setText(pic ? QStringLiteral("mc") : QStringLiteral("cc"));
    TxtMC->setAccessibleName(pic ? QStringLiteral("Machine Cycles") : QStringLiteral("Clock Cycles"));
    BtnChip->setAccessibleName(pic ? QStringLiteral("Chip type: PIC") : QStringLiteral("Chip type: SX-Turbo"));
}

void FrmMain::onBtnChipPressed() {
    // Only the chip changes: results and listing stay until the next calculation.
    if (calc_.ChipType == calc::ChipMchip)
        showChipType(false, QStringLiteral("Sxturbo"));
    else
        showChipType(true, QStringLiteral("Mchip"));
    PlayWave(QStringLiteral("pop"));
}

bool FrmMain::readNumberBox(QLineEdit* box, double& remembered, const QString& refusal,
                            QString (*format)(double)) {
    try {
        remembered = calc::parseNumber(box->text());
        return true;
    } catch (const calc::Fault& fault) {
        if (fault.kind() != calc::FaultKind::NotANumber) {
            exclaim(QStringLiteral("Error : ") + fault.description());
            return false;
        }
        exclaim(refusal);
        // Putting the last number back runs this handling once more, which then succeeds.
        box->setText(format(remembered));
        return false;
    }
}

void FrmMain::onTxtClockChanged() {
    if (readNumberBox(TxtClock, calc_.ClockValue,
                      QStringLiteral("Do not use non-numeric characters within Oscillator "
                                     "Frequency value!"),
                      calc::formatWhole))
        CalcTmm();
}

void FrmMain::onTxtTimeChanged() {
    // Nothing is recalculated: the delay is only read when a search starts.
    readNumberBox(TxtTime, calc_.DelayValue,
                  QStringLiteral("Do not use non-numeric characters within Delay Time value!"),
                  calc::formatDelay);
}

}  // namespace ui
