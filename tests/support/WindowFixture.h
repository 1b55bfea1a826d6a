#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>

#include <map>
#include <memory>

#include "prefs/FileLocations.h"
#include "support/RecordingDesktop.h"
#include "ui/FrmMain.h"

// A fresh main window in a fresh, empty program folder, driven through its controls.
class WindowFixture {
public:
    WindowFixture();

    ui::FrmMain& window() { return *window_; }
    const calc::CalcState& state() const { return window_->calcState(); }
    // Starts a new window on the same files; the old one is closed first, as at the end of the
    // program, or vanishes unsaved, as if the program had been killed.
    void restart(bool closeFirst = true);

    // A control or timer by name, PARENT/NAME for one inside another; "window" is the window.
    QObject* object(const QString& path) const;
    template <typename Widget = QWidget>
    Widget* control(const char* name) const {
        auto* widget = qobject_cast<Widget*>(object(QLatin1StringView(name)));
        if (!widget) qFatal("no control %s", name);
        return widget;
    }
    QLineEdit* box(const char* name) const { return control<QLineEdit>(name); }
    QTabBar* tabs() const { return control<QTabBar>("TabCode"); }
    QString listing() const;
    // Shows the window and makes it the active one, where keys and shortcuts go.
    [[nodiscard]] static bool activate(QWidget* window);
    // Clicks like a user: the left button at a point of the control, on whichever widget the
    // window shows at that point, so a control lying under another one misses the click.
    static void clickAt(QWidget* control, QPoint local);
    static void click(QWidget* control) { clickAt(control, control->rect().center()); }
    void press(const char* name) const { click(control(name)); }
    void clickTab(int index) const { clickAt(tabs(), tabs()->tabRect(index).center()); }
    // Clicks the check box or option button when it is not in the wanted state.
    void setTicked(const char* name, bool ticked) const {
        if (control<QAbstractButton>(name)->isChecked() != ticked) click(control(name));
    }

    QTemporaryDir folder;
    RecordingDesktop desktop;
    std::map<QString, std::unique_ptr<QSignalSpy>> watched;  // the boxes a scenario watches

private:
    prefs::FileLocations locations_;
    std::unique_ptr<ui::FrmMain> window_;
};
