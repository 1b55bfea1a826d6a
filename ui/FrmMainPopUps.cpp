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

namespace {
const QString kPopUpsTip = QStringLiteral("Switch balloon pop-up help on and off.");
}  // namespace

QList<FrmMain::PopUp> FrmMain::popUpTexts() const {
    QList<PopUp> texts = {
        {BtnQuit, QStringLiteral("Quit Kestrune.")},
        {BtnSave, QStringLiteral("Save preferences.")},
        {BtnReset, QStringLiteral("Restore preferences.")},
        {BtnHelp, QStringLiteral("Open the Kestrune Manual.")},
        {BtnDefaults, QStringLiteral("Restore default settings.")},
        {BtnPrint, QStringLiteral("Print code listing.")},
        {BtnCopy, QStringLiteral("Copy code listing to clipboard.")},
        {Picture1, QStringLiteral("About Kestrune...")},
    };
    for (const CounterRow& row : rows_) texts.append({row.nudgeDown, QStringLiteral("Nudge value down.")});
    for (const CounterRow& row : rows_) texts.append({row.nudgeUp, QStringLiteral("Nudge value up.")});
    texts += {
        {rows_[0].value, QStringLiteral("This is the value of the innermost or least significant counter.")},
        {rows_[1].value, QStringLiteral("This is the value of the 2'nd innermost or 2'nd least significant counter.")},
        {rows_[2].value, QStringLiteral("This is the value of the 2'nd outermost or 2'nd most significant counter.")},
        {rows_[3].value, QStringLiteral("This is the value of the outermost or most significant counter.")},
        {rows_[0].name, QStringLiteral("This is the name of the innermost or least significant counter value.")},
        {rows_[1].name, QStringLiteral("This is the name of the 2'nd least or 2'nd least significant counter value.")},
        {rows_[2].name, QStringLiteral("This is the name of the 2'nd outermost or 2'nd most significant counter value.")},
        {rows_[3].name, QStringLiteral("This is the name of the outermost or most significant counter value.")},
        {BtnCalcValues, QStringLiteral("Calculate counter values from given delay time.")},
        {BtnCalcTime, QStringLiteral("Calculate delay time from given counter values.")},
        {TxtMC, QStringLiteral("This read only value is calculated from the delay duration value or the "
                               "counter values whenever a calculation cycle occurs.")},
        {TxtTime, QStringLiteral("Enter the desired total delay duration here before calculating counter "
                                 "values OR view the delay duration calculated from given counter values.")},
        {ChkAddCR, QStringLiteral("A check here makes the calulations include effects caused by CALL and "
                                  "RET/LW instructions.")},
        {TxtClock, QStringLiteral("Enter the microcontroller's clock speed here.")},
        {OptParallax, QStringLiteral("Display code listing in Parallax format (now owned by Tech-Tools, hence "
                                     "nickname 'Ex-Lax').")},
        {OptMicroChip, QStringLiteral("Display code listing in Microchip format.")},
        {TabCode, QStringLiteral("Click tab for desired loop depth.")},
        {BtnChip, QStringLiteral("Click to choose chip type. Remember to click 'Calc' again to rebuild the "
                                 "code listing !!")},
    };
    return texts;
}

void FrmMain::UpdatePopUps() {
    const bool on = ChkPopups->isChecked();
    for (const PopUp& popUp : popUpTexts()) popUp.control->setToolTip(on ? popUp.text : QString());
    // A screen reader takes the tab strip's explanation from its tabs.
    for (int tab = 0; tab < TabCode->count(); ++tab) TabCode->setTabToolTip(tab, TabCode->toolTip());
    // The About window carries a tip too. It is only built when first shown, which keeps it
    // off the start-up path; until then its tip waits here.
    const QString doneTip = on ? QStringLiteral("Close About Window") : QString();
    if (about_)
        about_->doneButton()->setToolTip(doneTip);
    else
        pendingDoneTip_ = doneTip;
    ChkPopups->setToolTip(kPopUpsTip);
}

void FrmMain::describeControls() {
    // A screen reader explains every control with its pop-up text, pop-ups on or off.
    for (const PopUp& popUp : popUpTexts()) popUp.control->setAccessibleDescription(popUp.text);
    ChkPopups->setAccessibleDescription(kPopUpsTip);
}

}  // namespace ui
