#include "interchange/ui/InterchangeCommands.h"

#include "app/Main.h"
#include "app/RecipeWindow.h"
#include "base/Dialogs.h"
#include "base/Platform.h"
#include "base/ShowError.h"
#include "interchange/PlainTextExports.h"
#include "interchange/ui/ExportWindow.h"
#include "interchange/ui/ImportWindow.h"
#include "shell/AppState.h"
#include "shell/Settings.h"
#include "storage/DataSource.h"

#include <QAction>
#include <QListWidget>

void attachInterchange(Main& main)
{
    new InterchangeCommands(main);
}

InterchangeCommands::InterchangeCommands(Main& main)
    : QObject(&main)
    , m_main(main)
{
    setObjectName(QStringLiteral("InterchangeCommands"));
    const MainUi& ui = main.ui();
    const std::pair<QAction*, void (InterchangeCommands::*)()> actions[] = {
        { ui.mnuImport, &InterchangeCommands::importRecipes },
        { ui.mnuExport, &InterchangeCommands::exportRecipes },
        { ui.mnuCopy, &InterchangeCommands::copyRecipe },
        { ui.mnuCopySL, &InterchangeCommands::copyShoppingList },
        { ui.mnuMenuCopy, &InterchangeCommands::copyMenuPlanner },
        { ui.mnuSplashShopper, &InterchangeCommands::exportSplashShopper },
    };
    for (const auto& [action, slot] : actions)
        connect(action, &QAction::triggered, this, slot);
}

void InterchangeCommands::importFile(const QString& file)
{
    AppState& state = AppState::instance();
    if (!state.recipes)
        return;
    try {
        ImportWindow window(state.recipes->recordset(), state.dataPath, &m_main);
        if (!file.isEmpty())
            window.setFile(file);
        window.exec();
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("importing data"), QString(), e);
    }
    if (RecipeWindow* rw = m_main.recipeWindow())
        rw->refreshList();
}

void InterchangeCommands::exportRecipes()
{
    AppState& state = AppState::instance();
    RecipeWindow* rw = m_main.recipeWindow();
    const QStringList keys = rw ? rw->selectedKeys() : QStringList();
    if (keys.isEmpty() || !state.recipes) {
        Dialogs::message(QStringLiteral("Unable to Export"),
                         QStringLiteral("No recipes were selected.  Please select one or more recipes to export."));
        return;
    }
    const QStringList names = rw->selectedNames();
    const QString remembered = names.isEmpty() ? QString() : names.first();
    try {
        ExportWindow window(state.recipes->recordset(), keys, &m_main);
        window.exec();
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("exporting data"), QString(), e);
    }
    if (rw->isEditing())
        rw->cancelEdit();
    if (!remembered.isEmpty())
        rw->showRecipeByName(remembered);
}

void InterchangeCommands::copyRecipe()
{
    RecipeWindow* rw = m_main.recipeWindow();
    if (!rw || m_main.ui().lstAll->count() == 0)
        return;
    try {
        RecipeRecord r;
        r.name = rw->fieldText(QStringLiteral("Name"));
        r.category = rw->fieldText(QStringLiteral("Category"));
        r.serves = rw->fieldText(QStringLiteral("Serves"));
        r.ingredients = rw->fieldText(QStringLiteral("Ingredients"));
        r.instructions = rw->fieldText(QStringLiteral("Instructions"));
        r.nutrition = rw->fieldText(QStringLiteral("Nutrition"));
        Platform::setClipboardText(PlainTextExports::recipeText(r));
        Dialogs::message(QStringLiteral("Copy Complete"), PlainTextExports::recipeCopiedMessage(r.name));
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("copying a recipe to the clipboard"), QString(), e);
    }
}

void InterchangeCommands::copyShoppingList()
{
    try {
        const auto shop = DataSource::open(TableDef::ShoppingList, AppState::instance().dataPath);
        Platform::setClipboardText(PlainTextExports::shoppingListText(shop->recordset()));
        Dialogs::message(QStringLiteral("Copy Complete"), PlainTextExports::shoppingListCopiedMessage());
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("copying the shopping list to the clipboard"), QString(), e);
    }
}

void InterchangeCommands::copyMenuPlanner()
{
    AppState& state = AppState::instance();
    if (!state.menu)
        return;
    try {
        Platform::setClipboardText(PlainTextExports::menuPlannerText(state.menu->recordset()));
        Dialogs::message(QStringLiteral("Copy Complete"), PlainTextExports::menuCopiedMessage());
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("copying the menu planner to the clipboard"), QString(), e);
    }
}

void InterchangeCommands::exportSplashShopper()
{
    const QString path
        = Dialogs::saveFile(QStringLiteral("Select Export File"), QStringLiteral("Text Files(*.txt);;All Files (*.*)"));
    if (path.isEmpty())
        return;
    if (FileExists(path)
        && Dialogs::message(QStringLiteral("File Exists"),
                            QStringLiteral("The filename already exists.  Would you like to overwrite the current "
                                           "file?"),
                            MsgButtons::YesNo, MsgIcon::Question)
            != MsgAnswer::Yes)
        return;
    try {
        const auto shop = DataSource::open(TableDef::ShoppingList, AppState::instance().dataPath);
        const QString text = PlainTextExports::splashShopperText(shop->recordset(), PlainTextExports::quantityNumber);
        const QString error = PlainTextExports::writeTextFile(path, text);
        if (!error.isEmpty()) {
            ShowError(QStringLiteral("exporting shopping list"), error, AppError::of(AppError::PathFileAccessError));
            return;
        }
        Dialogs::message(QStringLiteral("Export"),
                         QStringLiteral("Export Complete. Please start SplashShopper and select the exported file as "
                                        "your import file."),
                         MsgButtons::Ok, MsgIcon::Information);
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("exporting shopping list"), QString(), e);
    }
}
