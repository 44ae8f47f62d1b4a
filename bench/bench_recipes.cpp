// Times the recipe window on a full data folder: the list rebuilt for a one-word name search, List All
// with the list widget filled, and saving a renamed recipe (the table work alone and the whole command with
// its list rebuild). Runs on the offscreen platform.
#include "BenchTiming.h"
#include "app/Main.h"
#include "recipes/RecipeKeyIndex.h"
#include "recipes/RecipeSave.h"
#include "recipes/RecipeTable.h"
#include "recipes/ui/RecipeController.h"
#include "shell/AppState.h"
#include "shell/Dialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>
#include <cstdio>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: zestora_bench_recipes DATADIR\n");
        return 1;
    }
    StderrDialogs dialogs;
    Dialogs::setBackend(&dialogs);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    AppState& state = AppState::instance();
    state.dataPath = folder + QLatin1Char('/');
    state.recipes = std::make_unique<DataSource1>(DataSource::tablePath(folder, TableDef::Recipes));
    state.prefs = std::make_unique<DataSourcePrefs2>(DataSource::tablePath(folder, TableDef::Preferences));
    const int runs = 5;

    Main main;
    main.LoadCombos();
    auto* rw = dynamic_cast<RecipeController*>(main.recipeWindow());
    auto* list = main.findChild<QListWidget*>(QStringLiteral("lstAll"));

    SearchCriteria chicken;
    chicken.name = QStringLiteral("chicken");
    int found = 0;
    const double searchMs = bestOf(runs, [&](int) {
        rw->setSearchCriteria(chicken);
        rw->ShowRecipes();
        found = list->count();
    });

    // The table part of List All alone: filter, sort and reading the names and keys.
    const double listCoreMs = bestOf(runs, [&](int) { listRecipes(state.recipes->recordset(), SearchCriteria()); });

    int listed = 0;
    const double listAllMs = bestOf(runs, [&](int) {
        rw->listAll();
        listed = list->count();
    });

    // The table work of a rename: old record deleted, key walk, new record. Set up as the window leaves the
    // table after showing a recipe: the list's view freshly built and the shown record found by its key.
    Recordset& rs = state.recipes->recordset();
    const QString filter = rw->recipeListFilter();
    RecipeKeyIndex keyIndex;
    double coreSaveMs = 1e100;
    for (int i = 0; i < runs; ++i) {
        rs.setFilter(filter);
        rs.setPosition(100 + i);
        RecipeSaveInput in;
        in.fields = RecipeFields::fromCurrent(rs);
        in.savedName = in.fields.name;
        in.fields.name = in.fields.name + QStringLiteral(" renamed");
        RecipeTable::findKey(rs, in.fields.key);
        keyIndex.sync(rs);
        QElapsedTimer t;
        t.start();
        saveRecipe(rs, in, filter, &keyIndex);
        coreSaveMs = std::min(coreSaveMs, t.nsecsElapsed() / 1e6);
    }

    // The whole Save command of the window, with the list rebuilt and the saved recipe selected.
    auto* name = main.findChild<QLineEdit*>(QStringLiteral("txtName"));
    auto* save = main.findChild<QPushButton*>(QStringLiteral("cmdNewSave"));
    const double windowSaveMs = bestOf(runs, [&](int i) {
        list->setCurrentRow(200 + i);
        name->setText(name->text() + QStringLiteral(" again"));
        save->click();
    });

    std::printf("recipes: %d records\n", rs.totalRecordCount());
    std::printf("%-40s %8.2f ms  (%d found; target 30 ms)\n", "ShowRecipes, name search \"chicken\"", searchMs, found);
    std::printf("%-40s %8.2f ms  (%d listed; target 50 ms)\n", "List All with the list widget", listAllMs, listed);
    std::printf("%-40s %8.2f ms\n", "  of which the table (filter, sort, read)", listCoreMs);
    std::printf("%-40s %8.2f ms  (target 5 ms)\n", "save a renamed recipe (table)", coreSaveMs);
    std::printf("%-40s %8.2f ms\n", "Save command with list rebuild", windowSaveMs);
    AppState::instance().reset();
    return 0;
}
