#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class QListWidget;

// The window "Edit Recipe Categories" (frmCategory): assigns up to six categories of the master category
// list to a recipe. Opens with the recipe's categories; categories() holds the edited list after OK.
class CategoryWindow : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kMaxCategories = 6;

    // Fills the master list from a fresh copy of the category table of dataFolder.
    CategoryWindow(const QStringList& recipeCategories, const QString& dataFolder, QWidget* parent = nullptr);

    QStringList categories() const;

    // Opens the master category editor; the master list is read again afterwards. Not set: the button is
    // disabled.
    static std::function<void(QWidget* parent)>& masterListEditor();

private:
    void fillCatList();
    void addSelected();
    void removeSelected();

    QString m_dataFolder;
    QListWidget* m_all;
    QListWidget* m_recipe;
};

// Removes the selected entries of a category list; afterwards, when entries remain and the previously
// selected position is past the end, selects the new last entry. False when nothing was selected.
bool removeSelectedCategories(QListWidget* list);
