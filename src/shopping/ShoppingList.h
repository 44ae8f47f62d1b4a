#pragma once

#include <QString>
#include <QVector>

class Recordset;

// Shared rules of the shopping list: aisle keys, the item key that orders the list by aisle and the limit.
namespace ShoppingList {

// The most items the handheld's shopping list holds.
constexpr int kLimit = 10000;
// Longest ingredient text stored in an item.
constexpr int kIngredientLength = 80;

// Reads the leading number of a text: digits with at most one decimal point, blanks, tabs and line feeds
// skipped wherever they stand, stopping at any other character. A text without leading digits reads 0.
double readNumber(const QString& text);

// Aisle key used when lines are added from recipes: a positive aisle number rounded to a whole number with at
// least three digits ("3" -> "003", "7.5" -> "008", "12 Dairy" -> "012"); any other text stays as it is.
QString aisleKeyForAdding(const QString& aisleText);
// Aisle key used by the shopping list window: only a positive whole number is padded ("7" -> "007"); any
// other text, "7.5" included, stays as it is.
QString aisleKeyForWindow(const QString& aisleText);

// The item key: NormalizeForMatch of the aisle key followed by the ingredient ("003flour", "producelettuce").
QString ShopKey(const QString& aisleKey, const QString& ingredient);

// The aisle stored for an ingredient in the master ingredient list (first live record whose IngrKey equals
// the normalised ingredient), or empty. Moves the recordset.
QString lookupAisle(Recordset& ingredients, const QString& ingredient);

// The text of the limit message.
QString limitMessage();

// A text quoted for a filter or find expression: enclosed in single quotes, inner quotes doubled.
QString quoted(const QString& text);

} // namespace ShoppingList

// Outcome of adding one ingredient line.
enum class ShopAddResult {
    Added,
    // A line without quantity and units whose ingredient is empty or "OR" is not an item.
    Skipped,
    // The list already holds the maximum number of items.
    ListFull,
    // Loading or writing failed; already reported.
    Failed,
};

// Adds one ingredient line to the shopping list of the data folder at once: loads the shopping list and the
// master ingredient list from their files, adds the item (ingredient cut to 80 characters, aisle looked up
// by ingredient, note as given), and writes the shopping list file. A full list shows the limit message and
// adds nothing. Failures are reported through ShowError ("adding to the shopping list"). An empty data
// folder means the program's data folder (AppState).
ShopAddResult AddToShoppingList(const QString& quantity, const QString& units, const QString& ingredient,
                                const QString& note, const QString& dataFolder = QString());
