#include "FakePlatform.h"
#include "MasterTestData.h"
#include "ScriptedDialogs.h"
#include "TestData.h"
#include "app/Main.h"
#include "app/RecipeWindow.h"
#include "masterlists/ui/LineEditorWindow.h"
#include "masterlists/ui/MasterListWindow.h"
#include "shell/AppState.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace MasterTestData;

namespace {
// A recipe window that keeps its field texts and shows the ingredient lines in the main window's grid.
class FakeRecipeWindow : public RecipeWindow
{
public:
    explicit FakeRecipeWindow(Main& main)
        : m_main(main)
    {
    }
    QHash<QString, QString> fields;
    int changes = 0;
    bool isEditing() const override { return changes > 0; }
    void pressSave() override { }
    void cancelEdit() override { }
    void listAll() override { }
    void refreshList() override { }
    QStringList selectedKeys() const override { return {}; }
    QStringList selectedNames() const override { return {}; }
    QString currentKey() const override { return QStringLiteral("pie"); }
    QString currentName() const override { return QStringLiteral("Pie"); }
    QString fieldText(const QString& field) const override { return fields.value(field); }
    void setFieldText(const QString& field, const QString& value) override
    {
        if (fields.value(field) != value)
            ++changes;
        fields[field] = value;
        if (field != QLatin1String("Ingredients"))
            return;
        auto* grid = m_main.findChild<QTableWidget*>("gridIngredients");
        const QStringList lines = value.split('~', Qt::SkipEmptyParts);
        grid->setRowCount(lines.size());
        for (int r = 0; r < lines.size(); ++r) {
            const QStringList cells = lines.at(r).split('|');
            for (int c = 0; c < 3; ++c)
                grid->setItem(r, c, new QTableWidgetItem(cells.value(c)));
        }
    }
    bool showRecipeByName(const QString&) override { return false; }

private:
    Main& m_main;
};

void closeModalWith(const char* button, QString* title)
{
    QTimer::singleShot(0, [button, title] {
        QWidget* w = QApplication::activeModalWidget();
        QVERIFY(w);
        *title = w->windowTitle();
        w->findChild<QPushButton*>(QLatin1String(button))->click();
    });
}
} // namespace

class TestMasterListCommands : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestData::DataFolderFixture> m_data;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<Main> m_main;
    std::unique_ptr<FakeRecipeWindow> m_recipe;

    void click(const char* name) { m_main->findChild<QPushButton*>(QLatin1String(name))->click(); }
    QTableWidget* grid() { return m_main->findChild<QTableWidget*>("gridIngredients"); }

