#include "FakePlatform.h"
#include "FakeRecipeWindow.h"
#include "ScriptedDialogs.h"
#include "TestData.h"
#include "TestPaths.h"
#include "Widgets.h"

#include "app/Main.h"
#include "app/RecipeWindow.h"
#include "interchange/ui/ExportWindow.h"
#include "interchange/ui/ImportWindow.h"
#include "shell/AppState.h"
#include "shell/Settings.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kFixtures = QStringLiteral(ZESTORA_TESTS_DIR "/interchange/fixtures/");

template <typename T> T* child(QObject& parent, const char* name)
{
    return TestUi::child<T>(&parent, name);
}

void addRecipe(Recordset& rs, const QString& key, const QString& name, const QString& ingredients = QString())
{
    rs.addNew();
    rs.setValue("REC_ID", "0x00000001");
    rs.setValue("STATUS", "0x0000");
    rs.setValue("Key", key);
    rs.setValue("Name", name);
    rs.setValue("Serves", "4");
    rs.setValue("Ingredients", ingredients);
    rs.update();
}

} // namespace

class TestInterchangeUi : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<TestData::DataFolderFixture>();
        m_temp = std::make_unique<QTemporaryDir>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_platform = std::make_unique<FakePlatform>();
        AppState& s = AppState::instance();
        s.dataPath = m_folder->path() + QLatin1Char('/');
        s.settingsPath = m_temp->filePath(QStringLiteral("zestoraplus.ini"));
        s.recipes = std::make_unique<DataSource1>(m_folder->file(TableDef::Recipes));
        s.menu = std::make_unique<DataSource8>(m_folder->file(TableDef::MenuPlanner));
    }

    void cleanup()
    {
        QVERIFY2(m_dialogs->exhausted(), "an answer queued by the test was not used");
        AppState::instance().reset();
        m_platform.reset();
        m_dialogs.reset();
        m_temp.reset();
        m_folder.reset();
    }

    void importWindow()
    {
        const QString file = kFixtures + QStringLiteral("two_column_heading_continuation.mmf");
        {
            ImportWindow window(recipes(), m_folder->path());
            QCOMPARE(child<QLabel>(window, "lblFilename")->text(), QStringLiteral("No File Selected"));
            m_dialogs->answer(MsgAnswer::Ok);
            QCOMPARE(window.runImport(), 0);
            QCOMPARE(m_dialogs->last().text, QStringLiteral("Please select a file."));
            QVERIFY(!window.finished());
            // A cancelled file dialog leaves the label alone.
            m_dialogs->choosePath(QString());
            window.selectFile();
            QCOMPARE(child<QLabel>(window, "lblFilename")->text(), QStringLiteral("No File Selected"));

            m_dialogs->choosePath(file);
            window.selectFile();
            QCOMPARE(window.runImport(), 2);
            QCOMPARE(child<QLabel>(window, "lblCount")->text(), QStringLiteral("Importing Recipes: 2 (DONE)"));
            QCOMPARE(m_platform->beeps, 1);
            window.reject();
        }
        QCOMPARE(recipes().recordCount(), 2);
        DataSource2 categories(m_folder->file(TableDef::Categories));
        QCOMPARE(categories.recordset().recordCount(), 3);
        QCOMPARE(ReadSetting(QStringLiteral("Main"), QStringLiteral("ImportFile")), QDir::toNativeSeparators(file));
        // The next window shows the last file; its final message counts the recipes it skipped.
        ImportWindow again(recipes(), m_folder->path());
        QCOMPARE(child<QLabel>(again, "lblFilename")->text(), QDir::toNativeSeparators(file));
        m_dialogs->choosePath(kFixtures + QStringLiteral("recipes_missing_their_titles.txt"));
        again.selectFile();
        QCOMPARE(again.runImport(), 2);
        QVERIFY(
            child<QLabel>(again, "lblCount")
                ->text()
                .startsWith(QStringLiteral("Importing Recipes: 2 (DONE)\n2 recipes could not be read:\nline 12: ")));
    }

    void csvFieldButtons()
    {
        ImportWindow window(recipes(), m_folder->path());
        auto* available = child<QListWidget>(window, "lstFields_0");
        auto* order = child<QListWidget>(window, "lstFields_1");
        QVERIFY(!available->isEnabled());
        child<QRadioButton>(window, "optFormat_1")->setChecked(true);
        QVERIFY(available->isEnabled());
        QVERIFY(child<QPushButton>(window, "cmdScroll_0")->isEnabled());

        const auto texts = [order] { return TestUi::texts(order); };
        child<QPushButton>(window, "cmdAdd_2")->click(); // All
        QCOMPARE(texts(), (QStringList { "Title", "Ingredients", "Instructions", "Servings", "Source", "Categories" }));
        order->item(1)->setSelected(true);
        order->item(2)->setSelected(true);
        child<QPushButton>(window, "cmdAdd_1")->click(); // Remove
        QCOMPARE(texts(), (QStringList { "Title", "Servings", "Source", "Categories" }));
        QCOMPARE(order->currentRow(), 1);
        child<QPushButton>(window, "cmdScroll_0")->click(); // up
        QCOMPARE(texts(), (QStringList { "Servings", "Title", "Source", "Categories" }));
        QCOMPARE(order->currentRow(), 0);
        child<QPushButton>(window, "cmdScroll_0")->click(); // already at the top
        QCOMPARE(texts().first(), QStringLiteral("Servings"));
        available->item(0)->setSelected(true);
        child<QPushButton>(window, "cmdAdd_0")->click(); // Add
        QCOMPARE(texts().last(), QStringLiteral("IGNORE this field"));
        child<QPushButton>(window, "cmdAdd_3")->click(); // None
        QCOMPARE(order->count(), 0);
    }

    void exportFileSafety()
    {
        addRecipe(recipes(), "toast", "Toast", "1|tb|butter~");
        const QString path = m_temp->filePath(QStringLiteral("out.txt"));
        QVERIFY(TestData::writeFile(path, "old"));
        ExportWindow window(recipes(), { "toast" });
        m_dialogs->answer(MsgAnswer::Ok);
        QVERIFY(!window.runExport());
        QCOMPARE(m_dialogs->last().text, QStringLiteral("Please select a filename"));
        m_dialogs->choosePath(m_temp->filePath(QStringLiteral("no/such/dir/x.txt")));
        window.selectFile();
        m_dialogs->answer(MsgAnswer::Ok);
        QVERIFY(!window.runExport());
        QCOMPARE(m_dialogs->last().icon, MsgIcon::Exclamation);
        QVERIFY(ReadSetting("Main", "ExportFile").isEmpty());
        m_dialogs->choosePath(path);
        window.selectFile();
        m_dialogs->answer(MsgAnswer::No);
        QVERIFY(!window.runExport());
        QCOMPARE(TestData::readFile(path), QByteArray("old"));
        child<QRadioButton>(window, "optType_1")->setChecked(true);
        m_dialogs->answer(MsgAnswer::Yes);
        m_dialogs->answer(MsgAnswer::Ok);
        QVERIFY(window.runExport());
        QCOMPARE(m_dialogs->last().text, QStringLiteral("Export Complete"));
        QVERIFY(TestData::readFile(path).startsWith("* Exported from MasterCook *\r\n"));
        QCOMPARE(ReadSetting("Main", "ExportType"), QStringLiteral("1"));
        QCOMPARE(ReadSetting("Main", "ExportRange"), QStringLiteral("0"));
        QCOMPARE(ReadSetting("Main", "ExportFile"), QDir::toNativeSeparators(path));
    }

    void exportSelectedRecipes()
    {
        addRecipe(recipes(), "a", "Alpha");
        addRecipe(recipes(), "b", "Beta");
        addRecipe(recipes(), "c", "Gamma");
        const QString path = m_temp->filePath(QStringLiteral("sel.mmf"));
        WriteSetting("Main", "ExportFile", path);
        WriteSetting("Main", "ExportRange", "1");
        ExportWindow window(recipes(), { "c", "a" });
        QCOMPARE(child<QRadioButton>(window, "optRecords_1")->text(), QStringLiteral("Export 2 Selected Recipes"));
        QVERIFY(child<QRadioButton>(window, "optRecords_1")->isChecked());
        QVERIFY(child<QRadioButton>(window, "optType_0")->isChecked());
        m_dialogs->answer(MsgAnswer::Ok);
        QVERIFY(window.runExport());
        const QByteArray bytes = TestData::readFile(path);
        QCOMPARE(bytes.count("Title: "), 2);
        QVERIFY(bytes.indexOf("Title: Gamma") < bytes.indexOf("Title: Alpha"));
        QCOMPARE(child<QLabel>(window, "lblNum")->text(), QStringLiteral("2"));
    }

    void exportWebRecipes()
    {
        addRecipe(recipes(), "a", "Alpha");
        const QString path = m_temp->filePath(QStringLiteral("web.json"));
        WriteSetting("Main", "ExportFile", path);
        WriteSetting("Main", "ExportType", "2");
        ExportWindow window(recipes(), {});
        QVERIFY(child<QRadioButton>(window, "optType_2")->isChecked());
        m_dialogs->answer(MsgAnswer::Ok);
        QVERIFY(window.runExport());
        QVERIFY(TestData::readFile(path).contains("\"name\": \"Alpha\""));
        QCOMPARE(ReadSetting("Main", "ExportType"), QStringLiteral("2"));
    }

    void exportAndCopyMenus()
    {
        Main main;
        FakeRecipeWindow rw;
        rw.fields = { { "Name", "Toast" }, { "Serves", "2" }, { "Ingredients", "1|tb|butter~" } };
        main.setRecipeWindow(&rw);
        m_dialogs->answer(MsgAnswer::Ok);
        child<QAction>(main, "mnuExport")->trigger();
        QCOMPARE(m_dialogs->last().text,
                 QStringLiteral("No recipes were selected.  Please select one or more recipes to export."));
        QCOMPARE(m_dialogs->messageCount(), 1);
        auto* list = child<QListWidget>(main, "lstAll");
        list->clear();
        // An empty recipe list copies nothing.
        child<QAction>(main, "mnuCopy")->trigger();
        QCOMPARE(m_dialogs->messageCount(), 1);
        list->addItem("Toast");
        m_dialogs->answer(MsgAnswer::Ok);
        child<QAction>(main, "mnuCopy")->trigger();
        QVERIFY(m_platform->clipboard.contains(QStringLiteral("Recipe Name: Toast\r\n")));
        QVERIFY(m_dialogs->last().text.startsWith(QStringLiteral("The recipe (Toast) has been copied")));

        m_folder->writeBytes(TableDef::ShoppingList,
                             TestData::crlfLines({ "#RECCNT:1",
                                                   "0x00000001,0x0000,\"milk\",\"Dairy\",\"milk\",\"1\",\"qt\","
                                                   "\"\",\"\",\"\"" }));
        m_dialogs->answer(MsgAnswer::Ok);
        child<QAction>(main, "mnuCopySL")->trigger();
        QCOMPARE(m_platform->clipboard, QStringLiteral("\r\nShopping List - Zestora\r\n\r\nDairy\tmilk (1 qt)\r\n"));
        m_dialogs->answer(MsgAnswer::Ok);
        child<QAction>(main, "mnuMenuCopy")->trigger();
        QCOMPARE(m_platform->clipboard, QStringLiteral("\r\nMenu Planner - Zestora\r\n\r\n"));
        QCOMPARE(m_dialogs->last().text,
                 QStringLiteral("The menu planner has been copied to the clipboard.\r\n\r\nYou can "
                                "now open your word processor or email software and paste."));
        main.setRecipeWindow(nullptr);
    }

    void splashShopperFile()
    {
        Main main;
        m_folder->writeBytes(
            TableDef::ShoppingList,
            TestData::crlfLines({ "#RECCNT:2",
                                  "0x00000001,0x0000,\"milk\",\"Dairy2x\",\"milk\",\"1/2\",\"cup\",\"\","
                                  "\"\",\"\"",
                                  "0x00000002,0x0002,\"gone\",\"\",\"gone\",\"\",\"\",\"\",\"\",\"\"",
                                  "0x00000003,0x0000,\"eggs\",\"\",\"eggs\",\"2\",\"\",\"large\",\"\",\"\"" }));
        const QString path = m_temp->filePath(QStringLiteral("splash.txt"));
        m_dialogs->choosePath(path);
        m_dialogs->answer(MsgAnswer::Ok);
        child<QAction>(main, "mnuSplashShopper")->trigger();
        QCOMPARE(TestData::readFile(path), QByteArray("- 0.50@ u:cup a:Dairy milk\r\n- 2@ eggs|large\r\n"));
        // Cancelling the file dialog does nothing.
        m_dialogs->choosePath(QString());
        child<QAction>(main, "mnuSplashShopper")->trigger();
        QCOMPARE(m_dialogs->messageCount(), 1);
    }

private:
    static Recordset& recipes() { return AppState::instance().recipes->recordset(); }
    std::unique_ptr<TestData::DataFolderFixture> m_folder;
    std::unique_ptr<QTemporaryDir> m_temp;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<FakePlatform> m_platform;
};

QTEST_MAIN(TestInterchangeUi)
#include "test_interchange_ui.moc"
