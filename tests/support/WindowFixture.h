#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>

#include <array>
#include <map>
#include <memory>

#include "support/RecordingDesktop.h"
#include "ui/FrmMain.h"

// A fresh main window in a fresh, empty program folder, or in a program folder filled
// beforehand, or with the files where the locations say, driven through its controls.
class WindowFixture {
public:
    WindowFixture();
    explicit WindowFixture(const QString& programFolder);
    explicit WindowFixture(const prefs::FileLocations& locations);
    ~WindowFixture();

    ui::FrmMain& window() { return *window_; }
    const calc::CalcState& state() const { return window_->calcState(); }

    template <typename Widget = QWidget>
    Widget* control(const char* name) const {
        auto* widget = window_->findChild<Widget*>(QLatin1StringView(name));
        if (!widget) qFatal("no control %s", name);
        return widget;
    }
    QLineEdit* box(const char* name) const { return control<QLineEdit>(name); }
    QTabBar* tabs() const { return control<QTabBar>("TabCode"); }
    QString listing() const;
    // The listing as the code box shows it, one line per line.
    QString shownListing() const;
    // Clicks like a user: the left button at a point of the control, on whichever widget the
    // window shows at that point, so a control lying under another one misses the click.
    static void clickAt(QWidget* control, QPoint local);
    static void click(QWidget* control) { clickAt(control, control->rect().center()); }
    void press(const char* name) const { click(control(name)); }
    void clickTab(int index) const { clickAt(tabs(), tabs()->tabRect(index).center()); }
    // Clicks the check box or option button when it is not in the wanted state.
    void setTicked(const char* name, bool ticked) const;
    // BtnSave and BtnReset are never shown: only the program itself presses them.
    void pressHidden(const char* name) const { control<QPushButton>(name)->click(); }

    // Names Cnt? and the given value texts, A first, set like a user typing them.
    void setCounters(const std::array<QString, 4>& values);
    // The chip type by pressing the chip button as often as needed.
    void setChip(bool pic);

    QTemporaryDir folder;
    RecordingDesktop desktop;
    std::map<QString, std::unique_ptr<QSignalSpy>> watched;  // the boxes a scenario watches

private:
    std::unique_ptr<ui::FrmMain> window_;
};
