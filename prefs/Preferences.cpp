#include "prefs/Preferences.h"

#include <QDir>
#include <QStringDecoder>

#include <charconv>

#include "calc/Fault.h"
#include "calc/NumberText.h"
#include "prefs/CounterChecks.h"
#include "prefs/SafeFile.h"

namespace prefs {

namespace {

constexpr qint64 kMaxBytesRead = 1 << 20;
constexpr int kLastTab = 3;

// A number item: a space before a number that is not negative, and one after every number.
QString numberItem(const QString& digits) {
    return (digits.startsWith(QLatin1Char('-')) ? QString() : QStringLiteral(" ")) + digits + QStringLiteral(" ");
}

QString numberItem(int value) { return numberItem(QString::number(value)); }

// The shortest text that reads back as the same single-precision number.
QString numberItem(float value) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    return numberItem(QString::fromLatin1(buffer.data(), result.ptr - buffer.data()));
}

QString flag(bool on, const char* onText, const char* offText) {
    return QString::fromLatin1(on ? onText : offText);
}

// A preferences file holds one of the four tabs, rounded half to even; a defaults file's
// number is taken as it is and only an exact tab is selected.
double tabOf(const QString& item, FileKind file) {
    const double number = calc::parseNumber(item);
    if (file == FileKind::Defaults) return number;
    const qint16 tab = calc::toInt16(number);
    if (tab < 0 || tab > kLastTab) throw calc::Fault(calc::FaultKind::Overflow);
    return tab;
}

// A line that holds no counter value stops the load there, as a bad number does.
QString counterValueItem(const QString& item) {
    const ValueFault fault = readCounterValue(item).fault;
    if (fault == ValueFault::NotANumber) throw calc::Fault(calc::FaultKind::NotANumber);
    if (fault == ValueFault::NotARegisterValue) throw calc::Fault(calc::FaultKind::Overflow);
    return item;
}

// Each counter's name and value, D first as in the file.
template <int Counter>
constexpr SettingFormat nameFormat(Setting setting) {
    return {setting, [](const QString& item, FileKind, Settings& into) { into.names[Counter] = item; },
            [](const Settings& from) { return from.names[Counter]; }};
}

template <int Counter>
constexpr SettingFormat valueFormat(Setting setting) {
    return {setting,
            [](const QString& item, FileKind, Settings& into) {
                into.values[Counter] = counterValueItem(item);
            },
            [](const Settings& from) { return from.values[Counter]; }};
}

const std::array<SettingFormat, SettingCount> kFormats = {{
    {Setting::Clock, [](const QString& item, FileKind, Settings& into) { into.clock = item; },
     [](const Settings& from) { return from.clock; }},
    nameFormat<3>(Setting::NameD), nameFormat<2>(Setting::NameC), nameFormat<1>(Setting::NameB), nameFormat<0>(Setting::NameA),
    valueFormat<3>(Setting::ValueD), valueFormat<2>(Setting::ValueC), valueFormat<1>(Setting::ValueB), valueFormat<0>(Setting::ValueA),
    {Setting::AddCallReturn, [](const QString& item, FileKind, Settings& into) { into.addCallReturn = item == QLatin1StringView("1"); },
     [](const Settings& from) { return flag(from.addCallReturn, "1", "0"); }},
    {Setting::Format, [](const QString& item, FileKind, Settings& into) { into.parallax = item == QLatin1StringView("Parallax"); },
     [](const Settings& from) { return flag(from.parallax, "Parallax", "Microchip"); }},
    {Setting::Tab, [](const QString& item, FileKind file, Settings& into) { into.tab = tabOf(item, file); },
     [](const Settings& from) { return numberItem(static_cast<int>(from.tab)); }},
    {Setting::WindowTop, [](const QString& item, FileKind, Settings& into) { into.topTwips = calc::toSingle(calc::parseNumber(item)); },
     [](const Settings& from) { return numberItem(from.topTwips); }},
    {Setting::WindowLeft, [](const QString& item, FileKind, Settings& into) { into.leftTwips = calc::toSingle(calc::parseNumber(item)); },
     [](const Settings& from) { return numberItem(from.leftTwips); }},
    // Written as a number, read as a text; the defaults file spells "off" as False.
    {Setting::PopUps,
     [](const QString& item, FileKind file, Settings& into) {
         into.popups = item != QLatin1StringView(file == FileKind::Defaults ? "False" : "0");
     },
     [](const Settings& from) { return numberItem(from.popups ? 1 : 0); }},
    {Setting::Chip, [](const QString& item, FileKind, Settings& into) { into.chip = calc::toInt16(calc::parseNumber(item)); },
     [](const Settings& from) { return numberItem(from.chip); }},
    {Setting::Sound, [](const QString& item, FileKind, Settings& into) { into.sound = calc::parseNumber(item) != 0; },
     [](const Settings& from) { return numberItem(from.sound ? 1 : 0); }},
    {Setting::AnimateLogo, [](const QString& item, FileKind, Settings& into) { into.animateLogo = calc::parseNumber(item) != 0; },
     [](const Settings& from) { return numberItem(from.animateLogo ? 1 : 0); }},
}};

QString decode(const QByteArray& content) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(content);
    // A file written elsewhere in an 8-bit code page is not valid UTF-8; Latin-1 keeps
    // every byte as a character, so no name is garbled.
    if (utf8.hasError()) text = QString::fromLatin1(content);
    return text;
}

}  // namespace

const std::array<SettingFormat, SettingCount>& settingFormats() { return kFormats; }

QByteArray writePreferences(const Settings& settings) {
    QString text;
    for (const SettingFormat& format : kFormats) text += format.write(settings) + QStringLiteral("\r\n");
    return text.toUtf8();
}

PreferencesReader::PreferencesReader(const QByteArray& content, FileKind file) : file_(file) {
    if (content.isEmpty()) return;  // no line, so not even an empty first item
    lines_ = decode(content).split(QLatin1Char('\n'));
    // The last line end closes the last item; it does not start another.
    if (lines_.size() > 1 && lines_.back().isEmpty()) lines_.removeLast();
    for (QString& line : lines_)
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
}

std::optional<PreferencesReader> PreferencesReader::open(const QString& path, FileKind file) {
    const std::optional<QByteArray> content = readRegularFile(path, kMaxBytesRead);
    if (!content) return std::nullopt;
    return PreferencesReader(*content, file);
}

Setting PreferencesReader::readNext(Settings& settings) {
    if (next_ >= lines_.size() || atEnd()) throw calc::Fault(calc::FaultKind::NotANumber);
    const SettingFormat& format = kFormats[next_];
    // Blanks around an item are not part of it.
    format.read(trimSpaces(lines_[next_]), file_, settings);
    ++next_;
    return format.setting;
}

QString fileInFolder(const QString& folder, const QString& name) {
    const QDir dir(folder);
    if (dir.exists(name)) return dir.filePath(name);
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name))
        if (entry.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(entry);
    return dir.filePath(name);
}

}  // namespace prefs
