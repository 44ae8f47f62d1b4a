#pragma once

#include "recipes/RecipeRecord.h"

#include <QString>

#include <functional>
#include <optional>

class Recordset;

// The plain texts other programs take from this one: a recipe, the shopping list and the menu planner for the
// clipboard, and the shopping list file that SplashShopper imports. Texts use CR LF and TAB.
namespace PlainTextExports {

inline const QString WebAddress = QStringLiteral("www.zestoraplus.com");

// The recipe text (name, categories, serves, ingredients, instructions, nutrition of the record).
QString recipeText(const RecipeRecord& recipe);
QString recipeCopiedMessage(const QString& name);

// The shopping list text from the live records of a shopping list table, in ShopKey order. Leaves the table's
// filter, sort and position as they were.
QString shoppingListText(Recordset& shoppingList);
QString shoppingListCopiedMessage();

// The menu planner text from the table's current view in MenuKey order. Leaves the table's sort and position
// as they were.
QString menuPlannerText(Recordset& menu);
QString menuCopiedMessage();

// Turns a quantity text ("1 1/2", "1/2", "2") into its number; empty when it is not a quantity.
using QuantityReader = std::function<std::optional<double>(const QString&)>;

// The value of a quantity as SplashShopper gets it: ScaleQuantity with factor 1 in the decimal form, read as a
// number (0 for a text that is not a quantity); empty for an empty quantity.
std::optional<double> quantityNumber(const QString& qty);

// One SplashShopper line for a shopping list record's values.
QString splashShopperLine(const QString& qty, const QString& units, const QString& aisle, const QString& ingr,
                          const QString& note, const QuantityReader& value);
// The number as SplashShopper reads it: two decimals below 1, none when whole, else one.
QString splashShopperNumber(double v);
// The lines for every live record of the shopping list, in the table's order.
QString splashShopperText(Recordset& shoppingList, const QuantityReader& value);

// Writes text (Windows-1252) through a temporary file that replaces path only when complete. Returns the error
// text, or an empty text on success.
QString writeTextFile(const QString& path, const QString& text);

} // namespace PlainTextExports
