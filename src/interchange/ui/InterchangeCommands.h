#pragma once

#include <QObject>

class Main;

// Connects the interchange commands of the main window: Import Recipes (mnuImport), Export Recipes
// (mnuExport), Copy Recipe to Clipboard (mnuCopy), Copy Shopping List (mnuCopySL), Copy Menu Planner
// (mnuMenuCopy) and Export Shopping List to SplashShopper (mnuSplashShopper).
void attachInterchange(Main& main);

// The behaviour behind those menu items, owned by Main (object name "InterchangeCommands").
class InterchangeCommands : public QObject
{
    Q_OBJECT
public:
    explicit InterchangeCommands(Main& main);

    // Opens the import window; afterwards the recipe list is rebuilt.
    void importRecipes() { importFile(QString()); }
    // The same with file already chosen in the window (the program started to open a recipe file); an empty
    // file leaves the window's last file.
    void importFile(const QString& file);
    // With no recipe selected tells the user so; otherwise opens the export window and selects the recipe
    // that was selected before.
    void exportRecipes();
    // The shown recipe's text to the clipboard (nothing when the recipe list is empty).
    void copyRecipe();
    void copyShoppingList();
    void copyMenuPlanner();
    // Asks for a file and writes the shopping list for SplashShopper.
    void exportSplashShopper();

private:
    Main& m_main;
};
