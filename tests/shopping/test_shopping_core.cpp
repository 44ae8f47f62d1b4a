#include "FakePlatform.h"
#include "ScriptedDialogs.h"
#include "ShoppingTestData.h"
#include "TestData.h"

#include "shell/AppState.h"
#include "shopping/MenuPlanner.h"
#include "shopping/MenuPlannerModel.h"
#include "shopping/ShoppingActions.h"
#include "shopping/ShoppingList.h"
#include "shopping/ShoppingListAdder.h"
#include "shopping/ShoppingListModel.h"

#include <QLocale>
#include <QTest>

using namespace ShoppingTestData;

namespace {
const QStringList kShopFields { "ShopKey", "ShopAisle", "ShopIngr", "ShopQty", "ShopUnits", "ShopNote" };

// Fills the shopping list file with n items ("item1".. in aisle "1"), all synchronised.
void fillShoppingList(const QString& folder, int n, int deleted = 0)
{
    auto source = DataSource::open(TableDef::ShoppingList, folder);
    Recordset& rs = source->recordset();
    for (int i = 0; i < n + deleted; ++i) {
        rs.addNew();
        const QString name = QStringLiteral("item%1").arg(i);
        const QStringList values {
            "0x00000100", i < n ? "0x0000" : "0x0002", "001" + name, "1", name, "1", "", "", "", ""
        };
        for (int f = 0; f < values.size(); ++f)
            rs.setValue(f, values.at(f));
    }
    QVERIFY(source->save());
}

int liveCount(const QString& folder, TableDef::Id id)
{
    auto source = DataSource::open(id, folder);
    source->recordset().setFilter(RecordStatus::LiveFilter);
    return source->recordset().recordCount();
}
} // namespace

