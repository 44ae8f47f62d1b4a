#include "app/MainUi.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTableWidget>

namespace {

// Small helpers that create a named control at its design place.
template <typename W> W* place(QWidget* parent, const char* name, int x, int y, int w, int h)
{
    auto* widget = new W(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(x, y, w, h);
    return widget;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h = 18)
{
    auto* l = place<QLabel>(parent, name, x, y, w, h);
    l->setText(text);
    return l;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& tip, int x, int y, int w,
                    int h = 28)
{
    auto* b = place<QPushButton>(parent, name, x, y, w, h);
    b->setText(caption);
    b->setToolTip(tip);
    return b;
}

QPushButton* iconButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon, const QString& tip, int x,
                        int y)
{
    auto* b = place<QPushButton>(parent, name, x, y, 30, 28);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setToolTip(tip);
    return b;
}

QTableWidget* lineGrid(QWidget* parent, const char* name, int x, int y, int w, int h, int qtyWidth)
{
    auto* grid = place<QTableWidget>(parent, name, x, y, w, h);
    grid->setColumnCount(3);
    grid->setHorizontalHeaderLabels({ QStringLiteral("Qty"), QStringLiteral("Units"), QStringLiteral("Item") });
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->verticalHeader()->setVisible(false);
    grid->verticalHeader()->setDefaultSectionSize(22);
    grid->setColumnWidth(0, qtyWidth);
    grid->setColumnWidth(1, qtyWidth);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return grid;
}

} // namespace

void MainUi::setupUi(QMainWindow* window)
{
    auto* c = new QWidget(window);
    c->setObjectName(QStringLiteral("mainArea"));
    c->setMinimumSize(1, 1);
    window->setCentralWidget(c);

    // Left side: the recipe list and the command buttons below it.
    lblList = label(c, "lblList", QStringLiteral("Recipes List:"), 8, 6, 160);
    lstAll = place<QListWidget>(c, "lstAll", 8, 26, 244, 356);
    lstAll->setSelectionMode(QAbstractItemView::ExtendedSelection);

    const int col1 = 8, col2 = 134, bw = 118;
    cmdListAll
        = button(c, "cmdListAll", QStringLiteral("&List All"), QStringLiteral("List All Recipes"), col1, 390, bw);
    cmdSearch = button(c, "cmdSearch", QStringLiteral("&Filter"), QStringLiteral("Filter Recipes"), col2, 390, bw);
    cmdNew = button(c, "cmdNew", QStringLiteral("&New"), QStringLiteral("Add New Recipe"), col1, 422, bw);
    cmdDupe = button(c, "cmdDupe", QStringLiteral("Copy"), QStringLiteral("Duplicate Recipe"), col2, 422, bw);
    cmdDelete = button(c, "cmdDelete", QStringLiteral("&Delete"), QStringLiteral("Delete Recipe(s)"), col1, 454, bw);
    cmdMenuAdd = button(c, "cmdMenuAdd", QStringLiteral("Menu Add"), QStringLiteral("Add Recipe to Menu Planner"), col2,
                        454, bw);
    cmdMenu = button(c, "cmdMenu", QStringLiteral("&Menu"), QStringLiteral("View Menu Planner"), col1, 486, bw);
    cmdShopSL = button(c, "cmdShopSL", QStringLiteral("S&hop"), QStringLiteral("View Shopping List"), col2, 486, bw);
    // Save and Cancel are shown only while a recipe is being added or edited.
    cmdNewSave = button(c, "cmdNewSave", QStringLiteral("S&ave"), QStringLiteral("Save Changes"), col1, 524, bw);
    cmdNewCancel
        = button(c, "cmdNewCancel", QStringLiteral("Canc&el"), QStringLiteral("Cancel Changes"), col2, 524, bw);
    cmdNewSave->hide();
    cmdNewCancel->hide();

    setupRecipePages(c);
    setupStatusAndMenus(window);
}

