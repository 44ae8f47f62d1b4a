#include "masterlists/ui/LineEditorWindow.h"

#include "base/Dialogs.h"
#include "base/Platform.h"
#include "base/ShowError.h"
#include "masterlists/MasterIngredients.h"
#include "masterlists/ui/MasterListWindow.h"
#include "recipes/ui/TypeAhead.h"
#include "shell/AppState.h"
#include "shell/LoadFailure.h"
#include "shell/ui/WidgetHelpers.h"
#include "shopping/ShoppingActions.h"
#include "shopping/ShoppingListAdder.h"
#include "storage/NormalizeForMatch.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
LineEditorWindow* g_openEditor = nullptr;

constexpr int kMaxQty = 12;
constexpr int kMaxUnit = 12;
constexpr int kMaxItem = 80;

} // namespace

LineEditorWindow::LineEditorWindow(Mode mode, const QString& fieldText, QWidget* parent)
    : QDialog(parent)
    , m_mode(mode)
    , m_lines(ItemLineList::fromText(fieldText))
{
    setObjectName(mode == Mode::Ingredients ? QStringLiteral("frmIngredient") : QStringLiteral("frmNutrition"));
    setWindowTitle(mode == Mode::Ingredients ? QStringLiteral("Edit Ingredients")
                                             : QStringLiteral("Edit Nutritional Information"));
    setModal(true);
    if (mode == Mode::Ingredients)
        m_autoAdd = AppState::instance().preferenceFlag(QStringLiteral("ingr_auto_add"));
    buildControls();
    loadLists(true, true, true);
    refreshGrid(m_lines.count() > 0 ? 0 : -1);
    g_openEditor = this;
}

LineEditorWindow::~LineEditorWindow()
{
    if (g_openEditor == this)
        g_openEditor = nullptr;
}

LineEditorWindow* LineEditorWindow::openEditor()
{
    return g_openEditor;
}

QComboBox* LineEditorWindow::makeCombo(const char* name, const QString& tip, int maxLength)
{
    auto* box = new QComboBox(this);
    box->setObjectName(QLatin1String(name));
    box->setToolTip(tip);
    box->setEditable(true);
    box->setMaxVisibleItems(20);
    // The length limit runs before the completion, so it is connected first.
    QLineEdit* edit = box->lineEdit();
    connect(edit, &QLineEdit::textEdited, this,
            [this, edit, maxLength](const QString& text) { enforceLength(edit, maxLength, text); });
    installTypeAhead(box);
    box->installEventFilter(this);
    return box;
}

void LineEditorWindow::enforceLength(QLineEdit* edit, int maxLength, const QString& text)
{
    if (text.size() <= maxLength)
        return;
    Platform::beep();
    edit->setText(text.left(maxLength));
    edit->setCursorPosition(maxLength);
}

