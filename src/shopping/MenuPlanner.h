#pragma once

#include <QDate>
#include <QString>

class Recordset;

// Menu planner keys and texts. A menu key is an eight-digit date (yyyyMMdd), for entries typed in the planner
// the meal, then "~" and the recipe part; sorting by key orders entries by date, meal and recipe.
namespace MenuPlanner {

// The most entries the planner window adds.
constexpr int kLimit = 10000;

// The eight-digit date text of a date.
QString dateText(const QDate& date);
// The date a key starts with; invalid when the key does not start with a valid eight-digit date.
QDate dateOfKey(const QString& key);

// Key of an entry typed in the planner: NormalizeForMatch(date + meal + "~" + recipe).
QString plannerKey(const QDate& date, const QString& meal, const QString& recipe);
// Key of an entry made with "Menu Add" on the recipe window: date + "~" + the recipe's stored key, as it is.
QString recipeWindowKey(const QDate& date, const QString& recipeKey);

// The recipe part of a key: the text after the first "~" found from the seventh character on; the whole key
// when there is none.
QString recipePartOfKey(const QString& key);

// The date column text of a key: month/day and the abbreviated weekday in the default locale ("12/25 Tue");
// a key that does not start with a valid date shows as it is.
QString dateColumnText(const QString& key);

// Appends the entry "Menu Add" makes on the recipe window: a new record with the recipe-window key, the
// recipe's name and an empty meal. Nothing is added when the recipe key is empty or the date invalid.
// Returns whether an entry was added.
bool addFromRecipeWindow(Recordset& menu, const QDate& date, const QString& recipeKey, const QString& recipeName);

} // namespace MenuPlanner