void MainUi::setupRecipePages(QWidget* c)
{
    // Right side: name, ingredients with their buttons, and the tab pages.
    const int rx = 268;
    label(c, "lblName", QStringLiteral("Name:"), rx, 8, 48);
    txtName = place<QLineEdit>(c, "txtName", rx + 52, 5, 800 - 8 - rx - 52, 24);
    txtName->setMaxLength(75);
    label(c, "lblIngredients", QStringLiteral("Ingredients:"), rx, 36, 120);
    gridIngredients = lineGrid(c, "gridIngredients", rx, 56, 478, 226, 87);
    const int bx = 800 - 8 - 30;
    cmdIngrEdit = iconButton(c, "cmdIngrEdit", QStyle::SP_FileDialogContentsView,
                             QStringLiteral("Add or Edit Ingredients"), bx, 56);
    cmdIngrDelete = iconButton(c, "cmdIngrDelete", QStyle::SP_DialogDiscardButton,
                               QStringLiteral("Delete Selected Ingredient"), bx, 88);
    cmdIngrScroll_0
        = iconButton(c, "cmdIngrScroll_0", QStyle::SP_ArrowUp, QStringLiteral("Move Ingredient Up"), bx, 120);
    cmdIngrScroll_1
        = iconButton(c, "cmdIngrScroll_1", QStyle::SP_ArrowDown, QStringLiteral("Move Ingredient Down"), bx, 152);
    cmdIngrList = iconButton(c, "cmdIngrList", QStyle::SP_FileDialogNewFolder,
                             QStringLiteral("Add ALL ingredients to Master Ingredients List"), bx, 184);
    cmdShop_1 = iconButton(c, "cmdShop_1", QStyle::SP_DialogOkButton,
                           QStringLiteral("Add ALL ingredients to shopping list"), bx, 222);
    cmdShop_0 = iconButton(c, "cmdShop_0", QStyle::SP_DialogApplyButton,
                           QStringLiteral("Add ingredient to shopping list"), bx, 254);

    tab1 = place<QTabBar>(c, "tab1", rx, 292, 800 - 8 - rx, 28);
    tab1->setExpanding(false);
    tab1->setDrawBase(true);
    const struct
    {
        const char* caption;
        const char* tip;
    } pages[] = { { "Instructions", "View Instructions" },
                  { "Nutrition", "View Nutritional Information" },
                  { "Other", "Categories, Servings, Source, and Rating information" },
                  { "Picture ", "Select a graphic for this recipe" } };
    for (const auto& p : pages) {
        const int i = tab1->addTab(QString::fromLatin1(p.caption));
        tab1->setTabToolTip(i, QString::fromLatin1(p.tip));
    }

    const int fw = 800 - 8 - rx, fh = 560 - 6 - 320;
    for (int i = 0; i < 4; ++i) {
        const QByteArray name = "frmTab_" + QByteArray::number(i + 1);
        frmTab[i] = place<QFrame>(c, name.constData(), rx, 320, fw, fh);
        frmTab[i]->setFrameShape(QFrame::StyledPanel);
    }

    // 1: Instructions.
    txtInstructions = place<QPlainTextEdit>(frmTab[0], "txtInstructions", 6, 6, fw - 12, fh - 12);

    // 2: Nutrition.
    label(frmTab[1], "lblNutrition", QStringLiteral("Nutritional Information:"), 8, 6, 200);
    gridNutrition = lineGrid(frmTab[1], "gridNutrition", 8, 26, fw - 56, fh - 34, 67);
    cmdNtrnEdit = iconButton(frmTab[1], "cmdNtrnEdit", QStyle::SP_FileDialogContentsView,
                             QStringLiteral("Add or Edit Ingredients"), fw - 40, 26);

    // 3: Other.
    QWidget* o = frmTab[2];
    label(o, "lblCategories", QStringLiteral("Categories:"), 8, 6, 120);
    lstCatRecipe = place<QListWidget>(o, "lstCatRecipe", 8, 26, 180, fh - 34);
    lstCatRecipe->setSelectionMode(QAbstractItemView::ExtendedSelection);
    cmdCatAdd
        = iconButton(o, "cmdCatAdd", QStyle::SP_FileDialogNewFolder, QStringLiteral("Add or Edit Categories"), 194, 26);
    cmdCatDelete = iconButton(o, "cmdCatDelete", QStyle::SP_DialogDiscardButton,
                              QStringLiteral("Remove Category from this Recipe"), 194, 58);
    const int ox = 240, lw = 52, fx = ox + lw;
    label(o, "lblServes", QStringLiteral("Serves:"), ox, 12, lw);
    txtServes = place<QLineEdit>(o, "txtServes", fx, 9, 80, 24);
    txtServes->setMaxLength(8);
    cmdMultiply
        = button(o, "cmdMultiply", QStringLiteral("Sca&le"), QStringLiteral("Scale Ingredients"), fx + 88, 7, 80);
    label(o, "lblSource", QStringLiteral("Source:"), ox, 50, lw);
    cboSource = place<QComboBox>(o, "cboSource", fx, 47, 134, 24);
    cboSource->setEditable(true);
    cboSource->setToolTip(QStringLiteral("Select or enter a source"));
    cmdEditSource = button(o, "cmdEditSource", QStringLiteral("&Edit List..."), QString(), fx + 140, 45, 90);
    label(o, "lblRating", QStringLiteral("Rating:"), ox, 88, lw);
    cboRating = place<QComboBox>(o, "cboRating", fx, 85, 134, 24);
    cboRating->setEditable(true);
    cboRating->setToolTip(QStringLiteral("Select or enter a rating"));
    cmdEditRating = button(o, "cmdEditRating", QStringLiteral("&Edit List..."), QString(), fx + 140, 83, 90);

    // 4: Picture.
    QWidget* p = frmTab[3];
    imgPicture = place<QLabel>(p, "imgPicture", 8, 8, 300, fh - 16);
    imgPicture->setFrameShape(QFrame::Panel);
    imgPicture->setFrameShadow(QFrame::Sunken);
    imgPicture->setAlignment(Qt::AlignCenter);
    imgPicture->setProperty("kind", QStringLiteral("image"));
    label(p, "lblFilename", QStringLiteral("Filename: "), 320, 8, 180);
    lblPicFile = label(p, "lblPicFile", QString(), 320, 28, fw - 328, 54);
    lblPicFile->setWordWrap(true);
    lblPicFile->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    cmdPicture = button(p, "cmdPicture", QStringLiteral("Select..."), QStringLiteral("Select picture"), 320, 92, 90);
    cmdEnlarge = button(p, "cmdEnlarge", QStringLiteral("View..."), QStringLiteral("View picture in viewer window"),
                        320, 126, 90);
    Command1 = button(p, "Command1", QStringLiteral("Clear"), QStringLiteral("Clear selected picture"), 320, 160, 90);
}

