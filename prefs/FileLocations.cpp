#include "prefs/FileLocations.h"

#include <QDir>
#include <QFileInfo>

#include "Version.h"
#include "prefs/InstallLayout.h"
#include "prefs/Preferences.h"

namespace prefs {

namespace {

const QString kPreferencesFile = QStringLiteral("kestrune.cfg");
const QString kDefaultsFile = QStringLiteral("Kestrune.def");
const QString kManualFile = QLatin1StringView(kestrune::kManualFileName);

bool holdsSettingsFile(const QString& folder) {
    return QFileInfo::exists(fileInFolder(folder, kPreferencesFile)) ||
           QFileInfo::exists(fileInFolder(folder, kDefaultsFile));
}

}  // namespace

FileLocations::FileLocations(const QString& programFolder, const QString& userConfigFolder)
    : FileLocations(programFolder, userConfigFolder,
                    holdsSettingsFile(programFolder) && QFileInfo(programFolder).isWritable()) {}

FileLocations::FileLocations(const QString& programFolder, const QString& userConfigFolder,
                             bool portable)
    : programFolder_(programFolder),
      userConfigFolder_(portable ? programFolder : userConfigFolder),
      portable_(portable) {}

FileLocations FileLocations::beside(const QString& folder) {
    return {folder, folder, true};
}

QString FileLocations::preferencesToRead() const {
    const QString own = preferencesToWrite();
    if (portable_ || QFileInfo::exists(own)) return own;
    return besideOrInstalled(kPreferencesFile, kInstalledDataFolder);
}

QString FileLocations::preferencesToWrite() const {
    return fileInFolder(userConfigFolder_, kPreferencesFile);
}

QString FileLocations::defaults() const {
    return besideOrInstalled(kDefaultsFile, kInstalledDataFolder);
}

QString FileLocations::manual() const {
    return besideOrInstalled(kManualFile, kInstalledManualFolder);
}

QString FileLocations::library(const QString& baseName) const {
    return besideOrInstalled(QStringLiteral("lib") + baseName + QStringLiteral(".so"),
                             kInstalledLibraryFolder);
}

QString FileLocations::besideOrInstalled(const QString& name, const char* installedFolder) const {
    const QString beside = fileInFolder(programFolder_, name);
    if (portable_ || QFileInfo::exists(beside)) return beside;
    const QString folder =
        QDir::cleanPath(QDir(programFolder_).filePath(QLatin1StringView(installedFolder)));
    return fileInFolder(folder, name);
}

}  // namespace prefs
