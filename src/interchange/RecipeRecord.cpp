#include "interchange/RecipeRecord.h"

#include "storage/Recordset.h"

RecipeRecord RecipeRecord::fromCurrent(const Recordset& recipes)
{
    RecipeRecord r;
    r.key = recipes.value(QStringLiteral("Key"));
    r.name = recipes.value(QStringLiteral("Name"));
    r.category = recipes.value(QStringLiteral("Category"));
    r.serves = recipes.value(QStringLiteral("Serves"));
    r.ingredients = recipes.value(QStringLiteral("Ingredients"));
    r.instructions = recipes.value(QStringLiteral("Instructions"));
    r.nutrition = recipes.value(QStringLiteral("Nutrition"));
    r.rtgSrc = recipes.value(QStringLiteral("RtgSrc"));
    return r;
}

QString RecipeRecord::rating() const
{
    if (rtgSrc.size() <= 2)
        return QString();
    const int sep = rtgSrc.indexOf(QStringLiteral("~~"));
    return sep > 0 ? rtgSrc.left(sep) : QString();
}

QString RecipeRecord::source() const
{
    if (rtgSrc.size() <= 2)
        return QString();
    const int sep = rtgSrc.indexOf(QStringLiteral("~~"));
    if (sep < 0)
        return rtgSrc.mid(1);
    return rtgSrc.mid(sep + 2);
}
