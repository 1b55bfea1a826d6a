#include "cli/UsageError.h"

namespace cli {

QString quoted(const QString& text) {
    QString out = QStringLiteral("'");
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out + QLatin1Char('\'');
}

}  // namespace cli
