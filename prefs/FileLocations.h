#pragma once

#include <QString>

namespace prefs {

// Where the program's files are. A program folder that holds a preferences or a defaults
// file and can be written is used portably, as the build folder is: every file lies beside
// the program. Otherwise the copy is installed: the preferences are the user's own, in the
// user's configuration folder, and the factory settings, the manual and the libraries are
// found in the folders the program was installed with, relative to the program's own folder,
// so an installed tree works wherever it was put. A copy beside the program still wins.
class FileLocations {
public:
    FileLocations(const QString& programFolder, const QString& userConfigFolder);
    // Everything beside the program in folder, whatever the folder holds.
    static FileLocations beside(const QString& folder);

    // The user's file once saved; until then the factory settings an installed copy starts
    // with.
    QString preferencesToRead() const;
    QString preferencesToWrite() const;
    QString defaults() const;
    QString manual() const;
    // The file of the library of that base name, the name without "lib" and ".so".
    QString library(const QString& baseName) const;

private:
    FileLocations(const QString& programFolder, const QString& userConfigFolder, bool portable);
    // The file beside the program when it is there, else in the installed folder.
    QString besideOrInstalled(const QString& name, const char* installedFolder) const;

    QString programFolder_;
    QString userConfigFolder_;
    bool portable_;
};

}  // namespace prefs
