#include "masterlists/ui/MasterListCommands.h"

#include "app/Main.h"
#include "app/RecipeWindow.h"
#include "base/Dialogs.h"
#include "base/ShowError.h"
#include "masterlists/ItemLineList.h"
#include "masterlists/MasterIngredients.h"
#include "masterlists/MasterListKind.h"
#include "masterlists/ui/LineEditorWindow.h"
#include "masterlists/ui/MasterListWindow.h"
#include "shell/AppState.h"
#include "shell/LoadFailure.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QTableWidget>

namespace {

const QString kIngredients = QStringLiteral("Ingredients");
const QString kNutrition = QStringLiteral("Nutrition");

// Runs the source or rating list editor and refills the main window's pick lists, keeping what the
// recipe shows in the boxes.
void editPickList(Main& main, const QString& kind)
{
    openMasterList(&main, kind);
    QComboBox* source = main.ui().cboSource;
    QComboBox* rating = main.ui().cboRating;
    const QString sourceText = source->currentText();
    const QString ratingText = rating->currentText();
    main.LoadCombos();
    if (source->currentText() != sourceText)
        source->setEditText(sourceText);
    if (rating->currentText() != ratingText)
        rating->setEditText(ratingText);
}

void openLineEditor(Main& main, LineEditorWindow::Mode mode)
{
    RecipeWindow* recipe = main.recipeWindow();
    if (!recipe)
        return;
    const QString field = mode == LineEditorWindow::Mode::Ingredients ? kIngredients : kNutrition;
    QString text = recipe->fieldText(field);
    if (LineEditorWindow::run(mode, &main, &text))
        recipe->setFieldText(field, text);
}

QTableWidget* ingredientGrid(Main& main)
{
    return main.ui().gridIngredients;
}

// The grid row of a line: a grid that shows its captions in a first row has one row more than lines.
int headerRows(const QTableWidget* grid, int lineCount)
{
    return grid && grid->rowCount() == lineCount + 1 && grid->item(0, 0)
            && grid->item(0, 0)->text() == QLatin1String("Qty")
        ? 1
        : 0;
}

void selectLine(QTableWidget* grid, int line, int lineCount)
{
    if (!grid || line < 0 || line >= lineCount)
        return;
    const int row = line + headerRows(grid, lineCount);
    grid->setCurrentCell(row, 0);
    grid->selectRow(row);
}

// The line the ingredient grid's current row shows, or -1.
int currentLine(QTableWidget* grid, int lineCount)
{
    if (!grid)
        return -1;
    const int line = grid->currentRow() - headerRows(grid, lineCount);
    return line >= 0 && line < lineCount ? line : -1;
}

void deleteIngredientLine(Main& main)
{
    RecipeWindow* recipe = main.recipeWindow();
    if (!recipe)
        return;
    ItemLineList lines = ItemLineList::fromText(recipe->fieldText(kIngredients));
    QTableWidget* grid = ingredientGrid(main);
    const int line = lines.count() == 1 ? 0 : currentLine(grid, lines.count());
    if (!lines.remove(line))
        return;
    recipe->setFieldText(kIngredients, lines.toText());
    selectLine(grid, std::min(line, lines.count() - 1), lines.count());
}

void moveIngredientLine(Main& main, bool up)
{
    RecipeWindow* recipe = main.recipeWindow();
    if (!recipe)
        return;
    ItemLineList lines = ItemLineList::fromText(recipe->fieldText(kIngredients));
    QTableWidget* grid = ingredientGrid(main);
    const int line = currentLine(grid, lines.count());
    const int to = lines.move(line, up);
    if (to == line)
        return;
    recipe->setFieldText(kIngredients, lines.toText());
    selectLine(grid, to, lines.count());
}

void addAllToMasterIngredients(Main& main)
{
    RecipeWindow* recipe = main.recipeWindow();
    if (!recipe)
        return;
    const ItemLineList lines = ItemLineList::fromText(recipe->fieldText(kIngredients));
    if (lines.count() == 0)
        return;
    try {
        auto ingredients = DataSource::open(TableDef::Ingredients, AppState::instance().dataPath);
        Recordset& rs = ingredients->recordset();
        rs.setFilter(RecordStatus::LiveFilter);
        rs.setSort(QStringLiteral("IngrKey ASC")); // written in the list's order, as its editor writes it
        if (Dialogs::message(
                QStringLiteral("Add All Ingredients"),
                QStringLiteral("Do you want to add ALL of this recipe's ingredients to the master ingredient list?"),
                MsgButtons::YesNo)
            != MsgAnswer::Yes)
            return;
        QStringList items;
        for (const ItemLine& line : lines.lines())
            items << line.item;
        bool full = false;
        MasterIngredients::addAll(rs, items, &full);
        // What was added before the list filled up is kept and written like the rest.
        if (full) {
            const MasterListKind& kind = *MasterListKinds::find(QStringLiteral("ingr"));
            Dialogs::message(kind.limitTitle, kind.limitText());
        } else {
            Dialogs::message(QStringLiteral("Add Complete"),
                             QStringLiteral("Finished adding all items to the master ingredient list."));
        }
        ingredients->save();
    } catch (const TableLoadError& e) {
        LoadFailure::endProgram(e);
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("adding to the master ingredients list"), QString(), e);
    }
}

