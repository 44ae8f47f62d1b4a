#include "FakePlatform.h"
#include "ScriptedDialogs.h"
#include "TestData.h"
#include "TestPaths.h"
#include "Widgets.h"

#include "app/Main.h"
#include "interchange/ui/ExportWindow.h"
#include "interchange/ui/ImportWindow.h"
#include "shell/AppState.h"

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
            m_dialogs.choosePath(file);
            window.selectFile();
            QCOMPARE(window.runImport(), 2);
            QCOMPARE(child<QLabel>(&window, "lblCount")->text(), QStringLiteral("Importing Recipes: 2 (DONE)"));
            window.reject();
        }
        QCOMPARE(recipes().recordCount(), 2);
    }

    void exportWindow()
    {
        for (const char* name : { "Alpha", "Beta", "Gamma" })
            recipes().appendRecord({ "0x1", "0x0000", QString::fromLatin1(name).toLower(), QString::fromLatin1(name) });
        const QString path = m_temp.filePath(QStringLiteral("out.txt"));
        ExportWindow window(recipes(), { "gamma", "alpha" });
        child<QRadioButton>(&window, "optRecords_1")->setChecked(true);
        m_dialogs.choosePath(path);
        window.selectFile();
        m_dialogs.answer(MsgAnswer::Ok);
        QVERIFY(window.runExport());
        QCOMPARE(m_dialogs.last().text, QStringLiteral("Export Complete"));
        QCOMPARE(TestData::readFile(path).count("Title: "), 2);
    }

private:
    static Recordset& recipes() { return AppState::instance().recipes->recordset(); }
    TestData::DataFolderFixture m_folder;
    QTemporaryDir m_temp;
    ScriptedDialogs m_dialogs;
    FakePlatform m_platform;

    void splashShopperMenu()
    {
        Main main;
        m_folder.writeBytes(
            TableDef::ShoppingList,
            TestData::crlfLines(
                { "#RECCNT:1", "0x00000001,0x0000,\"milk\",\"Dairy\",\"milk\",\"1\",\"qt\",\"\",\"\",\"\"" }));
        const QString path = m_temp.filePath(QStringLiteral("splash.txt"));
        m_dialogs.choosePath(path);
        m_dialogs.answer(MsgAnswer::Ok);
        TestUi::trigger(&main, "mnuSplashShopper");
        QCOMPARE(TestData::readFile(path), QByteArray("- 1@ u:qt a:Dairy milk\r\n"));
    }
};

QTEST_MAIN(TestInterchangeUi)
#include "test_interchange_ui.moc"
