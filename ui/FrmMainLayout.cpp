// The window's controls, placed as designed: every geometry below is in twips.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTimer>

#include "Version.h"
#include "calc/DelayCalculation.h"
#include "ui/CodeListBox.h"
#include "ui/FrameBox.h"
#include "ui/FrmMain.h"
#include "ui/LimitedLineEdit.h"
#include "ui/Placement.h"
#include "ui/Twips.h"

namespace ui {

namespace {

constexpr int kNameTypedLimit = 50;
constexpr int kValueTypedLimit = 4;

QFont courier(qreal points, bool bold = false) {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

const QFont& windowFont() {
    static const QFont font = courier(8.25);
    return font;
}

// Every control gets the window font back: inside a frame it would inherit the frame's own
// bold caption font.
template <typename Widget, typename... Args>
Widget* place(QWidget* parent, const char* name, QRect geometry, Args&&... args) {
    auto* widget = placeControl<Widget>(parent, name, geometry, std::forward<Args>(args)...);
    widget->setFont(windowFont());
    return widget;
}

QLabel* label(QWidget* parent, const char* name, const QString& caption, QRect geometry,
              Qt::Alignment alignment = Qt::AlignLeft) {
    QLabel* widget = placeLabel(parent, name, caption, geometry, alignment);
    widget->setFont(windowFont());
    return widget;
}

QGroupBox* frame(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
    auto* widget = place<FrameBox>(parent, name, geometry, caption);
    widget->setFont(courier(9.75, true));
    return widget;
}

QPushButton* pictureButton(QWidget* parent, const char* name, const QPixmap& pixmap,
                           QRect geometry) {
    auto* button = place<QPushButton>(parent, name, geometry);
    button->setIcon(pixmap);
    button->setIconSize(pixmap.size());
    button->setCursor(Qt::PointingHandCursor);
    // Return and Enter press the focused button, as Space does.
    button->setAutoDefault(true);
    return button;
}

template <typename Box>
Box* checkable(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
    auto* box = place<Box>(parent, name, geometry, caption);
    box->setCursor(Qt::PointingHandCursor);
    return box;
}

}  // namespace

void FrmMain::createControls() {
    setFont(windowFont());
    setWindowTitle(QStringLiteral("Kestrune : Delay Loop Calculator V") + QLatin1StringView(kestrune::kVersion));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(twipsToPixels(9600), twipsToPixels(6480));
    createDataFrame();
    createCodePanel();
    createSideControls();
    setWindowIcon(picture(QStringLiteral("icon")));
    setFocusOrder();
    setAccessibleNames();
}

void FrmMain::createDataFrame() {
    QGroupBox* dataFrame = frame(this, "Frame1", QStringLiteral("Data:"), twipsRect(60, 60, 9495, 2115));
    auto* label1 = label(dataFrame, "Label1", QStringLiteral("Oscillator Frequency:"),
                         twipsRect(300, 300, 1455, 555), Qt::AlignRight);
    label1->setWordWrap(true);
    TxtClock = place<QLineEdit>(dataFrame, "TxtClock", twipsRect(1800, 420, 1935, 315));
    label(dataFrame, "Label2", QStringLiteral("Hz"), twipsRect(3780, 480, 435, 255))
        ->setFont(courier(9));
    ChkAddCR = checkable<QCheckBox>(dataFrame, "ChkAddCR", QStringLiteral("Include Call + Return:"),
                                    twipsRect(960, 960, 2775, 255));
    ChkAddCR->setLayoutDirection(Qt::RightToLeft);  // caption to the left of the box
    label(dataFrame, "Label4", QStringLiteral("Delay Time:"), twipsRect(360, 1320, 1395, 255),
          Qt::AlignRight);
    TxtTime = place<QLineEdit>(dataFrame, "TxtTime", twipsRect(1800, 1260, 1935, 315));
    label(dataFrame, "Label6", QStringLiteral("s"), twipsRect(3780, 1320, 195, 255));
    Label5 = label(dataFrame, "Label5", QStringLiteral("Machine Cycles:"), twipsRect(60, 1740, 1695, 255),
                   Qt::AlignRight);
    TxtMC = place<QLineEdit>(dataFrame, "TxtMC", twipsRect(1800, 1680, 1935, 315));
    TxtMC->setReadOnly(true);
    Label7 = label(dataFrame, "Label7", QStringLiteral("mc"), twipsRect(3780, 1740, 315, 255));
    createCalcFrame(dataFrame);
    label(dataFrame, "Label8", QStringLiteral("Counter Name:"), twipsRect(6240, 180, 1515, 255));
    label(dataFrame, "Label9", QStringLiteral("Value:"), twipsRect(8460, 180, 675, 195), Qt::AlignRight);
    createCounterRows(dataFrame);
}

void FrmMain::createCalcFrame(QGroupBox* dataFrame) {
    QGroupBox* calc = frame(dataFrame, "Frame2", QStringLiteral("Calc:"), twipsRect(4200, 480, 1155, 1395));
    BtnCalcTime = pictureButton(calc, "BtnCalcTime", picture(QStringLiteral("calctime")),
                                twipsRect(120, 240, 435, 375));
    BtnCalcValues = pictureButton(calc, "BtnCalcValues", picture(QStringLiteral("calcvalues")),
                                  twipsRect(600, 240, 435, 375));
    BtnChip = pictureButton(calc, "BtnChip", picture(calc::chipModel(calc_.ChipType).pictureName.toString()),
                            twipsRect(120, 660, 915, 615));
}

void FrmMain::createCounterRows(QGroupBox* dataFrame) {
    struct RowNames {
        const char* name;
        const char* equals;
        const char* value;
        const char* up;
        const char* down;
    };
    static constexpr std::array<RowNames, 4> kNames = {{
        {"TxtAName", "Label13", "TxtAValue", "BtnNudgeUpA", "BtnNudgeDnA"},
        {"TxtBName", "Label12", "TxtBValue", "BtnNudgeUpB", "BtnNudgeDnB"},
        {"TxtCName", "Label11", "TxtCValue", "BtnNudgeUpC", "BtnNudgeDnC"},
        {"TxtDName", "Label10", "TxtDValue", "BtnNudgeUpD", "BtnNudgeDnD"},
    }};
    for (int counter = 0; counter < std::ssize(rows_); ++counter) {
        // Counter D sits at the top, A at the bottom, 420 twips apart.
        const int top = 420 + (3 - counter) * 420;
        const RowNames& names = kNames[counter];
        CounterRow& row = rows_[counter];
        row.letter = QLatin1Char(static_cast<char>('A' + counter));
        row.name = place<LimitedLineEdit>(dataFrame, names.name, twipsRect(5700, top, 2655, 315),
                                          kNameTypedLimit);
        row.equals = label(dataFrame, names.equals, QStringLiteral("="),
                           twipsRect(8340, top + 60, 255, 255), Qt::AlignHCenter);
        row.value = place<LimitedLineEdit>(dataFrame, names.value, twipsRect(8580, top, 555, 315),
                                           kValueTypedLimit);
        row.nudgeUp = place<QPushButton>(dataFrame, names.up, twipsRect(9180, top, 195, 120));
        row.nudgeDown = place<QPushButton>(dataFrame, names.down, twipsRect(9180, top + 180, 195, 120));
        for (QPushButton* nudge : {row.nudgeUp, row.nudgeDown}) {
            nudge->setCursor(Qt::PointingHandCursor);
            nudge->setAutoDefault(true);
        }
    }
}

void FrmMain::createCodePanel() {
    QGroupBox* panel =
        frame(this, "PnlCode", QStringLiteral("Code Listing:"), twipsRect(60, 2220, 7035, 4215));
    label(panel, "Label17", QStringLiteral("Code Type:"), twipsRect(2580, 240, 1515, 255),
          Qt::AlignRight);
    OptMicroChip = checkable<QRadioButton>(panel, "OptMicroChip", QStringLiteral("MicroChip"),
                                           twipsRect(4200, 240, 1335, 255));
    OptMicroChip->setChecked(true);
    OptParallax = checkable<QRadioButton>(panel, "OptParallax", QStringLiteral("Ex-Lax"),
                                          twipsRect(4200, 540, 1155, 255));
    OptParallax->setFont(courier(9));
    BtnCopy = pictureButton(panel, "BtnCopy", picture(QStringLiteral("copy")), twipsRect(5520, 240, 615, 615));
    BtnPrint = pictureButton(panel, "BtnPrint", picture(QStringLiteral("print")), twipsRect(6240, 240, 615, 615));
    TabCode = place<QTabBar>(panel, "TabCode", twipsRect(120, 600, 6795, 435));
    TabCode->setFont(courier(9.75));
    TabCode->setCursor(Qt::PointingHandCursor);
    TabCode->setExpanding(false);
    for (int depth = 1; depth <= calc::MaxDepth; ++depth) TabCode->addTab(calc::depthName(depth));
    // The strip's row reaches under the format options and the copy and print buttons, which
    // must take the clicks on their own rectangles; only the tabs themselves are the strip's.
    TabCode->lower();
    TxtCodeList = place<CodeListBox>(panel, "TxtCodeList", twipsRect(120, 1020, 6795, 3075));
}

void FrmMain::createSideControls() {
    Picture1 = place<QLabel>(this, "Picture1", twipsRect(7260, 2340, 2220, 855));
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Picture1->setLineWidth(2);
    Picture1->setCursor(Qt::PointingHandCursor);
    Picture1->setFocusPolicy(Qt::TabFocus);
    ChkAnimateLogo = checkable<QCheckBox>(this, "ChkAnimateLogo", QStringLiteral("Animate Logo"),
                                          twipsRect(7440, 3240, 2055, 255));
    ChkAnimateLogo->setChecked(true);
    ChkPopups = checkable<QCheckBox>(this, "ChkPopups", QStringLiteral("Enable Pop-ups"),
                                     twipsRect(7440, 3480, 2055, 255));
    ChkSound = checkable<QCheckBox>(this, "ChkSound", QStringLiteral("Enable Sound"),
                                    twipsRect(7440, 3720, 2055, 255));
    ChkSound->setChecked(true);
    BtnDefaults = pictureButton(this, "BtnDefaults", picture(QStringLiteral("defaults")),
                                twipsRect(8520, 4320, 915, 615));
    BtnReset = pictureButton(this, "BtnReset", picture(QStringLiteral("reset")), twipsRect(7380, 5040, 915, 615));
    BtnReset->hide();
    BtnHelp = pictureButton(this, "BtnHelp", picture(QStringLiteral("help")), twipsRect(8520, 5040, 915, 615));
    BtnSave = pictureButton(this, "BtnSave", picture(QStringLiteral("save")), twipsRect(7380, 5760, 915, 615));
    BtnSave->hide();
    BtnQuit = pictureButton(this, "BtnQuit", picture(QStringLiteral("quit")), twipsRect(8520, 5760, 915, 615));
    TimerAnimation = new QTimer(this);
    TimerAnimation->setObjectName(QStringLiteral("TimerAnimation"));
    TimerAnimation->setInterval(0);
}

void FrmMain::setFocusOrder() {
    const std::array<QWidget*, 38> order = {
        TxtClock, ChkAddCR, TxtTime, TxtMC, BtnCalcTime, BtnCalcValues, BtnChip,
        rows_[3].name, rows_[2].name, rows_[1].name, rows_[0].name,
        rows_[3].value, rows_[3].nudgeUp, rows_[3].nudgeDown,
        rows_[2].value, rows_[2].nudgeUp, rows_[2].nudgeDown,
        rows_[1].value, rows_[1].nudgeUp, rows_[1].nudgeDown,
        rows_[0].value, rows_[0].nudgeUp, rows_[0].nudgeDown,
        OptMicroChip, OptParallax, TabCode, BtnCopy, BtnPrint,
        ChkAnimateLogo, ChkPopups, ChkSound, BtnDefaults, BtnHelp, BtnReset, BtnSave, BtnQuit,
        Picture1, TxtCodeList};
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void FrmMain::setAccessibleNames() {
    // Controls that show a caption are named by it; the rest are named here.
    TxtClock->setAccessibleName(QStringLiteral("Oscillator Frequency"));
    TxtTime->setAccessibleName(QStringLiteral("Delay Time"));
    TxtMC->setAccessibleName(Label5->text().chopped(1));  // the caption without its colon
    BtnCalcTime->setAccessibleName(QStringLiteral("Calculate delay time"));
    BtnCalcValues->setAccessibleName(QStringLiteral("Calculate counter values"));
    BtnChip->setAccessibleName(QStringLiteral("Chip type: ") + calc::chipModel(calc_.ChipType).headerName.toString());
    for (const CounterRow& row : rows_) {
        row.name->setAccessibleName(QStringLiteral("Counter %1 name").arg(row.letter));
        row.value->setAccessibleName(QStringLiteral("Counter %1 value").arg(row.letter));
        row.nudgeUp->setAccessibleName(QStringLiteral("Counter %1 up").arg(row.letter));
        row.nudgeDown->setAccessibleName(QStringLiteral("Counter %1 down").arg(row.letter));
    }
    TabCode->setAccessibleName(QStringLiteral("Loop depth"));
    BtnCopy->setAccessibleName(QStringLiteral("Copy listing"));
    BtnPrint->setAccessibleName(QStringLiteral("Print listing"));
    TxtCodeList->setAccessibleName(QStringLiteral("Code Listing"));
    Picture1->setAccessibleName(QStringLiteral("About Kestrune"));
    BtnDefaults->setAccessibleName(QStringLiteral("Restore default settings"));
    BtnReset->setAccessibleName(QStringLiteral("Restore preferences"));
    BtnHelp->setAccessibleName(QStringLiteral("Help"));
    BtnSave->setAccessibleName(QStringLiteral("Save preferences"));
    BtnQuit->setAccessibleName(QStringLiteral("Quit"));
    describeControls();
}

}  // namespace ui
