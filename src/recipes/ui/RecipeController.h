#pragma once

#include "app/RecipeWindow.h"
#include "recipes/RecipeKeyIndex.h"
#include "recipes/RecipeSave.h"
#include "recipes/SearchCriteria.h"

#include <QObject>
#include <QStringList>

class Main;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class Recordset;

// The recipe window's behaviour on Main: the recipe list and search, showing a recipe, the edit modes with
// change tracking, New/Copy/Save/Cancel/Delete, categories, pictures, the source and rating boxes and
// duplicate removal. Works on the recipe table held by AppState; does nothing while none is loaded.
class RecipeController : public QObject, public RecipeWindow
{
    Q_OBJECT
public:
    explicit RecipeController(Main& main);
    ~RecipeController() override;

    // RecipeWindow
    bool isEditing() const override;
    void pressSave() override;
    void cancelEdit() override;
    void listAll() override;
    void refreshList() override;
    QStringList selectedKeys() const override;
    QStringList selectedNames() const override;
    QString currentKey() const override;
    QString currentName() const override;
    QString fieldText(const QString& field) const override;
    void setFieldText(const QString& field, const QString& value) override;
    bool showRecipeByName(const QString& name) override;
    bool showRecipeByKey(const QString& key) override;

    // Commands, as the buttons and menu entries run them.
    void ShowRecipes();
    void ShowFields();
    void ChangeMode(const QString& mode);
    void filterRecipes();
    void selectAll();
    void newRecipe();
    void copyRecipe();
    void saveRecipe();
    void cancelRecipe();
    void deleteRecipes();
    void deleteDuplicates();
    void editCategories();
    void removeCategories();
    void selectPicture();
    void clearPicture();
    void viewPicture();

    QString entryMode() const { return m_entryMode; }
    const SearchCriteria& searchCriteria() const { return m_criteria; }
    // Replaces the stored criteria as the search window's "Do Filter" does (the list is not rebuilt).
    void setSearchCriteria(const SearchCriteria& criteria) { m_criteria = criteria; }
    QString recipeListFilter() const { return m_listFilter; }

private:
    Recordset* recipes() const;
    void showSelected();
    void showEntry(int row);
    // Puts the list's filter and order back on the table when something else changed them.
    void ensureListView(Recordset& rs);
    void takeSavedCopies();
    void restoreSavedCopies();
    void fillGrid(QTableWidget* grid, const QString& text);
    void fillCategoryList(const QString& text);
    void loadPicture(const QString& path);
    void setKeys(const QStringList& keys);
    void removeListEntry(int row);
    void selectRow(int row);
    void updateListStatus();
    int shownOccurrence() const;
    void trackChange(const QString& text, const QString& saved);
    void onNameChanged();
    void onComboEdited(QComboBox* box, int limit);
    void onComboChanged(QComboBox* box, int limit);
    bool enforceLimit(QComboBox* box, int limit);
    bool eventFilter(QObject* watched, QEvent* event) override;

    Main& m_main;
    QListWidget* m_list;
    QListWidget* m_keyList;
    QLabel* m_lblList;
    QPushButton *m_cmdListAll, *m_cmdSearch, *m_cmdNew, *m_cmdDupe, *m_cmdDelete, *m_cmdSave, *m_cmdCancel;
    QPushButton* m_cmdCatAdd;
    QLineEdit *m_txtName, *m_txtServes, *m_txtID, *m_txtStatus, *m_txtKey, *m_txtCategory, *m_txtIngredients,
        *m_txtNutrition;
    QPlainTextEdit* m_txtInstructions;
    QTableWidget *m_gridIngredients, *m_gridNutrition;
    QListWidget* m_lstCatRecipe;
    QComboBox *m_cboSource, *m_cboRating;
    QLabel *m_imgPicture, *m_lblPicFile, *m_panel1, *m_panel2;
    QMenu *m_mnuFile, *m_mnuEdit;
    QList<QAction*> m_leavingActions; // menu entries disabled in edit mode, like the buttons they stand for

    RecipeKeyIndex m_keyIndex;
    QStringList m_keys; // the keys of the list entries (mirrored into lstKeys)
    SearchCriteria m_criteria;
    QString m_listFilter;
    QString m_entryMode;
    bool m_trackChanges = true;
    bool m_copying = false;
    bool m_selectAllRunning = false;
    bool m_startingFromName = false;
    int m_comboBlock = 0;
    RecipeRecord m_saved; // saved copies of the shown recipe
    QString m_baseServes;
    QString m_comboTexts[2]; // texts of the source and rating boxes while their lists are refilled
};
