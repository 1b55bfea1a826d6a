#include "support/WindowFixture.h"

#include <QTest>

#include "ui/CodeListBox.h"

WindowFixture::WindowFixture()
    : locations_(prefs::FileLocations::beside(folder.path())),
      window_(std::make_unique<ui::FrmMain>(desktop, locations_)) {}

void WindowFixture::restart(bool closeFirst) {
    if (closeFirst) window_->close();
    watched.clear();
    window_ = std::make_unique<ui::FrmMain>(desktop, locations_);
}

QObject* WindowFixture::object(const QString& path) const {
    QObject* found = window_.get();
    for (const QString& name : path.split(u'/'))
        if (found && name != u"window") found = found->findChild<QObject*>(name);
    return found;
}

QString WindowFixture::listing() const { return control<ui::CodeListBox>("TxtCodeList")->listing(); }

bool WindowFixture::activate(QWidget* window) {
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

void WindowFixture::clickAt(QWidget* control, QPoint local) {
    QWidget* window = control->window();
    window->show();  // only a shown window has its controls where they are drawn
    const QPoint inWindow = control->mapTo(window, local);
    QWidget* hit = window->childAt(inWindow) ? window->childAt(inWindow) : window;
    QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(window, inWindow));
}
