#include "ScriptedDialogs.h"
#include "ShoppingTestData.h"
#include "TestData.h"

#include "shell/AppState.h"
#include "shopping/MenuPlanner.h"
#include "shopping/MenuPlannerModel.h"
#include "shopping/ShoppingActions.h"
#include "shopping/ShoppingList.h"
#include "shopping/ShoppingListModel.h"

#include <QLocale>
#include <QTest>

using namespace ShoppingTestData;

namespace {
// Fills the shopping list file with n synchronised items ("item0".. in aisle "1") and some deleted ones.
void fillShoppingList(const QString& folder, int n, int deleted = 0)
{
    auto source = DataSource::open(TableDef::ShoppingList, folder);
    Recordset& rs = source->recordset();
    for (int i = 0; i < n + deleted; ++i) {
        rs.addNew();
        const QString name = QStringLiteral("item%1").arg(i);
        const QStringList values { "0x00000100", i < n ? "0x0000" : "0x0002", "001" + name, "1", name, "1" };
        for (int f = 0; f < values.size(); ++f)
            rs.setValue(f, values.at(f));
    }
    QVERIFY(source->save());
}

void stringRows(std::initializer_list<std::initializer_list<const char*>> rows)
{
    for (const auto& row : rows) {
        QTestData& data = QTest::newRow(*row.begin());
        for (auto it = row.begin() + 1; it != row.end(); ++it)
            data << QString::fromUtf8(*it);
    }
}

template <typename... Names> void stringColumns(Names... names)
{
    (QTest::addColumn<QString>(names), ...);
}

const QString kLimitText = QStringLiteral("The maximum number of items in the shopping list is 10000.");
} // namespace

