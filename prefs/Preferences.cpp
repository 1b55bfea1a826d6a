#include "prefs/Preferences.h"

#include <QDir>
#include <QStringDecoder>

#include <array>
#include <charconv>

#include "calc/Fault.h"
#include "calc/NumberText.h"
#include "prefs/CounterChecks.h"
#include "prefs/SafeFile.h"

namespace prefs {

namespace {

constexpr qint64 kMaxBytesRead = 1 << 20;

// A number item: a space before a number that is not negative, and one after every number.
QString numberItem(const QString& digits) {
    return (digits.startsWith(QLatin1Char('-')) ? QString() : QStringLiteral(" ")) + digits +
           QStringLiteral(" ");
}

// The shortest text that reads back as the same single-precision number.
QString shortestSingle(float value) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed);
    return QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
}

QString decode(const QByteArray& content) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(content);
    // A file written elsewhere in an 8-bit code page is not valid UTF-8; Latin-1 keeps
    // every byte as a character, so no name is garbled.
    if (utf8.hasError()) text = QString::fromLatin1(content);
    return text;
}

}  // namespace

QByteArray writePreferences(const Preferences& preferences) {
    QStringList lines;
    lines << preferences.clock;
    for (const QString& name : preferences.names) lines << name;
    for (const QString& value : preferences.values) lines << value;
    lines << (preferences.addCallReturn ? QStringLiteral("1") : QStringLiteral("0"));
    lines << (preferences.parallax ? QStringLiteral("Parallax") : QStringLiteral("Microchip"));
    lines << numberItem(QString::number(preferences.tab));
    lines << numberItem(shortestSingle(preferences.topTwips))
          << numberItem(shortestSingle(preferences.leftTwips));
    lines << numberItem(QString::number(preferences.popups ? 1 : 0));
    lines << numberItem(QString::number(preferences.chipType));
    lines << numberItem(QString::number(preferences.sound ? 1 : 0));
    lines << numberItem(QString::number(preferences.animateLogo ? 1 : 0));
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

PreferencesReader::PreferencesReader(const QByteArray& content) {
    if (content.isEmpty()) return;  // no line, so not even an empty first item
    lines_ = decode(content).split(QLatin1Char('\n'));
    // The last line end closes the last item; it does not start another.
    if (lines_.size() > 1 && lines_.back().isEmpty()) lines_.removeLast();
    for (QString& line : lines_)
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
}

std::optional<PreferencesReader> PreferencesReader::open(const QString& path) {
    const std::optional<QByteArray> content = readRegularFile(path, kMaxBytesRead);
    if (!content) return std::nullopt;
    return PreferencesReader(*content);
}

QString PreferencesReader::readText() {
    if (next_ >= lines_.size() || next_ >= ItemCount) throw calc::Fault(calc::FaultKind::NotANumber);
    return trimSpaces(lines_[next_++]);
}

double PreferencesReader::readNumber() { return calc::parseNumber(readText()); }

qint16 PreferencesReader::readWhole16() { return calc::toInt16(readNumber()); }

QString fileInFolder(const QString& folder, const QString& name) {
    const QDir dir(folder);
    if (dir.exists(name)) return dir.filePath(name);
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name))
        if (entry.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(entry);
    return dir.filePath(name);
}

}  // namespace prefs
