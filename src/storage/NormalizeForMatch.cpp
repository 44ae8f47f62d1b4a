#include "storage/NormalizeForMatch.h"

QString NormalizeForMatch(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c != QLatin1Char('*') && c != QLatin1Char('\''))
            out += c.toLower();
    }
    return out;
}
