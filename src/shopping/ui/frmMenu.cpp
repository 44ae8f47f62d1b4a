#include "shopping/ui/frmMenu.h"

#include "app/RecipeWindow.h"
#include "base/Dialogs.h"
#include "base/ShowError.h"
#include "masterlists/ui/MasterListWindow.h"
#include "shell/AppState.h"
#include "shell/ui/WidgetHelpers.h"
#include "shopping/MenuPlanner.h"
#include "shopping/ShoppingActions.h"
#include "shopping/ShoppingListModel.h"
#include "shopping/ui/ListWindowHelpers.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace ListWindowHelpers;

namespace {
QLabel* label(QWidget* parent, const char* name, const QString& text, QWidget* buddy)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setBuddy(buddy);
    return l;
}

} // namespace

frmMenu::frmMenu(Recordset& menu, const QString& dataFolder, RecipeWindow* recipes, QWidget* parent)
    : QDialog(parent)
    , m_model(menu)
    , m_dataFolder(dataFolder)
    , m_recipes(recipes)
{
    setObjectName(QStringLiteral("frmMenu"));
    setWindowTitle(QStringLiteral("Menu Planner"));
    buildControls();
    loadMeals();
    LoadGrid();
    if (m_model.selectedRow() >= 0)
        selectGridRow(m_model.selectedRow(), 2);
    showHeld();
    m_item->setFocus();
}

frmMenu::~frmMenu() = default;

void frmMenu::buildControls()
{
    m_date = new QDateEdit(QDate::currentDate(), this);
    m_date->setObjectName(QStringLiteral("dtMenu"));
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(QStringLiteral("ddd, MMM d, yyyy"));
    m_item = new QLineEdit(this);
    m_item->setObjectName(QStringLiteral("txtItem"));
    m_item->setMaxLength(RecipeLength);
    m_meal = new QComboBox(this);
    m_meal->setObjectName(QStringLiteral("cboMeal"));
    limitAndTypeAhead(m_meal, MealLength);
    connect(m_item, &QLineEdit::returnPressed, this, &frmMenu::cmdAddUpdate_Click);

    m_id = WidgetHelpers::heldBox(this, "txtID");
    m_status = WidgetHelpers::heldBox(this, "txtStatus");
    m_key = WidgetHelpers::heldBox(this, "txtKey");

    m_addUpdate = button(this, "cmdAddUpdate", QStringLiteral("&Add"), QStringLiteral("Add or Update Item"));
    auto* reset = button(this, "cmdReset", QStringLiteral("&Reset"), QStringLiteral("Clear Fields"));
    auto* editMeals
        = button(this, "cmdEditMealList", QStringLiteral("Edit List..."), QStringLiteral("Edit Master List of Meals"));
    auto* edit = button(this, "cmdEdit", QStringLiteral("&Edit"), QStringLiteral("Edit Selected Item"));
    auto* del = button(this, "cmdDelete", QStringLiteral("&Delete"), QStringLiteral("Delete Selected Item"));
    auto* clear = button(this, "cmdClearSL", QStringLiteral("&Clear Menu"), QStringLiteral("Clear Entire Menu"));
    auto* view = button(this, "cmdView", QStringLiteral("&View"), QStringLiteral("View Selected Item"));
    auto* ok = button(this, "cmdSave", QStringLiteral("&OK"), QStringLiteral("Finished with Menu Planner"));
    auto* shopOne = button(this, "cmdMenuShop_0", QString(), QStringLiteral("Add ingredient to shopping list"));
    auto* shopAll = button(this, "cmdMenuShop_1", QString(), QStringLiteral("Add ALL ingredients to shopping list"));
    shopOne->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    shopAll->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    shopOne->setText(QStringLiteral("Shop"));
    shopAll->setText(QStringLiteral("Shop All"));

    connect(m_addUpdate, &QPushButton::clicked, this, &frmMenu::cmdAddUpdate_Click);
    connect(reset, &QPushButton::clicked, this, &frmMenu::cmdReset_Click);
    connect(editMeals, &QPushButton::clicked, this, [this] {
        openMasterList(this, QStringLiteral("meal"));
        loadMeals();
    });
    connect(edit, &QPushButton::clicked, this, &frmMenu::cmdEdit_Click);
    connect(del, &QPushButton::clicked, this, &frmMenu::cmdDelete_Click);
    connect(clear, &QPushButton::clicked, this, &frmMenu::cmdClearSL_Click);
    connect(view, &QPushButton::clicked, this, &frmMenu::cmdView_Click);
    // Showing another recipe would drop the edit in progress on the recipe window.
    view->setEnabled(!m_recipes || !m_recipes->isEditing());
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(shopOne, &QPushButton::clicked, this, [this] { cmdMenuShop_Click(0); });
    connect(shopAll, &QPushButton::clicked, this, [this] { cmdMenuShop_Click(1); });

    m_grid = grid(this, "gridMenu",
                  { QStringLiteral("Date"), QStringLiteral("Recipe"), QStringLiteral("Meal"), QStringLiteral("Key") });
    m_grid->setColumnWidth(0, WidgetHelpers::fromTwips(1000));
    m_grid->setColumnWidth(1, WidgetHelpers::fromTwips(3350));
    m_grid->setColumnWidth(2, WidgetHelpers::fromTwips(5000));
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this] { cmdEdit_Click(); });
    connect(m_grid, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous, int) {
        if (row != previous && row >= 0 && m_model.select(row))
            showHeld();
    });
    connect(m_grid, &QTableWidget::cellClicked, this, [this](int row, int) {
        if (m_model.select(row))
            showHeld();
    });

    auto* boxes = new QGridLayout;
    boxes->addWidget(label(this, "Label2", QStringLiteral("Date:"), m_date), 0, 0);
    boxes->addWidget(m_date, 0, 1);
    boxes->addWidget(label(this, "Label4", QStringLiteral("Meal:"), m_meal), 0, 2);
    boxes->addWidget(m_meal, 0, 3);
    boxes->addWidget(editMeals, 0, 4);
    boxes->addWidget(label(this, "Label3", QStringLiteral("Recipe:"), m_item), 1, 0);
    boxes->addWidget(m_item, 1, 1, 1, 5);
    boxes->setColumnStretch(5, 1);
    m_date->setMinimumWidth(170);
    m_meal->setMinimumWidth(130);

    auto* addRow = new QHBoxLayout;
    addRow->addStretch();
    addRow->addWidget(m_addUpdate);
    addRow->addWidget(reset);

    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(edit);
    listButtons->addWidget(del);
    listButtons->addWidget(clear);
    listButtons->addWidget(view);
    listButtons->addSpacing(12);
    listButtons->addWidget(shopOne);
    listButtons->addWidget(shopAll);
    listButtons->addStretch();
    listButtons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addLayout(addRow);
    layout->addWidget(label(this, "Label1", QStringLiteral("Menu:"), m_grid));
    layout->addWidget(m_grid, 1);
    layout->addLayout(listButtons);
    resize(720, 480);
}

