#include "ui/FrmAbout.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "Version.h"
#include "ui/Desktop.h"
#include "ui/FrameBox.h"
#include "ui/LinkLabel.h"
#include "ui/Maker.h"
#include "ui/Placement.h"
#include "ui/Resources.h"
#include "ui/Twips.h"

namespace ui {

namespace {

const QColor kAtRest = QColor(0, 0, 0);
const QColor kHovered = QColor(0, 0, 255);
const QColor kPressed = QColor(255, 0, 0);
constexpr int kPointerWatchMs = 100;

QFont dialogFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    return font;
}

QColor colourOf(const QLabel* label) { return label->palette().color(QPalette::WindowText); }

void paint(QLabel* label, const QColor& colour, bool underlined) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    QFont font = label->font();
    font.setUnderline(underlined);
    label->setFont(font);
    label->repaint();
}

}  // namespace

FrmAbout::FrmAbout(Desktop& desktop, SoundPlayer playWave, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      desktop_(desktop),
      playWave_(std::move(playWave)),
      mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("FrmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    createControls();
    Form_Load();
}

void FrmAbout::createControls() {
    setFont(dialogFont());
    setWindowTitle(QStringLiteral("About Kestrune V") + QLatin1StringView(kestrune::kVersion));
    setWindowIcon(pictureResource(QStringLiteral("icon")));
    setFixedSize(twipsToPixels(6690), twipsToPixels(4215));

    auto* frame = placeControl<FrameBox>(this, "Frame1", twipsRect(60, 0, 6615, 3315));
    auto* emblem = placeControl<QLabel>(frame, "Picture3", twipsRect(120, 240, 540, 540));
    emblem->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    emblem->setLineWidth(2);
    emblem->setPixmap(pictureResource(QStringLiteral("emblem")));
    QLabel* author = placeLabel(frame, "Label3", QStringLiteral("Author: ") + kMakerAuthor,
                          twipsRect(780, 240, 2055, 195));
    // The author's name may be longer than the designed box: the label grows to its text.
    author->resize(std::max(author->width(), author->sizeHint().width()), author->height());
    placeLabel(frame, "Label1", QStringLiteral("Created: Dec.5, 1998"), twipsRect(780, 480, 1755, 195));
    placeLabel(frame, "Label2", QStringLiteral("Last revised: Jan. 8, 2008"), twipsRect(780, 720, 2115, 195));
    placeLabel(frame, "Label8", QStringLiteral("Email:"), twipsRect(3480, 240, 795, 195), Qt::AlignRight);
    email_ = createLink(frame, "Picture_Email", "Label_Email", "Timer2", kMakerEmail,
                        twipsRect(4380, 240, 2055, 195));
    email_.target = QStringLiteral("mailto:") + kMakerEmail;
    placeLabel(frame, "Label9", QStringLiteral("Website:"), twipsRect(3540, 480, 735, 195), Qt::AlignRight);
    website_ = createLink(frame, "Picture_Website", "Label_Website", "Timer1", kMakerWebsite,
                          twipsRect(4380, 480, 1995, 195));
    website_.target = kMakerWebsite;
    QLabel* description = placeLabel(
        frame, "Label4",
        QStringLiteral("Kestrune will allow you to very easily calculate the resulting time delay "
                       "produced from known values or the values required to produce a desired "
                       "time delay in common time delay routines written in the Microchip and "
                       "Parallax assembler languages.  Kestrune will allow you to produce delay "
                       "routines for PIC and Scenix SX-Turbo microcontrollers."),
        twipsRect(120, 1080, 6375, 915));
    description->setWordWrap(true);
    QLabel* accuracy = placeLabel(
        frame, "Label5",
        QStringLiteral("This calculator will handle nested loops up to 4 levels deep.  The formulas "
                       "used are extremely accurate as long as the delay routine is not interrupted "
                       "while being executed (such as by an interrupt service routine) and the "
                       "routine is coded exactly as shown."),
        twipsRect(120, 2100, 6315, 675));
    accuracy->setWordWrap(true);
    placeLabel(frame, "Label6",
         QStringLiteral("Recommend Kestrune to your friends.  Feel free to email me your comments."),
         twipsRect(120, 2940, 6315, 315));

    BtnDone = placeControl<QPushButton>(this, "BtnDone", twipsRect(5820, 3420, 735, 675));
    const QPixmap done = pictureResource(QStringLiteral("done"));
    BtnDone->setIcon(done);
    BtnDone->setIconSize(done.size());
    BtnDone->setCursor(Qt::PointingHandCursor);
    BtnDone->setAutoDefault(true);
    BtnDone->setToolTip(QStringLiteral("Close About Window"));
    BtnDone->setAccessibleName(QStringLiteral("Done"));
    BtnDone->setAccessibleDescription(QStringLiteral("Close About Window"));
    connect(BtnDone, &QPushButton::clicked, this, &FrmAbout::onBtnDonePressed);
    connectLink(website_);
    connectLink(email_);
}

FrmAbout::Link FrmAbout::createLink(QWidget* frame, const char* boxName, const char* labelName,
                                    const char* timerName, const QString& caption, QRect boxTwips) {
    Link link;
    link.box = placeControl<QWidget>(frame, boxName, boxTwips);
    link.label = placeControl<LinkLabel>(link.box, labelName, QRect(), caption);
    link.label->setMouseTracking(true);
    link.label->setCursor(Qt::PointingHandCursor);
    link.timer = new QTimer(this);
    link.timer->setObjectName(QLatin1StringView(timerName));
    link.timer->setInterval(0);
    return link;
}

void FrmAbout::connectLink(Link& link) {
    connect(link.label, &LinkLabel::pointerMoved, this, [this, &link] { onLinkPointerMoved(link); });
    connect(link.label, &LinkLabel::buttonPressed, this, [this, &link] { onLinkPressed(link); });
    connect(link.label, &LinkLabel::buttonReleased, this, [this, &link] { onLinkReleased(link); });
    connect(link.label, &LinkLabel::clicked, this, [this, &link] { OpenDocument(link.target); });
    connect(link.timer, &QTimer::timeout, this, [this, &link] { onLinkTimerTick(link); });
}

void FrmAbout::Form_Load() {
    Form_Activate();
    for (Link* link : {&website_, &email_}) {
        // Each link sits in a box of exactly its own size, so the pointer test is the label's.
        link->label->move(0, 0);
        link->label->adjustSize();
        paint(link->label, kAtRest, false);
        link->box->resize(link->label->size());
    }
}

bool FrmAbout::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) Form_Activate();
    return QWidget::event(event);
}

