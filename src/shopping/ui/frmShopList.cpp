#include "shopping/ui/frmShopList.h"

#include "base/Dialogs.h"
#include "base/ShowError.h"
#include "masterlists/ui/MasterListWindow.h"
#include "shell/ui/WidgetHelpers.h"
#include "shopping/ShoppingList.h"
#include "shopping/ui/ListWindowHelpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

QComboBox* combo(QWidget* parent, const char* name, const QString& tip)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setToolTip(tip);
    box->setMaxVisibleItems(20);
    return box;
}

} // namespace

frmShopList::frmShopList(const QString& dataFolder, QWidget* parent)
    : QDialog(parent)
    , m_dataFolder(dataFolder)
{
    setObjectName(QStringLiteral("frmShopList"));
    setWindowTitle(QStringLiteral("Shopping List"));
    buildControls();

    loadPickList(m_aisle, QStringLiteral("aisle"));
    loadPickList(m_qty, QStringLiteral("qty"));
    loadPickList(m_unit, QStringLiteral("units"));
    loadPickList(m_item, QStringLiteral("ingr"));

    m_model = std::make_unique<ShoppingListModel>(m_dataFolder);
    LoadGrid();
    if (m_model->selectedRow() >= 0)
        selectGridRow(m_model->selectedRow(), 3);
    showHeld();
    m_item->setFocus();
}

frmShopList::~frmShopList() = default;