void LineEditorWindow::buildControls()
{
    const bool ingredients = m_mode == Mode::Ingredients;
    auto* boxes = new QGridLayout;
    auto addColumn = [&](int column, const QString& caption, QWidget* box, const char* listButton,
                         const QString& kind) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(box);
        boxes->addWidget(label, 0, column);
        boxes->addWidget(box, 1, column);
        if (listButton) {
            auto* b = WidgetHelpers::button(this, QLatin1String(listButton), QStringLiteral("Edit List..."), QString());
            connect(b, &QPushButton::clicked, this, [this, kind] { onEditList(kind); });
            boxes->addWidget(b, 2, column, Qt::AlignLeft);
        }
    };
    if (ingredients) {
        m_cboQty = makeCombo("txtQty", QStringLiteral("Select or enter the quantity"), kMaxQty);
        addColumn(0, QStringLiteral("&Qty:"), m_cboQty, "cmdEditQty", QStringLiteral("qty"));
    } else {
        m_txtQtyPlain = new QLineEdit(this);
        m_txtQtyPlain->setObjectName(QStringLiteral("txtQty"));
        m_txtQtyPlain->setToolTip(QStringLiteral("Select or enter the quantity"));
        connect(m_txtQtyPlain, &QLineEdit::textEdited, this,
                [this](const QString& text) { enforceLength(m_txtQtyPlain, kMaxQty, text); });
        m_txtQtyPlain->installEventFilter(this);
        addColumn(0, QStringLiteral("&Qty:"), m_txtQtyPlain, nullptr, QString());
    }
    m_txtUnit = makeCombo("txtUnit", QStringLiteral("Select or enter the units"), kMaxUnit);
    addColumn(1, QStringLiteral("&Unit:"), m_txtUnit, ingredients ? "cmdEditUnits" : nullptr, QStringLiteral("units"));
    m_txtItem = makeCombo("txtItem", QStringLiteral("Select or enter an ingredient"), kMaxItem);
    addColumn(2, QStringLiteral("&Item:"), m_txtItem, "cmdEditIngr",
              ingredients ? QStringLiteral("ingr") : QStringLiteral("ntrn"));
    boxes->setColumnStretch(0, 1);
    boxes->setColumnStretch(1, 1);
    boxes->setColumnStretch(2, 3);

    m_cmdAdd = WidgetHelpers::button(this, QStringLiteral("cmdAdd"), QStringLiteral("&Add"),
                                     QStringLiteral("Add or Update Ingredient"));
    m_cmdEdit = WidgetHelpers::button(this, QStringLiteral("cmdEdit"), QStringLiteral("&Edit"),
                                      QStringLiteral("Edit Selected Ingredient"));
    m_cmdIconClear = WidgetHelpers::button(this, QStringLiteral("cmdIconClear"), QStringLiteral("Stop Edit"),
                                           QStringLiteral("Clear Update, Start Add"));
    m_cmdIconClear->setIcon(style()->standardIcon(QStyle::SP_DialogResetButton));
    m_cmdIconClear->hide();
    m_cmdDelete = WidgetHelpers::button(this, QStringLiteral("cmdDelete"), QStringLiteral("&Delete"),
                                        QStringLiteral("Delete Selected Ingredient"));
    m_cmdClear = WidgetHelpers::button(this, QStringLiteral("cmdClear"), QStringLiteral("C&lear"),
                                       QStringLiteral("Clear text boxes"));
    auto* up = WidgetHelpers::button(this, QStringLiteral("cmdIngrScroll_0"), QString(),
                                     QStringLiteral("Move Ingredient Up"));
    up->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    auto* down = WidgetHelpers::button(this, QStringLiteral("cmdIngrScroll_1"), QString(),
                                       QStringLiteral("Move Ingredient Down"));
    down->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));

    auto* actions = new QHBoxLayout;
    actions->addWidget(m_cmdAdd);
    actions->addWidget(m_cmdEdit);
    actions->addWidget(m_cmdIconClear);
    actions->addWidget(m_cmdDelete);
    actions->addWidget(m_cmdClear);
    actions->addSpacing(12);
    actions->addWidget(up);
    actions->addWidget(down);
    actions->addStretch(1);
    QList<QPushButton*> shopButtons;
    if (ingredients) {
        auto* shopOne
            = WidgetHelpers::button(this, QStringLiteral("cmdShop_0"), QStringLiteral("Add to &Shopping List"),
                                    QStringLiteral("Add ingredient to shopping list"));
        auto* shopAll
            = WidgetHelpers::button(this, QStringLiteral("cmdShop_1"), QStringLiteral("Add All &to Shopping List"),
                                    QStringLiteral("Add ALL ingredients to shopping list"));
        connect(shopOne, &QPushButton::clicked, this, [this] { onShop(false); });
        connect(shopAll, &QPushButton::clicked, this, [this] { onShop(true); });
        shopButtons << shopOne << shopAll;
    }

    m_grid = new QTableWidget(0, 3, this);
    m_grid->setObjectName(ingredients ? QStringLiteral("gridIngredients") : QStringLiteral("gridNutrition"));
    m_grid->setHorizontalHeaderLabels({ QStringLiteral("Qty"), QStringLiteral("Units"), QStringLiteral("Item") });
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(22);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setColumnWidth(0, WidgetHelpers::fromTwips(ingredients ? 1300 : 1000));
    m_grid->setColumnWidth(1, WidgetHelpers::fromTwips(ingredients ? 1300 : 1000));
    auto* gridLabel = new QLabel(
        ingredients ? QStringLiteral("Ingredient List:") : QStringLiteral("Nutritional Information:"), this);

    auto* ok = WidgetHelpers::button(this, QStringLiteral("cmdOK"), QStringLiteral("&OK"), QString());
    auto* cancel = WidgetHelpers::button(this, QStringLiteral("cmdCancel"), QStringLiteral("&Cancel"), QString());
    auto* bottom = new QHBoxLayout;
    for (QPushButton* b : shopButtons)
        bottom->addWidget(b);
    bottom->addStretch(1);
    bottom->addWidget(ok);
    bottom->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addLayout(actions);
    layout->addWidget(gridLabel);
    layout->addWidget(m_grid, 1);
    layout->addLayout(bottom);
    resize(ingredients ? 700 : 600, 460);

    connect(m_cmdAdd, &QPushButton::clicked, this, &LineEditorWindow::onAdd);
    connect(m_cmdEdit, &QPushButton::clicked, this, &LineEditorWindow::onEdit);
    connect(m_cmdIconClear, &QPushButton::clicked, this, &LineEditorWindow::onClear);
    connect(m_cmdClear, &QPushButton::clicked, this, &LineEditorWindow::onClear);
    connect(m_cmdDelete, &QPushButton::clicked, this, &LineEditorWindow::onDelete);
    connect(up, &QPushButton::clicked, this, [this] { onMove(true); });
    connect(down, &QPushButton::clicked, this, [this] { onMove(false); });
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this] { onEdit(); });
    connect(ok, &QPushButton::clicked, this, &LineEditorWindow::accept);
    connect(cancel, &QPushButton::clicked, this, &LineEditorWindow::reject);
}

