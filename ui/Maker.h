#pragma once

#include <QString>

namespace ui {

// Who made Kestrune and where to reach them, as the About window shows it.
inline const QString kMakerAuthor = QStringLiteral("The Kestrune authors");
inline const QString kMakerEmail = QStringLiteral("kestrune@example.org");
inline const QString kMakerWebsite = QStringLiteral("https://www.example.org");

}  // namespace ui