void frmShopList::buildControls()
{
    m_item = combo(this, "txtItem", QStringLiteral("Select or enter an ingredient"));
    m_aisle = combo(this, "txtAisle", QStringLiteral("Select or enter the aisle"));
    m_qty = combo(this, "txtQty", QStringLiteral("Select or enter the quantity"));
    m_unit = combo(this, "txtUnit", QStringLiteral("Select or enter the units"));
    limitAndTypeAhead(m_item, ItemLength);
    limitAndTypeAhead(m_aisle, AisleLength);
    limitAndTypeAhead(m_qty, QtyLength);
    limitAndTypeAhead(m_unit, UnitsLength);
    for (QComboBox* box : { m_item, m_aisle, m_qty, m_unit })
        box->installEventFilter(this);
    connect(m_item, &QComboBox::editTextChanged, this, &frmShopList::onItemChanged);

    m_id = WidgetHelpers::heldBox(this, "txtID");
    m_status = WidgetHelpers::heldBox(this, "txtStatus");
    m_ingr = WidgetHelpers::heldBox(this, "txtIngr");
    m_key = WidgetHelpers::heldBox(this, "txtKey");
    m_note = WidgetHelpers::heldBox(this, "txtNote");

    const QString editTip = QStringLiteral("Edit Master List");
    auto* editIngr = button(this, "cmdEditIngr", QStringLiteral("Edit List..."), editTip);
    auto* editAisle = button(this, "cmdEditAisle", QStringLiteral("Edit List..."), editTip);
    auto* editQty = button(this, "cmdEditQty", QStringLiteral("Edit List..."), editTip);
    auto* editUnits = button(this, "cmdEditUnits", QStringLiteral("Edit List..."), editTip);
    connect(editIngr, &QPushButton::clicked, this, [this] { editList(QStringLiteral("ingr"), m_item); });
    connect(editAisle, &QPushButton::clicked, this, [this] { editList(QStringLiteral("aisle"), m_aisle); });
    connect(editQty, &QPushButton::clicked, this, [this] { editList(QStringLiteral("qty"), m_qty); });
    connect(editUnits, &QPushButton::clicked, this, [this] { editList(QStringLiteral("units"), m_unit); });

    m_add = button(this, "cmdAdd", QStringLiteral("&Add"), QStringLiteral("Add New Item"));
    auto* reset = button(this, "cmdReset", QStringLiteral("&Reset"), QStringLiteral("Clear Fields"));
    m_edit = button(this, "cmdEdit", QStringLiteral("&Edit"), QStringLiteral("Edit Selected Item"));
    auto* del = button(this, "cmdDelete", QStringLiteral("&Delete"), QStringLiteral("Delete Selected Item"));
    auto* clear
        = button(this, "cmdClearSL", QStringLiteral("&Clear List"), QStringLiteral("Clear Entire Shopping List"));
    auto* ok = button(this, "cmdSave", QStringLiteral("&OK"), QStringLiteral("Finished with Shopping List"));
    connect(m_add, &QPushButton::clicked, this, &frmShopList::cmdAdd_Click);
    connect(reset, &QPushButton::clicked, this, &frmShopList::cmdReset_Click);
    connect(m_edit, &QPushButton::clicked, this, &frmShopList::cmdEdit_Click);
    connect(del, &QPushButton::clicked, this, &frmShopList::cmdDelete_Click);
    connect(clear, &QPushButton::clicked, this, &frmShopList::cmdClearSL_Click);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    m_grid = grid(this, "gridShopList",
                  { QStringLiteral("Aisle"), QStringLiteral("Qty"), QStringLiteral("Units"),
                    QStringLiteral("Ingredient"), QStringLiteral("Recipe"), QStringLiteral("Key") });
    // Every column, Key included, has its own width; nothing stretches to fill the grid.
    m_grid->horizontalHeader()->setStretchLastSection(false);
    const int twips[] = { 600, 1000, 1000, 3000, 3000, 500 };
    for (int c = 0; c < 6; ++c)
        m_grid->setColumnWidth(c, WidgetHelpers::fromTwips(twips[c]));
    connect(m_grid, &QTableWidget::cellClicked, this, [this](int row, int) {
        if (m_model->select(row))
            showHeld();
    });
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this] { cmdEdit_Click(); });
    connect(m_grid, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous, int) {
        if (row != previous && row >= 0 && m_model->select(row))
            showHeld();
    });

    // The ingredient takes a whole row; aisle (five characters), quantity and units share the next.
    auto* boxes = new QGridLayout;
    boxes->setHorizontalSpacing(6);
    boxes->addWidget(label(this, "lblItem", QStringLiteral("Item:"), m_item), 0, 0);
    boxes->addWidget(m_item, 0, 1, 1, 7);
    boxes->addWidget(editIngr, 0, 8);
    boxes->addWidget(label(this, "lblAisle", QStringLiteral("Aisle:"), m_aisle), 1, 0);
    boxes->addWidget(m_aisle, 1, 1);
    boxes->addWidget(editAisle, 1, 2);
    boxes->addWidget(label(this, "lblQty", QStringLiteral("Qty:"), m_qty), 1, 3);
    boxes->addWidget(m_qty, 1, 4);
    boxes->addWidget(editQty, 1, 5);
    boxes->addWidget(label(this, "lblUnit", QStringLiteral("Unit:"), m_unit), 1, 6);
    boxes->addWidget(m_unit, 1, 7);
    boxes->addWidget(editUnits, 1, 8);
    boxes->setColumnStretch(4, 1);
    boxes->setColumnStretch(7, 1);
    m_aisle->setFixedWidth(90);

    auto* addRow = new QHBoxLayout;
    addRow->addStretch();
    addRow->addWidget(m_add);
    addRow->addWidget(reset);

    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(m_edit);
    listButtons->addWidget(del);
    listButtons->addWidget(clear);
    listButtons->addStretch();
    listButtons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addLayout(addRow);
    layout->addWidget(label(this, "Label1", QStringLiteral("Shopping List:"), m_grid));
    layout->addWidget(m_grid, 1);
    layout->addLayout(listButtons);
    resize(760, 520);
}

void frmShopList::loadPickList(QComboBox* box, const QString& kind)
{
    const QString text = box->currentText();
    const QSignalBlocker block(box);
    box->clear();
    box->addItems(ShoppingListModel::pickList(m_dataFolder, kind));
    box->setEditText(text);
    if (kind == QLatin1String("ingr"))
        m_ingredients = DataSource::open(TableDef::Ingredients, m_dataFolder);
}

