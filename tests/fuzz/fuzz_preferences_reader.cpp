// Arbitrary bytes as a preferences file: the reader must neither crash nor misbehave under the
// sanitizers, and whatever settings it reads must come back unchanged once written and read again.
#include <cstdint>
#include <cstdlib>
#include <optional>

#include "calc/Fault.h"
#include "prefs/Preferences.h"

// All 18 items, or nothing when one is missing or is no number where one is due.
static std::optional<prefs::Settings> load(const QByteArray& content) try {
    prefs::PreferencesReader reader(content, prefs::FileKind::Preferences);
    prefs::Settings read;
    while (!reader.atEnd()) reader.readNext(read);
    return read;
} catch (const calc::Fault&) {
    return std::nullopt;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<prefs::Settings> read = load(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    // A clock text opening with U+FEFF is written as a byte-order mark, which reading drops;
    // the clock box only ever holds a number, so no saved file starts that way.
    if (!read || read->clock.startsWith(QChar(0xFEFF))) return 0;
    const QByteArray written = prefs::writePreferences(*read);
    const std::optional<prefs::Settings> again = load(written);
    if (!again || prefs::writePreferences(*again) != written) std::abort();
    return 0;
}
