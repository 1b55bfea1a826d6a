// The calculation: delay from counters, counters from a delay, the chip toggle, the tab
// strip and the clock and delay boxes.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

#include "calc/CounterSearch.h"
#include "calc/Fault.h"
#include "calc/Formulas.h"
#include "calc/NumberText.h"
#include "listing/Listing.h"
#include "prefs/CounterChecks.h"
#include "ui/FrmMain.h"

namespace ui {

namespace {
const QString kBlankNames = QStringLiteral("You must not have any blank counter names.");
}

bool FrmMain::anyCounterNameEmpty() const {
    return std::any_of(rows_.rbegin(), rows_.rend(),
                       [](const CounterRow& row) { return row.name->text().isEmpty(); });
}

std::optional<std::pair<int, int>> FrmMain::counterNamesClash(int depth) const {
    QStringList names;
    for (int counter = 0; counter < depth; ++counter) names << rows_[counter].name->text();
    return prefs::sameNames(names, listing::nameCase(OptMicroChip->isChecked() ? listing::ListingFormat::Microchip
                                                                                 : listing::ListingFormat::Parallax));
}

bool FrmMain::refuseSameNames(int depth) {
    const std::optional<std::pair<int, int>> clash = counterNamesClash(depth);
    if (!clash) return false;
    const auto [first, second] = *clash;
    const QString firstName = rows_[first].name->text(), secondName = rows_[second].name->text();
    // Names that differ only in capitals are both shown, so the clash can be seen.
    const QString shown =
        firstName == secondName ? firstName : firstName + QStringLiteral(", ") + secondName;
    exclaim(QStringLiteral("Counters %1 and %2 have the same name (%3)!")
                .arg(rows_[first].letter)
                .arg(rows_[second].letter)
                .arg(shown));
    return true;
}

void FrmMain::CalcTmm() {
    try {
        calc::CalcTmm(calc_, calc::parseNumber(TxtClock->text()));
    } catch (const calc::Fault&) {
        // The limits not yet written keep their values.
    }
}

void FrmMain::CalcTime() {
    try {
        for (const CounterRow& row : rows_)
            if (row.value->text().isEmpty()) row.value->setText(QStringLiteral("1"));
        calc::setClock(calc_, calc::parseNumber(TxtClock->text()));
        // Stops at the first box that holds no number; the counters before it are taken.
        for (int counter = 0; counter < calc::MaxDepth; ++counter)
            calc::setCount(calc_, counter, calc::passesOf(calc::parseNumber(rows_[counter].value->text())));
        calc::computeAllDepths(calc_);
    } catch (const calc::Fault&) {
        // What it has not reached keeps its value.
    }
}

void FrmMain::FillBoxes() {
    try {
        std::optional<double> callReturnClock;
        if (ChkAddCR->isChecked()) callReturnClock = calc::parseNumber(TxtClock->text());
        const calc::Shown shown = calc::FillBoxes(calc_, TabCode->currentIndex() + 1, callReturnClock);
        TxtTime->setText(calc::formatDelay(shown.seconds));
        TxtMC->setText(calc::formatPlain(shown.cycles));
    } catch (const calc::Fault&) {
        // Nothing shown: the boxes keep the previous result.
    }
}

void FrmMain::onBtnCalcTimePressed() {
    if (anyCounterNameEmpty()) {
        exclaim(kBlankNames);
        return;
    }
    if (refuseSameNames(TabCode->currentIndex() + 1)) return;
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
    try {
        // A clock that holds no number leaves the limits as they are; the CALL and return
        // cannot be counted without one.
        calc::SearchRequest request{calc::parseNumber(TxtTime->text()), std::nullopt, ChkAddCR->isChecked()};
        try {
            request.clockHz = calc::parseNumber(TxtClock->text());
        } catch (const calc::Fault&) {
            if (request.addCallReturn) throw;
        }
        // The depth the search finds decides which names must differ; refused, the search
        // leaves no trace.
        calc::CalcState searched = calc_;
        const calc::SearchOutcome outcome = calc::CounterSearch(searched, request);
        const int depth = outcome.depth > 0 ? outcome.depth : TabCode->currentIndex() + 1;
        if (refuseSameNames(depth)) return;
        calc_ = searched;
        if (outcome.clampedDelay) TxtTime->setText(calc::formatPlain(*outcome.clampedDelay));
        if (outcome.depth > 0) {
            const int tab = outcome.depth - 1;
            // The tab click this raises must not recalculate: the press below does that.
            if (TabCode->currentIndex() != tab) calc_.SuppressTabRecalc = 1;
            TabCode->setCurrentIndex(tab);
        }
    } catch (const calc::Fault& fault) {
        if (fault.kind() == calc::FaultKind::NotANumber) {
            exclaim(QStringLiteral("Do not use non-numeric characters in number fields!  Previously "
                                   "saved preferences will be loaded to fix."));
            onBtnResetPressed();
            return;
        }
        // Any other failure ends the search before it starts: the counters show as they stand.
    }
    const calc::Counts counts = calc::countsOf(calc_);
    for (int counter = 0; counter < calc::MaxDepth; ++counter)
        setValueFromCode(counter, calc::formatPlain(calc::registerValueOf(counts[counter])));
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

void FrmMain::showChipType(calc::Chip chip) {
    const calc::ChipModel& model = calc::chipModel(chip);
    const QPixmap picture = this->picture(model.pictureName.toString());
    BtnChip->setIcon(picture);
    BtnChip->setIconSize(picture.size());
    calc_.ChipType = chip;
    Label5->setText(model.cyclesCaption.toString());
    Label7->setText(model.cyclesUnit.toString());
    TxtMC->setAccessibleName(Label5->text().chopped(1));
    BtnChip->setAccessibleName(QStringLiteral("Chip type: ") + model.headerName.toString());
}

void FrmMain::onBtnChipPressed() {
    // Only the chip changes: results and listing stay until the next calculation.
    showChipType(calc_.ChipType == calc::Chip::Pic ? calc::Chip::SxTurbo : calc::Chip::Pic);
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
