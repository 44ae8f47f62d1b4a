#include "interchange/ExportText.h"

#include "recipes/RecipeEncodings.h"

#include <QStringList>

namespace ExportText {

QString categoryText(const QString& category)
{
    return splitCategories(category).join(QStringLiteral(", "));
}

QVector<Entry> ingredientEntries(const QString& ingredients)
{
    QVector<Entry> entries;
    QStringList pieces = ingredients.split(QLatin1Char('~'));
    pieces.removeLast();
    for (const QString& piece : pieces) {
        if (piece.size() <= 3)
            continue;
        const QStringList parts = piece.contains(QLatin1Char('|')) ? piece.split(QLatin1Char('|'))
                                                                   : QStringList { QString(), QString(), piece };
        Entry e;
        e.quantity = parts.value(0);
        e.units = parts.value(1);
        e.item = parts.value(2);
        entries.append(e);
    }
    return entries;
}

QString nutritionText(const QString& nutrition)
{
    QString text = QStringLiteral("Per Serving (excluding unknown items): ");
    QStringList pieces = nutrition.split(QLatin1Char('~'));
    pieces.removeLast();
    for (const QString& piece : pieces) {
        if (piece.size() <= 3)
            continue;
        const QStringList parts = piece.split(QLatin1Char('|'));
        text += parts.value(0) + parts.value(1) + QLatin1Char(' ') + parts.value(2) + QLatin1Char(';');
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
