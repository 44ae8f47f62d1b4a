#pragma once

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMainWindow;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabBar;
class QTableWidget;
class QWidget;

// Typed access to every control and menu entry of the main window, as a generated form class gives it. The
// main window builds them (setupUi) and hands this struct to each subsystem, which connects its behaviour to
// the pointers. Every control also carries its name as objectName, for tests.
struct MainUi
{
    // The recipe list and the buttons below it.
    QLabel* lblList = nullptr;
    QListWidget* lstAll = nullptr;
    QPushButton *cmdListAll = nullptr, *cmdSearch = nullptr, *cmdNew = nullptr, *cmdDupe = nullptr;
    QPushButton *cmdDelete = nullptr, *cmdMenuAdd = nullptr, *cmdMenu = nullptr, *cmdShopSL = nullptr;
    QPushButton *cmdNewSave = nullptr, *cmdNewCancel = nullptr;

    // Name and ingredients.
    QLineEdit* txtName = nullptr;
    QTableWidget* gridIngredients = nullptr;
    QPushButton *cmdIngrEdit = nullptr, *cmdIngrDelete = nullptr, *cmdIngrScroll_0 = nullptr,
                *cmdIngrScroll_1 = nullptr, *cmdIngrList = nullptr, *cmdShop_0 = nullptr, *cmdShop_1 = nullptr;

    // The tab pages: instructions, nutrition, other, picture.
    QTabBar* tab1 = nullptr;
    QFrame* frmTab[4] = {};
    QPlainTextEdit* txtInstructions = nullptr;
    QTableWidget* gridNutrition = nullptr;
    QPushButton* cmdNtrnEdit = nullptr;
    QListWidget* lstCatRecipe = nullptr;
    QPushButton *cmdCatAdd = nullptr, *cmdCatDelete = nullptr;
    QLineEdit* txtServes = nullptr;
    QPushButton* cmdMultiply = nullptr;
    QComboBox *cboSource = nullptr, *cboRating = nullptr;
    QPushButton *cmdEditSource = nullptr, *cmdEditRating = nullptr;
    QLabel *imgPicture = nullptr, *lblPicFile = nullptr;
    QPushButton *cmdPicture = nullptr, *cmdEnlarge = nullptr, *Command1 = nullptr;

    // The status bar panels.
    QLabel *sbPanel1 = nullptr, *sbPanel2 = nullptr;

    // Menus and their entries.
    QMenu *mnuFile = nullptr, *mnuEdit = nullptr, *mnuRecipe = nullptr, *mnuView = nullptr, *mnuHelpMenu = nullptr;
    QAction *mnuSaveAll = nullptr, *mnuImport = nullptr, *mnuExport = nullptr, *mnuBackup = nullptr,
            *mnuRestore = nullptr, *mnuTransfer = nullptr, *mnuRetrieve = nullptr, *mnuPrint = nullptr,
            *mnuMenuPrint = nullptr, *mnuPrintSL = nullptr, *mnuExit = nullptr;
    QAction *mnuEditMasterQty = nullptr, *mnuEditMasterUnits = nullptr, *mnuEditMasterIngr = nullptr,
            *mnuEditNtrn = nullptr, *mnuCat = nullptr, *mnuEditSource = nullptr, *mnuEditRating = nullptr,
            *mnuEditAisle = nullptr, *mnuEditMeal = nullptr, *mnuMenuCopy = nullptr, *mnuCopySL = nullptr,
            *mnuSplashShopper = nullptr, *mnuPrefs = nullptr;
    QAction *mnuListAll = nullptr, *mnuFilter = nullptr, *mnuSelectAll = nullptr, *mnuNewRecipe = nullptr,
            *mnuSmartPaste = nullptr, *mnuCopy = nullptr, *mnuDeleteDupes = nullptr;
    QAction *mnuViewMenu = nullptr, *mnuViewSL = nullptr, *mnuEquiv = nullptr;
    QAction *mnuHelp = nullptr, *mnuAbout = nullptr, *mnuWebsite = nullptr, *mnuUpdate = nullptr,
            *mnuMoreRecipes = nullptr;

    // Builds the controls at their design places (800 × 560 central area), the menus and the status bar on
    // window, and fills every pointer. Save and Cancel start hidden.
    void setupUi(QMainWindow* window);

private:
    void setupRecipePages(QWidget* central);
    void setupStatusAndMenus(QMainWindow* window);
};