void LineEditorWindow::loadLists(bool qty, bool units, bool items)
{
    const QString folder = AppState::instance().dataPath;
    auto fill = [&](QComboBox* box, TableDef::Id id, const QString& valueField, const QString& order,
                    std::unique_ptr<DataSource>* keep) {
        std::unique_ptr<DataSource> source = DataSource::open(id, folder);
        Recordset& rs = source->recordset();
        rs.setFilter(RecordStatus::LiveFilter);
        rs.setSort(order);
        const QString text = box->currentText();
        const QSignalBlocker block(box);
        box->clear();
        for (rs.moveFirst(); !rs.eof(); rs.moveNext())
            box->addItem(rs.value(valueField));
        box->setEditText(text);
        if (keep)
            *keep = std::move(source);
    };
    if (m_mode == Mode::Ingredients) {
        if (qty)
            fill(m_cboQty, TableDef::Quantities, QStringLiteral("QtyMaster"), QStringLiteral("QtyKey ASC"), nullptr);
        if (units)
            fill(m_txtUnit, TableDef::Units, QStringLiteral("UnitsMaster"), QStringLiteral("UnitsKey ASC"), nullptr);
        if (items) {
            fill(m_txtItem, TableDef::Ingredients, QStringLiteral("IngrMaster"), QStringLiteral("IngrKey ASC"),
                 &m_ingredientCopy);
            m_copyChanged = false;
        }
    } else {
        if (units && m_txtUnit->count() == 0) {
            m_txtUnit->addItems({ QStringLiteral("%"), QStringLiteral("%DV"), QStringLiteral("g"), QStringLiteral("mg"),
                                  QStringLiteral("kcal") });
            m_txtUnit->setEditText(QString());
        }
        if (items)
            fill(m_txtItem, TableDef::NutritionalItems, QStringLiteral("NtrnMaster"), QStringLiteral("NtrnKey ASC"),
                 nullptr);
    }
}

