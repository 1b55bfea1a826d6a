#pragma once

#include <QDateTime>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <utility>

#include "calc/CalcState.h"
#include "calc/Formulas.h"
#include "listing/Listing.h"
#include "prefs/FileLocations.h"
#include "prefs/Preferences.h"
#include "ui/InputState.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabBar;
class QTimer;

namespace ui {

class CodeListBox;
class Desktop;
class FrmAbout;
class PicturePreload;

// The main window: data entry, results, the listing and the commands. Its routines read and
// write the controls and call the pure layers below for the arithmetic and the text.
class FrmMain : public QWidget {
    Q_OBJECT
public:
    FrmMain(Desktop& desktop, prefs::FileLocations locations, QWidget* parent = nullptr);
    ~FrmMain() override;

    const calc::CalcState& calcState() const { return calc_; }
    const InputState& inputState() const { return input_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct CounterRow {
        QChar letter;
        QLineEdit* name = nullptr;
        QLabel* equals = nullptr;
        QLineEdit* value = nullptr;
        QPushButton* nudgeUp = nullptr;
        QPushButton* nudgeDown = nullptr;
    };

    // Construction (FrmMainLayout.cpp)
    void createControls();
    void createDataFrame();
    void createCalcFrame(QGroupBox* dataFrame);
    void createCounterRows(QGroupBox* dataFrame);
    void createCodePanel();
    void createSideControls();
    void setFocusOrder();
    void setAccessibleNames();
    void connectHandlers();

    // Start-up and shut-down (FrmMain.cpp)
    void Form_Load();
    bool isLogoClick(QEvent* event) const;
    void Form_Unload();

    // The calculation (FrmMainCalc.cpp)
    void CalcTmm();
    void CalcTime();
    void FillBoxes();
    void onBtnCalcTimePressed();
    void onBtnCalcValuesPressed();
    void onBtnChipPressed();
    void onTabCodeClicked();
    void onTxtClockChanged();
    void onTxtTimeChanged();
    bool readNumberBox(QLineEdit* box, double& remembered, const QString& refusal,
                       QString (*format)(double));
    void showChipType(calc::Chip chip);
    bool anyCounterNameEmpty() const;
    // The first two counters of the depth that the chosen format's assembler reads as one register.
    std::optional<std::pair<int, int>> counterNamesClash(int depth) const;
    // Says which counters of the depth share a name, if any do.
    bool refuseSameNames(int depth);

    // The listing (FrmMainListing.cpp)
    void FillTab();
    void WriteMSingle();
    void WriteMDouble();
    void WriteMTriple();
    void WriteMQuad();
    void WritePSingle();
    void WritePDouble();
    void WritePTriple();
    void WritePQuad();
    void writeListing(listing::ListingFormat format, int depth);

    // The counter boxes and nudge buttons (FrmMainCounters.cpp)
    void onNameChanged(int counter);
    void onNameFocusLost(int counter);
    void onValueChanged(int counter);
    void onNudge(int counter, bool up);
    void setValueFromCode(int counter, const QString& text);

    // Preferences (FrmMainPrefs.cpp)
    enum class PreferenceSource { Config, Defaults };
    QString preferencesFile() const;
    void LoadConfig();
    void LoadDefaults();
    void loadPreferences(PreferenceSource source);
    void applySetting(prefs::Setting setting, const prefs::Settings& settings, bool defaults);
    void applyLoadedTab(double depthIndex, bool defaults);
    void keepWindowOnScreen();
    void onBtnSavePressed();
    void onBtnResetPressed();
    void onBtnDefaultsPressed();

    // Copy, print, help and the About window (FrmMainCommands.cpp)
    void onBtnCopyPressed();
    void onBtnPrintPressed();
    void onBtnHelpPressed();
    void showAboutWindow();

    // Pop-up help (FrmMainPopUps.cpp)
    struct PopUp {
        QWidget* control;
        QString text;
    };
    // The pop-up text of every control that has one, in the order they are written.
    QList<PopUp> popUpTexts() const;
    void UpdatePopUps();
    void describeControls();

    // Sounds and the logo (FrmMainShell.cpp)
    void PlayWave(const QString& name);
    void startLogoAnimation();
    void onTimerAnimationTick();
    void onChkAnimateLogoClicked();
    void showLogoFrame(int bitmap);

    void exclaim(const QString& text);
    QPixmap picture(const QString& name);

    Desktop& desktop_;
    const prefs::FileLocations locations_;
    const QDateTime startedAt_ = QDateTime::currentDateTimeUtc();
    calc::CalcState calc_;
    InputState input_;
    qint16 LogoFrame = 0;
    QPointer<FrmAbout> about_;
    std::optional<QString> pendingDoneTip_;
    bool unloaded_ = false;
    std::unique_ptr<PicturePreload> startPictures_;  // only while the window is being set up

    // The data frame
    QLineEdit* TxtClock = nullptr;
    QCheckBox* ChkAddCR = nullptr;
    QLineEdit* TxtTime = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* TxtMC = nullptr;
    QLabel* Label7 = nullptr;
    QPushButton* BtnCalcTime = nullptr;
    QPushButton* BtnCalcValues = nullptr;
    QPushButton* BtnChip = nullptr;
    std::array<CounterRow, calc::MaxDepth> rows_;  // A (innermost) to D (outermost)

    // The code panel
    QRadioButton* OptMicroChip = nullptr;
    QRadioButton* OptParallax = nullptr;
    QPushButton* BtnCopy = nullptr;
    QPushButton* BtnPrint = nullptr;
    QTabBar* TabCode = nullptr;
    CodeListBox* TxtCodeList = nullptr;

    // Beside the panels
    QLabel* Picture1 = nullptr;
    QCheckBox* ChkAnimateLogo = nullptr;
    QCheckBox* ChkPopups = nullptr;
    QCheckBox* ChkSound = nullptr;
    QPushButton* BtnDefaults = nullptr;
    QPushButton* BtnReset = nullptr;
    QPushButton* BtnHelp = nullptr;
    QPushButton* BtnSave = nullptr;
    QPushButton* BtnQuit = nullptr;
    QTimer* TimerAnimation = nullptr;
};

}  // namespace ui
