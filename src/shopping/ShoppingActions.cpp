#include "shopping/ShoppingActions.h"

#include "base/Dialogs.h"
#include "base/Platform.h"
#include "base/ShowError.h"
#include "shell/AppState.h"
#include "shell/LoadFailure.h"
#include "shopping/MenuPlannerModel.h"
#include "shopping/ShoppingList.h"

namespace ShoppingActions {

namespace {
    const QString kAction = QStringLiteral("adding to the shopping list");
    const QString kAddComplete = QStringLiteral("Add Complete");

    void tellLimit(int notAdded)
    {
        Dialogs::message(QStringLiteral("Maximum Number Items"), limitReachedText(notAdded));
    }
} // namespace

QString limitReachedText(int notAdded)
{
    return ShoppingList::limitMessage() + CRLF + CRLF
        + (notAdded == 1 ? QStringLiteral("1 ingredient line was not added.")
                         : QStringLiteral("%1 ingredient lines were not added.").arg(notAdded));
}

void addOneFromRecipe(const QString& dataFolder, const QString& quantity, const QString& units,
                      const QString& ingredient, const QString& recipeName)
{
    const ShopAddResult result = AddToShoppingList(quantity, units, ingredient, recipeName, dataFolder);
    if (result == ShopAddResult::Failed || result == ShopAddResult::ListFull)
        return;
    if (AppState::instance().preference(QStringLiteral("confirm_1SL")) == QLatin1String("1"))
        Dialogs::message(kAddComplete, QStringLiteral("Item added to the shopping list."));
}

ShoppingListAdder::Tally addAllFromRecipe(const QString& dataFolder, const QVector<ItemLine>& lines,
                                          const QString& recipeName, bool ask)
{
    if (ask
        && Dialogs::message(QStringLiteral("Add All Ingredients"),
                            QStringLiteral("Do you want to add ALL of this recipe's ingredients to the shopping list?"),
                            MsgButtons::YesNo)
            != MsgAnswer::Yes)
        return {};
    try {
        BusyPointer busy;
        ShoppingListAdder adder(dataFolder);
        ShoppingListAdder::Tally tally;
        for (const ItemLine& line : lines) {
            tally.count(adder.add(line.quantity, line.units, line.item, recipeName));
            Platform::processEvents();
        }
        if (!adder.save())
            return {};
        // A full list is not "finished adding all items": the limit note alone tells what happened.
        if (tally.notAdded > 0)
            tellLimit(tally.notAdded);
        else
            Dialogs::message(kAddComplete, QStringLiteral("Finished adding all items to the shopping list."));
        return tally;
    } catch (const TableLoadError& e) {
        LoadFailure::endProgram(e);
        return {};
    } catch (const std::exception& e) {
        ShowError(kAction, QString(), e);
        return {};
    }
}

ShoppingListAdder::Tally addFromPlanner(const QString& dataFolder, const MenuPlannerModel& planner,
                                        const Recordset& recipes, bool all)
{
    QVector<int> rows;
    if (all) {
        if (Dialogs::message(QStringLiteral("Add All Ingredients"),
                             QStringLiteral("Do you want to add ALL of the recipes' ingredients to the shopping list?"),
                             MsgButtons::YesNo)
            != MsgAnswer::Yes)
            return {};
        for (int i = 0; i < planner.rows().size(); ++i)
            rows << i;
    } else {
        if (planner.selectedRow() < 0) {
            Dialogs::message(QStringLiteral("No Selection"), QStringLiteral("Please select a recipe."));
            return {};
        }
        if (Dialogs::message(QStringLiteral("Add Ingredients"),
                             QStringLiteral("Do you want the selected recipe's ingredients to the shopping list?"),
                             MsgButtons::YesNo)
            != MsgAnswer::Yes)
            return {};
        rows << planner.selectedRow();
    }
    try {
        BusyPointer busy;
        ShoppingListAdder adder(dataFolder);
        // The planner tells the limit for every line past it, as the lines come.
        adder.setTellLimitPerLine(true);
        const ShoppingListAdder::Tally tally = planner.addRowsToShoppingList(adder, recipes, rows);
        if (!adder.save())
            return {};
        Dialogs::message(kAddComplete, QStringLiteral("Finished adding ingredients."));
        return tally;
    } catch (const TableLoadError& e) {
        LoadFailure::endProgram(e);
        return {};
    } catch (const std::exception& e) {
        ShowError(kAction, QString(), e);
        return {};
    }
}

} // namespace ShoppingActions
