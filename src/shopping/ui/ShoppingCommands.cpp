#include "shopping/ui/ShoppingCommands.h"

#include "app/Main.h"
#include "app/RecipeWindow.h"
#include "base/ShowError.h"
#include "shell/AppState.h"
#include "shopping/MenuPlanner.h"
#include "shopping/ShoppingActions.h"
#include "shopping/ui/frmCalendar.h"
#include "shopping/ui/frmMenu.h"
#include "shopping/ui/frmShopList.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

namespace {

MenuDatePicker& datePicker()
{
    static MenuDatePicker picker;
    return picker;
}

QString cellText(const QTableWidget* grid, int row, int column)
{
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

QString recipeName(Main& main)
{
    return main.ui().txtName->text();
}

// The two members of the shopping button group: index 0 adds the current line, index 1 adds all lines.
void addToShoppingList(Main& main, bool all)
{
    QTableWidget* grid = main.ui().gridIngredients;
    if (grid->rowCount() == 0)
        return;
    const QString folder = AppState::instance().dataPath;
    if (all) {
        QVector<ItemLine> lines;
        for (int r = 0; r < grid->rowCount(); ++r)
            lines.append({ cellText(grid, r, 0), cellText(grid, r, 1), cellText(grid, r, 2) });
        ShoppingActions::addAllFromRecipe(folder, lines, recipeName(main), true);
    } else {
        const int row = grid->currentRow() < 0 ? 0 : grid->currentRow();
        ShoppingActions::addOneFromRecipe(folder, cellText(grid, row, 0), cellText(grid, row, 1),
                                          cellText(grid, row, 2), recipeName(main));
    }
}

void menuAdd(Main& main)
{
    if (main.ui().lstAll->count() == 0)
        return;
    auto& menu = AppState::instance().menu;
    if (!menu)
        return;
    try {
        const std::optional<QDate> date = datePicker() ? datePicker()(&main) : frmCalendar::pickDate(&main);
        if (!date)
            return;
        const QString key = main.recipeWindow() ? main.recipeWindow()->currentKey() : QString();
        MenuPlanner::addFromRecipeWindow(menu->recordset(), *date, key, recipeName(main));
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("adding to the Menu Planner"), QString(), e);
    }
}

void openMenuPlanner(Main& main)
{
    auto& menu = AppState::instance().menu;
    if (!menu)
        return;
    frmMenu window(menu->recordset(), AppState::instance().dataPath, main.recipeWindow(), &main);
    window.exec();
}

void openShoppingList(Main& main)
{
    frmShopList window(AppState::instance().dataPath, &main);
    window.exec();
}

template <typename Handler> void onClick(Main& main, QAbstractButton* button, Handler handler)
{
    QObject::connect(button, &QAbstractButton::clicked, &main, handler);
}

template <typename Handler> void onAction(Main& main, QAction* action, Handler handler)
{
    QObject::connect(action, &QAction::triggered, &main, handler);
}

} // namespace

void setMenuDatePicker(MenuDatePicker picker)
{
    datePicker() = std::move(picker);
}

void attachShopping(Main& main)
{
    Main* m = &main;
    onClick(main, main.ui().cmdShop_0, [m] { addToShoppingList(*m, false); });
    onClick(main, main.ui().cmdShop_1, [m] { addToShoppingList(*m, true); });
    onClick(main, main.ui().cmdMenuAdd, [m] { menuAdd(*m); });
    onClick(main, main.ui().cmdMenu, [m] { openMenuPlanner(*m); });
    onAction(main, main.ui().mnuViewMenu, [m] { openMenuPlanner(*m); });
    onClick(main, main.ui().cmdShopSL, [m] { openShoppingList(*m); });
    onAction(main, main.ui().mnuViewSL, [m] { openShoppingList(*m); });
}
