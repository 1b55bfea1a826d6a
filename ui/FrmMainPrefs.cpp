// Preferences: "Kestrune.cfg" keeps the settings between runs, "Kestrune.def" holds the
// factory settings. Both share one format; where they lie is the locations' business.
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
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

int twipsToScreenPixels(float twips) {
    // Far-off positions are pulled back onto the screen afterwards anyway.
    return qRound(qBound(-1e8, static_cast<double>(twips) / TwipsPerPixel, 1e8));
}

}  // namespace

QString FrmMain::preferencesFile() const { return locations_.preferencesToWrite(); }

void FrmMain::LoadConfig() { loadPreferences(PreferenceSource::Config); }

void FrmMain::LoadDefaults() { loadPreferences(PreferenceSource::Defaults); }

void FrmMain::loadPreferences(PreferenceSource source) {
    const bool defaults = source == PreferenceSource::Defaults;
    std::optional<prefs::PreferencesReader> reader =
        defaults ? prefs::PreferencesReader::open(locations_.defaults(), prefs::FileKind::Defaults)
                 : prefs::PreferencesReader::open(locations_.preferencesToRead(), prefs::FileKind::Preferences);
    if (!reader) return;
    const CodeListBox::DisplayHold shownOnce(*TxtCodeList);
    // However much of the position is read, the window must stay within reach.
    const auto withinReach = qScopeGuard([this] { keepWindowOnScreen(); });
    prefs::Settings settings;
    // Each item is applied, with the handling its control runs, before the next is read;
    // the first item that fails stops the load and leaves the rest as it is.
    try {
        while (!reader->atEnd()) applySetting(reader->readNext(settings), settings, defaults);
    } catch (const calc::Fault&) {
        return;
    }
    // A file read to its end makes any chip number but 0 a PIC.
    showChipType(settings.chip != 0 ? calc::Chip::Pic : calc::Chip::SxTurbo);
    if (defaults) return;  // the defaults command recalculates itself
    UpdatePopUps();
    onBtnCalcTimePressed();
}

void FrmMain::applySetting(prefs::Setting setting, const prefs::Settings& settings, bool defaults) {
    using prefs::Setting;
    switch (setting) {
        case Setting::Clock:
            TxtClock->setText(settings.clock);
            return;
        case Setting::NameD:
        case Setting::NameC:
        case Setting::NameB:
        case Setting::NameA: {
            const int counter = static_cast<int>(Setting::NameA) - static_cast<int>(setting);
            rows_[counter].name->setText(settings.names[counter]);
            return;
        }
        case Setting::ValueD:
        case Setting::ValueC:
        case Setting::ValueB:
        case Setting::ValueA: {
            const int counter = static_cast<int>(Setting::ValueA) - static_cast<int>(setting);
            rows_[counter].value->setText(settings.values[counter]);
            return;
        }
        case Setting::AddCallReturn:
            ChkAddCR->setChecked(settings.addCallReturn);
            return;
        case Setting::Format:
            (settings.parallax ? OptParallax : OptMicroChip)->setChecked(true);
            return;
        case Setting::Tab:
            applyLoadedTab(settings.tab, defaults);
            return;
        case Setting::WindowTop:
            move(x(), twipsToScreenPixels(settings.topTwips));
            return;
        case Setting::WindowLeft:
            move(twipsToScreenPixels(settings.leftTwips), y());
            return;
        case Setting::PopUps:
            ChkPopups->setChecked(settings.popups);
            return;
        case Setting::Chip:
            // Held at once; the picture and the labels follow once the whole file is read.
            calc_.ChipType = calc::chipFromStored(settings.chip);
            return;
        case Setting::Sound:
            ChkSound->setChecked(settings.sound);
            return;
        case Setting::AnimateLogo:
            ChkAnimateLogo->setChecked(settings.animateLogo);
            return;
    }
}

void FrmMain::applyLoadedTab(double depthIndex, bool defaults) {
    if (!defaults) {
        TabCode->setCurrentIndex(static_cast<int>(depthIndex));
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
    prefs::Settings settings;
    settings.clock = TxtClock->text();
    for (int counter = 0; counter < std::ssize(rows_); ++counter) {
        settings.names[counter] = rows_[counter].name->text();
        settings.values[counter] = rows_[counter].value->text();
    }
    settings.addCallReturn = ChkAddCR->isChecked();
    settings.parallax = !OptMicroChip->isChecked();
    settings.tab = TabCode->currentIndex();
    settings.topTwips = static_cast<float>(pixelsToTwips(y()));
    settings.leftTwips = static_cast<float>(pixelsToTwips(x()));
    settings.popups = ChkPopups->isChecked();
    settings.chip = calc::storedChip(calc_.ChipType);
    settings.sound = ChkSound->isChecked();
    settings.animateLogo = ChkAnimateLogo->isChecked();

    const QString file = preferencesFile();
    QDir().mkpath(QFileInfo(file).path());  // the user's configuration folder, on first save
    const QString complaint = prefs::saveRegularFile(file, prefs::writePreferences(settings));
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
