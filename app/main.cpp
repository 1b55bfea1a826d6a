#include <QApplication>
#include <QStandardPaths>

#include <cstdio>

#include "FontConfigWarmUp.h"
#include "Version.h"
#include "ui/FrmMain.h"
#include "ui/QtDesktop.h"

namespace {

// Without a display Qt would abort with a core dump; say so plainly instead.
bool displayAvailable() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

}  // namespace

int main(int argc, char* argv[]) {
    if (!displayAvailable()) {
        std::fputs("kestrune: no display available (DISPLAY is not set); start it from a desktop session.\n",
                   stderr);
        return 1;
    }
    FontConfigWarmUp fontConfig;
    QApplication app(argc, argv);
    fontConfig.finish();
    QApplication::setApplicationName(QStringLiteral("Kestrune"));
    QApplication::setApplicationVersion(QLatin1StringView(kestrune::kVersion));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Kestrune"));
    const prefs::FileLocations locations(
        QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    ui::QtDesktop desktop(locations);
    ui::FrmMain window(desktop, locations);
    window.show();
    return QApplication::exec();
}
