#include "FakePlatform.h"
#include "FakeRecipeWindow.h"
#include "ScriptedDialogs.h"
#include "ShoppingTestData.h"
#include "TestData.h"
#include "Widgets.h"

#include "app/Main.h"
#include "shell/AppState.h"
#include "shopping/ui/ShoppingCommands.h"
#include "shopping/ui/frmMenu.h"
#include "shopping/ui/frmShopList.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QTableWidget>
#include <QTest>

using namespace ShoppingTestData;
using namespace TestUi;

namespace {
QComboBox* box(QWidget* window, const char* name)
{
    return child<QComboBox>(window, name);
}
} // namespace

class TestShoppingWindows : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestData::DataFolderFixture> m_folder;
    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    QString path() const { return m_folder->path(); }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init()
    {
        m_folder = std::make_unique<TestData::DataFolderFixture>();
        m_platform = std::make_unique<FakePlatform>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
    }
    void cleanup()
    {
        QVERIFY2(m_dialogs->exhausted(), "a queued answer was not used");
        m_dialogs.reset();
        m_platform.reset();
        m_folder.reset();
        AppState::instance().reset();
        setMenuDatePicker(nullptr);
    }

    // Typed items: the aisle comes from the master list, Enter walks the boxes and adds; the grid shows the
    // items in key order; closing writes the file.
    void typeItemsInKeyOrder()
    {
        append(path(), TableDef::Ingredients, { masterIngredient("Milk", "7"), masterIngredient("Bread", "12") });
        {
            frmShopList window(path());
            window.show();
            auto* item = box(&window, "txtItem");
            auto* aisle = box(&window, "txtAisle");
            tabTo(item);
            type("mil");
            QCOMPARE(item->currentText(), QStringLiteral("milk")); // completed from the list
            QCOMPARE(aisle->currentText(), QStringLiteral("7"));
            press(Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), aisle);
            keys("{Enter}1{Enter}gal{Enter}");
            QCOMPARE(QApplication::focusWidget(), item);
            item->setEditText("Bread");
            aisle->setEditText("7.5");
            click(&window, "cmdAdd");
            QCOMPARE(column(child<QTableWidget>(&window, "gridShopList"), 5), (QStringList { "007milk", "7.5bread" }));
            QVERIFY(window.close());
        }
        QCOMPARE(read(path(), TableDef::ShoppingList, { "ShopKey", "ShopIngr", "ShopQty", "ShopUnits", "ShopAisle" }),
                 (QStringList { "0x0008|007milk|milk|1|gal|7", "0x0008|7.5bread|Bread|||7.5" }));
    }

    // Edit fills the boxes from the row (its own aisle wins over the master list's) and Add updates that row;
    // clearing the list asks first.
    void editUpdateAndClear()
    {
        append(path(), TableDef::Ingredients, { masterIngredient("Milk", "7") });
        append(path(), TableDef::ShoppingList,
               { { "0x00000031", "0x0000", "003milk", "3", "Milk", "1", "qt", "Cake", "", "" },
                 { "0x00000000", "0x0008", "004tea", "4", "Tea", "", "", "", "", "" } });
        {
            frmShopList window(path());
            auto* grid = child<QTableWidget>(&window, "gridShopList");
            click(&window, "cmdEdit");
            QCOMPARE(box(&window, "txtAisle")->currentText(), QStringLiteral("3"));
            box(&window, "txtItem")->setEditText("MILK");
            box(&window, "txtAisle")->setEditText("3"); // the master list's aisle came with the item
            click(&window, "cmdAdd");
            QCOMPARE(column(grid, 3), (QStringList { "MILK", "Tea" }));
            m_dialogs->answer(MsgAnswer::Yes);
            click(&window, "cmdClearSL");
            QCOMPARE(m_dialogs->last().text,
                     QStringLiteral("Do you want to CLEAR the shopping list?\r\n\r\nThis will delete ALL items."));
            window.reject();
        }
        QCOMPARE(read(path(), TableDef::ShoppingList, { "REC_ID", "ShopIngr", "ShopQty", "ShopNote" }),
                 QStringList { "0x0002|0x00000031|MILK|1|Cake" });
    }

    void plannerGridAndEdits()
    {
        append(path(), TableDef::Meals, { { "0x00000000", "0x0008", "Dinner", "", "" } });
        append(path(), TableDef::MenuPlanner,
               { { "0x00000051", "0x0000", "20071225~apple pie", "", "", "Apple Pie", "", "" },
                 { "0x00000052", "0x0000", "odd handheld key", "", "", "Stew", "", "" } });
        DataSource8 menu(m_folder->file(TableDef::MenuPlanner));
        frmMenu window(menu.recordset(), path(), nullptr);
        window.show();
        auto* grid = child<QTableWidget>(&window, "gridMenu");
        QCOMPARE(column(grid, 0), (QStringList { "12/25 Tue", "odd handheld key" }));
        child<QDateEdit>(&window, "dtMenu")->setDate(QDate(2007, 12, 25));
        box(&window, "cboMeal")->setEditText("Dinner");
        auto* recipe = child<QLineEdit>(&window, "txtItem");
        tabTo(recipe);
        keys("Roast Goose{Enter}");
        QCOMPARE(column(grid, 3),
                 (QStringList { "20071225dinner~roast goose", "20071225~apple pie", "odd handheld key" }));
    }

    // The recipe window's buttons: add one (with the confirmation preference), add all, and Menu Add.
    void mainWindowCommands()
    {
        append(path(), TableDef::Ingredients, { masterIngredient("Flour", "3") });
        append(path(), TableDef::Preferences, { { "0x00000001", "0x0000", "confirm_1SL", "1" } });
        AppState& state = AppState::instance();
        state.dataPath = path();
        state.prefs = std::make_unique<DataSourcePrefs2>(m_folder->file(TableDef::Preferences));
        state.menu = std::make_unique<DataSource8>(m_folder->file(TableDef::MenuPlanner));
        Main main;
        auto* grid = child<QTableWidget>(&main, "gridIngredients");
        child<QLineEdit>(&main, "txtName")->setText("Bread");
        grid->setRowCount(2);
        const QStringList cells { "2", "cups", "Flour", "1", "tsp", "Salt" };
        for (int i = 0; i < cells.size(); ++i)
            grid->setItem(i / 3, i % 3, new QTableWidgetItem(cells.at(i)));
        grid->setCurrentCell(1, 0);
        m_dialogs->answer(MsgAnswer::Ok);
        click(&main, "cmdShop_0");
        QCOMPARE(m_dialogs->last().text, QStringLiteral("Item added to the shopping list."));
        QCOMPARE(read(path(), TableDef::ShoppingList, { "ShopKey", "ShopNote" }), QStringList { "0x0008|salt|Bread" });
        m_dialogs->answer(MsgAnswer::Yes);
        m_dialogs->answer(MsgAnswer::Ok);
        click(&main, "cmdShop_1");
        QCOMPARE(m_dialogs->last().text, QStringLiteral("Finished adding all items to the shopping list."));
        QCOMPARE(read(path(), TableDef::ShoppingList, { "ShopKey" }),
                 (QStringList { "0x0008|003flour", "0x0008|salt", "0x0008|salt" }));

        FakeRecipeWindow recipes; // Menu Add takes the recipe window's key
        recipes.keys = QStringList { "bread" };
        main.setRecipeWindow(&recipes);
        child<QListWidget>(&main, "lstAll")->addItem("Bread");
        setMenuDatePicker([](QWidget*) { return std::optional<QDate>(QDate(2007, 12, 25)); });
        click(&main, "cmdMenuAdd");
        state.menu->save();
        QCOMPARE(read(path(), TableDef::MenuPlanner, { "MenuKey", "MenuRecipe" }),
                 QStringList { "0x0008|20071225~bread|Bread" });
    }
};

QTEST_MAIN(TestShoppingWindows)
#include "test_shopping_windows.moc"