void frmMenu::loadMeals()
{
    const QString text = m_meal->currentText();
    const QSignalBlocker block(m_meal);
    m_meal->clear();
    m_meal->addItem(QString());
    m_meal->addItems(ShoppingListModel::pickList(m_dataFolder, QStringLiteral("meal")));
    m_meal->setEditText(text);
}

void frmMenu::LoadGrid()
{
    const QSignalBlocker block(m_grid);
    const auto& rows = m_model.rows();
    m_grid->setRowCount(0);
    m_grid->setRowCount(rows.size());
    for (int r = 0; r < rows.size(); ++r) {
        const auto& row = rows.at(r);
        const QString cells[] = { row.date, row.recipe, row.meal, row.key };
        for (int c = 0; c < 4; ++c)
            m_grid->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
}

void frmMenu::selectGridRow(int row, int lastColumn)
{
    WidgetHelpers::selectRow(m_grid, row, lastColumn);
}

void frmMenu::showHeld()
{
    m_id->setText(m_model.held().id);
    m_status->setText(m_model.held().status);
    m_key->setText(m_model.held().key);
}

void frmMenu::cmdAddUpdate_Click()
{
    if (m_item->text().isEmpty())
        return;
    try {
        const auto result = m_model.addOrUpdate({ m_date->date(), m_meal->currentText(), m_item->text() });
        if (result == MenuPlannerModel::Result::ListFull) {
            Dialogs::message(QStringLiteral("Maximum Number Items"),
                             QStringLiteral("The maximum number of items in the menu is %1.").arg(MenuPlanner::kLimit));
            return;
        }
        LoadGrid();
        selectGridRow(m_model.selectedRow(), 3);
        if (m_model.selectedRow() >= 0)
            m_grid->scrollToItem(m_grid->item(m_model.selectedRow(), 0), QAbstractItemView::PositionAtTop);
        showHeld();
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("adding or updating a menu item"), QString(), e);
        return;
    }
    m_addUpdate->setText(QStringLiteral("&Add"));
    m_item->clear();
    m_meal->setEditText(QString());
    m_item->setFocus();
}

void frmMenu::cmdEdit_Click()
{
    const auto entry = m_model.beginEdit();
    if (!entry)
        return;
    if (entry->date.isValid())
        m_date->setDate(entry->date);
    m_item->setText(entry->recipe);
    m_meal->setEditText(entry->meal);
    m_addUpdate->setText(QStringLiteral("&Update"));
    m_item->setFocus();
}

void frmMenu::cmdReset_Click()
{
    m_model.cancelEdit();
    m_addUpdate->setText(QStringLiteral("&Add"));
    m_item->clear();
    m_meal->setEditText(QString());
    m_date->setFocus();
}

void frmMenu::cmdDelete_Click()
{
    if (!m_model.deleteSelected())
        return;
    LoadGrid();
    selectGridRow(m_model.selectedRow(), 2);
    showHeld();
    m_addUpdate->setText(QStringLiteral("&Add"));
}

void frmMenu::cmdClearSL_Click()
{
    if (m_model.rows().isEmpty())
        return;
    if (Dialogs::message(QStringLiteral("Clear Menu Planner"),
                         QStringLiteral("Do you want to CLEAR the menu planner?") + CRLF + CRLF
                             + QStringLiteral("This will delete ALL entries."),
                         MsgButtons::YesNo)
        != MsgAnswer::Yes)
        return;
    m_model.clearAll();
    LoadGrid();
    showHeld();
    m_addUpdate->setText(QStringLiteral("&Add"));
}

void frmMenu::cmdView_Click()
{
    if (m_model.selectedRow() < 0)
        return;
    // The entry names its recipe by key: the name may be shared or changed since.
    if (m_recipes && m_recipes->showRecipeByKey(MenuPlanner::recipePartOfKey(m_model.held().key))) {
        accept();
        return;
    }
    Dialogs::message(
        QStringLiteral("Recipe Not Found"),
        QStringLiteral("The recipe was not found in the current list.") + CRLF
            + QStringLiteral("Close the Menu Planner, then click List All to list all recipes, then try again."));
}

void frmMenu::cmdMenuShop_Click(int index)
{
    const auto& recipes = AppState::instance().recipes;
    if (!recipes)
        return;
    ShoppingActions::addFromPlanner(m_dataFolder, m_model, recipes->recordset(), index != 0);
}
