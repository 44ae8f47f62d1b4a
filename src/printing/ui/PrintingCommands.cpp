#include "printing/ui/PrintingCommands.h"

#include "app/Main.h"
#include "app/RecipeWindow.h"
#include "base/ShowError.h"
#include "printing/ui/frmPrint.h"
#include "printing/ui/frmPrintOptions.h"
#include "shell/AppState.h"

#include <QAbstractItemView>
#include <QAction>

namespace {

// Rows of the main window's recipe list; the held table's view when the list is not there.
int listedRecipes(Main& main)
{
    if (auto* list = main.findChild<QAbstractItemView*>(QStringLiteral("lstAll")); list && list->model())
        return list->model()->rowCount();
    const auto& recipes = AppState::instance().recipes;
    return recipes ? recipes->recordset().recordCount() : 0;
}

void printRecipes(Main& main)
{
    if (listedRecipes(main) == 0)
        return;
    try {
        frmPrintOptions options(main.recipeWindow(), &main);
        options.exec();
        if (RecipeWindow* window = main.recipeWindow())
            window->refreshList();
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("printing"), QString(), e);
    }
}

void preview(Main& main, PrintOptions::Kind kind)
{
    PrintOptions options;
    options.kind = kind;
    try {
        openPrintPreview(options, &main);
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("building the print document"), QString(), e);
    }
}

void connectAction(Main& main, const char* name, std::function<void()> handler)
{
    if (auto* action = main.findChild<QAction*>(QLatin1String(name)))
        QObject::connect(action, &QAction::triggered, &main, std::move(handler));
}

} // namespace

void attachPrinting(Main& main)
{
    connectAction(main, "mnuPrint", [&main] { printRecipes(main); });
    connectAction(main, "mnuPrintSL", [&main] { preview(main, PrintOptions::ShoppingList); });
    connectAction(main, "mnuMenuPrint", [&main] { preview(main, PrintOptions::Menu); });
}
