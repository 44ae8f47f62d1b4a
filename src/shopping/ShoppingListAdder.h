#pragma once

#include "shopping/ShoppingList.h"
#include "storage/DataSource.h"

#include <QString>

#include <memory>

// A run of additions to the shopping list: holds fresh copies of the shopping list and the master ingredient
// list (live records only), adds items to the shopping list copy, and writes it once at the end. Loading a
// table that is missing follows the data sources' rule (reported, then the program ends).
class ShoppingListAdder
{
public:
    // Loads both tables from the data folder.
    explicit ShoppingListAdder(const QString& dataFolder);

    // Counts of one run over several lines.
    struct Tally
    {
        int added = 0;
        int skipped = 0;
        // Lines left out because the list was full.
        int notAdded = 0;
        Tally& operator+=(const Tally& other);
        // Counts the outcome of one line.
        void count(ShopAddResult result);
    };

    // When set, every line refused because the list is full shows the limit message ("Maximum Number
    // Items"); otherwise adding shows nothing and the caller tells the outcome.
    void setTellLimitPerLine(bool tell) { m_tellLimitPerLine = tell; }

    // Adds one line as an item of its own (no merging with equal items): ingredient cut to 80 characters,
    // aisle from the master ingredient list, key from the aisle key and the ingredient, a new record
    // (RecordStatus::addNew).
    ShopAddResult add(const QString& quantity, const QString& units, const QString& ingredient, const QString& note);

    // Adds every line of item-line text in order, each with the note. Once the list is full the remaining
    // lines are counted as not added.
    Tally addItemLines(const QString& itemLineText, const QString& note);

    // Adds every ingredient line of the recipe a menu entry names. The menu key is replaced in place by its
    // recipe part (see MenuPlanner::recipePartOfKey). The recipe is looked up by its Key among the live
    // records of the recipe table, whatever filter the table's view has; the table's view and position are
    // not changed. Returns false after showing "Recipe (name) not found" when there is no such recipe.
    bool add_menu_to_shop(QString& menuKey, const QString& recipeName, const Recordset& recipes, Tally* tally);

    // Items on the list as the adding step counts them (records marked deleted do not count).
    int itemCount() const;
    bool isFull() const { return itemCount() >= ShoppingList::kLimit; }

    // Writes the shopping list file (every record, deleted ones included, in key order). Reports a failure
    // through ShowError and returns false.
    bool save() const;

    Recordset& shoppingList() { return m_shop->recordset(); }
    Recordset& ingredients() { return m_ingredients->recordset(); }

private:
    std::unique_ptr<DataSource> m_shop;
    std::unique_ptr<DataSource> m_ingredients;
    bool m_tellLimitPerLine = false;
};
