#include "recipes/ui/RecipeController.h"

#include "app/Main.h"
#include "base/Dialogs.h"
#include "base/Platform.h"
#include "base/ShowError.h"
#include "recipes/RecipeEncodings.h"
#include "recipes/RecipeTable.h"
#include "recipes/ui/CategoryWindow.h"
#include "recipes/ui/SearchWindow.h"
#include "recipes/ui/TypeAhead.h"
#include "shell/AppState.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>

namespace {

const QString kAdd = QStringLiteral("Add");
const QString kEdit = QStringLiteral("Edit");
const QString kClear = QStringLiteral("Clear");
constexpr int kSourceLimit = 32;
constexpr int kRatingLimit = 10;

template <typename W> W* need(Main& main, const char* name)
{
    W* w = main.findChild<W*>(QString::fromLatin1(name));
    if (!w)
        qFatal("main window control %s is missing", name);
    return w;
}

// The instructions box shows line breaks as "\n"; the record holds CR LF.
QString toRecordText(const QString& shown)
{
    QString text = shown;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

// Fills a box the way a value is shown, not typed: from its start, so a long text is not scrolled to its end.
void showStart(QComboBox* box, const QString& text)
{
    box->setEditText(text);
    box->lineEdit()->setCursorPosition(0);
}

// Runs a command, reporting any failure with the shared error message under the command's action.
template <typename F> void guarded(const QString& action, F&& f)
{
    try {
        f();
    } catch (const std::exception& e) {
        ShowError(action, QString(), e);
    }
}

} // namespace

RecipeController::RecipeController(Main& main)
    : QObject(&main)
    , m_main(main)
{
    setObjectName(QStringLiteral("recipeController"));
    m_list = need<QListWidget>(main, "lstAll");
    m_keyList = need<QListWidget>(main, "lstKeys");
    m_lblList = need<QLabel>(main, "lblList");
    m_cmdListAll = need<QPushButton>(main, "cmdListAll");
    m_cmdSearch = need<QPushButton>(main, "cmdSearch");
    m_cmdNew = need<QPushButton>(main, "cmdNew");
    m_cmdDupe = need<QPushButton>(main, "cmdDupe");
    m_cmdDelete = need<QPushButton>(main, "cmdDelete");
    m_cmdSave = need<QPushButton>(main, "cmdNewSave");
    m_cmdCancel = need<QPushButton>(main, "cmdNewCancel");
    m_cmdCatAdd = need<QPushButton>(main, "cmdCatAdd");
    m_txtName = need<QLineEdit>(main, "txtName");
    m_txtServes = need<QLineEdit>(main, "txtServes");
    m_txtID = need<QLineEdit>(main, "txtID");
    m_txtStatus = need<QLineEdit>(main, "txtStatus");
    m_txtKey = need<QLineEdit>(main, "txtKey");
    m_txtCategory = need<QLineEdit>(main, "txtCategory");
    m_txtIngredients = need<QLineEdit>(main, "txtIngredients");
    m_txtNutrition = need<QLineEdit>(main, "txtNutrition");
    m_txtInstructions = need<QPlainTextEdit>(main, "txtInstructions");
    m_gridIngredients = need<QTableWidget>(main, "gridIngredients");
    m_gridNutrition = need<QTableWidget>(main, "gridNutrition");
    m_lstCatRecipe = need<QListWidget>(main, "lstCatRecipe");
    m_cboSource = need<QComboBox>(main, "cboSource");
    m_cboRating = need<QComboBox>(main, "cboRating");
    m_imgPicture = need<QLabel>(main, "imgPicture");
    m_lblPicFile = need<QLabel>(main, "lblPicFile");
    m_panel1 = need<QLabel>(main, "sbPanel1");
    m_panel2 = need<QLabel>(main, "sbPanel2");
    m_mnuFile = need<QMenu>(main, "mnuFile");
    m_mnuEdit = need<QMenu>(main, "mnuEdit");

    m_list->setUniformItemSizes(true);
    // Keeps the hidden fields able to hold any stored text.
    for (QLineEdit* box : { m_txtID, m_txtStatus, m_txtKey, m_txtCategory, m_txtIngredients, m_txtNutrition })
        box->setMaxLength(32767);
    m_txtInstructions->setTabChangesFocus(true);

    const auto button = [&](const char* name, void (RecipeController::*slot)()) {
        connect(need<QPushButton>(main, name), &QPushButton::clicked, this, slot);
    };
    const auto action = [&](const char* name, void (RecipeController::*slot)()) {
        connect(need<QAction>(main, name), &QAction::triggered, this, slot);
    };
    button("cmdListAll", &RecipeController::listAll);
    button("cmdSearch", &RecipeController::filterRecipes);
    button("cmdNew", &RecipeController::newRecipe);
    button("cmdDupe", &RecipeController::copyRecipe);
    button("cmdDelete", &RecipeController::deleteRecipes);
    button("cmdNewSave", &RecipeController::saveRecipe);
    button("cmdNewCancel", &RecipeController::cancelRecipe);
    button("cmdCatAdd", &RecipeController::editCategories);
    button("cmdCatDelete", &RecipeController::removeCategories);
    button("cmdPicture", &RecipeController::selectPicture);
    button("Command1", &RecipeController::clearPicture);
    button("cmdEnlarge", &RecipeController::viewPicture);
    action("mnuListAll", &RecipeController::listAll);
    action("mnuFilter", &RecipeController::filterRecipes);
    action("mnuSelectAll", &RecipeController::selectAll);
    action("mnuNewRecipe", &RecipeController::newRecipe);
    action("mnuDeleteDupes", &RecipeController::deleteDuplicates);
    // The menu entries that would show another recipe or start a new one go with their buttons.
    for (const char* name : { "mnuListAll", "mnuFilter", "mnuSelectAll", "mnuNewRecipe", "mnuDeleteDupes" })
        m_leavingActions << need<QAction>(main, name);

    connect(m_list, &QListWidget::itemSelectionChanged, this, &RecipeController::showSelected);

    connect(m_txtName, &QLineEdit::textChanged, this, &RecipeController::onNameChanged);
    connect(m_txtServes, &QLineEdit::textChanged, this, [this](const QString& t) { trackChange(t, m_saved.serves); });
    connect(m_txtCategory, &QLineEdit::textChanged, this,
            [this](const QString& t) { trackChange(t, m_saved.category); });
    connect(m_txtIngredients, &QLineEdit::textChanged, this,
            [this](const QString& t) { trackChange(t, m_saved.ingredients); });
    connect(m_txtNutrition, &QLineEdit::textChanged, this,
            [this](const QString& t) { trackChange(t, m_saved.nutrition); });
    connect(m_txtInstructions, &QPlainTextEdit::textChanged, this, [this] {
        if (m_trackChanges)
            trackChange(toRecordText(m_txtInstructions->toPlainText()), m_saved.instructions);
    });

    // Source and rating: typed values complete from their lists, are held to their lengths and tracked.
    const struct
    {
        QComboBox* box;
        int limit;
        int slot;
    } combos[] = { { m_cboSource, kSourceLimit, 0 }, { m_cboRating, kRatingLimit, 1 } };
    for (const auto& c : combos) {
        QComboBox* box = c.box;
        const int limit = c.limit;
        const int slot = c.slot;
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setCompleter(nullptr);
        connect(box->lineEdit(), &QLineEdit::textEdited, this, [this, box, limit] { onComboEdited(box, limit); });
        connect(box, &QComboBox::currentTextChanged, this, [this, box, limit] { onComboChanged(box, limit); });
        box->installEventFilter(this);
        selectNothingOnFocus(box);
        // Refilling the pick lists (after the source or rating editor) must neither change the shown text
        // nor count as an edit.
        QAbstractItemModel* model = box->model();
        const auto hold = [this, box, slot] {
            if (++m_comboBlock == 1 || m_comboTexts[slot].isNull())
                m_comboTexts[slot] = box->currentText().isNull() ? QStringLiteral("") : box->currentText();
        };
        const auto release = [this, box, slot] {
            showStart(box, m_comboTexts[slot]);
            m_comboTexts[slot] = QString();
            if (m_comboBlock > 0)
                --m_comboBlock;
        };
        connect(model, &QAbstractItemModel::modelAboutToBeReset, this, hold);
        connect(model, &QAbstractItemModel::modelReset, this, release);
        connect(model, &QAbstractItemModel::rowsAboutToBeInserted, this, hold);
        connect(model, &QAbstractItemModel::rowsInserted, this, release);
        connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this, hold);
        connect(model, &QAbstractItemModel::rowsRemoved, this, release);
    }
    m_txtName->installEventFilter(this);
    m_txtServes->installEventFilter(this);
}

