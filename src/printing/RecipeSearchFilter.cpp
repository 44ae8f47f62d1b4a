#include "printing/RecipeSearchFilter.h"

#include "storage/TableCatalogue.h"

#include <QStringList>

bool RecipeSearchFilter::isEmpty() const
{
    return name.isEmpty() && category1.isEmpty() && category2.isEmpty() && ingredient.isEmpty() && instruction.isEmpty()
        && source.isEmpty() && rating.isEmpty();
}

QString RecipeSearchFilter::expression() const
{
    auto quoted = [](QString text) { return text.replace(QLatin1Char('\''), QLatin1String("''")); };
    auto like = [&](const char* field, const QString& text) {
        return QLatin1String(field) + QStringLiteral(" like '*") + quoted(text) + QStringLiteral("*'");
    };
    QStringList parts;
    for (const QString& category : { category1, category2 }) {
        if (category == QLatin1String("<blank>"))
            parts << QStringLiteral("Category = ''");
        else if (!category.isEmpty())
            parts << like("Category", category);
    }
    if (!ingredient.isEmpty())
        parts << like("Ingredients", ingredient);
    if (!instruction.isEmpty())
        parts << like("Instructions", instruction);
    if (!name.isEmpty())
        parts << like("Name", name);
    if (!source.isEmpty())
        parts << like("RtgSrc", source);
    if (!rating.isEmpty())
        parts << like("RtgSrc", rating);
    if (parts.isEmpty())
        return RecordStatus::LiveFilter;
    if (!combineOr)
        return RecordStatus::LiveFilter + QStringLiteral(" AND (") + parts.join(QStringLiteral(" AND "))
            + QLatin1Char(')');
    for (QString& p : parts)
        p = QLatin1Char('(') + p + QStringLiteral(" AND ") + RecordStatus::LiveFilter + QLatin1Char(')');
    return parts.join(QStringLiteral(" OR "));
}
