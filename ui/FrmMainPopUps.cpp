// Pop-up help: every control explains itself while "Enable Pop-ups" is ticked.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

#include "ui/FrmAbout.h"
#include "ui/FrmMain.h"

namespace ui {

void FrmMain::UpdatePopUps() {
    const bool on = ChkPopups->isChecked();
    const auto tip = [on](QWidget* control, const QString& text) {
        control->setToolTip(on ? text : QString());
    };
    tip(BtnQuit, QStringLiteral("Quit Kestrune."));
    tip(BtnSave, QStringLiteral("Save preferences."));
    tip(BtnReset, QStringLiteral("Restore preferences."));
    tip(BtnHelp, QStringLiteral("Open the Kestrune Manual."));
    tip(BtnDefaults, QStringLiteral("Restore default settings."));
    tip(BtnPrint, QStringLiteral("Print code listing."));
    tip(BtnCopy, QStringLiteral("Copy code listing to clipboard."));
    tip(Picture1, QStringLiteral("About Kestrune..."));
    for (const CounterRow& row : rows_) tip(row.nudgeDown, QStringLiteral("Nudge value down."));
    for (const CounterRow& row : rows_) tip(row.nudgeUp, QStringLiteral("Nudge value up."));
    tip(rows_[0].value, QStringLiteral("This is the value of the innermost or least significant counter."));
    tip(rows_[1].value, QStringLiteral("This is the value of the 2'nd innermost or 2'nd least significant counter."));
    tip(rows_[2].value, QStringLiteral("This is the value of the 2'nd outermost or 2'nd most significant counter."));
    tip(rows_[3].value, QStringLiteral("This is the value of the outermost or most significant counter."));
    tip(rows_[0].name, QStringLiteral("This is the name of the innermost or least significant counter value."));
    tip(rows_[1].name, QStringLiteral("This is the name of the 2'nd least or 2'nd least significant counter value."));
    tip(rows_[2].name, QStringLiteral("This is the name of the 2'nd outermost or 2'nd most significant counter value."));
    tip(rows_[3].name, QStringLiteral("This is the name of the outermost or most significant counter value."));
    tip(BtnCalcValues, QStringLiteral("Calculate counter values from given delay time."));
    tip(BtnCalcTime, QStringLiteral("Calculate delay time from given counter values."));
    tip(TxtMC, QStringLiteral("This read only value is calculated from the delay duration value or the "
                              "counter values whenever a calculation cycle occurs."));
    tip(TxtTime, QStringLiteral("Enter the desired total delay duration here before calculating counter "
                                "values OR view the delay duration calculated from given counter values."));
    tip(ChkAddCR, QStringLiteral("A check here makes the calulations include effects caused by CALL and "
                                 "RET/LW instructions."));
    tip(TxtClock, QStringLiteral("Enter the microcontroller's clock speed here."));
    tip(OptParallax, QStringLiteral("Display code listing in Parallax format (now owned by Tech-Tools, hence "
                                    "nickname 'Ex-Lax')."));
    tip(OptMicroChip, QStringLiteral("Display code listing in Microchip format."));
    tip(TabCode, QStringLiteral("Click tab for desired loop depth."));
    // The About window carries a tip too. It is only built when first shown, which keeps it
    // off the start-up path; until then its tip waits here.
    const QString doneTip = on ? QStringLiteral("Close About Window") : QString();
    if (about_)
        about_->doneButton()->setToolTip(doneTip);
    else
        pendingDoneTip_ = doneTip;
    tip(BtnChip, QStringLiteral("Click to choose chip type. Remember to click 'Calc' again to rebuild the "
                                "code listing !!"));
    ChkPopups->setToolTip(QStringLiteral("Switch balloon pop-up help on and off."));
}

}  // namespace ui
