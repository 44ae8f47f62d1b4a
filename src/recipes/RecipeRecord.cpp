#include "recipes/RecipeRecord.h"

#include "recipes/RecipeEncodings.h"
#include "storage/RecordStatus.h"
#include "storage/Recordset.h"

RecipeRecord RecipeRecord::fromCurrent(const Recordset& rs)
{
    RecipeRecord r;
    r.id = rs.value(QStringLiteral("REC_ID"));
    r.status = rs.value(QStringLiteral("STATUS"));
    r.key = rs.value(QStringLiteral("Key"));
    r.name = rs.value(QStringLiteral("Name"));
    r.category = rs.value(QStringLiteral("Category"));
    r.serves = rs.value(QStringLiteral("Serves"));
    r.ingredients = rs.value(QStringLiteral("Ingredients"));
    r.instructions = rs.value(QStringLiteral("Instructions"));
    r.nutrition = rs.value(QStringLiteral("Nutrition"));
    const RatingSource packed = splitRtgSrc(rs.value(QStringLiteral("RtgSrc")));
    r.rating = packed.rating;
    r.source = packed.source;
    r.picture = rs.value(QStringLiteral("Picture"));
    return r;
}

RecipeRecord RecipeRecord::blank()
{
    RecipeRecord r;
    r.id = RecordStatus::NewId;
    r.status = RecordStatus::New;
    return r;
}
