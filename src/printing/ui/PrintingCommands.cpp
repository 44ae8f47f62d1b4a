#include "printing/ui/PrintingCommands.h"

#include "app/Main.h"
#include "app/RecipeWindow.h"
#include "base/ShowError.h"
#include "printing/ui/frmPrint.h"
#include "printing/ui/frmPrintOptions.h"
#include "shell/AppState.h"

#include <QAction>
#include <QListWidget>

namespace {

// Entries of the main window's recipe list.
int listedRecipes(Main& main)
{
    return main.ui().lstAll->count();
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

void connectAction(Main& main, QAction* action, std::function<void()> handler)
{
    QObject::connect(action, &QAction::triggered, &main, std::move(handler));
}

} // namespace

void attachPrinting(Main& main)
{
    connectAction(main, main.ui().mnuPrint, [&main] { printRecipes(main); });
    connectAction(main, main.ui().mnuPrintSL, [&main] { preview(main, PrintOptions::ShoppingList); });
    connectAction(main, main.ui().mnuMenuPrint, [&main] { preview(main, PrintOptions::Menu); });
}
