// Preferences: "Kestrune.cfg" keeps the settings between runs, "Kestrune.def" holds the
// factory settings. Both live beside the program and share one format.
#include <QCheckBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScreen>
#include <QTabBar>

#include "calc/Fault.h"
#include "prefs/Preferences.h"
#include "prefs/SafeFile.h"
#include "ui/CodeListBox.h"
#include "ui/FrmMain.h"
#include "ui/ScreenFit.h"
#include "ui/Twips.h"

namespace ui {

namespace {

const QString kPreferencesFile = QStringLiteral("kestrune.cfg");
const QString kDefaultsFile = QStringLiteral("Kestrune.def");

int twipsToScreenPixels(float twips) {
    // Far-off positions are pulled back onto the screen afterwards anyway.
    return qRound(qBound(-1e8, static_cast<double>(twips) / TwipsPerPixel, 1e8));
}

}  // namespace

QString FrmMain::preferencesFile() const { return prefs::fileInFolder(programFolder_, kPreferencesFile); }

void FrmMain::LoadConfig() { loadPreferences(PreferenceSource::Config); }

void FrmMain::LoadDefaults() { loadPreferences(PreferenceSource::Defaults); }

void FrmMain::loadPreferences(PreferenceSource source) {
    const bool defaults = source == PreferenceSource::Defaults;
    std::optional<prefs::PreferencesReader> reader = prefs::PreferencesReader::open(
        defaults ? prefs::fileInFolder(programFolder_, kDefaultsFile) : preferencesFile());
    if (!reader) return;
    const CodeListBox::DisplayHold shownOnce(*TxtCodeList);
    qint16 storedChip = 0;
    // Each item is applied, with the handling its control runs, before the next is read;
    // the first item that fails stops the load and leaves the rest as it is.
    try {
        TxtClock->setText(reader->readText());
        for (int counter = 3; counter >= 0; --counter) rows_[counter].name->setText(reader->readText());
        for (int counter = 3; counter >= 0; --counter) rows_[counter].value->setText(reader->readText());
        ChkAddCR->setChecked(reader->readText() == QStringLiteral("1"));
        (reader->readText() == QStringLiteral("Parallax") ? OptParallax : OptMicroChip)->setChecked(true);
        applyLoadedTab(reader->readNumber(), defaults);
        {
            // However much of the position is read, the window must stay within reach.
            const auto withinReach = qScopeGuard([this] { keepWindowOnScreen(); });
            move(x(), twipsToScreenPixels(calc::toSingle(reader->readNumber())));
            move(twipsToScreenPixels(calc::toSingle(reader->readNumber())), y());
        }
        ChkPopups->setChecked(reader->readText() != (defaults ? QStringLiteral("False") : QStringLiteral("0")));
        storedChip = reader->readWhole16();
        calc_.ChipType = calc::chipFromStored(storedChip);
        ChkSound->setChecked(reader->readNumber() != 0);
        ChkAnimateLogo->setChecked(reader->readNumber() != 0);
    } catch (const calc::Fault&) {
        return;
    }
    // A file read to its end makes any chip number but 0 a PIC.
    showChipType(storedChip != 0 ? calc::Chip::Pic : calc::Chip::SxTurbo);
    if (defaults) return;  // the defaults command recalculates itself
    UpdatePopUps();
    onBtnCalcTimePressed();
}

void FrmMain::applyLoadedTab(double depthIndex, bool defaults) {
    if (!defaults) {
        const qint16 tab = calc::toInt16(depthIndex);
        if (tab < 0 || tab > 3) throw calc::Fault(calc::FaultKind::Overflow);
        TabCode->setCurrentIndex(tab);
        return;
    }
    // The defaults command recalculates once at its end, so this tab change must not. The
    // flag is set only when the tab really changes, or it would swallow the user's next click.
    const bool validTab = depthIndex == 0 || depthIndex == 1 || depthIndex == 2 || depthIndex == 3;
    const int tab = static_cast<int>(depthIndex);
    if (!validTab || tab == TabCode->currentIndex()) return;
    calc_.SuppressTabRecalc = 1;
    TabCode->setCurrentIndex(tab);
}

void FrmMain::keepWindowOnScreen() {
    // A position saved on another screen, or on a larger one, would leave controls out of reach.
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) screens << screen->availableGeometry();
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary) return;
    move(fitOnScreen(frameGeometry(), screens, primary->availableGeometry()));
}

void FrmMain::onBtnSavePressed() {
    if (anyCounterNameEmpty()) {
        exclaim(QStringLiteral("You must not have any blank counter names. Preference saving aborted."));
        return;
    }
    prefs::Preferences preferences;
    preferences.clock = TxtClock->text();
    for (int counter = 0; counter < std::ssize(rows_); ++counter) {
        preferences.names[3 - counter] = rows_[counter].name->text();
        preferences.values[3 - counter] = rows_[counter].value->text();
    }
    preferences.addCallReturn = ChkAddCR->isChecked();
    preferences.parallax = !OptMicroChip->isChecked();
    preferences.tab = TabCode->currentIndex();
    preferences.topTwips = static_cast<float>(pixelsToTwips(y()));
    preferences.leftTwips = static_cast<float>(pixelsToTwips(x()));
    preferences.popups = ChkPopups->isChecked();
    preferences.chipType = calc::storedChip(calc_.ChipType);
    preferences.sound = ChkSound->isChecked();
    preferences.animateLogo = ChkAnimateLogo->isChecked();

    const QString file = preferencesFile();
    const QString complaint = prefs::saveRegularFile(file, prefs::writePreferences(preferences));
    if (!complaint.isEmpty()) {
        exclaim(QStringLiteral("Error : ") + complaint);
        return;
    }
    prefs::removeSaveLeftovers(file, startedAt_);
    CalcTime();
    FillBoxes();
    FillTab();
}

void FrmMain::onBtnResetPressed() {
    LoadConfig();
    CalcTime();
    FillBoxes();
    FillTab();
}

void FrmMain::onBtnDefaultsPressed() {
    PlayWave(QStringLiteral("drip"));
    LoadDefaults();
    CalcTime();
    FillBoxes();
    FillTab();
}

}  // namespace ui