class TestShoppingCore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { AppState::instance().reset(); }

    // One line through AddToShoppingList, checked in the written file (empty: nothing written).
    void addOneLine_data()
    {
        stringColumns("qty", "units", "ingredient", "file");
        stringRows({ { "numbered aisle", "2", "c", "Flour", "0x0008|003flour|3|Flour|2|c|Pie" },
                     { "named aisle", "1", "", "Butter", "0x0008|bakingbutter|Baking|Butter|1||Pie" },
                     { "fraction aisle rounds in the key", "", "", "Sugar", "0x0008|008sugar|7.5|Sugar|||Pie" },
                     { "number then words", "", "", "Milk", "0x0008|012milk|12 Dairy|Milk|||Pie" },
                     { "no master entry", "", "", "Salt", "0x0008|salt||Salt|||Pie" },
                     { "quote and star dropped from key", "", "oz", "Baker's chocolate*",
                       "0x0008|bakers chocolate||Baker's chocolate*||oz|Pie" },
                     { "OR alone is no item", "", "", "OR", "" },
                     { "OR with quantity is an item", "1", "", "OR", "0x0008|or||OR|1||Pie" },
                     { "units without ingredient", "2", "c", "", "0x0008||||2|c|Pie" } });
        const QString x80(80, QLatin1Char('x'));
        QTest::newRow("cut to 80 characters")
            << "1" << QString() << QString(100, QLatin1Char('x')) << QString("0x0008|" + x80 + "||" + x80 + "|1||Pie");
    }
    void addOneLine()
    {
        QFETCH(QString, qty);
        QFETCH(QString, units);
        QFETCH(QString, ingredient);
        QFETCH(QString, file);
        TestData::DataFolderFixture folder;
        append(folder.path(), TableDef::Ingredients,
               { masterIngredient("Flour", "3"), masterIngredient("Butter", "Baking"), masterIngredient("Sugar", "7.5"),
                 masterIngredient("Milk", "12 Dairy") });
        ScriptedDialogs dialogs;
        AddToShoppingList(qty, units, ingredient, "Pie", folder.path());
        QCOMPARE(read(folder.path(), TableDef::ShoppingList,
                      { "ShopKey", "ShopAisle", "ShopIngr", "ShopQty", "ShopUnits", "ShopNote" }),
                 file.isEmpty() ? QStringList() : QStringList { file });
    }

    // Reaching the limit (deleted items do not count) in the middle of add-all still writes what was added and
    // says what was left out, and only that: the run did not finish adding all items.
    void addAllStopsAtLimitButKeepsAdded()
    {
        TestData::DataFolderFixture folder;
        fillShoppingList(folder.path(), 9998, 5);
        ScriptedDialogs dialogs;
        dialogs.answer(MsgAnswer::Yes);
        dialogs.answer(MsgAnswer::Ok);
        const auto tally = ShoppingActions::addAllFromRecipe(
            folder.path(), splitItemLines("1||Apple~2||Pear~3||Plum~||OR~4||Fig~"), "Fruit", true);
        QCOMPARE(QVector<int>({ tally.added, tally.skipped, tally.notAdded }), QVector<int>({ 2, 1, 2 }));
        QCOMPARE(read(folder.path(), TableDef::ShoppingList, {}).size(), 10005);
        QCOMPARE(dialogs.last().title, QStringLiteral("Maximum Number Items"));
        QCOMPARE(dialogs.last().text, kLimitText + "\r\n\r\n2 ingredient lines were not added.");
    }

    // Declining add-all, or adding from an empty planner, leaves the shopping list file as it was.
    void declinedOrUnselectedWritesNothing()
    {
        TestData::DataFolderFixture folder;
        const QByteArray before = folder.readBytes(TableDef::ShoppingList);
        ScriptedDialogs dialogs;
        dialogs.answer(MsgAnswer::No);
        ShoppingActions::addAllFromRecipe(folder.path(), splitItemLines("1||Apple~"), "Fruit", true);
        DataSource1 recipes(folder.file(TableDef::Recipes));
        DataSource8 menu(folder.file(TableDef::MenuPlanner));
        dialogs.answer(MsgAnswer::Ok);
        ShoppingActions::addFromPlanner(folder.path(), MenuPlannerModel(menu.recordset()), recipes.recordset(), false);
        QCOMPARE(dialogs.last().text, QStringLiteral("Please select a recipe."));
        QCOMPARE(folder.readBytes(TableDef::ShoppingList), before);
    }

    // Update keeps the record when only letter case changes, otherwise replaces it under the status rules.
    void plannerUpdate_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("recipe");
        QTest::addColumn<QStringList>("file");
        const QDate d(2007, 12, 25);
        const QStringList caseOnly { "0x0004|0x00000042|20071225dinner~apple pie|APPLE PIE" };
        QTest::newRow("case only") << "0x0000" << d << "APPLE PIE" << caseOnly;
        QTest::newRow("case only on new") << "0x0008" << d << "APPLE PIE" << caseOnly;
        QTest::newRow("other recipe") << "0x0000" << d << "Cake"
                                      << QStringList { "0x0002|0x00000042|20071225dinner~apple pie|Apple Pie",
                                                       "0x0008|0x00000000|20071225dinner~cake|Cake" };
        QTest::newRow("other date on new") << "0x0008" << QDate(2007, 12, 31) << "Apple Pie"
                                           << QStringList { "0x0008|0x00000000|20071231dinner~apple pie|Apple Pie" };
    }
    void plannerUpdate()
    {
        QFETCH(QString, status);
        QFETCH(QDate, date);
        QFETCH(QString, recipe);
        TestData::DataFolderFixture folder;
        append(folder.path(), TableDef::MenuPlanner,
               { { "0x00000042", status, "20071225dinner~apple pie", "", "Dinner", "Apple Pie", "", "" } });
        DataSource8 menu(folder.file(TableDef::MenuPlanner));
        MenuPlannerModel model(menu.recordset());
        const auto entry = model.beginEdit();
        QCOMPARE(entry.value().date, QDate(2007, 12, 25));
        QCOMPARE(model.addOrUpdate({ date, entry->meal, recipe }), MenuPlannerModel::Result::Updated);
        QVERIFY(menu.save());
        QTEST(read(folder.path(), TableDef::MenuPlanner, { "REC_ID", "MenuKey", "MenuRecipe" }), "file");
    }

    void shoppingListUpdate_data()
    {
        stringColumns("status", "aisle", "ingredient", "file", "old");
        stringRows({ { "case only", "0x0000", "7", "milk", "0x0004|0x00000077|007milk|milk|2|Cake", "" },
                     { "case only on new record", "0x0008", "7", "milk", "0x0004|0x00000077|007milk|milk|2|Cake", "" },
                     { "aisle change", "0x0000", "5", "Milk", "0x0008|0x00000000|005milk|Milk|2|Cake",
                       "0x0002|0x00000077|007milk|Milk|1|Cake" },
                     { "ingredient change on new removes old", "0x0008", "7", "Cream",
                       "0x0008|0x00000000|007cream|Cream|2|Cake", "" } });
    }
    void shoppingListUpdate()
    {
        QFETCH(QString, status);
        QFETCH(QString, aisle);
        QFETCH(QString, ingredient);
        QFETCH(QString, file);
        QFETCH(QString, old);
        TestData::DataFolderFixture folder;
        append(folder.path(), TableDef::ShoppingList,
               { { "0x00000077", status, "007milk", "7", "Milk", "1", "qt", "Cake", "", "" } });
        {
            ShoppingListModel shop(folder.path());
            QCOMPARE(shop.beginEdit().value().aisle, QStringLiteral("7"));
            QCOMPARE(shop.addOrUpdate({ aisle, "2", "qt", ingredient }), ShoppingListModel::Result::Updated);
            QVERIFY(shop.save());
        }
        const QStringList written { file, old };
        QCOMPARE(
            read(folder.path(), TableDef::ShoppingList, { "REC_ID", "ShopKey", "ShopIngr", "ShopQty", "ShopNote" }),
            written.mid(0, old.isEmpty() ? 1 : 2));
    }

    // Update rewrites the item being edited even when another row was clicked meanwhile; delete writes its
    // status and keeps a row selected.
    void shoppingListEditDeleteAndClear()
    {
        TestData::DataFolderFixture folder;
        append(folder.path(), TableDef::ShoppingList,
               { { "0x00000001", "0x0000", "001apple", "1", "Apple", "", "", "", "", "" },
                 { "0x00000002", "0x0004", "002pear", "2", "Pear", "", "", "", "", "" } });
        {
            ShoppingListModel shop(folder.path());
            QVERIFY(shop.beginEdit());
            QVERIFY(shop.select(1));
            shop.addOrUpdate({ "1", "6", "", "Apple" });
            QCOMPARE(shop.rows().at(0).quantity, QStringLiteral("6"));
            shop.addOrUpdate({ "3", "", "", "Plum" });
            QVERIFY(shop.select(1));
            QVERIFY(shop.deleteSelected());
            QCOMPARE(shop.selectedRow(), 1);
            QVERIFY(shop.save());
        }
        QCOMPARE(read(folder.path(), TableDef::ShoppingList, { "ShopIngr", "ShopQty" }),
                 (QStringList { "0x0004|Apple|6", "0x0002|Pear|", "0x0008|Plum|" }));
    }

    // A planned week goes onto the shopping list with aisles and recipe notes, found by key in any letter case;
    // a deleted recipe is reported and the rest still arrive.
    void plannedWeekEndToEnd()
    {
        TestData::DataFolderFixture folder;
        append(folder.path(), TableDef::Ingredients, { masterIngredient("Flour", "3"), masterIngredient("Milk", "7") });
        append(folder.path(), TableDef::Recipes,
               { recipe("pancakes", "Pancakes", "1|cup|Flour~1|cup|Milk~"), recipe("Toast", "Toast", "2|slices|Bread~"),
                 recipe("stew", "Stew", "1||Beef~", "0x0002") });
        DataSource1 recipes(folder.file(TableDef::Recipes));
        recipes.recordset().setFilter("Name = 'Nothing'"); // the adder looks past the recipe window's filter
        DataSource8 menu(folder.file(TableDef::MenuPlanner));
        MenuPlannerModel planner(menu.recordset());
        const QDate monday(2008, 1, 7);
        const QStringList week { "Pancakes", "Toast", "Stew", "Pancakes" };
        for (int i = 0; i < week.size(); ++i)
            planner.addOrUpdate({ monday.addDays(i), "Dinner", week.at(i) });
        ScriptedDialogs dialogs;
        for (const MsgAnswer answer : { MsgAnswer::Yes, MsgAnswer::Ok, MsgAnswer::Ok })
            dialogs.answer(answer);
        QCOMPARE(ShoppingActions::addFromPlanner(folder.path(), planner, recipes.recordset(), true).added, 5);
        QCOMPARE(dialogs.shown().at(1).title, QStringLiteral("Not found"));
        QCOMPARE(dialogs.shown().at(1).text, QStringLiteral("Recipe (Stew) not found"));
        QCOMPARE(recipes.recordset().recordCount(), 0);
        QCOMPARE(dialogs.last().text, QStringLiteral("Finished adding ingredients."));
        const QString flour = "0x0008|003flour|1|Pancakes", milk = "0x0008|007milk|1|Pancakes";
        QCOMPARE(read(folder.path(), TableDef::ShoppingList, { "ShopKey", "ShopQty", "ShopNote" }),
                 (QStringList { flour, flour, milk, milk, "0x0008|bread|2|Toast" }));
    }
};

QTEST_GUILESS_MAIN(TestShoppingCore)
#include "test_shopping_core.moc"
