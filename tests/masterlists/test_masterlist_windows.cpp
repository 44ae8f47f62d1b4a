#include "FakePlatform.h"
#include "MasterTestData.h"
#include "ScriptedDialogs.h"
#include "TestData.h"
#include "Widgets.h"
#include "app/Main.h"
#include "app/RecipeWindow.h"
#include "masterlists/ui/ImportMasterWindow.h"
#include "masterlists/ui/LineEditorWindow.h"
#include "masterlists/ui/MasterListWindow.h"
#include "shell/AppState.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace MasterTestData;
using Mode = LineEditorWindow::Mode;

using namespace TestUi;

namespace {
const MasterListKind& kind(const char* keyword)
{
    return *MasterListKinds::find(QLatin1String(keyword));
}
} // namespace

class TestMasterListWindows : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestData::DataFolderFixture> m_data;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<Main> m_main;

    // The main window showing the real recipe window with one recipe.
    RecipeWindow& openMain()
    {
        AppState& app = AppState::instance();
        app.recipes = std::make_unique<DataSource1>(m_data->file(TableDef::Recipes));
        app.prefs = std::make_unique<DataSourcePrefs2>(m_data->file(TableDef::Preferences));
        Recordset& rs = app.recipes->recordset();
        rs.addNew();
        const QStringList values { "REC_ID", "0x00000009", "STATUS", "0x0000",      "Key",
                                   "pie",    "Name",       "Pie",    "Ingredients", "1|cup|flour~2|tsp|salt~3||eggs~",
                                   "RtgSrc", "~~" };
        for (int i = 0; i < values.size(); i += 2)
            rs.setValue(values[i], values[i + 1]);
        m_main = std::make_unique<Main>();
        m_main->recipeWindow()->listAll();
        return *m_main->recipeWindow();
    }
    QTableWidget* grid() { return child<QTableWidget>(m_main.get(), "gridIngredients"); }

    void setAutoAdd(const char* value)
    {
        m_data->writeBytes(
            TableDef::Preferences,
            Cp1252::encode(
                TableFile::headerFromNothing(1, 2) + "\r\n"
                + QStringLiteral("0x00000001,0x0000,\"ingr_auto_add\",\"%1\"\r\n").arg(QLatin1String(value))));
        AppState::instance().prefs = std::make_unique<DataSourcePrefs2>(m_data->file(TableDef::Preferences));
    }