template <typename Fn> void onClick(Main& main, QPushButton* button, Fn fn)
{
    QObject::connect(button, &QPushButton::clicked, &main, fn);
}

} // namespace

void attachMasterLists(Main& main)
{
    const MainUi& ui = main.ui();
    const struct
    {
        QAction* action;
        const char* kind;
    } menus[] = {
        { ui.mnuEditMasterQty, "qty" },
        { ui.mnuEditMasterUnits, "units" },
        { ui.mnuEditMasterIngr, "ingr" },
        { ui.mnuEditNtrn, "ntrn" },
        { ui.mnuCat, "cat" },
        { ui.mnuEditSource, "source" },
        { ui.mnuEditRating, "rating" },
        { ui.mnuEditAisle, "aisle" },
        { ui.mnuEditMeal, "meal" },
    };
    for (const auto& menu : menus) {
        const QString kind = QLatin1String(menu.kind);
        const bool pickList = kind == QLatin1String("source") || kind == QLatin1String("rating");
        QObject::connect(menu.action, &QAction::triggered, &main, [&main, kind, pickList] {
            if (pickList)
                editPickList(main, kind);
            else
                openMasterList(&main, kind);
        });
    }
    Main* m = &main;
    onClick(main, ui.cmdEditSource, [m] { editPickList(*m, QStringLiteral("source")); });
    onClick(main, ui.cmdEditRating, [m] { editPickList(*m, QStringLiteral("rating")); });
    onClick(main, ui.cmdIngrEdit, [m] { openLineEditor(*m, LineEditorWindow::Mode::Ingredients); });
    onClick(main, ui.cmdNtrnEdit, [m] { openLineEditor(*m, LineEditorWindow::Mode::Nutrition); });
    onClick(main, ui.cmdIngrDelete, [m] { deleteIngredientLine(*m); });
    onClick(main, ui.cmdIngrScroll_0, [m] { moveIngredientLine(*m, true); });
    onClick(main, ui.cmdIngrScroll_1, [m] { moveIngredientLine(*m, false); });
    onClick(main, ui.cmdIngrList, [m] { addAllToMasterIngredients(*m); });
    QObject::connect(ui.gridIngredients, &QTableWidget::cellDoubleClicked, &main,
                     [m] { openLineEditor(*m, LineEditorWindow::Mode::Ingredients); });
    QObject::connect(ui.gridNutrition, &QTableWidget::cellDoubleClicked, &main,
                     [m] { openLineEditor(*m, LineEditorWindow::Mode::Nutrition); });
}