void LineEditorWindow::refreshGrid(int current)
{
    m_grid->setRowCount(m_lines.count());
    for (int row = 0; row < m_lines.count(); ++row) {
        const ItemLine& line = m_lines.at(row);
        const QString cells[3] = { line.quantity, line.units, line.item };
        for (int col = 0; col < 3; ++col) {
            QTableWidgetItem* cell = m_grid->item(row, col);
            if (!cell) {
                cell = new QTableWidgetItem;
                m_grid->setItem(row, col, cell);
            }
            cell->setText(cells[col]);
        }
    }
    if (current >= 0 && current < m_lines.count()) {
        m_grid->setCurrentCell(current, 0);
        m_grid->selectRow(current);
    }
}

int LineEditorWindow::currentRow() const
{
    const int row = m_grid->currentRow();
    return row >= 0 && row < m_lines.count() ? row : -1;
}

QString LineEditorWindow::qtyText() const
{
    return m_cboQty ? m_cboQty->currentText() : m_txtQtyPlain->text();
}

void LineEditorWindow::setQtyText(const QString& text)
{
    if (m_cboQty)
        m_cboQty->setEditText(text);
    else
        m_txtQtyPlain->setText(text);
}

void LineEditorWindow::onAdd()
{
    const ItemLine line { qtyText(), m_txtUnit->currentText(), m_txtItem->currentText() };
    if (line.item.isEmpty())
        return;
    if (m_lines.isFull()) {
        Dialogs::message(QStringLiteral("Maximum Ingredients"),
                         (m_mode == Mode::Ingredients ? QStringLiteral("The maximum number of ingredients is ")
                                                      : QStringLiteral("The maximum number of nutritional items is "))
                             + QString::number(ItemLineList::kMaxLines) + QLatin1Char('.'));
        return;
    }
    if (m_editRow >= 0) {
        m_lines.replace(m_editRow, line);
        refreshGrid(m_editRow);
    } else {
        m_lines.append(line);
        if (m_autoAdd && m_ingredientCopy) {
            try {
                if (MasterIngredients::autoAdd(m_ingredientCopy->recordset(), line.item)) {
                    m_copyChanged = true;
                    // Offer the new ingredient at once, in the list's key order.
                    const QString key = NormalizeForMatch(line.item);
                    int at = 0;
                    while (at < m_txtItem->count() && NormalizeForMatch(m_txtItem->itemText(at)) <= key)
                        ++at;
                    const QSignalBlocker block(m_txtItem);
                    m_txtItem->insertItem(at, line.item.left(kMaxItem));
                }
            } catch (const std::exception& e) {
                ShowError(QStringLiteral("adding to the master ingredients list"), QString(), e);
            }
        }
        refreshGrid(m_lines.count() - 1);
    }
    onClear();
}

void LineEditorWindow::onEdit()
{
    const int row = currentRow();
    if (row < 0)
        return;
    m_editRow = row;
    m_cmdEdit->hide();
    m_cmdIconClear->show();
    m_cmdAdd->setText(QStringLiteral("&Update"));
    const ItemLine& line = m_lines.at(row);
    setQtyText(line.quantity);
    m_txtUnit->setEditText(line.units);
    m_txtItem->setEditText(line.item);
    SuppressTypeAhead = false;
}

void LineEditorWindow::onClear()
{
    setQtyText(QString());
    m_txtUnit->setEditText(QString());
    m_txtItem->setEditText(QString());
    m_editRow = -1;
    m_cmdAdd->setText(QStringLiteral("&Add"));
    m_cmdIconClear->hide();
    m_cmdEdit->show();
    if (m_cboQty)
        m_cboQty->setFocus();
    else
        m_txtQtyPlain->setFocus();
}

void LineEditorWindow::onDelete()
{
    const int row = m_lines.count() == 1 ? 0 : currentRow();
    if (row < 0)
        return;
    m_lines.remove(row);
    refreshGrid(std::min(row, m_lines.count() - 1));
    onClear();
}

