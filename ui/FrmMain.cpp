#include "ui/FrmMain.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QShowEvent>
#include <QTabBar>
#include <QTimer>

#include "prefs/SafeFile.h"
#include "ui/CodeListBox.h"
#include "ui/Desktop.h"
#include "ui/PicturePreload.h"
#include "ui/Resources.h"

namespace ui {

namespace {

// The pictures the window shows when it opens, in the order it first needs them.
const QStringList kStartPictures = {
    QStringLiteral("calctime"), QStringLiteral("calcvalues"), QStringLiteral("sxturbo"),
    QStringLiteral("copy"),     QStringLiteral("print"),      QStringLiteral("defaults"),
    QStringLiteral("reset"),    QStringLiteral("help"),       QStringLiteral("save"),
    QStringLiteral("quit"),     QStringLiteral("icon"),       QStringLiteral("101"),
    QStringLiteral("mchip")};

}  // namespace

FrmMain::FrmMain(Desktop& desktop, prefs::FileLocations locations, QWidget* parent)
    : QWidget(parent),
      desktop_(desktop),
      locations_(std::move(locations)),
      startPictures_(std::make_unique<PicturePreload>(kStartPictures)) {
    createControls();
    connectHandlers();
    Form_Load();
    startPictures_.reset();
}

FrmMain::~FrmMain() {
    // Tearing the controls down must not run any handler.
    for (QObject* child : findChildren<QObject*>()) child->disconnect(this);
}

void FrmMain::connectHandlers() {
    connect(BtnCalcTime, &QPushButton::clicked, this, &FrmMain::onBtnCalcTimePressed);
    connect(BtnCalcValues, &QPushButton::clicked, this, &FrmMain::onBtnCalcValuesPressed);
    connect(BtnChip, &QPushButton::clicked, this, &FrmMain::onBtnChipPressed);
    connect(TabCode, &QTabBar::currentChanged, this, &FrmMain::onTabCodeClicked);
    connect(TxtClock, &QLineEdit::textChanged, this, &FrmMain::onTxtClockChanged);
    connect(TxtTime, &QLineEdit::textChanged, this, &FrmMain::onTxtTimeChanged);
    // Return in the delay box asks for its counters, in a value box for the delay.
    connect(TxtTime, &QLineEdit::returnPressed, this, &FrmMain::onBtnCalcValuesPressed);
    connect(ChkAddCR, &QCheckBox::toggled, this, &FrmMain::onBtnCalcTimePressed);
    for (QRadioButton* format : {OptMicroChip, OptParallax}) {
        connect(format, &QRadioButton::toggled, this, [this](bool selected) {
            if (selected) FillTab();
        });
    }
    for (int counter = 0; counter < std::ssize(rows_); ++counter) {
        const CounterRow& row = rows_[counter];
        connect(row.name, &QLineEdit::textChanged, this, [this, counter] { onNameChanged(counter); });
        connect(row.value, &QLineEdit::textChanged, this, [this, counter] { onValueChanged(counter); });
        connect(row.value, &QLineEdit::returnPressed, this, &FrmMain::onBtnCalcTimePressed);
        connect(row.nudgeUp, &QPushButton::clicked, this, [this, counter] { onNudge(counter, true); });
        connect(row.nudgeDown, &QPushButton::clicked, this, [this, counter] { onNudge(counter, false); });
        row.name->installEventFilter(this);
    }
    connect(ChkPopups, &QCheckBox::toggled, this, &FrmMain::UpdatePopUps);
    connect(ChkAnimateLogo, &QCheckBox::toggled, this, &FrmMain::onChkAnimateLogoClicked);
    connect(TimerAnimation, &QTimer::timeout, this, &FrmMain::onTimerAnimationTick);
    connect(BtnSave, &QPushButton::clicked, this, &FrmMain::onBtnSavePressed);
    connect(BtnReset, &QPushButton::clicked, this, &FrmMain::onBtnResetPressed);
    connect(BtnDefaults, &QPushButton::clicked, this, &FrmMain::onBtnDefaultsPressed);
    connect(BtnCopy, &QPushButton::clicked, this, &FrmMain::onBtnCopyPressed);
    connect(BtnPrint, &QPushButton::clicked, this, &FrmMain::onBtnPrintPressed);
    connect(BtnHelp, &QPushButton::clicked, this, &FrmMain::onBtnHelpPressed);
    // F1 opens the manual from either window.
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setContext(Qt::ApplicationShortcut);
    connect(help, &QShortcut::activated, this, &FrmMain::onBtnHelpPressed);
    connect(BtnQuit, &QPushButton::clicked, this, &FrmMain::close);
    Picture1->installEventFilter(this);
}

bool FrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Picture1 && isLogoClick(event)) showAboutWindow();
    if (event->type() == QEvent::FocusOut) {
        // Switching to another program or opening a menu is not leaving the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            for (int counter = 0; counter < std::ssize(rows_); ++counter)
                if (watched == rows_[counter].name) onNameFocusLost(counter);
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool FrmMain::isLogoClick(QEvent* event) const {
    // The logo is a picture, so it answers the left button and, with the focus, Space or Enter.
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        return mouse->button() == Qt::LeftButton && Picture1->rect().contains(mouse->position().toPoint());
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
    }
    return false;
}

void FrmMain::Form_Load() {
    const CodeListBox::DisplayHold shownOnce(*TxtCodeList);
    move(0, 0);
    for (int counter = 0; counter < std::ssize(rows_); ++counter) setValueFromCode(counter, QStringLiteral("0"));
    TxtTime->setText(QStringLiteral("0"));
    prefs::removeSaveLeftovers(preferencesFile(), startedAt_);
    LoadConfig();
    UpdatePopUps();
    startLogoAnimation();
    PlayWave(QStringLiteral("Elvis"));
    TxtClock->setFocus();
}

void FrmMain::showEvent(QShowEvent* event) {
    // Only a shown window knows the size of its frame, which may take it past a screen's edge.
    if (!event->spontaneous()) keepWindowOnScreen();
    QWidget::showEvent(event);
}

void FrmMain::closeEvent(QCloseEvent* event) {
    // The close cannot be cancelled, and the shut-down runs once whatever closed the window.
    event->accept();
    if (unloaded_) return;
    unloaded_ = true;
    Form_Unload();
}

void FrmMain::Form_Unload() {
    PlayWave(QStringLiteral("donuts"));
    onBtnSavePressed();
    // Lets the farewell sound finish; no handler may run meanwhile.
    if (ChkSound->isChecked()) desktop_.blockingWait(2500);
    desktop_.endProgram();
}

QPixmap FrmMain::picture(const QString& name) {
    return startPictures_ ? startPictures_->take(name) : pictureResource(name);
}

void FrmMain::exclaim(const QString& text) {
    desktop_.showMessage(this, MessageIcon::Exclamation, text);
}

}  // namespace ui
