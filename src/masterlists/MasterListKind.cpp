#include "masterlists/MasterListKind.h"

#include "base/AppError.h"
#include "quantities/Quantity.h"
#include "storage/NormalizeForMatch.h"

namespace MasterListKinds {

const QVector<MasterListKind>& all()
{
    static const QVector<MasterListKind> kinds = {
        { "qty", TableDef::Quantities, "QtyMaster", "QtyKey", "QtyKey ASC", 12, 30, "Master Quantity List",
          "New Quantity", "Maximum Quantities", "The maximum number of Quantities is " },
        { "units", TableDef::Units, "UnitsMaster", "UnitsKey", "UnitsKey ASC", 12, 50, "Master Units List", "New Unit",
          "Maximum Units", "The maximum number of Units is " },
        { "ingr", TableDef::Ingredients, "IngrMaster", "IngrKey", "IngrKey ASC", 80, 10000, "Master Ingredients List",
          "New Ingredient", "Maximum Ingredients", "The maximum number of Ingredients is " },
        { "ntrn", TableDef::NutritionalItems, "NtrnMaster", "NtrnKey", "NtrnKey ASC", 80, 10000,
          "Master Nutrition List", "New Nutrition Item", "Maximum Ingredients",
          "The maximum number of Nutrition items is " },
        { "cat", TableDef::Categories, "Category", "", "Category ASC", 32, 80, "Master Category List", "New Category",
          "Maximum Categories", "The maximum number of Categories is " },
        { "source", TableDef::Sources, "SourceMaster", "", "SourceMaster ASC", 32, 40, "Master Source List",
          "New Source", "Maximum Sources", "The maximum number of Sources is " },
        { "rating", TableDef::Ratings, "RatingMaster", "", "RatingMaster ASC", 10, 20, "Master Rating List",
          "New Rating", "Maximum Ratings", "The maximum number of Ratings is " },
        { "aisle", TableDef::Aisles, "AisleMaster", "", "AisleMaster ASC", 5, 40, "Master Aisle List", "New Aisle",
          "Maximum Aisles", "The maximum number of Aisles is " },
        { "meal", TableDef::Meals, "MealMaster", "", "MealMaster ASC", 9, 20, "Master Meal List", "New Meal",
          "Maximum Meals", "The maximum number of Meals is " },
    };
    return kinds;
}

const MasterListKind* find(const QString& keyword)
{
    for (const MasterListKind& kind : all()) {
        if (kind.keyword == keyword)
            return &kind;
    }
    return nullptr;
}

} // namespace MasterListKinds

QString MasterListKey(const MasterListKind& kind, const QString& value)
{
    if (!kind.hasKey())
        return QString();
    if (kind.table != TableDef::Quantities)
        return NormalizeForMatch(value);
    // Quantities order by their amount: "1/2" (0000.5000) before "2" (0002.0000).
    QString quantity = value;
    try {
        return NormalizeForMatch(ScaleQuantity(quantity, 1.0, ScaleDecimal));
    } catch (const AppError&) {
        // "1/0" has no amount; it is still a valid entry and orders by its text.
        return NormalizeForMatch(value);
    }
}
