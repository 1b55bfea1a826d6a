#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace prefs {

constexpr int ItemCount = 18;

// The settings a preferences file holds, one item per line, in file order.
struct Preferences {
    QString clock;
    std::array<QString, 4> names;   // D (outermost) first, as in the file
    std::array<QString, 4> values;  // D first
    bool addCallReturn = false;
    bool parallax = false;
    int tab = 0;
    float topTwips = 0;
    float leftTwips = 0;
    bool popups = false;
    qint16 chipType = 0;
    bool sound = false;
    bool animateLogo = false;
};

// The 18 lines, CR LF after each, as UTF-8. Numbers are written in their shortest decimal
// form with a space before a number that is not negative and one after every number.
QByteArray writePreferences(const Preferences& preferences);

// Reads a preferences or defaults file one item at a time, strictly one item per line, so a
// text holding commas or quotes comes back whole. Blanks around an item are not part of it.
// A missing item, or a number item that holds no number, throws a fault: the caller stops
// there and keeps what it has applied.
class PreferencesReader {
public:
    explicit PreferencesReader(const QByteArray& content);

    // The file's content, or nothing when it is no regular file or cannot be read, just as
    // when it is missing. Only the head of an oversized file is read: the settings are a few
    // hundred bytes.
    static std::optional<PreferencesReader> open(const QString& path);

    QString readText();
    double readNumber();
    qint16 readWhole16();

private:
    QStringList lines_;
    int next_ = 0;
};

// The file of that name in the folder, matched without regard to case, so "Kestrune.cfg"
// and "kestrune.cfg" are one file; the name as given when there is none yet.
QString fileInFolder(const QString& folder, const QString& name);

}  // namespace prefs
