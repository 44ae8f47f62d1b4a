#include "interchange/ExportText.h"

#include "recipes/RecipeEncodings.h"

#include <QStringList>

namespace ExportText {

QString categoryText(const QString& category)
{
    return splitCategories(category).join(QStringLiteral(", "));
}

QVector<ItemLine> ingredientEntries(const QString& ingredients)
{
    QVector<ItemLine> entries;
    for (const QString& piece : itemLineTexts(ingredients)) {
        if (piece.size() <= 3)
            continue;
        // A line without "|" is all item.
        entries.append(piece.contains(QLatin1Char('|')) ? splitItemLine(piece) : ItemLine { {}, {}, piece });
    }
    return entries;
}

QString nutritionText(const QString& nutrition)
{
    QString text = QStringLiteral("Per Serving (excluding unknown items): ");
    for (const QString& piece : itemLineTexts(nutrition)) {
        if (piece.size() <= 3)
            continue;
        const ItemLine line = splitItemLine(piece);
        text += line.quantity + line.units + QLatin1Char(' ') + line.item + QLatin1Char(';');
    }
    if (text.contains(QLatin1String("calories from fat"))) {
        text.replace(QStringLiteral("calories from fat;"), QStringLiteral("calories from fat);"));
        text.replace(QStringLiteral("Fat; "), QStringLiteral("Fat ("));
    }
    if (text.endsWith(QLatin1Char(';')))
        text.replace(text.size() - 1, 1, QStringLiteral("."));
    return text;
}

} // namespace ExportText