void frmShopList::LoadGrid()
{
    const QSignalBlocker block(m_grid);
    const auto& rows = m_model->rows();
    m_grid->setRowCount(0);
    m_grid->setRowCount(rows.size());
    for (int r = 0; r < rows.size(); ++r) {
        const auto& row = rows.at(r);
        const QString cells[] = { row.aisle, row.quantity, row.units, row.ingredient, row.note, row.key };
        for (int c = 0; c < 6; ++c)
            m_grid->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
}

void frmShopList::selectGridRow(int row, int lastColumn)
{
    WidgetHelpers::selectRow(m_grid, row, lastColumn);
}

void frmShopList::showHeld()
{
    const auto& held = m_model->held();
    m_id->setText(held.id);
    m_status->setText(held.status);
    m_ingr->setText(held.ingredient);
    m_key->setText(held.key);
    m_note->setText(held.note);
}

void frmShopList::onItemChanged()
{
    // The box's own text, not the signal's: type-ahead completes the text before the typed change is
    // announced, so the announced text may be the shorter one.
    const QString text = m_item->currentText();
    m_aisle->setEditText(QString());
    if (!m_ingredients || text.isEmpty())
        return;
    const QString aisle = ShoppingList::lookupAisle(m_ingredients->recordset(), text);
    if (!aisle.isEmpty())
        m_aisle->setEditText(aisle);
}

void frmShopList::cmdAdd_Click()
{
    if (m_item->currentText().isEmpty())
        return;
    try {
        const auto result = m_model->addOrUpdate(
            { m_aisle->currentText(), m_qty->currentText(), m_unit->currentText(), m_item->currentText() });
        if (result == ShoppingListModel::Result::ListFull) {
            Dialogs::message(QStringLiteral("Maximum Number Items"), ShoppingList::limitMessage());
            return;
        }
        LoadGrid();
        selectGridRow(m_model->selectedRow(), 4);
        if (m_model->selectedRow() >= 0)
            m_grid->scrollToItem(m_grid->item(m_model->selectedRow(), 0), QAbstractItemView::PositionAtTop);
        showHeld();
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("adding to the shopping list"), QString(), e);
        return;
    }
    m_add->setText(QStringLiteral("&Add"));
    m_edit->setText(QStringLiteral("&Edit"));
    clearBoxes();
    m_item->setFocus();
}

void frmShopList::cmdEdit_Click()
{
    const auto entry = m_model->beginEdit();
    if (!entry)
        return;
    // Setting a box's text is not a user edit, so type-ahead leaves it alone. Setting the ingredient looks
    // its aisle up; the item's own aisle is set afterwards and wins.
    m_qty->setEditText(entry->quantity);
    m_unit->setEditText(entry->units);
    m_item->setEditText(entry->ingredient);
    m_note->setText(m_model->held().note);
    m_aisle->setEditText(entry->aisle);
    m_add->setText(QStringLiteral("&Update"));
    m_item->setFocus();
    m_item->lineEdit()->setCursorPosition(static_cast<int>(entry->ingredient.size()));
}

void frmShopList::cmdDelete_Click()
{
    if (!m_model->deleteSelected())
        return;
    LoadGrid();
    selectGridRow(m_model->selectedRow(), 3);
    showHeld();
    m_add->setText(QStringLiteral("&Add"));
}

void frmShopList::cmdClearSL_Click()
{
    if (m_model->rows().isEmpty())
        return;
    if (Dialogs::message(QStringLiteral("Delete Shopping List"),
                         QStringLiteral("Do you want to CLEAR the shopping list?") + CRLF + CRLF
                             + QStringLiteral("This will delete ALL items."),
                         MsgButtons::YesNo)
        != MsgAnswer::Yes)
        return;
    m_model->clearAll();
    LoadGrid();
    showHeld();
    m_add->setText(QStringLiteral("&Add"));
}

void frmShopList::cmdReset_Click()
{
    clearBoxes();
    m_aisle->setFocus();
}

void frmShopList::clearBoxes()
{
    for (QComboBox* box : { m_item, m_aisle, m_qty, m_unit })
        box->setEditText(QString());
}

void frmShopList::editList(const QString& kind, QComboBox* box)
{
    openMasterList(this, kind);
    loadPickList(box, kind);
}

bool frmShopList::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == m_item)
                m_aisle->setFocus();
            else if (watched == m_aisle)
                m_qty->setFocus();
            else if (watched == m_qty)
                m_unit->setFocus();
            else if (watched == m_unit)
                cmdAdd_Click();
            else
                return QDialog::eventFilter(watched, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmShopList::done(int result)
{
    if (!m_saved) {
        if (!m_model->save()
            && Dialogs::message(QStringLiteral("Shopping List"),
                                QStringLiteral("The shopping list could not be saved.") + CRLF + CRLF
                                    + QStringLiteral("Close the window anyway and lose the changes?"),
                                MsgButtons::YesNo, MsgIcon::Exclamation)
                != MsgAnswer::Yes)
            return;
        m_saved = true;
    }
    QDialog::done(result);
}
