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

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QListWidget>
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
    if (const auto* box = main.findChild<QLineEdit*>(QStringLiteral("txtName")))
        return box->text();
    return main.recipeWindow() ? main.recipeWindow()->currentName() : QString();
}

// The two members of the shopping button group: index 0 adds the current line, index 1 adds all lines.
void addToShoppingList(Main& main, bool all)
{
    auto* grid = main.findChild<QTableWidget*>(QStringLiteral("gridIngredients"));
    if (!grid || grid->rowCount() == 0)
        return;
    const QString folder = AppState::instance().dataPath;
    if (all) {
        QVector<ShoppingList::ItemLine> lines;
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
    const auto* list = main.findChild<QListWidget*>(QStringLiteral("lstAll"));
    if (list && list->count() == 0)
        return;
    auto& menu = AppState::instance().menu;
    if (!menu)
        return;
    try {
        const std::optional<QDate> date = datePicker() ? datePicker()(&main) : frmCalendar::pickDate(&main);
        if (!date)
            return;
        QString key;
        if (main.recipeWindow())
            key = main.recipeWindow()->currentKey();
        else if (const auto* box = main.findChild<QLineEdit*>(QStringLiteral("txtKey")))
            key = box->text();
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

template <typename Handler> void onClick(Main& main, const char* name, Handler handler)
{
    if (auto* button = main.findChild<QAbstractButton*>(QLatin1String(name)))
        QObject::connect(button, &QAbstractButton::clicked, &main, handler);
}

template <typename Handler> void onAction(Main& main, const char* name, Handler handler)
{
    if (auto* action = main.findChild<QAction*>(QLatin1String(name)))
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
    onClick(main, "cmdShop_0", [m] { addToShoppingList(*m, false); });
    onClick(main, "cmdShop_1", [m] { addToShoppingList(*m, true); });
    onClick(main, "cmdMenuAdd", [m] { menuAdd(*m); });
    onClick(main, "cmdMenu", [m] { openMenuPlanner(*m); });
    onAction(main, "mnuViewMenu", [m] { openMenuPlanner(*m); });
    onClick(main, "cmdShopSL", [m] { openShoppingList(*m); });
    onAction(main, "mnuViewSL", [m] { openShoppingList(*m); });
}
