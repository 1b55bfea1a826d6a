// Arbitrary bytes as a preferences file: the reader must neither crash nor misbehave under the
// sanitizers, and whatever settings it reads must come back unchanged once written and read
// again.
#include <QByteArray>
#include <QChar>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>

#include "calc/Fault.h"
#include "prefs/Preferences.h"

namespace {

// The 18 items in the order and kinds the preferences loader reads them, converted as it
// converts them; nothing when an item is missing or is no number where one is due.
std::optional<prefs::Preferences> load(const QByteArray& content) {
    prefs::PreferencesReader reader(content);
    prefs::Preferences read;
    try {
        read.clock = reader.readText();
        for (QString& name : read.names) name = reader.readText();
        for (QString& value : read.values) value = reader.readText();
        read.addCallReturn = reader.readText() == QStringLiteral("1");
        read.parallax = reader.readText() == QStringLiteral("Parallax");
        read.tab = calc::toInt16(reader.readNumber());
        read.topTwips = calc::toSingle(reader.readNumber());
        read.leftTwips = calc::toSingle(reader.readNumber());
        read.popups = reader.readText() != QStringLiteral("0");
        read.chipType = reader.readWhole16();
        read.sound = reader.readNumber() != 0;
        read.animateLogo = reader.readNumber() != 0;
    } catch (const calc::Fault&) {
        return std::nullopt;
    }
    return read;
}

bool same(const prefs::Preferences& a, const prefs::Preferences& b) {
    return a.clock == b.clock && a.names == b.names && a.values == b.values &&
           a.addCallReturn == b.addCallReturn && a.parallax == b.parallax && a.tab == b.tab &&
           a.topTwips == b.topTwips && a.leftTwips == b.leftTwips && a.popups == b.popups &&
           a.chipType == b.chipType && a.sound == b.sound && a.animateLogo == b.animateLogo;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray content(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<prefs::Preferences> read = load(content);
    // A clock text opening with U+FEFF is written as a byte-order mark, which reading drops;
    // the clock box only ever holds a number, so no saved file starts that way.
    if (!read || read->clock.startsWith(QChar(0xFEFF))) return 0;
    const std::optional<prefs::Preferences> again = load(prefs::writePreferences(*read));
    if (!again || !same(*read, *again)) std::abort();
    return 0;
}
