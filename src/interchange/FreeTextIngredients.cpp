#include "interchange/FreeTextIngredients.h"

#include "interchange/InterchangeText.h"

#include <QStringList>

QString convertFreeTextIngredients(const QString& text)
{
    // Interim conversion until the unit-aware parser is available: every line becomes an item of its own.
    QString out;
    const QStringList lines = text.split(InterchangeText::CrLf);
    for (const QString& line : lines) {
        const QString t = line.simplified();
        if (!t.isEmpty())
            out += QStringLiteral("||") + t + QLatin1Char('~');
    }
    return out;
}
