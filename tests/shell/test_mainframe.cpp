#include "TestData.h"
#include "app/Main.h"
#include "shell/AppState.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTabBar>
#include <QTableWidget>
#include <QtTest>

class TestMainFrame : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { AppState::instance().reset(); }

    void controlsExist_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tip");
        auto row = [](const char* n, const char* cls, const char* caption, const char* tip) {
            QTest::newRow(n) << QString::fromLatin1(n) << QString::fromLatin1(cls) << QString::fromLatin1(caption)
                             << QString::fromLatin1(tip);
        };
        row("lblList", "QLabel", "Recipes List:", "");
        row("lstAll", "QListWidget", "", "");
        row("lstKeys", "QListWidget", "", "");
        row("cmdListAll", "QPushButton", "&List All", "List All Recipes");
        row("cmdSearch", "QPushButton", "&Filter", "Filter Recipes");
        row("cmdNew", "QPushButton", "&New", "Add New Recipe");
        row("cmdDupe", "QPushButton", "Copy", "Duplicate Recipe");
        row("cmdDelete", "QPushButton", "&Delete", "Delete Recipe(s)");
        row("cmdNewSave", "QPushButton", "S&ave", "Save Changes");
        row("cmdNewCancel", "QPushButton", "Canc&el", "Cancel Changes");
        row("cmdMenuAdd", "QPushButton", "Menu Add", "Add Recipe to Menu Planner");
        row("cmdMenu", "QPushButton", "&Menu", "View Menu Planner");
        row("cmdShopSL", "QPushButton", "S&hop", "View Shopping List");
        row("txtName", "QLineEdit", "", "");
        row("gridIngredients", "QTableWidget", "", "");
        row("cmdIngrEdit", "QPushButton", "", "Add or Edit Ingredients");
        row("cmdIngrDelete", "QPushButton", "", "Delete Selected Ingredient");
        row("cmdIngrScroll_0", "QPushButton", "", "Move Ingredient Up");
        row("cmdIngrScroll_1", "QPushButton", "", "Move Ingredient Down");
        row("cmdIngrList", "QPushButton", "", "Add ALL ingredients to Master Ingredients List");
        row("cmdShop_0", "QPushButton", "", "Add ingredient to shopping list");
        row("cmdShop_1", "QPushButton", "", "Add ALL ingredients to shopping list");
        row("tab1", "QTabBar", "", "");
        row("txtInstructions", "QPlainTextEdit", "", "");
        row("gridNutrition", "QTableWidget", "", "");
        row("cmdNtrnEdit", "QPushButton", "", "Add or Edit Ingredients");
        row("lstCatRecipe", "QListWidget", "", "");
        row("cmdCatAdd", "QPushButton", "", "Add or Edit Categories");
        row("cmdCatDelete", "QPushButton", "", "Remove Category from this Recipe");
        row("txtServes", "QLineEdit", "", "");
        row("cmdMultiply", "QPushButton", "Sca&le", "Scale Ingredients");
        row("cboSource", "QComboBox", "", "Select or enter a source");
        row("cmdEditSource", "QPushButton", "&Edit List...", "");
        row("cboRating", "QComboBox", "", "Select or enter a rating");
        row("cmdEditRating", "QPushButton", "&Edit List...", "");
        row("imgPicture", "QLabel", "", "");
        row("lblPicFile", "QLabel", "", "");
        row("cmdPicture", "QPushButton", "Select...", "Select picture");
        row("cmdEnlarge", "QPushButton", "View...", "View picture in viewer window");
        row("Command1", "QPushButton", "Clear", "Clear selected picture");
        for (const char* hidden : { "txtID", "txtStatus", "txtKey", "txtCategory", "txtIngredients", "txtNutrition" })
            row(hidden, "QLineEdit", "", "");
        row("StatusBar1", "QStatusBar", "", "");
        row("sbPanel1", "QLabel", "", "");
        row("sbPanel2", "QLabel", "", "");
    }
    void controlsExist()
    {
        QFETCH(QString, name);
        QFETCH(QString, className);
        QFETCH(QString, caption);
        QFETCH(QString, tip);
        Main main;
        const auto found = main.findChildren<QWidget*>(name);
        QCOMPARE(found.size(), 1);
        QWidget* w = found.first();
        QCOMPARE(QString::fromLatin1(w->metaObject()->className()), className);
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            QCOMPARE(b->text(), caption);
        QCOMPARE(w->toolTip(), tip);
    }

    void menusInOrder()
    {
        Main main;
        QStringList names;
        for (QAction* top : main.menuBar()->actions()) {
            names << top->menu()->objectName() + QLatin1Char(':');
            for (QAction* a : top->menu()->actions()) {
                if (!a->isSeparator())
                    names << a->objectName();
            }
        }
        const QString expected = QStringLiteral(
            "mnuFile: mnuSaveAll mnuImport mnuExport mnuBackup mnuRestore mnuTransfer mnuRetrieve mnuPrint "
            "mnuMenuPrint mnuPrintSL mnuExit mnuEdit: mnuEditMasterQty mnuEditMasterUnits mnuEditMasterIngr "
            "mnuEditNtrn mnuCat mnuEditSource mnuEditRating mnuEditAisle mnuEditMeal mnuMenuCopy mnuCopySL "
            "mnuSplashShopper mnuPrefs mnuRecipe: mnuListAll mnuFilter mnuSelectAll mnuNewRecipe mnuSmartPaste "
            "mnuCopy mnuDeleteDupes mnuView: mnuViewMenu mnuViewSL mnuEquiv mnuHelpMenu: mnuHelp mnuAbout "
            "mnuWebsite mnuUpdate mnuMoreRecipes");
        QCOMPARE(names.join(QLatin1Char(' ')), expected);
    }

    void tabsSwitchFrames()
    {
        Main main;
        main.show();
        auto* tabs = main.findChild<QTabBar*>(QStringLiteral("tab1"));
        QCOMPARE(tabs->count(), 4);
        QCOMPARE(tabs->tabText(3), QStringLiteral("Picture "));
        QCOMPARE(tabs->tabToolTip(2), QStringLiteral("Categories, Servings, Source, and Rating information"));
        for (int i = 0; i < 4; ++i) {
            tabs->setCurrentIndex(i);
            for (int f = 1; f <= 4; ++f)
                QCOMPARE(main.findChild<QFrame*>(QStringLiteral("frmTab_%1").arg(f))->isVisible(), f == i + 1);
        }
        main.showTabPage(2);
        QCOMPARE(tabs->currentIndex(), 1);
    }

    void loadCombosFillsSortedLiveEntries()
    {
        TestData::DataFolderFixture data;
        data.writeBytes(TableDef::Sources,
                        TestData::crlfLines({ "0x00000001,0x0000,\"Grandma\",\"\",\"\"",
                                              "0x00000002,0x0002,\"Deleted one\",\"\",\"\"",
                                              "0x00000003,0x0004,\"Family cookbook\",\"\",\"\"" }));
        AppState::instance().dataPath = data.path() + QLatin1Char('/');
        Main main;
        main.LoadCombos();
        auto* source = main.findChild<QComboBox*>(QStringLiteral("cboSource"));
        auto* rating = main.findChild<QComboBox*>(QStringLiteral("cboRating"));
        QStringList items;
        for (int i = 0; i < source->count(); ++i)
            items << source->itemText(i);
        QCOMPARE(items, (QStringList { QString(), QStringLiteral("Family cookbook"), QStringLiteral("Grandma") }));
        // An empty table leaves its box without the empty entry.
        QCOMPARE(rating->count(), 0);
        // Filling again replaces, never appends.
        main.LoadCombos();
        QCOMPARE(source->count(), 3);
    }
};

QTEST_MAIN(TestMainFrame)
#include "test_mainframe.moc"
