#include "FakePlatform.h"
#include "FakeRecipeWindow.h"
#include "ScriptedDialogs.h"
#include "ShoppingTestData.h"
#include "TestData.h"
#include "Widgets.h"

#include "app/Main.h"
#include "app/RecipeWindow.h"
#include "shell/AppState.h"
#include "shopping/ui/ShoppingCommands.h"
#include "shopping/ui/frmMenu.h"
#include "shopping/ui/frmShopList.h"

#include <QAbstractButton>
#include <QApplication>
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
const QStringList kShopFields { "REC_ID", "ShopKey", "ShopIngr", "ShopQty", "ShopAisle" };

QComboBox* box(QWidget* window, const char* name)
{
    return child<QComboBox>(window, name);
}
} // namespace

class TestShoppingWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup()
    {
        AppState::instance().reset();
        setMenuDatePicker(nullptr);
    }

    void emptyListOpensAndCloses()
    {
        TestData::DataFolderFixture folder;
        folder.writeBytes(TableDef::ShoppingList, "");
        ScriptedDialogs dialogs;
        {
            frmShopList window(folder.path());
            click(&window, "cmdEdit");
            click(&window, "cmdDelete");
            click(&window, "cmdClearSL");
            click(&window, "cmdSave");
        }
        QCOMPARE(dialogs.messageCount(), 0);
        // Closing writes the file even without changes.
        QVERIFY(folder.readBytes(TableDef::ShoppingList).startsWith("#"));
    }

    // Enter moves through the boxes and adds the item.
    void enterWalksTheBoxesAndAdds()
    {
        TestData::DataFolderFixture folder;
        FakePlatform platform;
        ScriptedDialogs dialogs;
        frmShopList window(folder.path());
        window.show();
        tabTo(box(&window, "txtItem"));
        type("Milk");
        press(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), box(&window, "txtAisle"));
        for (const char* text : { "7", "1", "gal" }) {
            type(text);
            press(Qt::Key_Return);
        }
        QCOMPARE(column(child<QTableWidget>(&window, "gridShopList"), 5), QStringList { "007milk" });
        QCOMPARE(QApplication::focusWidget(), box(&window, "txtItem"));
    }

    // Typed items: the aisle comes from the master list; the grid shows the six columns in key order; closing
    // writes the file.
    void typeItemsInKeyOrder()
    {
        TestData::DataFolderFixture folder;
        append(folder.path(), TableDef::Ingredients,
               { masterIngredient("Milk", "7"), masterIngredient("Bread", "12") });
        append(folder.path(), TableDef::Aisles, { { "0x00000000", "0x0008", "Deli", "", "" } });
        FakePlatform platform;
        ScriptedDialogs dialogs;
        {
            frmShopList window(folder.path());
            window.show();
            auto* item = box(&window, "txtItem");
            auto* aisle = box(&window, "txtAisle");
            tabTo(item);
            type("mil");
            QCOMPARE(item->currentText(), QStringLiteral("milk")); // completed from the list
            QCOMPARE(aisle->currentText(), QStringLiteral("7"));
            keys("{Enter}{Enter}1{Enter}gal{Enter}");
            QCOMPARE(item->currentText(), QString());
            QCOMPARE(QApplication::focusWidget(), item);
            aisle->setEditText("3");
            click(&window, "cmdAdd"); // no item: nothing is added

            item->setEditText("Ham");
            aisle->setEditText("Deli");
            click(&window, "cmdAdd");
            item->setEditText("Bread");
            QCOMPARE(aisle->currentText(), QStringLiteral("12"));
            aisle->setEditText("7.5");
            click(&window, "cmdAdd");

            auto* grid = child<QTableWidget>(&window, "gridShopList");
            QCOMPARE(column(grid, 5), (QStringList { "007milk", "7.5bread", "deliham" }));
            QCOMPARE(column(grid, 0), (QStringList { "7", "7.5", "Deli" }));
            QCOMPARE(column(grid, 2), (QStringList { "gal", "", "" }));
            QCOMPARE(child<QLineEdit>(&window, "txtKey")->text(), QStringLiteral("007milk"));
            QVERIFY(window.close());
        }
        QCOMPARE(read(folder.path(), TableDef::ShoppingList, kShopFields),
                 (QStringList { "0x0008|0x00000000|007milk|milk|1|7", "0x0008|0x00000000|7.5bread|Bread||7.5",
                                "0x0008|0x00000000|deliham|Ham||Deli" }));
        QCOMPARE(dialogs.messageCount(), 0);
    }

    void boxesKeepTheirLimits_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("limit");
        QTest::newRow("aisle") << "txtAisle" << 5;
        QTest::newRow("qty") << "txtQty" << 12;
        QTest::newRow("units") << "txtUnit" << 12;
        QTest::newRow("item") << "txtItem" << 80;
    }
    void boxesKeepTheirLimits()
    {
        QFETCH(QString, name);
        QFETCH(int, limit);
        TestData::DataFolderFixture folder;
        FakePlatform platform;
        ScriptedDialogs dialogs;
        frmShopList window(folder.path());
        window.show();
        auto* combo = box(&window, name.toLatin1().constData());
        tabTo(combo);
        type(QString(limit, QLatin1Char('a')));
        QCOMPARE(platform.beeps, 0);
        type("b");
        QCOMPARE(platform.beeps, 1);
        QCOMPARE(combo->currentText(), QString(limit, QLatin1Char('a')));
        QCOMPARE(combo->lineEdit()->cursorPosition(), limit);
    }

    // Edit fills the boxes from the row (its own aisle wins over the master list's); a case-only change keeps
    // the record, an aisle change replaces it.
    void editAndUpdate()
    {
        TestData::DataFolderFixture folder;
        append(folder.path(), TableDef::Ingredients, { masterIngredient("Milk", "7") });
        append(folder.path(), TableDef::ShoppingList,
               { { "0x00000031", "0x0000", "003milk", "3", "Milk", "1", "qt", "Cake", "", "" },
                 { "0x00000032", "0x0000", "004tea", "4", "Tea", "", "", "", "", "" } });
        ScriptedDialogs dialogs;
        {
            frmShopList window(folder.path());
            auto* grid = child<QTableWidget>(&window, "gridShopList");
            click(&window, "cmdEdit");
            QCOMPARE(box(&window, "txtAisle")->currentText(), QStringLiteral("3"));
            QCOMPARE(box(&window, "txtQty")->currentText(), QStringLiteral("1"));
            QCOMPARE(child<QLineEdit>(&window, "txtNote")->text(), QStringLiteral("Cake"));
            box(&window, "txtItem")->setEditText("MILK");
            box(&window, "txtAisle")->setEditText("3");
            click(&window, "cmdAdd");
            grid->setCurrentCell(1, 0);
            QCOMPARE(child<QLineEdit>(&window, "txtKey")->text(), QStringLiteral("004tea"));
            click(&window, "cmdEdit");
            box(&window, "txtAisle")->setEditText("5");
            click(&window, "cmdAdd");
            QCOMPARE(column(grid, 5), (QStringList { "003milk", "005tea" }));
            window.accept();
        }
        QCOMPARE(read(folder.path(), TableDef::ShoppingList, { "REC_ID", "ShopKey", "ShopIngr", "ShopNote" }),
                 (QStringList { "0x0004|0x00000031|003milk|MILK|Cake", "0x0002|0x00000032|004tea|Tea|",
                                "0x0008|0x00000000|005tea|Tea|" }));
    }

    void clearListAsksFirst()
    {
        TestData::DataFolderFixture folder;
        append(folder.path(), TableDef::ShoppingList,
               { { "0x00000031", "0x0000", "003milk", "3", "Milk", "", "", "", "", "" },
                 { "0x00000000", "0x0008", "004tea", "4", "Tea", "", "", "", "", "" } });
        ScriptedDialogs dialogs;
        {
            frmShopList window(folder.path());
            auto* grid = child<QTableWidget>(&window, "gridShopList");
            dialogs.answer(MsgAnswer::No);
            click(&window, "cmdClearSL");
            QCOMPARE(dialogs.last().text,
                     QStringLiteral("Do you want to CLEAR the shopping list?\r\n\r\nThis will "
                                    "delete ALL items."));
            QCOMPARE(grid->rowCount(), 2);
            dialogs.answer(MsgAnswer::Yes);
            click(&window, "cmdClearSL");
            QCOMPARE(grid->rowCount(), 0);
            window.reject();
        }
        QCOMPARE(read(folder.path(), TableDef::ShoppingList, { "ShopKey" }), QStringList { "0x0002|003milk" });
    }

    // Edit List opens the master list editor and reads that pick list again when it closes.
    void editListRefillsPickList()
    {
        TestData::DataFolderFixture folder;
        AppState::instance().dataPath = folder.path();
        ScriptedDialogs dialogs;
        frmShopList window(folder.path());
        QCOMPARE(box(&window, "txtAisle")->count(), 0);
        const auto seen = onModal("frmMasterCat", [](QDialog* editor) {
            QCOMPARE(editor->windowTitle(), QStringLiteral("Edit Master Aisle List"));
            child<QLineEdit>(editor, "txtCat")->setText("Deli");
            click(editor, "cmdAdd");
        });
        click(&window, "cmdEditAisle");
        QVERIFY(*seen);
        QCOMPARE(box(&window, "txtAisle")->count(), 1);
        QCOMPARE(box(&window, "txtAisle")->itemText(0), QStringLiteral("Deli"));
    }

    void plannerGridAndEdits()
    {
        TestData::DataFolderFixture folder;
        append(folder.path(), TableDef::Meals, { { "0x00000000", "0x0008", "Dinner", "", "" } });
        append(folder.path(), TableDef::MenuPlanner,
               { { "0x00000051", "0x0000", "20071225~apple pie", "", "", "Apple Pie", "", "" },
                 { "0x00000052", "0x0000", "odd handheld key", "", "", "Stew", "", "" } });
        DataSource8 menu(folder.file(TableDef::MenuPlanner));
        ScriptedDialogs dialogs;
        frmMenu window(menu.recordset(), folder.path(), nullptr);
        window.show();
        auto* grid = child<QTableWidget>(&window, "gridMenu");
        QCOMPARE(column(grid, 0), (QStringList { "12/25 Tue", "odd handheld key" }));

        child<QDateEdit>(&window, "dtMenu")->setDate(QDate(2007, 12, 25));
        box(&window, "cboMeal")->setEditText("Dinner");
        auto* recipe = child<QLineEdit>(&window, "txtItem");
        tabTo(recipe);
        type("Roast Goose");
        press(Qt::Key_Return);
        QCOMPARE(column(grid, 3),
                 (QStringList { "20071225dinner~roast goose", "20071225~apple pie", "odd handheld key" }));
        QCOMPARE(column(grid, 2), (QStringList { "Dinner", "", "" }));
        QCOMPARE(recipe->text(), QString());

        grid->setCurrentCell(1, 0);
        click(&window, "cmdEdit");
        QCOMPARE(recipe->text(), QStringLiteral("Apple Pie"));
        child<QDateEdit>(&window, "dtMenu")->setDate(QDate(2007, 12, 31));
        click(&window, "cmdAddUpdate");
        QCOMPARE(column(grid, 0), (QStringList { "12/25 Tue", "12/31 Mon", "odd handheld key" }));
        QCOMPARE(child<QLineEdit>(&window, "txtKey")->text(), QStringLiteral("20071231~apple pie"));

        dialogs.answer(MsgAnswer::Yes);
        click(&window, "cmdClearSL");
        QCOMPARE(grid->rowCount(), 0);
        click(&window, "cmdEdit");
        click(&window, "cmdView");
        QCOMPARE(child<QAbstractButton>(&window, "cmdAddUpdate")->text(), QStringLiteral("&Add"));
        QCOMPARE(dialogs.messageCount(), 1);
    }

    // View finds the entry's recipe by the key it holds (two recipes may share a name), and is not offered
    // while the recipe window holds an edit.
    void gridColumnsHaveTheirWidths()
    {
        TestData::DataFolderFixture folder;
        ScriptedDialogs dialogs;
        frmShopList shop(folder.path());
        DataSource8 menu(folder.file(TableDef::MenuPlanner));
        frmMenu planner(menu.recordset(), folder.path(), nullptr);
        const auto widths = [](QWidget* window, const char* name, int columns) {
            QList<int> out;
            for (int c = 0; c < columns; ++c)
                out << window->findChild<QTableWidget*>(QLatin1String(name))->columnWidth(c);
            return out;
        };
        // Twips of the classic layout at 15 twips a pixel.
        QCOMPARE(widths(&shop, "gridShopList", 6), (QList<int> { 40, 67, 67, 200, 200, 33 }));
        QCOMPARE(widths(&planner, "gridMenu", 3), (QList<int> { 67, 223, 333 }));
    }

    void viewFoundAndNotFound()
    {
        TestData::DataFolderFixture folder;
        append(folder.path(), TableDef::MenuPlanner,
               { { "0x00000051", "0x0000", "20071225~apple pie1", "", "", "Apple Pie", "", "" },
                 { "0x00000052", "0x0000", "20071226~cake", "", "", "Cake", "", "" } });
        DataSource8 menu(folder.file(TableDef::MenuPlanner));
        FakeRecipeWindow recipes;
        recipes.listedKeys = { "apple pie", "apple pie1" };
        recipes.editing = true;
        QVERIFY(!frmMenu(menu.recordset(), folder.path(), &recipes).findChild<QWidget*>("cmdView")->isEnabled());
        recipes.editing = false;
        ScriptedDialogs dialogs;
        frmMenu window(menu.recordset(), folder.path(), &recipes);
        child<QTableWidget>(&window, "gridMenu")->setCurrentCell(1, 0);
        dialogs.answer(MsgAnswer::Ok);
        click(&window, "cmdView");
        QCOMPARE(dialogs.last().text,
                 QStringLiteral("The recipe was not found in the current list.\r\nClose the Menu "
                                "Planner, then click List All to list all recipes, then try again."));
        QCOMPARE(window.result(), 0);
        child<QTableWidget>(&window, "gridMenu")->setCurrentCell(0, 0);
        click(&window, "cmdView");
        QCOMPARE(recipes.shown, QStringLiteral("apple pie1"));
        QCOMPARE(window.result(), int(QDialog::Accepted));
    }

    // The recipe window's buttons: add one (with the confirmation preference), add all, and Menu Add (a
    // cancelled date adds nothing).
    void mainWindowCommands()
    {
        TestData::DataFolderFixture folder;
        append(folder.path(), TableDef::Ingredients, { masterIngredient("Flour", "3") });
        append(folder.path(), TableDef::Preferences, { { "0x00000001", "0x0000", "confirm_1SL", "1" } });
        AppState& state = AppState::instance();
        state.dataPath = folder.path();
        state.prefs = std::make_unique<DataSourcePrefs2>(folder.file(TableDef::Preferences));
        state.menu = std::make_unique<DataSource8>(folder.file(TableDef::MenuPlanner));
        ScriptedDialogs dialogs;
        Main main;
        auto* grid = child<QTableWidget>(&main, "gridIngredients");
        click(&main, "cmdShop_1"); // no lines: nothing
        QCOMPARE(dialogs.messageCount(), 0);

        child<QLineEdit>(&main, "txtName")->setText("Bread");
        FakeRecipeWindow recipes;
        recipes.keys = QStringList { "bread" };
        main.setRecipeWindow(&recipes);
        grid->setRowCount(3);
        const char* cells[3][3] = { { "2", "cups", "Flour" }, { "", "", "OR" }, { "1", "tsp", "Salt" } };
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                grid->setItem(r, c, new QTableWidgetItem(QString::fromLatin1(cells[r][c])));
        grid->setCurrentCell(2, 0);
        dialogs.answer(MsgAnswer::Ok);
        click(&main, "cmdShop_0");
        QCOMPARE(dialogs.last().text, QStringLiteral("Item added to the shopping list."));
        QCOMPARE(read(folder.path(), TableDef::ShoppingList, { "ShopKey", "ShopNote" }),
                 QStringList { "0x0008|salt|Bread" });

        dialogs.answer(MsgAnswer::Yes);
        dialogs.answer(MsgAnswer::Ok);
        click(&main, "cmdShop_1");
        QCOMPARE(dialogs.last().text, QStringLiteral("Finished adding all items to the shopping list."));
        QCOMPARE(read(folder.path(), TableDef::ShoppingList, { "ShopKey" }),
                 (QStringList { "0x0008|003flour", "0x0008|salt", "0x0008|salt" }));

        child<QListWidget>(&main, "lstAll")->addItem("Bread");
        setMenuDatePicker([](QWidget*) { return std::optional<QDate>(); });
        click(&main, "cmdMenuAdd");
        QCOMPARE(state.menu->recordset().totalRecordCount(), 0);
        setMenuDatePicker([](QWidget*) { return std::optional<QDate>(QDate(2007, 12, 25)); });
        click(&main, "cmdMenuAdd");
        // Menu Add takes the recipe window's key.
        recipes.keys = QStringList { "apple pi2" };
        setMenuDatePicker([](QWidget*) { return std::optional<QDate>(QDate(2008, 1, 5)); });
        click(&main, "cmdMenuAdd");
        main.setRecipeWindow(nullptr);
        Recordset& menu = state.menu->recordset();
        QCOMPARE(menu.totalRecordCount(), 2);
        menu.moveFirst();
        QCOMPARE(menu.value("MenuKey"), QStringLiteral("20071225~bread"));
        QCOMPARE(menu.value("MenuRecipe"), QStringLiteral("Bread"));
        QCOMPARE(menu.value("MenuMeal"), QString());
        QCOMPARE(menu.value("STATUS"), QStringLiteral("0x0008"));
        menu.moveLast();
        QCOMPARE(menu.value("MenuKey"), QStringLiteral("20080105~apple pi2"));
    }
};

QTEST_MAIN(TestShoppingWindows)
#include "test_shopping_windows.moc"