RecipeController::~RecipeController() = default;

Recordset* RecipeController::recipes() const
{
    auto& held = AppState::instance().recipes;
    return held ? &held->recordset() : nullptr;
}

// ---------------------------------------------------------------------------------------------------------
// Modes and change tracking

void RecipeController::ChangeMode(const QString& mode)
{
    const bool editing = mode == kEdit || mode == kAdd;
    for (QWidget* w : std::initializer_list<QWidget*> { m_cmdNew, m_cmdDelete, m_cmdListAll, m_cmdSearch, m_list })
        w->setEnabled(!editing);
    for (QAction* a : std::as_const(m_leavingActions))
        a->setEnabled(!editing);
    m_mnuFile->menuAction()->setEnabled(!editing);
    m_mnuEdit->menuAction()->setEnabled(!editing);
    m_cmdSave->setVisible(editing);
    m_cmdCancel->setVisible(editing);
    m_panel2->setText(editing ? QStringLiteral("EDIT MODE") : QString());
    // Nothing is listed: whatever is typed can only become a new recipe.
    if (editing && m_list->count() == 0)
        m_entryMode = kAdd;
}

bool RecipeController::isEditing() const
{
    return !m_cmdSave->isHidden();
}

void RecipeController::trackChange(const QString& text, const QString& saved)
{
    if (m_trackChanges && text != saved)
        ChangeMode(kEdit);
}

