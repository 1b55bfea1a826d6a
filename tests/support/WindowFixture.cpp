#include "support/WindowFixture.h"

#include <QTest>

#include "ui/CodeListBox.h"

using namespace Qt::Literals::StringLiterals;

WindowFixture::WindowFixture(const QString& programFolder)
    : locations_(prefs::FileLocations::beside(programFolder.isEmpty() ? folder.path() : programFolder)),
      window_(std::make_unique<ui::FrmMain>(desktop, locations_)) {}

WindowFixture::WindowFixture(const prefs::FileLocations& locations)
    : locations_(locations), window_(std::make_unique<ui::FrmMain>(desktop, locations_)) {}

WindowFixture::~WindowFixture() = default;

void WindowFixture::restart(bool closeFirst) {
    if (closeFirst) window_->close();
    watched.clear();
    window_ = std::make_unique<ui::FrmMain>(desktop, locations_);
}

QString WindowFixture::listing() const { return control<ui::CodeListBox>("TxtCodeList")->listing(); }

void WindowFixture::setCounters(const std::array<QString, 4>& values) {
    for (int counter = 0; counter < 4; ++counter) {
        const QChar letter(u'A' + counter);
        box(qPrintable(u"Txt%1Name"_s.arg(letter)))->setText(u"Cnt"_s + letter);
        box(qPrintable(u"Txt%1Value"_s.arg(letter)))->setText(values[counter]);
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
