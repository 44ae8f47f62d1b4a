#include "recipes/ui/RecipeController.h"

#include "app/Main.h"
#include "base/Dialogs.h"
#include "base/Platform.h"
#include "base/ShowError.h"
#include "recipes/RecipeTable.h"
#include "recipes/ui/RecipeForm.h"
#include "recipes/ui/SearchWindow.h"
#include "shell/AppState.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>

namespace {

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
    , m_ui(main.ui())
    , m_form(new RecipeForm(main.ui(), m_session, &main))
{
    setObjectName(QStringLiteral("recipeController"));
    m_form->setParent(this);
    m_ui.lstAll->setUniformItemSizes(true);

    const auto button = [this](QPushButton* b, auto slot) { connect(b, &QPushButton::clicked, this, slot); };
    const auto action = [this](QAction* a, auto slot) { connect(a, &QAction::triggered, this, slot); };
    button(m_ui.cmdListAll, &RecipeController::listAll);
    button(m_ui.cmdSearch, &RecipeController::filterRecipes);
    button(m_ui.cmdNew, &RecipeController::newRecipe);
    button(m_ui.cmdDupe, &RecipeController::copyRecipe);
    button(m_ui.cmdDelete, &RecipeController::deleteRecipes);
    button(m_ui.cmdNewSave, &RecipeController::saveRecipe);
    button(m_ui.cmdNewCancel, &RecipeController::cancelRecipe);
    connect(m_ui.cmdCatAdd, &QPushButton::clicked, m_form, &RecipeForm::editCategories);
    connect(m_ui.cmdCatDelete, &QPushButton::clicked, m_form, &RecipeForm::removeCategories);
    connect(m_ui.cmdPicture, &QPushButton::clicked, m_form, &RecipeForm::selectPicture);
    connect(m_ui.Command1, &QPushButton::clicked, m_form, &RecipeForm::clearPicture);
    connect(m_ui.cmdEnlarge, &QPushButton::clicked, m_form, &RecipeForm::viewPicture);
    action(m_ui.mnuListAll, &RecipeController::listAll);
    action(m_ui.mnuFilter, &RecipeController::filterRecipes);
    action(m_ui.mnuSelectAll, &RecipeController::selectAll);
    action(m_ui.mnuNewRecipe, &RecipeController::newRecipe);
    action(m_ui.mnuDeleteDupes, &RecipeController::deleteDuplicates);
    // The menu entries that would show another recipe or start a new one go with their buttons.
    m_leavingActions = { m_ui.mnuListAll, m_ui.mnuFilter, m_ui.mnuSelectAll, m_ui.mnuNewRecipe, m_ui.mnuDeleteDupes };

    connect(m_ui.lstAll, &QListWidget::itemSelectionChanged, this, &RecipeController::showSelected);
    connect(&m_session, &RecipeEditSession::editingChanged, this, &RecipeController::showMode);
    connect(m_form, &RecipeForm::nameStartsRecipe, this, &RecipeController::newRecipe);
}

RecipeController::~RecipeController() = default;

Recordset* RecipeController::recipes() const
{
    auto& held = AppState::instance().recipes;
    return held ? &held->recordset() : nullptr;
}

void RecipeController::showMode(bool editing)
{
    for (QWidget* w :
         std::initializer_list<QWidget*> { m_ui.cmdNew, m_ui.cmdDelete, m_ui.cmdListAll, m_ui.cmdSearch, m_ui.lstAll })
        w->setEnabled(!editing);
    for (QAction* a : std::as_const(m_leavingActions))
        a->setEnabled(!editing);
    m_ui.mnuFile->menuAction()->setEnabled(!editing);
    m_ui.mnuEdit->menuAction()->setEnabled(!editing);
    m_ui.cmdNewSave->setVisible(editing);
    m_ui.cmdNewCancel->setVisible(editing);
    m_ui.sbPanel2->setText(editing ? QStringLiteral("EDIT MODE") : QString());
}

// ---------------------------------------------------------------------------------------------------------
// List and search

void RecipeController::setEntries(const QStringList& names, const QStringList& keys)
{
    const QSignalBlocker block(m_ui.lstAll);
    m_ui.lstAll->clear();
    m_ui.lstAll->addItems(names);
    m_keys = keys;
    m_session.setListed(!names.isEmpty());
}

void RecipeController::removeListEntry(int row)
{
    if (row < 0 || row >= m_ui.lstAll->count())
        return;
    const QSignalBlocker block(m_ui.lstAll);
    delete m_ui.lstAll->takeItem(row);
    m_keys.removeAt(row);
    m_session.setListed(m_ui.lstAll->count() > 0);
}

void RecipeController::updateListStatus()
{
    m_ui.sbPanel1->setText(listStatusText(m_criteria, m_ui.lstAll->count()));
}

void RecipeController::showBlank(Recordset& rs)
{
    rs.moveLast();
    rs.moveNext();
    ShowFields();
    m_session.keepAsSaved();
}

void RecipeController::ShowRecipes()
{
    Recordset* rs = recipes();
    if (!rs)
        return;
    BusyPointer busy;
    m_ui.lstAll->setUpdatesEnabled(false);
    m_ui.txtInstructions->setUpdatesEnabled(false);
    setEntries({}, {});
    RecipeListing listing;
    try {
        m_listFilter = RecipeListFilter(m_criteria);
        listing = listRecipes(*rs, m_criteria);
    } catch (...) {
        m_ui.lstAll->setUpdatesEnabled(true);
        m_ui.txtInstructions->setUpdatesEnabled(true);
        throw;
    }
    setEntries(listing.names, listing.keys);
    m_ui.lstAll->setUpdatesEnabled(true);
    m_ui.txtInstructions->setUpdatesEnabled(true);

    if (!listing.names.isEmpty()) {
        updateListStatus();
        selectRow(0);
    } else if (!m_criteria.isEmpty()) {
        Dialogs::message(QStringLiteral("None Found"), QStringLiteral("No records were found matching this search."));
        listAll();
    } else {
        // An empty table: nothing is shown, and the blank fields are what an edit is compared with.
        updateListStatus();
        showBlank(*rs);
        m_session.leaveEdit();
    }
}

void RecipeController::listAll()
{
    guarded(QStringLiteral("listing all recipes"), [this] {
        m_criteria.clearTexts();
        ShowRecipes();
        ShowFields();
        m_session.leaveEdit();
        if (m_ui.lstAll->count() > 0)
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
    QListWidget* list = m_ui.lstAll;
    if (list->count() == 0)
        return;
    {
        const QSignalBlocker block(list);
        list->selectAll();
        list->setCurrentRow(0, QItemSelectionModel::Select);
    }
    showEntry(0);
}

void RecipeController::selectRow(int row)
{
    if (row < 0 || row >= m_ui.lstAll->count())
        return;
    {
        const QSignalBlocker block(m_ui.lstAll);
        m_ui.lstAll->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    }
    showEntry(row);
}

void RecipeController::showSelected()
{
    QListWidget* list = m_ui.lstAll;
    if (list->count() == 0)
        return;
    int row = list->currentRow();
    if (row < 0 || !list->item(row)->isSelected()) {
        const QList<QListWidgetItem*> selected = list->selectedItems();
        if (selected.isEmpty())
            return;
        row = list->row(selected.first());
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
    QListWidget* list = m_ui.lstAll;
    if (!rs || row < 0 || row >= list->count())
        return;
    ensureListView(*rs);
    bool found = RecipeTable::findListEntry(*rs, m_keys, row);
    bool removed = false;
    while (!found && list->count() > 0) {
        // The entry's recipe is gone: drop the entry and show the one now in its place.
        removeListEntry(row);
        removed = true;
        if (row >= list->count())
            row = list->count() - 1;
        found = row >= 0 && RecipeTable::findListEntry(*rs, m_keys, row);
    }
    if (removed) {
        const QSignalBlocker block(list);
        if (row >= 0)
            list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
        updateListStatus();
    }
    ShowFields();
    m_session.keepAsSaved();
    m_session.leaveEdit();
}

bool RecipeController::showRecipeByName(const QString& name)
{
    for (int i = 0; i < m_ui.lstAll->count(); ++i) {
        if (m_ui.lstAll->item(i)->text().compare(name, Qt::CaseInsensitive) == 0) {
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
    for (int i = 0; i < m_ui.lstAll->count(); ++i) {
        if (m_ui.lstAll->item(i)->isSelected())
            out << m_keys.value(i);
    }
    return out;
}

QStringList RecipeController::selectedNames() const
{
    QStringList out;
    for (int i = 0; i < m_ui.lstAll->count(); ++i) {
        if (m_ui.lstAll->item(i)->isSelected())
            out << m_ui.lstAll->item(i)->text();
    }
    return out;
}

QString RecipeController::fieldText(const QString& field) const
{
    return m_form->fieldText(field);
}

void RecipeController::setFieldText(const QString& field, const QString& value)
{
    m_form->setFieldText(field, value);
}

// ---------------------------------------------------------------------------------------------------------
// Showing a recipe

void RecipeController::ShowFields()
{
    Recordset* rs = recipes();
    const bool none = !rs || rs->eof() || rs->bof();
    m_form->show(none ? RecipeRecord::blank() : RecipeRecord::fromCurrent(*rs));
}

int RecipeController::shownOccurrence() const
{
    const int row = m_ui.lstAll->currentRow();
    if (row < 0 || row >= m_keys.size())
        return 0;
    const QString key = m_session.shown().key.toCaseFolded();
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
// New, copy, save, cancel, delete

void RecipeController::newRecipe()
{
    startRecipe(false);
}

void RecipeController::copyRecipe()
{
    if (m_ui.lstAll->count() == 0)
        return;
    if (isEditing())
        saveRecipe();
    startRecipe(true);
}

void RecipeController::startRecipe(bool copy)
{
    Recordset* rs = recipes();
    if (!rs)
        return;
    guarded(QStringLiteral("adding a new recipe"), [this, rs, copy] {
        const QString refusal = RecipeEditSession::newRefusal(*rs);
        if (!refusal.isEmpty()) {
            Dialogs::message(QStringLiteral("Database Limit"), refusal);
            return;
        }
        m_form->show(copy ? m_session.startCopy()
                          : m_session.startNew(AppState::instance().preference(QStringLiteral("serves"))));
        m_ui.txtName->setFocus();
        if (copy)
            Dialogs::message(RecipeEditSession::copiedTitle(), RecipeEditSession::copiedMessage(), MsgButtons::Ok,
                             MsgIcon::Information);
    });
}

void RecipeController::saveRecipe()
{
    Recordset* rs = recipes();
    if (!rs)
        return;
    guarded(QStringLiteral("saving a recipe"), [this, rs] {
        const QString refusal = m_session.saveRefusal();
        if (!refusal.isEmpty()) {
            Dialogs::message(QString(), refusal);
            return;
        }
        const RecipeSaveInput in = m_session.saveInput(shownOccurrence());
        ensureListView(*rs);
        const RecipeSaveResult result = ::saveRecipe(*rs, in, m_listFilter, &m_keyIndex);
        m_session.leaveEdit();
        if (result.kind == RecipeSaveResult::Updated) {
            const int row = m_ui.lstAll->currentRow();
            if (row >= 0)
                showEntry(row);
            return;
        }
        ShowRecipes();
        ShowFields();
        m_session.leaveEdit();
        int match = -1;
        for (int i = 0; i < m_ui.lstAll->count() && match < 0; ++i) {
            if (m_ui.lstAll->item(i)->text() == in.fields.name)
                match = i;
        }
        if (match >= 0) {
            selectRow(match);
        } else {
            const QSignalBlocker block(m_ui.lstAll);
            m_ui.lstAll->clearSelection();
        }
    });
}

void RecipeController::cancelRecipe()
{
    const int position = m_ui.lstAll->currentRow();
    const bool adding = m_session.isAdding();
    m_form->show(m_session.cancel());
    if (adding)
        ShowFields();
    if (m_ui.lstAll->count() > 0)
        guarded(QStringLiteral("listing all recipes"),
                [this, position] { selectRow(std::clamp(position, 0, m_ui.lstAll->count() - 1)); });
    else
        m_session.keepAsSaved();
}

void RecipeController::deleteRecipes()
{
    Recordset* rs = recipes();
    QListWidget* list = m_ui.lstAll;
    if (!rs || list->count() == 0)
        return;
    QVector<int> rows;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->isSelected())
            rows << i;
    }
    if (rows.isEmpty())
        return;
    if (Dialogs::message(QStringLiteral("Confirm Delete"),
                         RecipeEditSession::deleteQuestion(static_cast<int>(rows.size())), MsgButtons::YesNo,
                         MsgIcon::Question)
        != MsgAnswer::Yes)
        return;

    BusyPointer busy;
    guarded(QStringLiteral("deleting recipes"), [&] {
        ensureListView(*rs);
        RecipeTable::deleteEntries(*rs, m_keys, rows, &m_keyIndex);
        for (int i = static_cast<int>(rows.size()) - 1; i >= 0; --i)
            removeListEntry(rows.at(i));
        // The view drops the deleted records again, so list entries and records stay in step.
        rs->setFilter(m_listFilter);
        m_session.leaveEdit();
        m_ui.lblList->setText(listStatePrefix(m_criteria));
        updateListStatus();
        if (list->count() > 0)
            selectRow(RecipeEditSession::rowAfterDelete(rows, list->count()));
        else
            showBlank(*rs); // nothing is listed any more: the blank form is shown, not edited
    });
}

void RecipeController::deleteDuplicates()
{
    Recordset* rs = recipes();
    if (!rs || m_ui.lstAll->count() == 0)
        return;
    if (Dialogs::message(QStringLiteral("Confirm Delete"),
                         QStringLiteral("Do you really want to delete any duplicate recipes?"), MsgButtons::YesNo,
                         MsgIcon::Question)
        != MsgAnswer::Yes)
        return;
    BusyPointer busy;
    guarded(QStringLiteral("deleting duplicate recipes"), [&] {
        ensureListView(*rs);
        RecipeTable::deleteDuplicates(*rs, m_keys, &m_keyIndex);
    });
    m_session.leaveEdit();
    listAll();
}