void RecipeController::onNameChanged()
{
    if (!m_trackChanges)
        return;
    const QString typed = m_txtName->text();
    if (m_entryMode != kAdd && m_saved.name.isEmpty() && !typed.isEmpty() && !m_startingFromName) {
        // No recipe is shown: typing a name starts a new one. New empties the name, which must not recurse.
        m_startingFromName = true;
        newRecipe();
        m_startingFromName = false;
        if (m_entryMode != kAdd)
            return;
        m_txtName->setText(typed);
        m_txtName->setCursorPosition(static_cast<int>(typed.size()));
        return;
    }
    trackChange(typed, m_saved.name);
}

bool RecipeController::enforceLimit(QComboBox* box, int limit)
{
    const QString text = box->currentText();
    if (text.size() <= limit)
        return false;
    Platform::beep();
    box->setEditText(text.left(limit));
    box->lineEdit()->setCursorPosition(limit);
    return true;
}

void RecipeController::onComboEdited(QComboBox* box, int limit)
{
    if (m_comboBlock)
        return;
    enforceLimit(box, limit);
    ComboTypeAhead(box);
}

void RecipeController::onComboChanged(QComboBox* box, int limit)
{
    if (m_comboBlock)
        return;
    if (enforceLimit(box, limit))
        return; // the shortened text came through here already
    trackChange(box->currentText(), box == m_cboSource ? m_saved.source : m_saved.rating);
}

bool RecipeController::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            QWidget* next = nullptr;
            if (watched == m_txtName)
                next = m_cmdCatAdd;
            else if (watched == m_cboSource)
                next = m_cboRating;
            else if (watched == m_cboRating)
                next = m_txtServes;
            if (next && next->isVisible())
                next->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------------------
// List and search

void RecipeController::setKeys(const QStringList& keys)
{
    m_keys = keys;
    m_keyList->clear();
    m_keyList->addItems(keys);
}

void RecipeController::removeListEntry(int row)
{
    if (row < 0 || row >= m_list->count())
        return;
    const QSignalBlocker block(m_list);
    delete m_list->takeItem(row);
    delete m_keyList->takeItem(row);
    m_keys.removeAt(row);
}

void RecipeController::updateListStatus()
{
    m_panel1->setText(listStatusText(m_criteria, m_list->count()));
}

void RecipeController::ShowRecipes()
{
    Recordset* rs = recipes();
    if (!rs)
        return;
    BusyPointer busy;
    m_list->setUpdatesEnabled(false);
    m_txtInstructions->setUpdatesEnabled(false);
    {
        const QSignalBlocker block(m_list);
        m_list->clear();
        setKeys({});
    }
    RecipeListing listing;
    try {
        m_listFilter = RecipeListFilter(m_criteria);
        listing = listRecipes(*rs, m_criteria);
    } catch (...) {
        m_list->setUpdatesEnabled(true);
        m_txtInstructions->setUpdatesEnabled(true);
        throw;
    }
    {
        const QSignalBlocker block(m_list);
        m_list->addItems(listing.names);
        setKeys(listing.keys);
    }
    m_list->setUpdatesEnabled(true);
    m_txtInstructions->setUpdatesEnabled(true);

    if (!listing.names.isEmpty()) {
        updateListStatus();
        selectRow(0);
    } else if (!m_criteria.isEmpty()) {
        Dialogs::message(QStringLiteral("None Found"), QStringLiteral("No records were found matching this search."));
        listAll();
    } else {
        // An empty table: nothing is shown, and the blank fields are what an edit is compared with.
        updateListStatus();
        const bool tracking = m_trackChanges;
        m_trackChanges = false;
        rs->moveLast();
        rs->moveNext();
        ShowFields();
        takeSavedCopies();
        m_trackChanges = tracking;
        ChangeMode(kClear);
        m_entryMode.clear();
    }
}

