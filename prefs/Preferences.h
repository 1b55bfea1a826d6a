#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace prefs {

// The items of a preferences file, one per line, in file order (A is the innermost counter).
enum class Setting {
    Clock, NameD, NameC, NameB, NameA, ValueD, ValueC, ValueB, ValueA,
    AddCallReturn, Format, Tab, WindowTop, WindowLeft, PopUps, Chip, Sound, AnimateLogo,
};
constexpr int SettingCount = 18;

// The factory defaults file has the format of the preferences file, but reads a few items
// its own way.
enum class FileKind { Preferences, Defaults };

// The values the items carry. Counters are A (innermost) to D.
struct Settings {
    QString clock;
    std::array<QString, 4> names;
    std::array<QString, 4> values;
    bool addCallReturn = false;
    bool parallax = false;
    double tab = 0;  // a preferences file's tab is a checked index; a defaults file's, the number read
    float topTwips = 0;
    float leftTwips = 0;
    bool popups = false;
    qint16 chip = 0;  // as stored: 1 is a PIC
    bool sound = false;
    bool animateLogo = false;
};

// One item: how it is read from its line into the settings, and written from them.
struct SettingFormat {
    Setting setting;
    // The line without the blanks around it. Throws a Fault when it does not read as its kind.
    void (*read)(const QString& item, FileKind file, Settings& into);
    QString (*write)(const Settings& from);
};

// The 18 items in file order.
const std::array<SettingFormat, SettingCount>& settingFormats();

// The 18 lines, CR LF after each, as UTF-8. Numbers are written in their shortest decimal
// form with a space before a number that is not negative and one after every number.
QByteArray writePreferences(const Settings& settings);

// Reads a preferences or defaults file one item at a time, strictly one item per line, so a
// text holding commas or quotes comes back whole.
class PreferencesReader {
public:
    PreferencesReader(const QByteArray& content, FileKind file);

    // The file's content, or nothing when it is no regular file or cannot be read, just as
    // when it is missing. Only the head of an oversized file is read: the settings are a few
    // hundred bytes.
    static std::optional<PreferencesReader> open(const QString& path, FileKind file);

    bool atEnd() const { return next_ == SettingCount; }
    // Reads the next item into `settings` and says which it was. A missing item, or one that
    // does not read as its kind, throws a Fault: the caller stops there and keeps what it has
    // applied.
    Setting readNext(Settings& settings);

private:
    QStringList lines_;
    FileKind file_;
    int next_ = 0;
};

// The file of that name in the folder, matched without regard to case, so "Kestrune.cfg"
// and "kestrune.cfg" are one file; the name as given when there is none yet.
QString fileInFolder(const QString& folder, const QString& name);

}  // namespace prefs