void FrmAbout::keyPressEvent(QKeyEvent* event) {
    // Escape, Return and Enter close the box as its Done button does.
    switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            onBtnDonePressed();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

void FrmAbout::Form_Activate() {
    // The two windows share their top-left corner.
    move(mainWindow_->pos());
}

void FrmAbout::onLinkPointerMoved(Link& link) {
    if (colourOf(link.label) != kAtRest) return;
    paint(link.label, kHovered, true);
    link.timer->start(kPointerWatchMs);
}

void FrmAbout::onLinkTimerTick(Link& link) {
    const QPoint inBox = link.box->mapFromGlobal(desktop_.pointerPosition());
    const int x = pixelsToTwips(inBox.x());
    const int y = pixelsToTwips(inBox.y());
    // A pointer exactly on the right or bottom edge still counts as inside.
    const bool outside = x < 0 || y < 0 || x > pixelsToTwips(link.box->width()) ||
                         y > pixelsToTwips(link.box->height());
    if (!outside) return;
    paint(link.label, kAtRest, false);
    link.timer->stop();
}

void FrmAbout::onLinkPressed(Link& link) {
    if (colourOf(link.label) == kHovered) paint(link.label, kPressed, true);
}

void FrmAbout::onLinkReleased(Link& link) {
    if (colourOf(link.label) == kPressed) paint(link.label, kHovered, true);
}

void FrmAbout::OpenDocument(const QString& target) { desktop_.openInShell(target); }

void FrmAbout::onBtnDonePressed() {
    playWave_(QStringLiteral("drip"));
    hide();
}

}  // namespace ui
