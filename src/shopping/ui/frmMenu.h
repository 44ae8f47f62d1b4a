#pragma once

#include "shopping/MenuPlannerModel.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QTableWidget;
class RecipeWindow;

// "Menu Planner": dated entries of recipes and meals on the menu table held for the whole run, with buttons to
// put their ingredients on the shopping list and to show a planned recipe in the recipe window.
class frmMenu : public QDialog
{
    Q_OBJECT
public:
    // menu: the held menu table; recipes: the recipe window (may be null) that View asks to show a recipe.
    frmMenu(Recordset& menu, const QString& dataFolder, RecipeWindow* recipes, QWidget* parent = nullptr);
    ~frmMenu() override;

    MenuPlannerModel& model() { return m_model; }

    static constexpr int RecipeLength = 60;
    static constexpr int MealLength = 9;

private:
    void buildControls();
    void loadMeals();
    void LoadGrid();
    void selectGridRow(int row, int lastColumn);
    void showHeld();
    void cmdAddUpdate_Click();
    void cmdEdit_Click();
    void cmdReset_Click();
    void cmdDelete_Click();
    void cmdClearSL_Click();
    void cmdView_Click();
    void cmdMenuShop_Click(int index);

    MenuPlannerModel m_model;
    QString m_dataFolder;
    RecipeWindow* m_recipes;

    QDateEdit* m_date = nullptr;
    QLineEdit* m_item = nullptr;
    QComboBox* m_meal = nullptr;
    QTableWidget* m_grid = nullptr;
    QPushButton* m_addUpdate = nullptr;
    QLineEdit* m_id = nullptr;
    QLineEdit* m_status = nullptr;
    QLineEdit* m_key = nullptr;
};