class TestShoppingCore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { AppState::instance().reset(); }

    void aisleKeys_data()
    {
        QTest::addColumn<QString>("aisle");
        QTest::addColumn<QString>("adding");
        QTest::addColumn<QString>("window");
        QTest::newRow("single digit") << "3"
                                      << "003"
                                      << "003";
        QTest::newRow("two digits") << "12"
                                    << "012"
                                    << "012";
        QTest::newRow("number then words") << "12 Dairy"
                                           << "012"
                                           << "012";
        QTest::newRow("fraction rounds when adding") << "7.5"
                                                     << "008"
                                                     << "7.5";
        QTest::newRow("four digits") << "1500"
                                     << "1500"
                                     << "1500";
        QTest::newRow("blanks inside a number") << " 1 2"
                                                << "012"
                                                << "012";
        QTest::newRow("zero stays text") << "0"
                                         << "0"
                                         << "0";
        QTest::newRow("name") << "Baking"
                              << "Baking"
                              << "Baking";
        QTest::newRow("empty") << ""
                               << ""
                               << "";
        QTest::newRow("negative is not a number") << "-3"
                                                  << "-3"
                                                  << "-3";
    }
    void aisleKeys()
    {
        QFETCH(QString, aisle);
        QFETCH(QString, adding);
        QFETCH(QString, window);
        QCOMPARE(ShoppingList::aisleKeyForAdding(aisle), adding);
        QCOMPARE(ShoppingList::aisleKeyForWindow(aisle), window);
    }

    // One line through AddToShoppingList, checked in the written file.
    void addOneLine_data()
    {
        QTest::addColumn<QString>("qty");
        QTest::addColumn<QString>("units");
        QTest::addColumn<QString>("ingredient");
        QTest::addColumn<QStringList>("file");
        const QString note = QStringLiteral("Pie");
        QTest::newRow("numbered aisle") << "2"
                                        << "c"
                                        << "Flour" << QStringList { "0x0008|003flour|3|Flour|2|c|Pie" };
        QTest::newRow("named aisle") << "1"
                                     << ""
                                     << "Butter" << QStringList { "0x0008|bakingbutter|Baking|Butter|1||Pie" };
        QTest::newRow("no master entry") << ""
                                         << ""
                                         << "Salt" << QStringList { "0x0008|salt||Salt|||Pie" };
        QTest::newRow("fractional aisle rounds") << "1"
                                                 << "qt"
                                                 << "Milk" << QStringList { "0x0008|008milk|7.5|Milk|1|qt|Pie" };
        QTest::newRow("quote and star dropped from key")
            << ""
            << "oz"
            << "Baker's chocolate*" << QStringList { "0x0008|bakers chocolate||Baker's chocolate*||oz|Pie" };
        QTest::newRow("OR alone is no item") << ""
                                             << ""
                                             << "OR" << QStringList {};
        QTest::newRow("empty line is no item") << ""
                                               << ""
                                               << "" << QStringList {};
        QTest::newRow("OR with quantity is an item") << "1"
                                                     << ""
                                                     << "OR" << QStringList { "0x0008|or||OR|1||Pie" };
        QTest::newRow("lower-case or is an item") << ""
                                                  << ""
                                                  << "or" << QStringList { "0x0008|or||or|||Pie" };
        QTest::newRow("units without ingredient") << "2"
                                                  << "c"
                                                  << "" << QStringList { "0x0008||||2|c|Pie" };
        QTest::newRow("cut to 80 characters")
            << "1"
            << "" << QString(100, QLatin1Char('x'))
            << QStringList { "0x0008|" + QString(80, 'x') + "||" + QString(80, 'x') + "|1||Pie" };
    }
    void addOneLine()
    {
        QFETCH(QString, ingredient);
        QFETCH(QString, qty);
        QFETCH(QString, units);
        QFETCH(QStringList, file);
        TestData::DataFolderFixture folder;
        append(
            folder.path(), TableDef::Ingredients,
            { masterIngredient("Flour", "3"), masterIngredient("Butter", "Baking"), masterIngredient("Milk", "7.5") });
        ScriptedDialogs dialogs;
        AddToShoppingList(qty, units, ingredient, QStringLiteral("Pie"), folder.path());
        QCOMPARE(read(folder.path(), TableDef::ShoppingList, kShopFields), file);
        QCOMPARE(dialogs.messageCount(), 0);
    }

    void sameLineTwiceGivesTwoItems()
    {
        TestData::DataFolderFixture folder;
        ScriptedDialogs dialogs;
        AddToShoppingList("1", "", "Egg", "A", folder.path());
        AddToShoppingList("1", "", "Egg", "B", folder.path());
        QCOMPARE(read(folder.path(), TableDef::ShoppingList, { "ShopKey", "ShopNote" }),
                 (QStringList { "0x0008|egg|A", "0x0008|egg|B" }));
    }

    void limit_data()
    {
        QTest::addColumn<int>("live");
        QTest::addColumn<int>("deleted");
        QTest::addColumn<bool>("added");
        QTest::newRow("9999 takes one more") << 9999 << 0 << true;
        QTest::newRow("10000 is full") << 10000 << 0 << false;
        QTest::newRow("deleted items do not count") << 9999 << 5 << true;
    }
    void limit()
    {
        QFETCH(int, deleted);
        QFETCH(int, live);
        QFETCH(bool, added);
        TestData::DataFolderFixture folder;
        fillShoppingList(folder.path(), live, deleted);
        ScriptedDialogs dialogs;
        if (!added)
            dialogs.answer(MsgAnswer::Ok);
        const ShopAddResult result = AddToShoppingList("1", "", "Apple", "", folder.path());
        if (added) {
            QCOMPARE(result, ShopAddResult::Added);
            QCOMPARE(liveCount(folder.path(), TableDef::ShoppingList), live + 1);
            QCOMPARE(dialogs.messageCount(), 0);
        } else {
            QCOMPARE(result, ShopAddResult::ListFull);
            QCOMPARE(liveCount(folder.path(), TableDef::ShoppingList), live);
            QCOMPARE(dialogs.last().title, QStringLiteral("Maximum Number Items"));
            QCOMPARE(dialogs.last().text, QStringLiteral("The maximum number of items in the shopping list is 10000."));
        }
    }

    // Reaching the limit in the middle of add-all still writes what was added and says what was left out.
    void addAllStopsAtLimitButKeepsAdded()
    {
        TestData::DataFolderFixture folder;
        fillShoppingList(folder.path(), 9998);
        ScriptedDialogs dialogs;
        dialogs.answer(MsgAnswer::Yes);
        dialogs.answer(MsgAnswer::Ok);
        dialogs.answer(MsgAnswer::Ok);
        const auto tally = ShoppingActions::addAllFromRecipe(
            folder.path(), ShoppingList::splitItemLines("1||Apple~2||Pear~3||Plum~||OR~4||Fig~"), "Fruit", true);
        QCOMPARE(tally.added, 2);
        QCOMPARE(tally.skipped, 1);
        QCOMPARE(tally.notAdded, 2);
        QCOMPARE(liveCount(folder.path(), TableDef::ShoppingList), 10000);
        QCOMPARE(dialogs.shown().at(1).title, QStringLiteral("Maximum Number Items"));
        QVERIFY(dialogs.shown().at(1).text.endsWith("2 ingredient lines were not added."));
        QCOMPARE(dialogs.last().text, QStringLiteral("Finished adding all items to the shopping list."));
    }

    void addAllDeclinedWritesNothing()
    {
        TestData::DataFolderFixture folder;
        const QByteArray before = folder.readBytes(TableDef::ShoppingList);
        ScriptedDialogs dialogs;
        dialogs.answer(MsgAnswer::No);
        ShoppingActions::addAllFromRecipe(folder.path(), ShoppingList::splitItemLines("1||Apple~"), "Fruit", true);
        QCOMPARE(folder.readBytes(TableDef::ShoppingList), before);
        QCOMPARE(dialogs.last().title, QStringLiteral("Add All Ingredients"));
    }

    void addOneConfirmation_data()
    {
        QTest::addColumn<QString>("confirm");
        QTest::addColumn<QString>("ingredient");
        QTest::addColumn<int>("messages");
        QTest::addColumn<int>("items");
        QTest::newRow("confirm on") << "1"
                                    << "Apple" << 1 << 1;
        QTest::newRow("confirm off") << "0"
                                     << "Apple" << 0 << 1;
        QTest::newRow("skipped line still confirmed") << "1"
                                                      << "" << 1 << 0;
    }
    void addOneConfirmation()
    {
        QFETCH(int, messages);
        QFETCH(QString, ingredient);
        QFETCH(int, items);
        TestData::DataFolderFixture folder;
        append(folder.path(), TableDef::Preferences,
               { { "0x00000001", "0x0000", "confirm_1SL",
                   QTest::currentDataTag() == QByteArray("confirm off") ? "0" : "1" } });
        AppState::instance().prefs = std::make_unique<DataSourcePrefs2>(folder.file(TableDef::Preferences));
        ScriptedDialogs dialogs;
        for (int i = 0; i < messages; ++i)
            dialogs.answer(MsgAnswer::Ok);
        ShoppingActions::addOneFromRecipe(folder.path(), "", "", ingredient, "Pie");
        QCOMPARE(dialogs.messageCount(), messages);
        if (messages)
            QCOMPARE(dialogs.last().text, QStringLiteral("Item added to the shopping list."));
        QCOMPARE(liveCount(folder.path(), TableDef::ShoppingList), items);
    }

    void splitItemLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("two lines") << "2|cups|flour~1/2|tsp|salt~" << QStringList { "2,cups,flour", "1/2,tsp,salt" };
        QTest::newRow("text after last tilde dropped") << "2|cups|flour~salt" << QStringList { "2,cups,flour" };
        QTest::newRow("no separators") << "a pinch of salt~" << QStringList { "a pinch of salt,," };
        QTest::newRow("one separator") << "2|eggs~" << QStringList { "2,eggs," };
        QTest::newRow("fourth part dropped") << "1|cup|rice|cooked~" << QStringList { "1,cup,rice" };
        QTest::newRow("empty") << "" << QStringList {};
    }
    void splitItemLines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QStringList got;
        for (const auto& l : ShoppingList::splitItemLines(text))
            got << l.quantity + "," + l.units + "," + l.ingredient;
        QCOMPARE(got, lines);
    }

    void menuKeys()
    {
        const QDate christmas(2007, 12, 25);
        QCOMPARE(MenuPlanner::recipeWindowKey(christmas, "apple pie"), QStringLiteral("20071225~apple pie"));
        QCOMPARE(MenuPlanner::recipeWindowKey(christmas, "Apple Pie"), QStringLiteral("20071225~Apple Pie"));
        QCOMPARE(MenuPlanner::plannerKey(christmas, "Dinner", "Mom's *Apple* Pie"),
                 QStringLiteral("20071225dinner~moms apple pie"));
        QCOMPARE(MenuPlanner::plannerKey(QDate(2008, 1, 5), "", "Soup"), QStringLiteral("20080105~soup"));
    }

    void recipePartOfKey_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("part");
        QTest::newRow("recipe window") << "20071225~apple pie"
                                       << "apple pie";
        QTest::newRow("planner with meal") << "20071225dinner~apple pie"
                                           << "apple pie";
        QTest::newRow("tilde inside recipe") << "20071225~a~b"
                                             << "a~b";
        QTest::newRow("no tilde") << "20071225applepie"
                                  << "20071225applepie";
        QTest::newRow("tilde only before seventh") << "2007~1225"
                                                   << "2007~1225";
    }
    void recipePartOfKey()
    {
        QFETCH(QString, key);
        QFETCH(QString, part);
        QCOMPARE(MenuPlanner::recipePartOfKey(key), part);
    }

    void dateColumn_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::newRow("christmas") << "20071225~apple pie"
                                   << "12/25 Tue";
        QTest::newRow("single digits") << "20080105dinner~soup"
                                       << "1/5 Sat";
        QTest::newRow("leap day") << "20080229~x"
                                  << "2/29 Fri";
        QTest::newRow("handheld form shown raw") << "12/25/2007 pie"
                                                 << "12/25/2007 pie";
        QTest::newRow("month 13 shown raw") << "20071325~x"
                                            << "20071325~x";
        QTest::newRow("short key shown raw") << "2007"
                                             << "2007";
        QTest::newRow("empty") << ""
                               << "";
    }
    void dateColumn()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QCOMPARE(MenuPlanner::dateColumnText(key), text);
    }

    // Entries from both windows sort by date first, then meal; odd keys do not break the grid.
    void plannerOrderAcrossWindows()
    {
        TestData::DataFolderFixture folder;
        DataSource8 menu(folder.file(TableDef::MenuPlanner));
        Recordset& rs = menu.recordset();
        QVERIFY(MenuPlanner::addFromRecipeWindow(rs, QDate(2007, 12, 26), "apple pie", "Apple Pie"));
        QVERIFY(!MenuPlanner::addFromRecipeWindow(rs, QDate(2007, 12, 26), "", "Nameless"));
        QVERIFY(MenuPlanner::addFromRecipeWindow(rs, QDate(2007, 12, 24), "soup", "Soup"));
        rs.addNew();
        rs.setValue("MenuKey", "xmas~ham");
        rs.setValue("MenuRecipe", "Ham");
        MenuPlannerModel model(rs);
        model.addOrUpdate({ QDate(2007, 12, 25), "Dinner", "Apple Pie" });
        model.addOrUpdate({ QDate(2007, 12, 25), "Breakfast", "Eggs" });
        QStringList keys;
        for (const auto& row : model.rows())
            keys << row.key;
        QCOMPARE(keys,
                 (QStringList { "20071224~soup", "20071225breakfast~eggs", "20071225dinner~apple pie",
                                "20071226~apple pie", "xmas~ham" }));
        QCOMPARE(model.rows().at(2).date, QStringLiteral("12/25 Tue"));
        QCOMPARE(model.rows().at(2).meal, QStringLiteral("Dinner"));
        QCOMPARE(model.rows().at(4).date, QStringLiteral("xmas~ham"));
    }

    // Update keeps the record when only letter case changes, otherwise replaces it under the status rules.
    void plannerUpdate_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("recipe");
        QTest::addColumn<QStringList>("file");
        const QDate d(2007, 12, 25);
        QTest::newRow("case only") << "0x0000" << d << "APPLE PIE"
                                   << QStringList { "0x0004|0x00000042|20071225dinner~apple pie|APPLE PIE" };
        QTest::newRow("case only on new")
            << "0x0008" << d << "APPLE PIE" << QStringList { "0x0004|0x00000042|20071225dinner~apple pie|APPLE PIE" };
        QTest::newRow("other recipe") << "0x0000" << d << "Cake"
                                      << QStringList { "0x0002|0x00000042|20071225dinner~apple pie|Apple Pie",
                                                       "0x0008|0x00000000|20071225dinner~cake|Cake" };
        QTest::newRow("other date on new record")
            << "0x0008" << QDate(2007, 12, 31) << "Apple Pie"
            << QStringList { "0x0008|0x00000000|20071231dinner~apple pie|Apple Pie" };
    }
    void plannerUpdate()
    {
        QFETCH(QString, status);
        QFETCH(QDate, date);
        QFETCH(QString, recipe);
        QFETCH(QStringList, file);
        TestData::DataFolderFixture folder;
        append(folder.path(), TableDef::MenuPlanner,
               { { "0x00000042", status, "20071225dinner~apple pie", "", "Dinner", "Apple Pie", "", "" } });
        DataSource8 menu(folder.file(TableDef::MenuPlanner));
        MenuPlannerModel model(menu.recordset());
        const auto entry = model.beginEdit();
        QVERIFY(entry);
        QCOMPARE(entry->date, QDate(2007, 12, 25));
        QCOMPARE(entry->recipe, QStringLiteral("Apple Pie"));
        QCOMPARE(model.addOrUpdate({ date, entry->meal, recipe }), MenuPlannerModel::Result::Updated);
        QCOMPARE(model.mode(), MenuPlannerModel::Mode::Add);
        QVERIFY(menu.save());
        QCOMPARE(read(folder.path(), TableDef::MenuPlanner, { "REC_ID", "MenuKey", "MenuRecipe" }), file);
    }

    void emptyListsIgnoreEditDeleteClear()
    {
        TestData::DataFolderFixture folder;
        ShoppingListModel shop(folder.path());
        QVERIFY(shop.rows().isEmpty());
        QCOMPARE(shop.selectedRow(), -1);
        QVERIFY(!shop.beginEdit());
        QCOMPARE(shop.mode(), ShoppingListModel::Mode::Add);
        QVERIFY(!shop.deleteSelected());
        QVERIFY(!shop.clearAll());
        DataSource8 menu(folder.file(TableDef::MenuPlanner));
        MenuPlannerModel planner(menu.recordset());
        QVERIFY(!planner.beginEdit());
        QVERIFY(!planner.deleteSelected());
        QVERIFY(!planner.clearAll());
        QCOMPARE(menu.recordset().totalRecordCount(), 0);
    }

    // Add in the window uses its own aisle key rule and shows rows in key order.
    void windowAddKeyOrder()
    {
        TestData::DataFolderFixture folder;
        ShoppingListModel shop(folder.path());
        QCOMPARE(shop.addOrUpdate({ "7", "1", "gal", "Milk" }), ShoppingListModel::Result::Added);
        QCOMPARE(shop.addOrUpdate({ "7.5", "", "", "Milk" }), ShoppingListModel::Result::Added);
        QCOMPARE(shop.addOrUpdate({ "12", "", "", "Bread" }), ShoppingListModel::Result::Added);
        QCOMPARE(shop.addOrUpdate({ "Deli", "", "", "Ham" }), ShoppingListModel::Result::Added);
        QCOMPARE(shop.addOrUpdate({ "3", "", "", "" }), ShoppingListModel::Result::Nothing);
        QStringList keys;
        for (const auto& row : shop.rows())
            keys << row.key;
        QCOMPARE(keys, (QStringList { "007milk", "012bread", "7.5milk", "deliham" }));
        QCOMPARE(shop.selectedRow(), 0);
        QCOMPARE(shop.held().key, QStringLiteral("007milk"));
    }

    void windowUpdate_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("aisle");
        QTest::addColumn<QString>("ingredient");
        QTest::addColumn<QStringList>("file");
        QTest::newRow("case only keeps record") << "0x0000"
                                                << "7"
                                                << "MILK" << QStringList { "0x0004|0x00000077|007milk|MILK|2|Cake" };
        QTest::newRow("case only on new record") << "0x0008"
                                                 << "7"
                                                 << "milk" << QStringList { "0x0004|0x00000077|007milk|milk|2|Cake" };
        QTest::newRow("aisle change replaces")
            << "0x0000"
            << "8"
            << "Milk"
            << QStringList { "0x0002|0x00000077|007milk|Milk|1|Cake", "0x0008|0x00000000|008milk|Milk|2|Cake" };
        QTest::newRow("ingredient change on new removes old")
            << "0x0008"
            << "7"
            << "Cream" << QStringList { "0x0008|0x00000000|007cream|Cream|2|Cake" };
    }
    void windowUpdate()
    {
        QFETCH(QString, status);
        QFETCH(QString, aisle);
        QFETCH(QString, ingredient);
        QFETCH(QStringList, file);
        TestData::DataFolderFixture folder;
        append(folder.path(), TableDef::ShoppingList,
               { { "0x00000077", status, "007milk", "7", "Milk", "1", "qt", "Cake", "", "" } });
        {
            ShoppingListModel shop(folder.path());
            const auto entry = shop.beginEdit();
            QVERIFY(entry);
            QCOMPARE(entry->aisle, QStringLiteral("7"));
            QCOMPARE(shop.mode(), ShoppingListModel::Mode::Update);
            QCOMPARE(shop.addOrUpdate({ aisle, "2", "qt", ingredient }), ShoppingListModel::Result::Updated);
            QCOMPARE(shop.mode(), ShoppingListModel::Mode::Add);
            QVERIFY(shop.save());
        }
        QCOMPARE(
            read(folder.path(), TableDef::ShoppingList, { "REC_ID", "ShopKey", "ShopIngr", "ShopQty", "ShopNote" }),
            file);
    }

    // Update rewrites the item being edited even when another row was clicked meanwhile.
    void windowUpdateAppliesToEditedRow()
    {
        TestData::DataFolderFixture folder;
        append(folder.path(), TableDef::ShoppingList,
               { { "0x00000001", "0x0000", "001apple", "1", "Apple", "", "", "", "", "" },
                 { "0x00000002", "0x0000", "002pear", "2", "Pear", "", "", "", "", "" } });
        ShoppingListModel shop(folder.path());
        QVERIFY(shop.beginEdit());
        QVERIFY(shop.select(1));
        shop.addOrUpdate({ "1", "6", "", "Apple" });
        QCOMPARE(shop.rows().at(0).quantity, QStringLiteral("6"));
        QCOMPARE(shop.rows().at(1).quantity, QString());
    }

    void windowDeleteAndClear()
    {
        TestData::DataFolderFixture folder;
        append(folder.path(), TableDef::ShoppingList,
               { { "0x00000001", "0x0000", "001apple", "1", "Apple", "", "", "", "", "" },
                 { "0x00000002", "0x0004", "002pear", "2", "Pear", "", "", "", "", "" } });
        {
            ShoppingListModel shop(folder.path());
            shop.addOrUpdate({ "3", "", "", "Plum" });
            QVERIFY(shop.select(1));
            QVERIFY(shop.deleteSelected());
            QCOMPARE(shop.rows().size(), 2);
            QCOMPARE(shop.rows().at(1).ingredient, QStringLiteral("Plum"));
            QCOMPARE(shop.selectedRow(), 1);
            QVERIFY(shop.clearAll());
            QVERIFY(shop.rows().isEmpty());
            QVERIFY(shop.save());
        }
        QCOMPARE(read(folder.path(), TableDef::ShoppingList, { "ShopIngr" }),
                 (QStringList { "0x0002|Apple", "0x0002|Pear" }));
    }

    void addMenuToShop()
    {
        TestData::DataFolderFixture folder;
        append(folder.path(), TableDef::Recipes,
               { recipe("apple pie", "Apple Pie", "2|cups|flour~1||OR~3||apples~"),
                 recipe("old", "Old", "1||x~", "0x0002") });
        DataSource1 recipes(folder.file(TableDef::Recipes));
        recipes.recordset().setFilter("Name = 'Nothing'");
        ShoppingListAdder adder(folder.path());
        ScriptedDialogs dialogs;
        ShoppingListAdder::Tally tally;
        QString key = QStringLiteral("20071225dinner~Apple Pie");
        QVERIFY(adder.add_menu_to_shop(key, "Apple Pie", recipes.recordset(), &tally));
        QCOMPARE(key, QStringLiteral("Apple Pie"));
        QCOMPARE(tally.added, 3);
        QCOMPARE(recipes.recordset().recordCount(), 0);
        dialogs.answer(MsgAnswer::Ok);
        key = QStringLiteral("20071225~old");
        QVERIFY(!adder.add_menu_to_shop(key, "Old", recipes.recordset(), &tally));
        QCOMPARE(dialogs.last().title, QStringLiteral("Not found"));
        QCOMPARE(dialogs.last().text, QStringLiteral("Recipe (Old) not found"));
        QCOMPARE(tally.added, 3);
    }

    // A planned week goes onto the shopping list with aisles and recipe notes; a vanished recipe is reported
    // and the rest still arrive.
    void plannedWeekEndToEnd()
    {
        TestData::DataFolderFixture folder;
        append(folder.path(), TableDef::Ingredients,
               { masterIngredient("Flour", "3"), masterIngredient("Apples", "Fruit"), masterIngredient("Milk", "7") });
        append(folder.path(), TableDef::Recipes,
               { recipe("apple pie", "Apple Pie", "2|cups|Flour~3||Apples~"),
                 recipe("pancakes", "Pancakes", "1|cup|Flour~1|cup|Milk~"),
                 recipe("toast", "Toast", "2|slices|Bread~") });
        DataSource1 recipes(folder.file(TableDef::Recipes));
        DataSource8 menu(folder.file(TableDef::MenuPlanner));
        MenuPlannerModel planner(menu.recordset());
        const QDate monday(2008, 1, 7);
        const QStringList week { "Pancakes", "Apple Pie", "Toast", "Pancakes", "Stew", "Toast", "Apple Pie" };
        for (int i = 0; i < week.size(); ++i)
            planner.addOrUpdate({ monday.addDays(i), "Dinner", week.at(i) });
        QCOMPARE(planner.rows().size(), 7);
        QCOMPARE(planner.rows().first().date, QStringLiteral("1/7 Mon"));

        ScriptedDialogs dialogs;
        dialogs.answer(MsgAnswer::Yes);
        dialogs.answer(MsgAnswer::Ok); // Stew not found
        dialogs.answer(MsgAnswer::Ok); // finished
        const auto tally = ShoppingActions::addFromPlanner(folder.path(), planner, recipes.recordset(), true);
        QCOMPARE(tally.added, 10);
        QCOMPARE(dialogs.shown().at(1).text, QStringLiteral("Recipe (Stew) not found"));
        QCOMPARE(dialogs.last().text, QStringLiteral("Finished adding ingredients."));
        QVERIFY(dialogs.exhausted());

        const QStringList items = read(folder.path(), TableDef::ShoppingList, { "ShopKey", "ShopQty", "ShopNote" });
        QCOMPARE(items.size(), 10);
        QCOMPARE(items.count("0x0008|003flour|1|Pancakes"), 2);
        QCOMPARE(items.count("0x0008|003flour|2|Apple Pie"), 2);
        QCOMPARE(items.count("0x0008|007milk|1|Pancakes"), 2);
        QCOMPARE(items.count("0x0008|fruitapples|3|Apple Pie"), 2);
        QCOMPARE(items.count("0x0008|bread|2|Toast"), 2);
        QCOMPARE(items.first(), QStringLiteral("0x0008|003flour|1|Pancakes"));
        QCOMPARE(items.last(), QStringLiteral("0x0008|fruitapples|3|Apple Pie"));
    }

    void plannerOneNeedsSelection()
    {
        TestData::DataFolderFixture folder;
        DataSource1 recipes(folder.file(TableDef::Recipes));
        DataSource8 menu(folder.file(TableDef::MenuPlanner));
        MenuPlannerModel planner(menu.recordset());
        const QByteArray before = folder.readBytes(TableDef::ShoppingList);
        ScriptedDialogs dialogs;
        dialogs.answer(MsgAnswer::Ok);
        ShoppingActions::addFromPlanner(folder.path(), planner, recipes.recordset(), false);
        QCOMPARE(dialogs.last().title, QStringLiteral("No Selection"));
        QCOMPARE(dialogs.last().text, QStringLiteral("Please select a recipe."));
        QCOMPARE(folder.readBytes(TableDef::ShoppingList), before);
    }
};

QTEST_GUILESS_MAIN(TestShoppingCore)
#include "test_shopping_core.moc"