void LineEditorWindow::onMove(bool up)
{
    const int row = currentRow();
    if (row < 0)
        return;
    const int to = m_lines.move(row, up);
    if (to == row)
        return;
    if (m_editRow == row)
        m_editRow = to;
    else if (m_editRow == to)
        m_editRow = row;
    refreshGrid(to);
}

void LineEditorWindow::onShop(bool all)
{
    if (m_lines.count() == 0)
        return;
    const int row = currentRow();
    if (!all && row < 0)
        return;
    if (all
        && Dialogs::message(QStringLiteral("Add All Ingredients"),
                            QStringLiteral("Do you want to add ALL of this recipe's ingredients to the shopping list?"),
                            MsgButtons::YesNo)
            != MsgAnswer::Yes)
        return;
    try {
        ShoppingListAdder adder(AppState::instance().dataPath);
        ShoppingListAdder::Tally tally;
        for (int i = all ? 0 : row; i < (all ? m_lines.count() : row + 1); ++i) {
            const ItemLine& line = m_lines.at(i);
            tally.count(adder.add(line.quantity, line.units, line.item, QString()));
        }
        adder.save();
        // Lines that did not fit are not dropped silently.
        if (tally.notAdded > 0)
            Dialogs::message(QStringLiteral("Maximum Number Items"), ShoppingActions::limitReachedText(tally.notAdded));
    } catch (const TableLoadError& e) {
        LoadFailure::endProgram(e);
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("adding to the shopping list"), QString(), e);
    }
}

bool LineEditorWindow::saveIngredientCopy()
{
    if (!m_ingredientCopy || !m_copyChanged)
        return true;
    if (!m_ingredientCopy->save())
        return false;
    m_copyChanged = false;
    return true;
}

void LineEditorWindow::onEditList(const QString& kind)
{
    QComboBox* box = kind == QLatin1String("qty") ? m_cboQty : kind == QLatin1String("units") ? m_txtUnit : m_txtItem;
    if (kind == QLatin1String("ingr") && !saveIngredientCopy())
        return;
    openMasterList(this, kind);
    try {
        loadLists(kind == QLatin1String("qty"), kind == QLatin1String("units"),
                  kind == QLatin1String("ingr") || kind == QLatin1String("ntrn"));
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("editing ingredients"), QString(), e);
    }
    box->setFocus();
}

void LineEditorWindow::receiveMasterEntry(const QString& kind, const QString& text)
{
    if (m_mode == Mode::Ingredients) {
        if (kind == QLatin1String("qty"))
            m_cboQty->setEditText(text);
        else if (kind == QLatin1String("units"))
            m_txtUnit->setEditText(text);
        else if (kind == QLatin1String("ingr"))
            m_txtItem->setEditText(text);
    } else if (kind == QLatin1String("ntrn") && isVisible()) {
        m_txtItem->setEditText(text);
    }
}

void LineEditorWindow::accept()
{
    // The recipe's lines matter more than the automatically added list entries: a failure to write the
    // list is reported (by the writer) and the edit is still accepted.
    saveIngredientCopy();
    QDialog::accept();
}

bool LineEditorWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (WidgetHelpers::isEnterKey(event)) {
        const QObject* qty = m_cboQty ? static_cast<QObject*>(m_cboQty) : m_txtQtyPlain;
        if (watched == qty) {
            m_txtUnit->setFocus();
            return true;
        }
        if (watched == m_txtUnit) {
            m_txtItem->setFocus();
            return true;
        }
        if (watched == m_txtItem) {
            onAdd();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool LineEditorWindow::run(Mode mode, QWidget* parent, QString* text)
{
    std::unique_ptr<LineEditorWindow> window;
    try {
        window = std::make_unique<LineEditorWindow>(mode, *text, parent);
    } catch (const std::exception& e) {
        ShowError(QStringLiteral("editing ingredients"), QString(), e);
        return false;
    }
    if (window->exec() != QDialog::Accepted)
        return false;
    *text = window->text();
    return true;
}