void MainUi::setupStatusAndMenus(QMainWindow* window)
{
    auto* status = new QStatusBar(window);
    status->setObjectName(QStringLiteral("StatusBar1"));
    sbPanel1 = new QLabel(status);
    sbPanel1->setObjectName(QStringLiteral("sbPanel1"));
    sbPanel2 = new QLabel(status);
    sbPanel2->setObjectName(QStringLiteral("sbPanel2"));
    sbPanel2->setMinimumWidth(120);
    status->addWidget(sbPanel1, 1);
    status->addPermanentWidget(sbPanel2);
    window->setStatusBar(status);

    QMenuBar* bar = window->menuBar();
    auto menu = [&](const char* name, const QString& title) {
        QMenu* m = bar->addMenu(title);
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    auto item = [&](QMenu* m, const char* name, const QString& caption) {
        QAction* a = m->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };

    mnuFile = menu("mnuFile", QStringLiteral("&File"));
    mnuSaveAll = item(mnuFile, "mnuSaveAll", QStringLiteral("Save &All"));
    mnuFile->addSeparator();
    mnuImport = item(mnuFile, "mnuImport", QStringLiteral("&Import Recipes..."));
    mnuExport = item(mnuFile, "mnuExport", QStringLiteral("&Export Recipes..."));
    mnuFile->addSeparator();
    mnuBackup = item(mnuFile, "mnuBackup", QStringLiteral("&Backup Recipes..."));
    mnuRestore = item(mnuFile, "mnuRestore", QStringLiteral("&Restore Recipes..."));
    mnuFile->addSeparator();
    mnuTransfer = item(mnuFile, "mnuTransfer", QStringLiteral("&Transfer PC Data to Handheld"));
    mnuRetrieve = item(mnuFile, "mnuRetrieve", QStringLiteral("&Retrieve Data from Handheld"));
    mnuFile->addSeparator();
    mnuPrint = item(mnuFile, "mnuPrint", QStringLiteral("&Print Recipe(s)..."));
    mnuMenuPrint = item(mnuFile, "mnuMenuPrint", QStringLiteral("Print Menu Planner"));
    mnuPrintSL = item(mnuFile, "mnuPrintSL", QStringLiteral("Print Shopping List"));
    mnuFile->addSeparator();
    mnuExit = item(mnuFile, "mnuExit", QStringLiteral("E&xit"));

    mnuEdit = menu("mnuEdit", QStringLiteral("Edit"));
    mnuEditMasterQty = item(mnuEdit, "mnuEditMasterQty", QStringLiteral("Edit Master &Quantities List..."));
    mnuEditMasterUnits = item(mnuEdit, "mnuEditMasterUnits", QStringLiteral("Edit Master &Units List..."));
    mnuEditMasterIngr = item(mnuEdit, "mnuEditMasterIngr", QStringLiteral("Edit Master &Ingredients List..."));
    mnuEditNtrn = item(mnuEdit, "mnuEditNtrn", QStringLiteral("Edit Master &Nutritional Items List..."));
    mnuCat = item(mnuEdit, "mnuCat", QStringLiteral("Edit Master &Category List..."));
    mnuEditSource = item(mnuEdit, "mnuEditSource", QStringLiteral("Edit Master &Source List..."));
    mnuEditRating = item(mnuEdit, "mnuEditRating", QStringLiteral("Edit Master Ratings List..."));
    mnuEditAisle = item(mnuEdit, "mnuEditAisle", QStringLiteral("Edit Master Aisle List..."));
    mnuEditMeal = item(mnuEdit, "mnuEditMeal", QStringLiteral("Edit Master Meals List..."));
    mnuEdit->addSeparator();
    mnuMenuCopy = item(mnuEdit, "mnuMenuCopy", QStringLiteral("Copy &Menu Planner to Clipboard"));
    mnuCopySL = item(mnuEdit, "mnuCopySL", QStringLiteral("Copy Shopping &List to Clipboard"));
    mnuSplashShopper = item(mnuEdit, "mnuSplashShopper", QStringLiteral("E&xport Shopping List to SplashShopper..."));
    mnuEdit->addSeparator();
    mnuPrefs = item(mnuEdit, "mnuPrefs", QStringLiteral("&Preferences..."));

    mnuRecipe = menu("mnuRecipe", QStringLiteral("Recipe"));
    mnuListAll = item(mnuRecipe, "mnuListAll", QStringLiteral("&List All Recipes"));
    mnuFilter = item(mnuRecipe, "mnuFilter", QStringLiteral("&Filter Recipes..."));
    mnuSelectAll = item(mnuRecipe, "mnuSelectAll", QStringLiteral("Select &All Recipes"));
    mnuRecipe->addSeparator();
    mnuNewRecipe = item(mnuRecipe, "mnuNewRecipe", QStringLiteral("Add &New Recipe"));
    mnuSmartPaste = item(mnuRecipe, "mnuSmartPaste", QStringLiteral("Smart &Ingredients Paste"));
    mnuCopy = item(mnuRecipe, "mnuCopy", QStringLiteral("Copy &Recipe to Clipboard"));
    mnuRecipe->addSeparator();
    mnuDeleteDupes = item(mnuRecipe, "mnuDeleteDupes", QStringLiteral("&Delete Duplicates"));

    mnuView = menu("mnuView", QStringLiteral("View"));
    mnuViewMenu = item(mnuView, "mnuViewMenu", QStringLiteral("&Menu Planner"));
    mnuViewSL = item(mnuView, "mnuViewSL", QStringLiteral("S&hopping List"));
    mnuEquiv = item(mnuView, "mnuEquiv", QStringLiteral("E&quivalents"));

    mnuHelpMenu = menu("mnuHelpMenu", QStringLiteral("Help"));
    mnuHelp = item(mnuHelpMenu, "mnuHelp", QStringLiteral("&Help File..."));
    mnuAbout = item(mnuHelpMenu, "mnuAbout", QStringLiteral("About..."));
    mnuHelpMenu->addSeparator();
    mnuWebsite = item(mnuHelpMenu, "mnuWebsite", QStringLiteral("&Website..."));
    mnuUpdate = item(mnuHelpMenu, "mnuUpdate", QStringLiteral("Download &Update..."));
    mnuMoreRecipes = item(mnuHelpMenu, "mnuMoreRecipes", QStringLiteral("More &Recipes..."));
}