void RecipeController::listAll()
{
    guarded(QStringLiteral("listing all recipes"), [this] {
        m_criteria.clearTexts();
        ShowRecipes();
        const bool tracking = m_trackChanges;
        m_trackChanges = false;
        ShowFields();
        m_trackChanges = tracking;
        ChangeMode(kClear);
        if (m_list->count() > 0)
            selectRow(0);
    });
}

void RecipeController::refreshList()
{
    guarded(QStringLiteral("listing all recipes"), [this] { ShowRecipes(); });
}

void RecipeController::filterRecipes()
{
    guarded(QStringLiteral("filtering recipes"), [this] {
        if (SearchWindow::run(&m_main, m_criteria))
            ShowRecipes();
    });
}

void RecipeController::selectAll()
{
    if (m_list->count() == 0)
        return;
    m_selectAllRunning = true;
    m_list->selectAll();
    m_selectAllRunning = false;
    {
        const QSignalBlocker block(m_list);
        m_list->setCurrentRow(0, QItemSelectionModel::Select);
    }
    showEntry(0);
}

void RecipeController::selectRow(int row)
{
    if (row < 0 || row >= m_list->count())
        return;
    {
        const QSignalBlocker block(m_list);
        m_list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    }
    showEntry(row);
}

void RecipeController::showSelected()
{
    if (m_selectAllRunning || m_list->count() == 0)
        return;
    int row = m_list->currentRow();
    if (row < 0 || !m_list->item(row)->isSelected()) {
        const QList<QListWidgetItem*> selected = m_list->selectedItems();
        if (selected.isEmpty())
            return;
        row = m_list->row(selected.first());
    }
    guarded(QStringLiteral("listing all recipes"), [this, row] { showEntry(row); });
}

void RecipeController::ensureListView(Recordset& rs)
{
    // Other windows (export, print) may walk the table under their own filter or order.
    if (rs.filter() != m_listFilter)
        rs.setFilter(m_listFilter);
    if (rs.sort() != QLatin1String("Name ASC"))
        rs.setSort(QStringLiteral("Name ASC"));
}

void RecipeController::showEntry(int row)
{
    Recordset* rs = recipes();
    if (!rs || row < 0 || row >= m_list->count())
        return;
    const bool tracking = m_trackChanges;
    m_trackChanges = false;
    try {
        ensureListView(*rs);
        bool found = RecipeTable::findListEntry(*rs, m_keys, row);
        bool removed = false;
        while (!found && m_list->count() > 0) {
            // The entry's recipe is gone: drop the entry and show the one now in its place.
            removeListEntry(row);
            removed = true;
            if (row >= m_list->count())
                row = m_list->count() - 1;
            found = row >= 0 && RecipeTable::findListEntry(*rs, m_keys, row);
        }
        if (removed) {
            const QSignalBlocker block(m_list);
            if (row >= 0)
                m_list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
            updateListStatus();
        }
        ShowFields();
        takeSavedCopies();
        ChangeMode(kClear);
    } catch (...) {
        m_trackChanges = tracking;
        throw;
    }
    m_trackChanges = tracking;
}

bool RecipeController::showRecipeByName(const QString& name)
{
    for (int i = 0; i < m_list->count(); ++i) {
        if (m_list->item(i)->text().compare(name, Qt::CaseInsensitive) == 0) {
            selectRow(i);
            return true;
        }
    }
    return false;
}

bool RecipeController::showRecipeByKey(const QString& key)
{
    const int row = static_cast<int>(m_keys.indexOf(key));
    if (row < 0)
        return false;
    selectRow(row);
    return true;
}

QStringList RecipeController::selectedKeys() const
{
    QStringList out;
    for (int i = 0; i < m_list->count(); ++i) {
        if (m_list->item(i)->isSelected())
            out << m_keys.value(i);
    }
    return out;
}

QStringList RecipeController::selectedNames() const
{
    QStringList out;
    for (int i = 0; i < m_list->count(); ++i) {
        if (m_list->item(i)->isSelected())
            out << m_list->item(i)->text();
    }
    return out;
}

QString RecipeController::currentKey() const
{
    return m_txtKey->text();
}

QString RecipeController::currentName() const
{
    return m_txtName->text();
}

