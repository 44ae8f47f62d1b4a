#pragma once

#include "recipes/RecipeEncodings.h"
#include "shopping/ShoppingListAdder.h"

#include <QString>
#include <QVector>

class MenuPlannerModel;
class Recordset;

// The add-to-shopping-list commands of the recipe window and the menu planner, with their questions and
// messages (through Dialogs). Each loads the shopping list and the master ingredient list afresh, adds, and
// writes the shopping list file once; failures are reported through ShowError ("adding to the shopping list").
namespace ShoppingActions {

// Add-one on the recipe window: adds the line with the recipe name as note, then says "Item added to the
// shopping list." when the preference confirm_1SL is exactly "1" (also when the line was not an item).
void addOneFromRecipe(const QString& dataFolder, const QString& quantity, const QString& units,
                      const QString& ingredient, const QString& recipeName);

// Add-all on the recipe window: asks first when ask is set (No adds and writes nothing), adds every line,
// writes the file and says it is finished. When the list fills up, the lines added so far are still written
// and, instead of the finished message, the limit message tells how many lines were left out. Returns the tally (empty
// when declined or failed).
ShoppingListAdder::Tally addAllFromRecipe(const QString& dataFolder, const QVector<ItemLine>& lines,
                                          const QString& recipeName, bool ask);

// The planner's shopping buttons: all rows, or the selected one. Asks first; says "Please select a recipe."
// when the planner is empty; shows the limit message for every line past the limit; writes the file and
// says "Finished adding ingredients.".
ShoppingListAdder::Tally addFromPlanner(const QString& dataFolder, const MenuPlannerModel& planner,
                                        const Recordset& recipes, bool all);

// The note shown when the list filled up during a run: the limit message and the number of lines left out.
QString limitReachedText(int notAdded);

} // namespace ShoppingActions
