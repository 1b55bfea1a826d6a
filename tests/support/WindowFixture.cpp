#include "support/WindowFixture.h"

#include <QTest>

#include "ui/CodeListBox.h"

WindowFixture::WindowFixture() : WindowFixture(QString()) {}

WindowFixture::WindowFixture(const QString& programFolder)
    : window_(std::make_unique<ui::FrmMain>(
          desktop,
          prefs::FileLocations::beside(programFolder.isEmpty() ? folder.path() : programFolder))) {}

WindowFixture::WindowFixture(const prefs::FileLocations& locations)
    : window_(std::make_unique<ui::FrmMain>(desktop, locations)) {}

WindowFixture::~WindowFixture() = default;

QString WindowFixture::listing() const {
    return control<ui::CodeListBox>("TxtCodeList")->listing();
}

QString WindowFixture::shownListing() const {
    return control<ui::CodeListBox>("TxtCodeList")->toPlainText();
}

void WindowFixture::setCounters(const std::array<QString, 4>& values) {
    static const std::array<const char*, 4> kNames = {"TxtAName", "TxtBName", "TxtCName", "TxtDName"};
    static const std::array<const char*, 4> kValues = {"TxtAValue", "TxtBValue", "TxtCValue",
                                                       "TxtDValue"};
    for (int counter = 0; counter < 4; ++counter) {
        box(kNames[counter])->setText(QStringLiteral("Cnt") + QLatin1Char(static_cast<char>('A' + counter)));
        box(kValues[counter])->setText(values[counter]);
    }
}

void WindowFixture::setChip(bool pic) {
    if ((state().ChipType == calc::Chip::Pic) != pic) press("BtnChip");
}

void WindowFixture::clickAt(QWidget* control, QPoint local) {
    QWidget* window = control->window();
    window->show();  // only a shown window has its controls where they are drawn
    const QPoint inWindow = control->mapTo(window, local);
    QWidget* hit = window->childAt(inWindow);
    if (!hit) hit = window;
    QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(window, inWindow));
}

void WindowFixture::setTicked(const char* name, bool ticked) const {
    auto* box = control<QAbstractButton>(name);
    if (box->isChecked() != ticked) click(box);
}
