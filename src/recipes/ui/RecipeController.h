#pragma once

#include "app/RecipeWindow.h"
#include "recipes/RecipeEditSession.h"
#include "recipes/RecipeKeyIndex.h"
#include "recipes/SearchCriteria.h"

#include <QObject>
#include <QStringList>

class Main;
struct MainUi;
class QAction;
class RecipeForm;
class Recordset;

// The recipe window's behaviour on Main: the recipe list and search, showing a recipe, and the New, Copy,
// Save, Cancel and Delete commands, decided by the editing session (RecipeEditSession) whose fields the form
// (RecipeForm) shows. Works on the recipe table held by AppState; does nothing while none is loaded.
class RecipeController : public QObject, public RecipeWindow
{
    Q_OBJECT
public:
    explicit RecipeController(Main& main);
    ~RecipeController() override;

    // RecipeWindow
    bool isEditing() const override { return m_session.isEditing(); }
    void pressSave() override { saveRecipe(); }
    void cancelEdit() override { cancelRecipe(); }
    void listAll() override;
    void refreshList() override;
    QStringList selectedKeys() const override;
    QStringList selectedNames() const override;
    QString currentKey() const override { return m_session.shown().key; }
    QString currentName() const override { return m_session.shown().name; }
    QString fieldText(const QString& field) const override;
    void setFieldText(const QString& field, const QString& value) override;
    bool showRecipeByName(const QString& name) override;
    bool showRecipeByKey(const QString& key) override;

    // Commands, as the buttons and menu entries run them.
    void ShowRecipes();
    void ShowFields();
    void filterRecipes();
    void selectAll();
    void newRecipe();
    void copyRecipe();
    void saveRecipe();
    void cancelRecipe();
    void deleteRecipes();
    void deleteDuplicates();

    // "Add" while a new recipe or a copy is being entered, else empty.
    QString entryMode() const { return m_session.isAdding() ? QStringLiteral("Add") : QString(); }
    const RecipeEditSession& session() const { return m_session; }
    const SearchCriteria& searchCriteria() const { return m_criteria; }
    // Replaces the stored criteria as the search window's "Do Filter" does (the list is not rebuilt).
    void setSearchCriteria(const SearchCriteria& criteria) { m_criteria = criteria; }
    QString recipeListFilter() const { return m_listFilter; }

private:
    Recordset* recipes() const;
    void showMode(bool editing);
    // New (copy false) or Copy, unless the table is full.
    void startRecipe(bool copy);
    void showSelected();
    void showEntry(int row);
    // Shows the blank form, with nothing to compare an edit with.
    void showBlank(Recordset& rs);
    // Puts the list's filter and order back on the table when something else changed them.
    void ensureListView(Recordset& rs);
    void setEntries(const QStringList& names, const QStringList& keys);
    void removeListEntry(int row);
    void selectRow(int row);
    void updateListStatus();
    int shownOccurrence() const;

    Main& m_main;
    const MainUi& m_ui;
    RecipeEditSession m_session;
    RecipeForm* m_form;
    QList<QAction*> m_leavingActions; // menu entries disabled in edit mode, like the buttons they stand for

    RecipeKeyIndex m_keyIndex;
    QStringList m_keys; // the keys of the list entries
    SearchCriteria m_criteria;
    QString m_listFilter;
};
