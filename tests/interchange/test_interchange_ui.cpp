#include "FakePlatform.h"
#include "FakeRecipeWindow.h"
#include "ScriptedDialogs.h"
#include "TestData.h"
#include "TestPaths.h"
#include "Widgets.h"

#include "app/Main.h"
#include "interchange/ui/ExportWindow.h"
#include "interchange/ui/ImportWindow.h"
#include "shell/AppState.h"
#include "shell/Settings.h"

#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QtTest>

using TestUi::child;

// The import and export windows and the menu commands; the formats themselves are tested in the core.
class TestInterchangeUi : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        AppState& s = AppState::instance();
        s.dataPath = m_folder.path() + QLatin1Char('/');
        s.settingsPath = m_temp.filePath(QStringLiteral("zestoraplus.ini"));
        s.recipes = std::make_unique<DataSource1>(m_folder.file(TableDef::Recipes));
        s.menu = std::make_unique<DataSource8>(m_folder.file(TableDef::MenuPlanner));
    }
    void cleanup()
    {
        QVERIFY2(m_dialogs.exhausted(), "an answer queued by the test was not used");
        AppState::instance().reset();
    }

    void importWindow()
    {
        const QString file
            = QStringLiteral(ZESTORA_TESTS_DIR "/interchange/fixtures/two_column_heading_continuation.mmf");
        {
            ImportWindow window(recipes(), m_folder.path());
            m_dialogs.answer(MsgAnswer::Ok);
            QCOMPARE(window.runImport(), 0);
            QCOMPARE(m_dialogs.last().text, QStringLiteral("Please select a file."));
            m_dialogs.choosePath(QString()); // cancelled: the label stays
            window.selectFile();
            QCOMPARE(child<QLabel>(&window, "lblFilename")->text(), QStringLiteral("No File Selected"));
            m_dialogs.choosePath(file);
            window.selectFile();
            QCOMPARE(window.runImport(), 2);
            QCOMPARE(child<QLabel>(&window, "lblCount")->text(), QStringLiteral("Importing Recipes: 2 (DONE)"));
            QCOMPARE(m_platform.beeps, 1);

            // The column list's buttons, enabled with the CSV layout.
            auto* order = child<QListWidget>(&window, "lstFields_1");
            QVERIFY(!child<QListWidget>(&window, "lstFields_0")->isEnabled());
            child<QRadioButton>(&window, "optFormat_1")->setChecked(true);
            TestUi::click(&window, "cmdAdd_2"); // All
            order->item(1)->setSelected(true);
            TestUi::click(&window, "cmdAdd_1"); // Remove
            TestUi::click(&window, "cmdScroll_0"); // up
            QCOMPARE(TestUi::texts(order),
                     (QStringList { "Instructions", "Title", "Servings", "Source", "Categories" }));
            window.reject();
        }
        QCOMPARE(recipes().recordCount(), 2);
        QCOMPARE(DataSource2(m_folder.file(TableDef::Categories)).recordset().recordCount(), 3);
        // The next window shows the last file; its final message counts the recipes it skipped.
        ImportWindow again(recipes(), m_folder.path());
        QCOMPARE(child<QLabel>(&again, "lblFilename")->text(), QDir::toNativeSeparators(file));
        m_dialogs.choosePath(
            QStringLiteral(ZESTORA_TESTS_DIR "/interchange/fixtures/recipes_missing_their_titles.txt"));
        again.selectFile();
        QCOMPARE(again.runImport(), 2);
        QVERIFY(
            child<QLabel>(&again, "lblCount")
                ->text()
                .startsWith(QStringLiteral("Importing Recipes: 2 (DONE)\n2 recipes could not be read:\nline 12: ")));
    }

    void exportWindow()
    {
        for (const char* name : { "Alpha", "Beta", "Gamma" })
            recipes().appendRecord({ "0x1", "0x0000", QString::fromLatin1(name).toLower(), QString::fromLatin1(name) });
        const QString path = m_temp.filePath(QStringLiteral("out.txt"));
        QVERIFY(TestData::writeFile(path, "old"));
        WriteSetting("Main", "ExportRange", "1");
        ExportWindow window(recipes(), { "gamma", "alpha" });
        QCOMPARE(child<QRadioButton>(&window, "optRecords_1")->text(), QStringLiteral("Export 2 Selected Recipes"));
        QVERIFY(child<QRadioButton>(&window, "optRecords_1")->isChecked());
        m_dialogs.answer(MsgAnswer::Ok);
        QVERIFY(!window.runExport());
        QCOMPARE(m_dialogs.last().text, QStringLiteral("Please select a filename"));
        m_dialogs.choosePath(m_temp.filePath(QStringLiteral("no/such/dir/x.txt")));
        window.selectFile();
        m_dialogs.answer(MsgAnswer::Ok);
        QVERIFY(!window.runExport());
        QCOMPARE(m_dialogs.last().icon, MsgIcon::Exclamation);
        m_dialogs.choosePath(path);
        window.selectFile();
        m_dialogs.answer(MsgAnswer::No); // do not replace
        QVERIFY(!window.runExport());
        QCOMPARE(TestData::readFile(path), QByteArray("old"));
        m_dialogs.answer(MsgAnswer::Yes);
        m_dialogs.answer(MsgAnswer::Ok);
        QVERIFY(window.runExport());
        QCOMPARE(m_dialogs.last().text, QStringLiteral("Export Complete"));
        const QByteArray bytes = TestData::readFile(path);
        QCOMPARE(bytes.count("Title: "), 2);
        QVERIFY(bytes.indexOf("Title: Gamma") < bytes.indexOf("Title: Alpha"));
        QCOMPARE(ReadSetting("Main", "ExportFile"), QDir::toNativeSeparators(path));
    }

    void copyAndSplashShopperMenus()
    {
        Main main;
        FakeRecipeWindow rw;
        main.setRecipeWindow(&rw);
        m_dialogs.answer(MsgAnswer::Ok);
        TestUi::trigger(&main, "mnuExport");
        QCOMPARE(m_dialogs.last().text,
                 QStringLiteral("No recipes were selected.  Please select one or more recipes to export."));
        rw.fields = { { "Name", "Toast" }, { "Serves", "2" } };
        child<QListWidget>(&main, "lstAll")->addItem("Toast");
        m_dialogs.answer(MsgAnswer::Ok);
        TestUi::trigger(&main, "mnuCopy");
        QVERIFY(m_platform.clipboard.contains(QStringLiteral("Recipe Name: Toast\r\n")));
        QVERIFY(m_dialogs.last().text.startsWith(QStringLiteral("The recipe (Toast) has been copied")));
        m_dialogs.answer(MsgAnswer::Ok);
        TestUi::trigger(&main, "mnuMenuCopy");
        QCOMPARE(m_platform.clipboard, QStringLiteral("\r\nMenu Planner - Zestora\r\n\r\n"));
        main.setRecipeWindow(nullptr);

        m_folder.writeBytes(
            TableDef::ShoppingList,
            TestData::crlfLines({ "#RECCNT:2",
                                  "0x00000001,0x0000,\"milk\",\"Dairy\",\"milk\",\"1\",\"qt\",\"\",\"\",\"\"",
                                  "0x00000002,0x0002,\"gone\",\"\",\"gone\",\"\",\"\",\"\",\"\",\"\"" }));
        m_dialogs.answer(MsgAnswer::Ok);
        TestUi::trigger(&main, "mnuCopySL");
        QCOMPARE(m_platform.clipboard, QStringLiteral("\r\nShopping List - Zestora\r\n\r\nDairy\tmilk (1 qt)\r\n"));
        const QString path = m_temp.filePath(QStringLiteral("splash.txt"));
        m_dialogs.choosePath(path);
        m_dialogs.answer(MsgAnswer::Ok);
        TestUi::trigger(&main, "mnuSplashShopper");
        QCOMPARE(TestData::readFile(path), QByteArray("- 1@ u:qt a:Dairy milk\r\n"));
        m_dialogs.choosePath(QString()); // cancelled: nothing more is said
        TestUi::trigger(&main, "mnuSplashShopper");
    }

private:
    static Recordset& recipes() { return AppState::instance().recipes->recordset(); }
    TestData::DataFolderFixture m_folder;
    QTemporaryDir m_temp;
    ScriptedDialogs m_dialogs;
    FakePlatform m_platform;
};

QTEST_MAIN(TestInterchangeUi)
#include "test_interchange_ui.moc"