// ---------------------------------------------------------------------------------------------------------
// Showing a recipe

void RecipeController::fillGrid(QTableWidget* grid, const QString& text)
{
    const QVector<ItemLine> lines = splitItemLines(text);
    grid->clearContents();
    grid->setRowCount(static_cast<int>(lines.size()));
    for (int r = 0; r < lines.size(); ++r) {
        const ItemLine& l = lines.at(r);
        grid->setItem(r, 0, new QTableWidgetItem(l.quantity));
        grid->setItem(r, 1, new QTableWidgetItem(l.units));
        grid->setItem(r, 2, new QTableWidgetItem(l.item));
    }
}

void RecipeController::fillCategoryList(const QString& text)
{
    m_lstCatRecipe->clear();
    m_lstCatRecipe->addItems(splitCategories(text));
}

void RecipeController::loadPicture(const QString& path)
{
    QPixmap picture;
    if (!path.isEmpty() && QFileInfo(path).isFile() && picture.load(path)) {
        m_imgPicture->setPixmap(
            picture.scaled(m_imgPicture->contentsRect().size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    } else {
        m_imgPicture->clear();
    }
}

void RecipeController::ShowFields()
{
    Recordset* rs = recipes();
    if (!rs || rs->eof() || rs->bof()) {
        m_txtID->setText(RecordStatus::NewId);
        m_txtStatus->setText(RecordStatus::New);
        m_txtKey->clear();
        if (!m_copying) {
            m_txtName->clear();
            m_txtCategory->clear();
            m_txtServes->clear();
            m_txtIngredients->clear();
            m_txtInstructions->clear();
            m_txtNutrition->clear();
            m_lstCatRecipe->clear();
            fillGrid(m_gridIngredients, QString());
            fillGrid(m_gridNutrition, QString());
            m_cboSource->setEditText(QString());
            m_cboRating->setEditText(QString());
            m_lblPicFile->clear();
            m_imgPicture->clear();
        }
        return;
    }
    const RecipeFields f = RecipeFields::fromCurrent(*rs);
    m_txtID->setText(f.id);
    m_txtStatus->setText(f.status);
    m_txtKey->setText(f.key);
    m_txtName->setText(f.name);
    m_txtName->setCursorPosition(0);
    m_txtCategory->setText(f.category);
    m_txtServes->setText(f.serves);
    m_txtIngredients->setText(f.ingredients);
    if (toRecordText(m_txtInstructions->toPlainText()) != toRecordText(f.instructions))
        m_txtInstructions->setPlainText(f.instructions);
    m_txtNutrition->setText(f.nutrition);
    showStart(m_cboSource, f.source);
    showStart(m_cboRating, f.rating);
    m_lblPicFile->setText(f.picture);
    loadPicture(f.picture);
    fillCategoryList(f.category);
    fillGrid(m_gridIngredients, f.ingredients);
    fillGrid(m_gridNutrition, f.nutrition);
}

void RecipeController::takeSavedCopies()
{
    m_saved.key = m_txtKey->text();
    m_saved.name = m_txtName->text();
    m_saved.serves = m_txtServes->text();
    m_saved.category = m_txtCategory->text();
    m_saved.instructions = toRecordText(m_txtInstructions->toPlainText());
    m_saved.ingredients = m_txtIngredients->text();
    m_saved.nutrition = m_txtNutrition->text();
    m_saved.source = m_cboSource->currentText();
    m_saved.rating = m_cboRating->currentText();
    m_saved.picture = m_lblPicFile->text();
    m_baseServes = m_saved.serves;
}

void RecipeController::restoreSavedCopies()
{
    m_txtServes->setText(m_saved.serves);
    m_txtName->setText(m_saved.name);
    m_txtInstructions->setPlainText(m_saved.instructions);
    m_txtCategory->setText(m_saved.category);
    m_txtIngredients->setText(m_saved.ingredients);
    m_txtNutrition->setText(m_saved.nutrition);
    showStart(m_cboSource, m_saved.source);
    showStart(m_cboRating, m_saved.rating);
    m_baseServes = m_saved.serves;
    fillCategoryList(m_saved.category);
    fillGrid(m_gridIngredients, m_saved.ingredients);
    fillGrid(m_gridNutrition, m_saved.nutrition);
}

int RecipeController::shownOccurrence() const
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_keys.size())
        return 0;
    const QString key = m_txtKey->text().toCaseFolded();
    if (m_keys.at(row).toCaseFolded() != key)
        return 0;
    int occurrence = 0;
    for (int i = 0; i < row; ++i) {
        if (m_keys.at(i).toCaseFolded() == key)
            ++occurrence;
    }
    return occurrence;
}

