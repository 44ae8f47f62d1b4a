#include "storage/TableCatalogue.h"

int TableDef::ownFieldIndex(const QString& name) const
{
    for (int i = 0; i < fields.size(); ++i) {
        if (fields.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

namespace {

QVector<FieldDef> plain(std::initializer_list<std::pair<const char*, int>> list)
{
    QVector<FieldDef> out;
    for (const auto& [name, length] : list)
        out.append(FieldDef { QString::fromLatin1(name), length });
    return out;
}

QVector<TableDef> buildCatalogue()
{
    QVector<TableDef> t;
    QVector<FieldDef> recipe = plain({ { "Key", 75 },
                                       { "Name", 75 },
                                       { "Category", 100 },
                                       { "Serves", 8 },
                                       { "Ingredients", 4000 },
                                       { "Instructions", 4000 },
                                       { "Nutrition", 4000 },
                                       { "RtgSrc", 50 },
                                       { "Picture", 500 },
                                       { "Other1", 1 } });
    recipe[5].escapeLineBreaks = true;
    recipe[6].rawQuotes = true;
    t.append({ TableDef::Recipes, "ZestoDB.cdb", "1", recipe, "Name ASC", true });
    t.append({ TableDef::Categories, "ZestoCatDB.cdb", "2", plain({ { "Category", 35 } }), "Category ASC" });
    t.append({ TableDef::Quantities, "ZestoQty.cdb", "4",
               plain({ { "QtyKey", 12 }, { "QtyMaster", 12 }, { "Other1", 1 }, { "Other2", 1 } }), "QtyKey ASC" });
    t.append({ TableDef::Units, "ZestoUnits.cdb", "5",
               plain({ { "UnitsKey", 12 }, { "UnitsMaster", 12 }, { "Other1", 1 }, { "Other2", 1 } }),
               "UnitsKey ASC" });
    t.append({ TableDef::Ingredients, "ZestoIngr.cdb", "6",
               plain({ { "IngrKey", 80 }, { "IngrMaster", 80 }, { "IngrAisle", 5 }, { "Other1", 1 }, { "Other2", 1 } }),
               "IngrKey ASC" });
    t.append({ TableDef::ShoppingList, "ZestoShop.cdb", "7",
               plain({ { "ShopKey", 100 },
                       { "ShopAisle", 5 },
                       { "ShopIngr", 80 },
                       { "ShopQty", 12 },
                       { "ShopUnits", 12 },
                       { "ShopNote", 60 },
                       { "Other1", 1 },
                       { "Other2", 1 } }),
               "ShopKey ASC" });
    t.append({ TableDef::MenuPlanner, "ZestoMenu.cdb", "8",
               plain({ { "MenuKey", 70 },
                       { "MenuDate", 8 },
                       { "MenuMeal", 9 },
                       { "MenuRecipe", 60 },
                       { "Other1", 1 },
                       { "Other2", 1 } }),
               "MenuKey ASC" });
    t.append({ TableDef::NutritionalItems, "ZestoNtrn.cdb", "11",
               plain({ { "NtrnKey", 80 }, { "NtrnMaster", 80 }, { "Other1", 1 }, { "Other2", 1 } }), "NtrnKey ASC" });
    t.append({ TableDef::Sources, "ZestoSource.cdb", "12",
               plain({ { "SourceMaster", 35 }, { "Other1", 1 }, { "Other2", 1 } }), "SourceMaster ASC" });
    t.append({ TableDef::Ratings, "ZestoRating.cdb", "13",
               plain({ { "RatingMaster", 35 }, { "Other1", 1 }, { "Other2", 1 } }), "RatingMaster ASC" });
    t.append({ TableDef::Aisles, "ZestoAisle.cdb", "14",
               plain({ { "AisleMaster", 35 }, { "Other1", 1 }, { "Other2", 1 } }), "AisleMaster ASC" });
    t.append({ TableDef::Meals, "ZestoMeal.cdb", "15",
               plain({ { "MealMaster", 35 }, { "Other1", 1 }, { "Other2", 1 } }), "MealMaster ASC" });
    t.append({ TableDef::Preferences, "ZestoPrefs.cdb", "prefs", plain({ { "PrefsKey", 200 }, { "PrefsStr1", 4000 } }),
               "PrefsKey ASC" });
    return t;
}

} // namespace

const QVector<TableDef>& TableCatalogue::all()
{
    static const QVector<TableDef> catalogue = buildCatalogue();
    return catalogue;
}

const TableDef& TableCatalogue::table(TableDef::Id id)
{
    return all().at(id);
}

const TableDef* TableCatalogue::byFileName(const QString& fileName)
{
    for (const TableDef& def : all()) {
        if (def.fileName.compare(fileName, Qt::CaseInsensitive) == 0)
            return &def;
    }
    return nullptr;
}