private Q_SLOTS:
    void init()
    {
        m_data = std::make_unique<TestData::DataFolderFixture>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_platform = std::make_unique<FakePlatform>();
        AppState::instance().reset();
        AppState::instance().dataPath = m_data->path() + QLatin1Char('/');
        m_main = std::make_unique<Main>();
        m_recipe = std::make_unique<FakeRecipeWindow>(*m_main);
        m_main->setRecipeWindow(m_recipe.get());
        m_recipe->setFieldText("Ingredients", "1|cup|flour~2|tsp|salt~3||eggs~");
        m_recipe->changes = 0;
    }
    void cleanup()
    {
        QVERIFY2(m_dialogs->exhausted(), "a queued answer was not used");
        m_main.reset();
        m_recipe.reset();
        AppState::instance().reset();
        m_platform.reset();
        m_dialogs.reset();
        m_data.reset();
    }

    void menuEntriesOpenTheirList_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("title");
        QTest::newRow("qty") << "mnuEditMasterQty"
                             << "Edit Master Quantity List";
        QTest::newRow("ntrn") << "mnuEditNtrn"
                              << "Edit Master Nutrition List";
        QTest::newRow("meal") << "mnuEditMeal"
                              << "Edit Master Meal List";
    }
    void menuEntriesOpenTheirList()
    {
        QFETCH(QString, action);
        QFETCH(QString, title);
        QString shown;
        closeModalWith("cmdSave", &shown);
        m_main->findChild<QAction*>(action)->trigger();
        QCOMPARE(shown, title);
    }
    void sourceButtonRefillsThePickListKeepingTheText()
    {
        auto* source = m_main->findChild<QComboBox*>("cboSource");
        source->setEditText("Grandma");
        QTimer::singleShot(0, [] {
            auto* w = qobject_cast<MasterListWindow*>(QApplication::activeModalWidget());
            QVERIFY(w);
            w->findChild<QLineEdit*>("txtCat")->setText("Cookbook");
            w->findChild<QPushButton*>("cmdAdd")->click();
            w->findChild<QPushButton*>("cmdSave")->click();
        });
        click("cmdEditSource");
        QCOMPARE(source->count(), 2); // a blank choice, then the list
        QCOMPARE(source->itemText(1), QString("Cookbook"));
        QCOMPARE(source->currentText(), QString("Grandma"));
    }
    void gridDeleteAndMove()
    {
        grid()->setCurrentCell(0, 0);
        click("cmdIngrScroll_0"); // first line up: nothing
        for (int i = 0; i < 3; ++i)
            click("cmdIngrScroll_1"); // the third time, last line down: nothing
        QCOMPARE(m_recipe->fields["Ingredients"], QString("2|tsp|salt~3||eggs~1|cup|flour~"));
        QCOMPARE(grid()->currentRow(), 2); // the moved line stays selected
        grid()->setCurrentCell(0, 0);
        click("cmdIngrDelete");
        click("cmdIngrDelete");
        QCOMPARE(m_recipe->fields["Ingredients"], QString("1|cup|flour~"));
        grid()->setCurrentCell(-1, -1);
        click("cmdIngrDelete");
        QCOMPARE(m_recipe->fields["Ingredients"], QString());
        click("cmdIngrDelete"); // nothing left: nothing happens
        QCOMPARE(m_recipe->changes, 5);
    }
    void ingredientEditorEditsTheRecipeField()
    {
        QTimer::singleShot(0, [] {
            auto* w = qobject_cast<LineEditorWindow*>(QApplication::activeModalWidget());
            QVERIFY(w);
            QCOMPARE(w->lines().count(), 3);
            w->findChild<QComboBox*>("txtItem")->setEditText("butter");
            w->findChild<QPushButton*>("cmdAdd")->click();
            w->findChild<QPushButton*>("cmdOK")->click();
        });
        click("cmdIngrEdit");
        QCOMPARE(m_recipe->fields["Ingredients"], QString("1|cup|flour~2|tsp|salt~3||eggs~||butter~"));

        // Cancel leaves the recipe alone.
        QTimer::singleShot(0, [] {
            auto* w = QApplication::activeModalWidget();
            w->findChild<QPushButton*>("cmdDelete")->click();
            w->findChild<QPushButton*>("cmdCancel")->click();
        });
        click("cmdIngrEdit");
        QCOMPARE(m_recipe->changes, 1);
    }
    void addAllToMasterIngredients()
    {
        writeTable(*m_data, *MasterListKinds::find("ingr"), { { "0x00000001", "0x0000", "flour", "" } });
        m_dialogs->answer(MsgAnswer::No);
        click("cmdIngrList");
        QCOMPARE(recordLines(*m_data, TableDef::Ingredients).size(), 1);
        m_dialogs->answer(MsgAnswer::Yes);
        m_dialogs->answer(MsgAnswer::Ok);
        click("cmdIngrList");
        QCOMPARE(m_dialogs->last().title, QString("Add Complete"));
        QCOMPARE(m_dialogs->last().text, QString("Finished adding all items to the master ingredient list."));
        // Every line is added, even one already in the list.
        QCOMPARE(recordLines(*m_data, TableDef::Ingredients),
                 (QStringList {
                     R"(0x00000000,0x0008,"eggs","eggs","","","")", R"(0x00000001,0x0000,"flour","flour","","","")",
                     R"(0x00000000,0x0008,"flour","flour","","","")", R"(0x00000000,0x0008,"salt","salt","","","")" }));
    }
    void withTheRecipeWindow()
    {
        // The real recipe window: moving a line edits the shown recipe, which enters edit mode.
        m_main.reset();
        AppState& app = AppState::instance();
        app.recipes = std::make_unique<DataSource1>(m_data->file(TableDef::Recipes));
        app.prefs = std::make_unique<DataSourcePrefs2>(m_data->file(TableDef::Preferences));
        Recordset& rs = app.recipes->recordset();
        rs.addNew();
        rs.setValue("REC_ID", "0x00000009");
        rs.setValue("STATUS", "0x0000");
        rs.setValue("Key", "pie");
        rs.setValue("Name", "Pie");
        rs.setValue("Ingredients", "1|cup|flour~2|tsp|salt~");
        rs.setValue("RtgSrc", "~~");
        m_main = std::make_unique<Main>();
        RecipeWindow* recipe = m_main->recipeWindow();
        QVERIFY(recipe && recipe != m_recipe.get());
        recipe->listAll();
        QCOMPARE(recipe->fieldText("Ingredients"), QString("1|cup|flour~2|tsp|salt~"));
        QVERIFY(!recipe->isEditing());
        grid()->setCurrentCell(0, 0);
        click("cmdIngrScroll_1");
        QCOMPARE(recipe->fieldText("Ingredients"), QString("2|tsp|salt~1|cup|flour~"));
        QCOMPARE(grid()->currentRow(), 1);
        QVERIFY(recipe->isEditing());
        QTimer::singleShot(0, [] {
            auto* w = QApplication::activeModalWidget();
            QVERIFY(w && w->objectName() == "frmNutrition");
            w->findChild<QLineEdit*>("txtQty")->setText("250");
            w->findChild<QComboBox*>("txtUnit")->setEditText("kcal");
            w->findChild<QComboBox*>("txtItem")->setEditText("Energy");
            w->findChild<QPushButton*>("cmdAdd")->click();
            w->findChild<QPushButton*>("cmdOK")->click();
        });
        click("cmdNtrnEdit");
        QCOMPARE(recipe->fieldText("Nutrition"), QString("250|kcal|Energy~"));
        QCOMPARE(m_main->findChild<QTableWidget*>("gridNutrition")->rowCount(), 1);
        recipe->cancelEdit();
    }
};

QTEST_MAIN(TestMasterListCommands)
#include "test_masterlist_commands.moc"