// ---------------------------------------------------------------------------------------------------------
// Fields

QString RecipeController::fieldText(const QString& field) const
{
    const QString f = field.toLower();
    if (f == QLatin1String("name"))
        return m_txtName->text();
    if (f == QLatin1String("category"))
        return m_txtCategory->text();
    if (f == QLatin1String("serves"))
        return m_txtServes->text();
    if (f == QLatin1String("ingredients"))
        return m_txtIngredients->text();
    if (f == QLatin1String("instructions"))
        return toRecordText(m_txtInstructions->toPlainText());
    if (f == QLatin1String("nutrition"))
        return m_txtNutrition->text();
    if (f == QLatin1String("rtgsrc"))
        return composeRtgSrc(m_cboRating->currentText(), m_cboSource->currentText());
    if (f == QLatin1String("picture"))
        return m_lblPicFile->text();
    if (f == QLatin1String("key"))
        return m_txtKey->text();
    if (f == QLatin1String("baseserves"))
        return m_baseServes;
    return QString();
}

void RecipeController::setFieldText(const QString& field, const QString& value)
{
    const QString f = field.toLower();
    if (f == QLatin1String("name")) {
        m_txtName->setText(value);
    } else if (f == QLatin1String("category")) {
        m_txtCategory->setText(value);
        fillCategoryList(value);
    } else if (f == QLatin1String("serves")) {
        m_txtServes->setText(value);
    } else if (f == QLatin1String("ingredients")) {
        m_txtIngredients->setText(value);
        fillGrid(m_gridIngredients, value);
    } else if (f == QLatin1String("instructions")) {
        m_txtInstructions->setPlainText(value);
    } else if (f == QLatin1String("nutrition")) {
        m_txtNutrition->setText(value);
        fillGrid(m_gridNutrition, value);
    } else if (f == QLatin1String("rtgsrc")) {
        const RatingSource rs = splitRtgSrc(value);
        showStart(m_cboRating, rs.rating);
        showStart(m_cboSource, rs.source);
    } else if (f == QLatin1String("baseserves")) {
        m_baseServes = value;
    } else if (f == QLatin1String("picture")) {
        m_lblPicFile->setText(value);
        loadPicture(value);
        if (m_trackChanges && value != m_saved.picture)
            ChangeMode(kEdit);
    }
}

// ---------------------------------------------------------------------------------------------------------
// New, copy, save, cancel, delete

void RecipeController::newRecipe()
{
    Recordset* rs = recipes();
    if (!rs)
        return;
    guarded(QStringLiteral("adding a new recipe"), [this, rs] {
        if (rs->totalRecordCount() >= RecipeTable::kMaxRecipes
            && RecipeTable::liveCount(*rs) >= RecipeTable::kMaxRecipes) {
            Dialogs::message(QStringLiteral("Database Limit"),
                             QStringLiteral("You may not have more than ") + QLatin1Char(' ')
                                 + QString::number(RecipeTable::kMaxRecipes)
                                 + QStringLiteral(" recipes.  This is a synchronization limit."));
            return;
        }
        m_txtID->setText(RecordStatus::NewId);
        m_txtStatus->setText(RecordStatus::New);
        m_txtKey->clear();
        if (m_copying) {
            m_txtName->setText(m_txtName->text() + QStringLiteral(" - Copy"));
            m_saved.name.clear();
            m_saved.ingredients.clear();
            m_saved.instructions.clear();
            m_saved.nutrition.clear();
            m_saved.serves.clear();
            m_saved.source.clear();
            m_saved.rating.clear();
            m_baseServes.clear();
        } else {
            m_txtName->clear();
            m_txtCategory->clear();
            m_txtServes->clear();
            m_txtServes->setText(AppState::instance().preference(QStringLiteral("serves")));
            m_txtIngredients->clear();
            m_txtInstructions->clear();
            m_txtNutrition->clear();
            m_lstCatRecipe->clear();
            m_cboSource->setEditText(QString());
            m_cboRating->setEditText(QString());
            fillGrid(m_gridIngredients, QString());
            fillGrid(m_gridNutrition, QString());
            m_saved.name = m_txtName->text();
            m_saved.ingredients = m_txtIngredients->text();
            m_saved.instructions = QString();
            m_saved.nutrition = m_txtNutrition->text();
            m_saved.serves = m_txtServes->text();
            m_saved.source = m_cboSource->currentText();
            m_saved.rating = m_cboRating->currentText();
            m_baseServes = m_saved.serves;
            m_lblPicFile->clear();
            m_imgPicture->clear();
        }
        m_saved.picture.clear();
        m_copying = false;
        ChangeMode(kAdd);
        m_entryMode = kAdd;
        m_txtName->setFocus();
    });
}

