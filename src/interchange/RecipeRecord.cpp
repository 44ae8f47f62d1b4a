#include "interchange/RecipeRecord.h"

#include "recipes/RecipeEncodings.h"
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
    return splitRtgSrc(rtgSrc).rating;
}

QString RecipeRecord::source() const
{
    return splitRtgSrc(rtgSrc).source;
}