private Q_SLOTS:
    void init()
    {
        m_data = std::make_unique<TestData::DataFolderFixture>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_platform = std::make_unique<FakePlatform>();
        AppState::instance().reset();
        AppState::instance().dataPath = m_data->path() + QLatin1Char('/');
    }
    void cleanup()
    {
        QVERIFY2(m_dialogs->exhausted(), "a queued answer was not used");
        if (m_main)
            m_main->recipeWindow()->cancelEdit();
        m_main.reset();
        AppState::instance().reset();
        m_platform.reset();
        m_dialogs.reset();
        m_data.reset();
    }

    void limitMessageKeepsTheEntry()
    {
        QVector<Rec> recs = numbered(79);
        recs.append({ "0x00000100", "0x0000", "All", "" });
        writeTable(*m_data, kind("cat"), recs);
        MasterListWindow w(kind("cat"));
        QCOMPARE(child<QListWidget>(&w, "lstCatAll")->count(), 79);
        child<QLineEdit>(&w, "txtCat")->setText("Soups");
        m_dialogs->answer(MsgAnswer::Ok);
        click(&w, "cmdAdd");
        QCOMPARE(m_dialogs->last().text, QString("The maximum number of Categories is 80."));
        QCOMPARE(child<QLineEdit>(&w, "txtCat")->text(), QString("Soups"));
        QCOMPARE(child<QListWidget>(&w, "lstCatAll")->count(), 79);
        w.reject();
    }
    void editUpdateAndDeleteWriteStatusesOnClose()
    {
        writeTable(*m_data, kind("ingr"),
                   { { "0x00000001", "0x0000", "Flour", "3" },
                     { "0x00000000", "0x0008", "Salt", "" },
                     { "0x00000003", "0x0000", "Yeast", "" } });
        MasterListWindow w(kind("ingr"));
        auto* list = child<QListWidget>(&w, "lstCatAll");
        auto* entry = child<QLineEdit>(&w, "txtCat");
        auto* aisle = child<QComboBox>(&w, "txtAisle");
        QCOMPARE(entry->maxLength(), 80);
        click(&w, "cmdEdit"); // the first entry is held on opening
        QCOMPARE(entry->text(), QString("Flour"));
        QCOMPARE(aisle->currentText(), QString("3"));
        entry->setText("flour");
        click(&w, "cmdAdd");
        QCOMPARE(entry->text(), QString());
        QCOMPARE(list->item(0)->text(), QString("flour (aisle:3)"));

        // Delete without any prompt (an unexpected box would fail the test).
        list->setCurrentRow(2);
        click(&w, "cmdDelete");
        QCOMPARE(list->count(), 2);

        click(&w, "cmdSave");
        QCOMPARE(recordLines(*m_data, TableDef::Ingredients),
                 (QStringList { R"(0x00000001,0x0004,"flour","flour","3","","")",
                                R"(0x00000000,0x0008,"salt","Salt","","","")",
                                R"(0x00000003,0x0002,"yeast","Yeast","","","")" }));
    }
    void enterKeys()
    {
        {
            MasterListWindow w(kind("meal"));
            w.show();
            QCOMPARE(child<QLineEdit>(&w, "txtCat")->maxLength(), 9);
            QVERIFY(!w.findChild<QComboBox*>("txtAisle"));
            tabTo(child<QLineEdit>(&w, "txtCat"));
            type("Lunch");
            press(Qt::Key_Return);
            QCOMPARE(w.editor().entryTexts(), QStringList { "Lunch" });
            w.reject();
        }
        MasterListWindow w(kind("ingr"));
        w.show();
        tabTo(child<QLineEdit>(&w, "txtCat"));
        type("Flour");
        press(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), child<QComboBox>(&w, "txtAisle")); // Enter moves on to the aisle
        press(Qt::Key_Return);
        QCOMPARE(w.editor().count(), 0);
        // Enter in the aisle box moves on to OK; Enter on OK closes (and writes) the list.
        QCOMPARE(QApplication::focusWidget(), child<QPushButton>(&w, "cmdSave"));
        QVERIFY(w.isVisible());
        press(Qt::Key_Return);
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));
    }
    void aisleBoxKeepsFiveCharacters()
    {
        writeTable(*m_data, kind("aisle"), { { "0x00000001", "0x0000", "Dairy", "" } });
        MasterListWindow w(kind("ingr"));
        w.show();
        auto* aisle = child<QComboBox>(&w, "txtAisle");
        QCOMPARE(aisle->count(), 1);
        tabTo(aisle);
        type("d");
        QCOMPARE(aisle->currentText(), QString("dairy"));
        QCOMPARE(aisle->lineEdit()->selectedText(), QString("airy"));
        press(Qt::Key_A, Qt::ControlModifier);
        press(Qt::Key_Delete);
        type("123456");
        QCOMPARE(aisle->currentText(), QString("12345"));
        QCOMPARE(m_platform->beeps, 1);
        w.reject();
    }
    void entriesPassToTheOpenIngredientEditor()
    {
        LineEditorWindow editor(Mode::Ingredients, QString());
        QCOMPARE(LineEditorWindow::openEditor(), &editor);
        for (const char* k : { "units", "qty", "ingr" }) {
            MasterListWindow w(kind(k));
            child<QLineEdit>(&w, "txtCat")->setText(QStringLiteral("X-%1").arg(QLatin1String(k)));
            click(&w, "cmdAdd");
            w.reject();
        }
        QCOMPARE(child<QComboBox>(&editor, "txtUnit")->currentText(), QString("X-units"));
        QCOMPARE(child<QComboBox>(&editor, "txtQty")->currentText(), QString("X-qty"));
        QCOMPARE(child<QComboBox>(&editor, "txtItem")->currentText(), QString("X-ingr"));
    }
    void fortyLineLimit_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("text");
        QTest::newRow("ingredients") << int(Mode::Ingredients) << "The maximum number of ingredients is 40.";
        QTest::newRow("nutrition") << int(Mode::Nutrition) << "The maximum number of nutritional items is 40.";
    }
    void fortyLineLimit()
    {
        QFETCH(int, mode);
        QFETCH(QString, text);
        QString forty;
        for (int i = 1; i <= 40; ++i)
            forty += QStringLiteral("%1|cup|item %1~").arg(i);
        LineEditorWindow w(Mode(mode), forty);
        auto* grid = w.findChild<QTableWidget*>(mode == int(Mode::Ingredients) ? "gridIngredients" : "gridNutrition");
        QVERIFY(grid);
        QCOMPARE(grid->rowCount(), 40);
        child<QComboBox>(&w, "txtItem")->setEditText("one more");
        m_dialogs->answer(MsgAnswer::Ok);
        click(&w, "cmdAdd");
        QCOMPARE(m_dialogs->last().text, text);
        QCOMPARE(w.lines().count(), 40);
        // Updating a line of a full list meets the same limit.
        grid->setCurrentCell(39, 0);
        click(&w, "cmdEdit");
        QCOMPARE(child<QComboBox>(&w, "txtItem")->currentText(), QString("item 40"));
        child<QComboBox>(&w, "txtItem")->setEditText("last item");
        m_dialogs->answer(MsgAnswer::Ok);
        click(&w, "cmdAdd");
        QCOMPARE(m_dialogs->messageCount(), 2);
        QCOMPARE(m_dialogs->last().text, text);
        QCOMPARE(w.lines().at(39).item, QString("item 40"));
    }
    void autoAddKeptByOkDroppedByCancel_data()
    {
        QTest::addColumn<QString>("flag");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("written");
        const QStringList saffron { R"(0x00000000,0x0008,"saffron threads","Saffron Threads","","","")" };
        QTest::newRow("on, OK") << "1" << true << saffron;
        QTest::newRow("on, Cancel") << "1" << false << QStringList();
        QTest::newRow("off, OK") << "0" << true << QStringList();
    }
    void autoAddKeptByOkDroppedByCancel()
    {
        QFETCH(QString, flag);
        QFETCH(bool, ok);
        QFETCH(QStringList, written);
        setAutoAdd(flag.toLatin1().constData());
        LineEditorWindow w(Mode::Ingredients, QString());
        auto* item = child<QComboBox>(&w, "txtItem");
        item->setEditText("Saffron Threads");
        click(&w, "cmdAdd");
        item->setEditText("saffron threads*"); // same key: not added twice
        click(&w, "cmdAdd");
        QCOMPARE(w.lines().count(), 2);
        QCOMPARE(item->count(), flag == "1" ? 1 : 0); // offered for the next line
        click(&w, ok ? "cmdOK" : "cmdCancel");
        QCOMPARE(w.result(), ok ? int(QDialog::Accepted) : int(QDialog::Rejected));
        QCOMPARE(recordLines(*m_data, TableDef::Ingredients), written);
    }
    void editMoveDeleteInTheLineEditor()
    {
        LineEditorWindow w(Mode::Ingredients, "1|cup|flour~2|tsp|salt~3||eggs~");
        auto* grid = child<QTableWidget>(&w, "gridIngredients");
        QCOMPARE(grid->item(1, 1)->text(), QString("tsp"));
        grid->setCurrentCell(0, 0);
        click(&w, "cmdIngrScroll_0"); // first line up: nothing
        QCOMPARE(w.text(), QString("1|cup|flour~2|tsp|salt~3||eggs~"));
        click(&w, "cmdEdit");
        QVERIFY(child<QPushButton>(&w, "cmdEdit")->isHidden());
        QVERIFY(!child<QPushButton>(&w, "cmdIconClear")->isHidden());
        // The line being edited moves with its row.
        click(&w, "cmdIngrScroll_1");
        QCOMPARE(grid->currentRow(), 1);
        child<QComboBox>(&w, "txtQty")->setEditText("1 1/2");
        click(&w, "cmdAdd");
        QCOMPARE(w.text(), QString("2|tsp|salt~1 1/2|cup|flour~3||eggs~"));
        QVERIFY(!child<QPushButton>(&w, "cmdEdit")->isHidden());
        grid->setCurrentCell(2, 0);
        click(&w, "cmdIngrScroll_1"); // last line down: nothing
        click(&w, "cmdDelete");
        click(&w, "cmdDelete");
        QCOMPARE(w.lines().count(), 1);
        grid->setCurrentCell(-1, -1);
        click(&w, "cmdDelete"); // the only line goes even without a current row
        QCOMPARE(w.text(), QString());
        QCOMPARE(grid->rowCount(), 0);
    }
    // The nutrition editor's units, completed as typed; its quantity box keeps twelve characters.
    void nutritionBoxes()
    {
        LineEditorWindow w(Mode::Nutrition, QString());
        auto* unit = child<QComboBox>(&w, "txtUnit");
        QStringList items;
        for (int i = 0; i < unit->count(); ++i)
            items << unit->itemText(i);
        QCOMPARE(items, (QStringList { "%", "%DV", "g", "mg", "kcal" }));
        w.show();
        tabTo(child<QLineEdit>(&w, "txtQty"));
        type("1234567890123");
        QCOMPARE(child<QLineEdit>(&w, "txtQty")->text(), QString("123456789012"));
        QCOMPARE(m_platform->beeps, 1);
        tabTo(unit);
        type("%d");
        QCOMPARE(unit->currentText(), QString("%dV"));
        QCOMPARE(unit->lineEdit()->selectedText(), QString("V"));
    }
    void editListReloadsTheItemList()
    {
        setAutoAdd("1");
        LineEditorWindow w(Mode::Ingredients, QString());
        auto* item = child<QComboBox>(&w, "txtItem");
        item->setEditText("Saffron");
        click(&w, "cmdAdd");
        // The master list editor opens modally; close it as the user would, adding one entry first.
        const auto seen = onModal("frmMasterCat", [](QDialog* d) {
            // The copy was written before the editor loaded the list.
            QCOMPARE(static_cast<MasterListWindow*>(d)->editor().entryTexts(), QStringList { "Saffron" });
            child<QLineEdit>(d, "txtCat")->setText("Mace");
            click(d, "cmdAdd");
            click(d, "cmdSave");
        });
        click(&w, "cmdEditIngr");
        QVERIFY(*seen);
        QCOMPARE(item->count(), 2);
        QCOMPARE(item->currentText(), QString("Mace")); // handed over by the master list editor
        click(&w, "cmdCancel");
        QCOMPARE(recordLines(*m_data, TableDef::Ingredients).size(), 2);
    }
    void shoppingButtons()
    {
        LineEditorWindow w(Mode::Ingredients, "1|cup|flour~2|tsp|salt~");
        child<QTableWidget>(&w, "gridIngredients")->setCurrentCell(1, 0);
        click(&w, "cmdShop_0");
        QCOMPARE(recordLines(*m_data, TableDef::ShoppingList).size(), 1);
        QVERIFY(recordLines(*m_data, TableDef::ShoppingList).at(0).contains("\"salt\""));
        m_dialogs->answer(MsgAnswer::No);
        click(&w, "cmdShop_1");
        QCOMPARE(recordLines(*m_data, TableDef::ShoppingList).size(), 1);
        m_dialogs->answer(MsgAnswer::Yes);
        click(&w, "cmdShop_1");
        QCOMPARE(recordLines(*m_data, TableDef::ShoppingList).size(), 3);
        QCOMPARE(m_dialogs->messageCount(), 2); // no completion message
    }
    void importWindowAddsEveryLineForm()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("list.txt");
        TestData::writeFile(path, "Flour,3\r\n\"Sugar\"\n\"Bread, white\",7\r\rCr\xE8me\r\n");
        writeTable(*m_data, kind("ingr"), { { "0x00000001", "0x0000", "Flour", "3" } });
        MasterListWindow editor(kind("ingr"));
        ImportMasterWindow w(&editor);
        m_dialogs->answer(MsgAnswer::Ok);
        click(&w, "cmdImport");
        QCOMPARE(m_dialogs->last().text, QString("Please select a file."));
        m_dialogs->choosePath(QString()); // cancelled: nothing changes
        click(&w, "cmdSelect");
        QCOMPARE(child<QLabel>(&w, "lblFilename")->text(), QString("No File Selected"));
        m_dialogs->choosePath(path);
        click(&w, "cmdSelect");
        click(&w, "cmdImport");
        QCOMPARE(child<QLabel>(&w, "lblCount")->text(), QString("Importing Records: 5 (DONE)"));
        QCOMPARE(m_platform->beeps, 1);
        QCOMPARE(editor.editor().count(), 5);
        QVERIFY(editor.editor().entryTexts().contains("Cr\u00E8me"));
    }

    void menuEntriesOpenTheirList()
    {
        openMain();
        QString title;
        onModal("frmMasterCat", [&title](QDialog* d) { title = d->windowTitle(); });
        trigger(m_main.get(), "mnuEditMeal");
        QCOMPARE(title, QString("Edit Master Meal List"));
    }
    void sourceButtonRefillsThePickListKeepingTheText()
    {
        openMain();
        auto* source = child<QComboBox>(m_main.get(), "cboSource");
        source->setEditText("Grandma");
        onModal("frmMasterCat", [](QDialog* d) {
            child<QLineEdit>(d, "txtCat")->setText("Cookbook");
            click(d, "cmdAdd");
            click(d, "cmdSave");
        });
        click(m_main.get(), "cmdEditSource");
        QCOMPARE(source->count(), 2); // a blank choice, then the list
        QCOMPARE(source->itemText(1), QString("Cookbook"));
        QCOMPARE(source->currentText(), QString("Grandma"));
    }
    void gridDeleteAndMove()
    {
        // Moving or deleting a line edits the shown recipe, which enters edit mode.
        RecipeWindow& recipe = openMain();
        grid()->setCurrentCell(0, 0);
        click(m_main.get(), "cmdIngrScroll_0"); // first line up: nothing
        QVERIFY(!recipe.isEditing());
        for (int i = 0; i < 3; ++i)
            click(m_main.get(), "cmdIngrScroll_1"); // the third time, last line down: nothing
        QCOMPARE(recipe.fieldText("Ingredients"), QString("2|tsp|salt~3||eggs~1|cup|flour~"));
        QCOMPARE(grid()->currentRow(), 2); // the moved line stays selected
        QVERIFY(recipe.isEditing());
        grid()->setCurrentCell(0, 0);
        click(m_main.get(), "cmdIngrDelete");
        click(m_main.get(), "cmdIngrDelete");
        QCOMPARE(recipe.fieldText("Ingredients"), QString("1|cup|flour~"));
        grid()->setCurrentCell(-1, -1);
        click(m_main.get(), "cmdIngrDelete");
        QCOMPARE(recipe.fieldText("Ingredients"), QString());
        click(m_main.get(), "cmdIngrDelete"); // nothing left: nothing happens
        QCOMPARE(grid()->rowCount(), 0);
    }
    void ingredientAndNutritionEditorsEditTheRecipe()
    {
        RecipeWindow& recipe = openMain();
        onModal("frmIngredient", [](QDialog* d) {
            QCOMPARE(static_cast<LineEditorWindow*>(d)->lines().count(), 3);
            child<QComboBox>(d, "txtItem")->setEditText("butter");
            click(d, "cmdAdd");
            click(d, "cmdOK");
        });
        click(m_main.get(), "cmdIngrEdit");
        const QString withButter("1|cup|flour~2|tsp|salt~3||eggs~||butter~");
        QCOMPARE(recipe.fieldText("Ingredients"), withButter);
        // Cancel leaves the recipe alone.
        onModal("frmIngredient", [](QDialog* d) {
            click(d, "cmdDelete");
            click(d, "cmdCancel");
        });
        click(m_main.get(), "cmdIngrEdit");
        QCOMPARE(recipe.fieldText("Ingredients"), withButter);
        QCOMPARE(grid()->rowCount(), 4);
        const auto seen = onModal("frmNutrition", [](QDialog* d) {
            child<QLineEdit>(d, "txtQty")->setText("250");
            child<QComboBox>(d, "txtUnit")->setEditText("kcal");
            child<QComboBox>(d, "txtItem")->setEditText("Energy");
            click(d, "cmdAdd");
            click(d, "cmdOK");
        });
        click(m_main.get(), "cmdNtrnEdit");
        QVERIFY(*seen);
        QCOMPARE(recipe.fieldText("Nutrition"), QString("250|kcal|Energy~"));
        QCOMPARE(child<QTableWidget>(m_main.get(), "gridNutrition")->rowCount(), 1);
    }
    void addAllToMasterIngredients()
    {
        openMain();
        writeTable(*m_data, kind("ingr"), { { "0x00000001", "0x0000", "flour", "" } });
        m_dialogs->answer(MsgAnswer::No);
        click(m_main.get(), "cmdIngrList");
        QCOMPARE(recordLines(*m_data, TableDef::Ingredients).size(), 1);
        m_dialogs->answer(MsgAnswer::Yes);
        m_dialogs->answer(MsgAnswer::Ok);
        click(m_main.get(), "cmdIngrList");
        QCOMPARE(m_dialogs->last().text, QString("Finished adding all items to the master ingredient list."));
        // Every line is added, even one already in the list.
        QCOMPARE(recordLines(*m_data, TableDef::Ingredients),
                 (QStringList {
                     R"(0x00000000,0x0008,"eggs","eggs","","","")", R"(0x00000001,0x0000,"flour","flour","","","")",
                     R"(0x00000000,0x0008,"flour","flour","","","")", R"(0x00000000,0x0008,"salt","salt","","","")" }));
    }
};

QTEST_MAIN(TestMasterListWindows)
#include "test_masterlist_windows.moc"
