#pragma once

#include <QString>

// Turns free-text ingredient lines (CR LF separated, as PocketRecipes, Cookbook Wizard and CSV files hold them)
// into the item-line encoding «qty|units|item~». The one place where the readers meet the unit-aware parser.
QString convertFreeTextIngredients(const QString& text);
