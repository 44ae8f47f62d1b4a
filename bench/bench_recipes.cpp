// Times the recipe window on a full data folder: start-up to the filled recipe list, the list rebuilt for a
// one-word name search, List All with the list widget filled, saving an edited (renamed) recipe (the table
// work alone and the whole command with its list rebuild), and the master list import window fed 10,000
// lines. Each figure is the median of 5 runs. Runs on the offscreen platform.
//
// usage: zestora_bench_recipes DATADIR [--import-runs N]
#include "BenchTiming.h"
#include "app/Main.h"
#include "base/Dialogs.h"
#include "masterlists/MasterListKind.h"
#include "masterlists/ui/ImportMasterWindow.h"
#include "masterlists/ui/MasterListWindow.h"
#include "recipes/RecipeKeyIndex.h"
#include "recipes/RecipeSave.h"
#include "recipes/RecipeTable.h"
#include "recipes/ui/RecipeController.h"
#include "shell/AppState.h"
#include "shell/ui/QtPlatform.h"
#include "storage/TableFile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

// Answers every message box with OK and counts them; the open-file dialog returns a fixed path.
class BenchDialogs : public DialogBackend
{
public:
    MsgAnswer message(const QString& title, const QString& text, MsgButtons, MsgIcon) override
    {
        if (++messages <= 3)
            std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
        return MsgAnswer::Ok;
    }
    QString openFile(const QString&, const QString&, const QString&) override { return file; }
    QString saveFile(const QString&, const QString&, const QString&) override { return QString(); }
    QString chooseFolder(const QString&, const QString&) override { return QString(); }
    QString file;
    int messages = 0;
};

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int importRuns = 5;
    const int importAt = static_cast<int>(args.indexOf(QStringLiteral("--import-runs")));
    if (importAt >= 0 && importAt + 1 < args.size()) {
        importRuns = args.at(importAt + 1).toInt();
        args.remove(importAt, 2);
    }
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: zestora_bench_recipes DATADIR [--import-runs N]\n");
        return 1;
    }
    BenchDialogs dialogs;
    Dialogs::setBackend(&dialogs);
    QtPlatform platform;
    Platform::setBackend(&platform);
    const QString folder = QDir(args.first()).absolutePath();
    const int runs = 5;
    QTemporaryDir programFolder;
    {
        QFile ini(programFolder.filePath(QStringLiteral("zestoraplus.ini")));
        ini.open(QIODevice::WriteOnly);
        ini.write("[Main]\r\nDataPath=" + folder.toLocal8Bit() + "\r\n");
    }

    // The program's start-up sequence up to the filled recipe list (without the splash window).
    int startListed = 0;
    const double startMs = medianOf(runs, [&] {
        AppState::instance().reset();
        Main main;
        Main::StartupOptions options;
        options.showSplash = false;
        if (!main.startUp(programFolder.path(), options))
            qFatal("start-up failed");
        startListed = main.findChild<QListWidget*>(QStringLiteral("lstAll"))->count();
    });

    AppState& state = AppState::instance();
    state.reset();
    state.dataPath = folder + QLatin1Char('/');
    state.recipes = std::make_unique<DataSource1>(DataSource::tablePath(folder, TableDef::Recipes));
    state.prefs = std::make_unique<DataSourcePrefs2>(DataSource::tablePath(folder, TableDef::Preferences));

    Main main;
    main.LoadCombos();
    auto* rw = dynamic_cast<RecipeController*>(main.recipeWindow());
    auto* list = main.findChild<QListWidget*>(QStringLiteral("lstAll"));

    SearchCriteria chicken;
    chicken.name = QStringLiteral("chicken");
    int found = 0;
    const double searchMs = medianOf(runs, [&](int) {
        rw->setSearchCriteria(chicken);
        rw->ShowRecipes();
        found = list->count();
    });

    // The table part of List All alone: filter, sort and reading the names and keys.
    const double listCoreMs = medianOf(runs, [&](int) { listRecipes(state.recipes->recordset(), SearchCriteria()); });

    int listed = 0;
    const double listAllMs = medianOf(runs, [&](int) {
        rw->listAll();
        listed = list->count();
    });

    // The table work of a rename: old record deleted, key walk, new record. Set up as the window leaves the
    // table after showing a recipe: the list's view freshly built and the shown record found by its key.
    Recordset& rs = state.recipes->recordset();
    const QString filter = rw->recipeListFilter();
    RecipeKeyIndex keyIndex;
    std::vector<double> coreSave;
    for (int i = 0; i < runs; ++i) {
        rs.setFilter(filter);
        rs.setPosition(100 + i);
        RecipeSaveInput in;
        in.fields = RecipeRecord::fromCurrent(rs);
        in.savedName = in.fields.name;
        in.fields.name = in.fields.name + QStringLiteral(" renamed");
        RecipeTable::findKey(rs, in.fields.key);
        keyIndex.sync(rs);
        QElapsedTimer t;
        t.start();
        saveRecipe(rs, in, filter, &keyIndex);
        coreSave.push_back(t.nsecsElapsed() / 1e6);
    }

    // The whole Save command of the window, with the list rebuilt and the saved recipe selected.
    rw->listAll();
    auto* name = main.findChild<QLineEdit*>(QStringLiteral("txtName"));
    auto* save = main.findChild<QPushButton*>(QStringLiteral("cmdNewSave"));
    const double windowSaveMs = medianOf(runs, [&](int i) {
        list->setCurrentRow(200 + i);
        name->setText(name->text() + QStringLiteral(" again"));
        save->click();
    });

    // The import window fed 10,000 ingredient lines into an empty ingredient list, as a person runs it: the
    // master list window open, Select File, Import (the last line is past the list's limit).
    QTemporaryDir importFolder;
    dialogs.file = importFolder.filePath(QStringLiteral("ingredients.txt"));
    {
        QByteArray text;
        for (int i = 0; i < 10000; ++i)
            text += "ingredient " + QByteArray::number((i * 7919) % 100003) + "," + QByteArray::number(i % 40) + "\r\n";
        QFile f(dialogs.file);
        f.open(QIODevice::WriteOnly);
        f.write(text);
    }
    for (const QString& table : QDir(folder).entryList({ QStringLiteral("*.cdb") }))
        QFile::copy(QDir(folder).filePath(table), importFolder.filePath(table));
    int imported = 0;
    const double importMs = medianOf(importRuns, [&] {
        QFile empty(DataSource::tablePath(importFolder.path(), TableDef::Ingredients));
        empty.open(QIODevice::WriteOnly | QIODevice::Truncate);
        const int fields = TableCatalogue::table(TableDef::Ingredients).ownFieldCount();
        empty.write(TableFile::headerFromNothing(0, fields).toLatin1() + "\r\n");
        empty.close();
        state.dataPath = importFolder.path() + QLatin1Char('/');
        MasterListWindow editor(*MasterListKinds::find(QStringLiteral("ingr")));
        ImportMasterWindow import(&editor);
        import.findChild<QPushButton*>(QStringLiteral("cmdSelect"))->click();
        import.findChild<QPushButton*>(QStringLiteral("cmdImport"))->click();
        imported = editor.editor().count();
    });

    std::printf("recipes: %d records; median of %d runs\n", rs.totalRecordCount(), runs);
    std::printf("%-42s %8.2f ms  (%d listed; target 1500 ms)\n", "start-up to the filled recipe list", startMs,
                startListed);
    std::printf("%-42s %8.2f ms  (%d found; target 50 ms)\n", "ShowRecipes, name search \"chicken\"", searchMs, found);
    std::printf("%-42s %8.2f ms  (%d listed; target 50 ms)\n", "List All with the list widget", listAllMs, listed);
    std::printf("%-42s %8.2f ms\n", "  of which the table (filter, sort, read)", listCoreMs);
    std::printf("%-42s %8.2f ms  (target 5 ms)\n", "save a renamed recipe (table)", median(coreSave));
    std::printf("%-42s %8.2f ms  (target 50 ms)\n", "Save command with list rebuild", windowSaveMs);
    std::printf("%-42s %8.2f ms  (%d entries; target 1000 ms)\n", "import window, 10,000 ingredient lines", importMs,
                imported);
    Platform::setBackend(nullptr);
    Dialogs::setBackend(nullptr);
    AppState::instance().reset();
    return 0;
}
