#include "shopping/ShoppingListAdder.h"

#include "base/Dialogs.h"
#include "recipes/RecipeEncodings.h"
#include "shopping/MenuPlanner.h"
#include "storage/NormalizeForMatch.h"
#include "storage/RecordStatus.h"

using namespace ShoppingList;

ShoppingListAdder::Tally& ShoppingListAdder::Tally::operator+=(const Tally& other)
{
    added += other.added;
    skipped += other.skipped;
    notAdded += other.notAdded;
    return *this;
}

void ShoppingListAdder::Tally::count(ShopAddResult result)
{
    switch (result) {
    case ShopAddResult::Added:
        ++added;
        break;
    case ShopAddResult::Skipped:
        ++skipped;
        break;
    case ShopAddResult::ListFull:
    case ShopAddResult::Failed:
        ++notAdded;
        break;
    }
}

ShoppingListAdder::ShoppingListAdder(const QString& dataFolder)
    : m_shop(DataSource::open(TableDef::ShoppingList, dataFolder))
    , m_ingredients(DataSource::open(TableDef::Ingredients, dataFolder))
{
    m_shop->recordset().setFilter(RecordStatus::LiveFilter);
    m_shop->recordset().setSort(QStringLiteral("ShopKey ASC"));
    m_ingredients->recordset().setFilter(RecordStatus::LiveFilter);
}

ShopAddResult ShoppingListAdder::add(const QString& quantity, const QString& units, const QString& ingredientText,
                                     const QString& note)
{
    const QString ingredient = ingredientText.left(kIngredientLength);
    if (quantity.isEmpty() && units.isEmpty() && (ingredient.isEmpty() || ingredient == QLatin1String("OR")))
        return ShopAddResult::Skipped;

    const QString aisle = lookupAisle(m_ingredients->recordset(), ingredient);
    if (isFull()) {
        if (m_tellLimitPerLine)
            Dialogs::message(QStringLiteral("Maximum Number Items"), limitMessage());
        return ShopAddResult::ListFull;
    }

    Recordset& rs = m_shop->recordset();
    RecordStatus::addNew(rs);
    rs.setValue(QStringLiteral("ShopIngr"), ingredient);
    rs.setValue(QStringLiteral("ShopKey"), ShopKey(aisleKeyForAdding(aisle), ingredient));
    rs.setValue(QStringLiteral("ShopQty"), quantity);
    rs.setValue(QStringLiteral("ShopUnits"), units);
    rs.setValue(QStringLiteral("ShopAisle"), aisle);
    rs.setValue(QStringLiteral("ShopNote"), note);
    rs.update();
    return ShopAddResult::Added;
}

ShoppingListAdder::Tally ShoppingListAdder::addItemLines(const QString& itemLineText, const QString& note)
{
    Tally tally;
    for (const ItemLine& line : splitItemLines(itemLineText))
        tally.count(add(line.quantity, line.units, line.item, note));
    return tally;
}

bool ShoppingListAdder::add_menu_to_shop(QString& menuKey, const QString& recipeName, const Recordset& recipes,
                                         Tally* tally)
{
    menuKey = MenuPlanner::recipePartOfKey(menuKey);
    const int keyField = recipes.requireField(QStringLiteral("Key"));
    const int statusField = recipes.requireField(QStringLiteral("STATUS"));
    const int ingredientsField = recipes.requireField(QStringLiteral("Ingredients"));
    const QString wanted = menuKey.toCaseFolded();
    for (const Recordset::Record* record : recipes.recordsInSortOrder()) {
        if (record->at(statusField) == RecordStatus::Deleted || record->at(keyField).toCaseFolded() != wanted)
            continue;
        const Tally added = addItemLines(record->at(ingredientsField), recipeName);
        if (tally)
            *tally += added;
        return true;
    }
    Dialogs::message(QStringLiteral("Not found"), QStringLiteral("Recipe (%1) not found").arg(recipeName));
    return false;
}

int ShoppingListAdder::itemCount() const
{
    return m_shop->recordset().recordCount();
}

bool ShoppingListAdder::save() const
{
    return m_shop->save();
}