void RecipeController::copyRecipe()
{
    if (m_list->count() == 0)
        return;
    m_copying = true;
    if (isEditing())
        saveRecipe();
    m_copying = true; // a save that rebuilt the list may have shown another recipe meanwhile
    newRecipe();
    m_copying = false;
    if (m_entryMode == kAdd)
        Dialogs::message(QStringLiteral("Record Copied"),
                         QStringLiteral("A copy of the record has been made.  Please make any desired changes and "
                                        "click Save."),
                         MsgButtons::Ok, MsgIcon::Information);
}

void RecipeController::saveRecipe()
{
    Recordset* rs = recipes();
    if (!rs)
        return;
    guarded(QStringLiteral("saving a recipe"), [this, rs] {
        RecipeSaveInput in;
        in.fields.id = m_txtID->text();
        in.fields.status = m_txtStatus->text();
        in.fields.key = m_txtKey->text();
        in.fields.name = m_txtName->text();
        in.fields.category = m_txtCategory->text();
        in.fields.serves = m_txtServes->text();
        in.fields.ingredients = m_txtIngredients->text();
        in.fields.instructions = toRecordText(m_txtInstructions->toPlainText());
        in.fields.nutrition = m_txtNutrition->text();
        in.fields.rating = m_cboRating->currentText();
        in.fields.source = m_cboSource->currentText();
        in.fields.picture = m_lblPicFile->text();
        in.savedName = m_saved.name;
        in.adding = m_entryMode == kAdd;
        in.occurrence = in.adding ? 0 : shownOccurrence();
        if (in.fields.name.isEmpty()) {
            Dialogs::message(QString(),
                             QStringLiteral("The Title cannot be blank.") + CRLF + CRLF
                                 + QStringLiteral("Please enter a Title."));
            return;
        }
        ensureListView(*rs);
        const RecipeSaveResult result = ::saveRecipe(*rs, in, m_listFilter, &m_keyIndex);
        if (result.kind == RecipeSaveResult::Updated) {
            ChangeMode(kClear);
            m_entryMode.clear();
            const int row = m_list->currentRow();
            if (row >= 0)
                showEntry(row);
            return;
        }
        ShowRecipes();
        ShowFields();
        ChangeMode(kClear);
        m_entryMode.clear();
        int match = -1;
        for (int i = 0; i < m_list->count() && match < 0; ++i) {
            if (m_list->item(i)->text() == in.fields.name)
                match = i;
        }
        if (match >= 0) {
            selectRow(match);
        } else {
            const QSignalBlocker block(m_list);
            m_list->clearSelection();
        }
    });
}

void RecipeController::cancelRecipe()
{
    const int position = m_list->currentRow();
    const bool tracking = m_trackChanges;
    m_trackChanges = false;
    restoreSavedCopies();
    if (m_entryMode == kAdd)
        ShowFields();
    m_trackChanges = tracking;
    ChangeMode(kClear);
    m_entryMode.clear();
    if (m_list->count() > 0)
        guarded(QStringLiteral("listing all recipes"),
                [this, position] { selectRow(std::clamp(position, 0, m_list->count() - 1)); });
    else
        takeSavedCopies();
}

void RecipeController::pressSave()
{
    saveRecipe();
}

void RecipeController::cancelEdit()
{
    cancelRecipe();
}

void RecipeController::deleteRecipes()
{
    Recordset* rs = recipes();
    if (!rs || m_list->count() == 0)
        return;
    QVector<int> rows;
    for (int i = 0; i < m_list->count(); ++i) {
        if (m_list->item(i)->isSelected())
            rows << i;
    }
    if (rows.isEmpty())
        return;
    const QString question = rows.size() > 1 ? QString::number(rows.size())
            + QStringLiteral(" recipes have been selected. Do you want to delete ALL selected recipes?")
                                             : QStringLiteral("Do you really want to delete this recipe?");
    if (Dialogs::message(QStringLiteral("Confirm Delete"), question, MsgButtons::YesNo, MsgIcon::Question)
        != MsgAnswer::Yes)
        return;

    m_trackChanges = false;
    BusyPointer busy;
    guarded(QStringLiteral("deleting recipes"), [&] {
        ensureListView(*rs);
        RecipeTable::deleteEntries(*rs, m_keys, rows, &m_keyIndex);
        for (int i = static_cast<int>(rows.size()) - 1; i >= 0; --i)
            removeListEntry(rows.at(i));
        // The view drops the deleted records again, so list entries and records stay in step.
        rs->setFilter(m_listFilter);
        ChangeMode(kClear);
        m_entryMode.clear();
        m_lblList->setText(listStatePrefix(m_criteria));
        updateListStatus();
        const int position = rows.last() - static_cast<int>(rows.size()) + 1;
        if (m_list->count() > 0) {
            m_trackChanges = true;
            selectRow(position < m_list->count() ? position : m_list->count() - 1);
        } else {
            // Nothing is listed any more: the blank form is shown, not edited.
            rs->moveLast();
            rs->moveNext();
            ShowFields();
            takeSavedCopies();
        }
    });
    m_trackChanges = true;
}

