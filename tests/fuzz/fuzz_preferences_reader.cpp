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

// All 18 items, converted as the loader converts them; nothing when one is missing or is no
// number where one is due.
std::optional<prefs::Settings> load(const QByteArray& content) {
    prefs::PreferencesReader reader(content, prefs::FileKind::Preferences);
    prefs::Settings read;
    try {
        while (!reader.atEnd()) reader.readNext(read);
    } catch (const calc::Fault&) {
        return std::nullopt;
    }
    return read;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray content(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<prefs::Settings> read = load(content);
    // A clock text opening with U+FEFF is written as a byte-order mark, which reading drops;
    // the clock box only ever holds a number, so no saved file starts that way.
    if (!read || read->clock.startsWith(QChar(0xFEFF))) return 0;
    const QByteArray written = prefs::writePreferences(*read);
    const std::optional<prefs::Settings> again = load(written);
    if (!again || prefs::writePreferences(*again) != written) std::abort();
    return 0;
}