void RecipeController::deleteDuplicates()
{
    Recordset* rs = recipes();
    if (!rs || m_list->count() == 0)
        return;
    if (Dialogs::message(QStringLiteral("Confirm Delete"),
                         QStringLiteral("Do you really want to delete any duplicate recipes?"), MsgButtons::YesNo,
                         MsgIcon::Question)
        != MsgAnswer::Yes)
        return;
    m_trackChanges = false;
    BusyPointer busy;
    guarded(QStringLiteral("deleting duplicate recipes"), [&] {
        ensureListView(*rs);
        RecipeTable::deleteDuplicates(*rs, m_keys, &m_keyIndex);
    });
    ChangeMode(kClear);
    m_entryMode.clear();
    listAll();
    m_trackChanges = true;
}

// ---------------------------------------------------------------------------------------------------------
// Categories and picture

void RecipeController::editCategories()
{
    guarded(QStringLiteral("adding a category"), [this] {
        CategoryWindow window(splitCategories(m_txtCategory->text()), AppState::instance().dataPath, &m_main);
        if (window.exec() != QDialog::Accepted)
            return;
        const QStringList categories = window.categories();
        fillCategoryList(joinCategories(categories));
        m_txtCategory->setText(joinCategories(categories));
    });
}

void RecipeController::removeCategories()
{
    if (!removeSelectedCategories(m_lstCatRecipe))
        return;
    QStringList remaining;
    for (int i = 0; i < m_lstCatRecipe->count(); ++i)
        remaining << m_lstCatRecipe->item(i)->text();
    m_txtCategory->setText(joinCategories(remaining));
}

void RecipeController::selectPicture()
{
    const QString current = m_lblPicFile->text();
    const QString folder = current.contains(QLatin1Char('.')) ? QFileInfo(current).absolutePath() : QString();
    const QString path
        = Dialogs::openFile(QStringLiteral("Select Picture File"),
                            QStringLiteral("Pictures (*.gif *.jpg *.jpeg *.bmp);;All Files (*)"), folder);
    if (path.isEmpty())
        return; // cancelled: the recipe keeps its picture
    m_lblPicFile->setText(path);
    loadPicture(path);
    ChangeMode(kEdit);
}

void RecipeController::clearPicture()
{
    if (Dialogs::message(QStringLiteral("Clear Picture"),
                         QStringLiteral("Do you want to clear the picture for this record?"), MsgButtons::YesNo)
        != MsgAnswer::Yes)
        return;
    const QString path = m_lblPicFile->text();
    if (!path.isEmpty()) {
        const QString fileName = QFileInfo(path).fileName();
        if (Dialogs::message(QStringLiteral("Delete Picture"),
                             QStringLiteral("Do you also want to delete the picture file") + CRLF + CRLF + fileName
                                 + CRLF + CRLF + QStringLiteral("from your computer?"),
                             MsgButtons::YesNo)
                == MsgAnswer::Yes
            && QFileInfo::exists(path) && !QFile::remove(path)) {
            Dialogs::message(QStringLiteral("Delete Picture"),
                             QStringLiteral("The picture file") + CRLF + CRLF + fileName + CRLF + CRLF
                                 + QStringLiteral("could not be deleted."),
                             MsgButtons::Ok, MsgIcon::Exclamation);
        }
    }
    m_lblPicFile->clear();
    m_imgPicture->clear();
    ChangeMode(kEdit);
}

void RecipeController::viewPicture()
{
    const QString path = m_lblPicFile->text();
    if (path.isEmpty())
        return;
    if (!Platform::openUrl(path))
        Dialogs::message(QStringLiteral("View Picture"),
                         QStringLiteral("The picture could not be opened:") + CRLF + CRLF + path, MsgButtons::Ok,
                         MsgIcon::Exclamation);
}
