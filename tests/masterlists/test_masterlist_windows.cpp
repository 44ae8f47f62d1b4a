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

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace MasterTestData;
using namespace TestUi;
using Mode = LineEditorWindow::Mode;

namespace {
const MasterListKind& kind(const char* keyword)
{
    return *MasterListKinds::find(QLatin1String(keyword));
}
void addEntry(const QObject* editor, const QString& text)
{
    child<QLineEdit>(editor, "txtCat")->setText(text);
    click(editor, "cmdAdd");
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

    QStringList written(TableDef::Id id) { return recordLines(*m_data, id); }

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

    void editUpdateAndDeleteWriteStatusesOnClose()
    {
        writeTable(*m_data, kind("ingr"),
                   { { "0x00000001", "0x0000", "Flour", "3" },
                     { "0x00000000", "0x0008", "Salt", "" },
                     { "0x00000003", "0x0000", "Yeast", "" } });
        MasterListWindow w(kind("ingr"));
        auto* list = child<QListWidget>(&w, "lstCatAll");
        click(&w, "cmdEdit"); // the first entry is held on opening
        addEntry(&w, "flour");
        QCOMPARE(list->item(0)->text(), QString("flour (aisle:3)"));
        list->setCurrentRow(2);
        click(&w, "cmdDelete"); // no prompt: an unexpected box would fail the test
        click(&w, "cmdSave");
        QCOMPARE(written(TableDef::Ingredients),
                 (QStringList { R"(0x00000001,0x0004,"flour","flour","3","","")",
                                R"(0x00000000,0x0008,"salt","Salt","","","")",
                                R"(0x00000003,0x0002,"yeast","Yeast","","","")" }));
    }
    // Enter adds in a list without aisle; with one it moves to the aisle box (which completes from the aisle
    // list and keeps five characters), then to OK, and Enter on OK closes the editor.
    void enterAndAisleKeys()
    {
        {
            MasterListWindow w(kind("meal"));
            w.show();
            tabTo(child<QLineEdit>(&w, "txtCat"));
            keys("Lunch{Enter}");
            QCOMPARE(w.editor().entryTexts(), QStringList { "Lunch" });
            w.reject();
        }
        writeTable(*m_data, kind("aisle"), { { "0x00000001", "0x0000", "Dairy", "" } });
        MasterListWindow w(kind("ingr"));
        w.show();
        auto* aisle = child<QComboBox>(&w, "txtAisle");
        tabTo(child<QLineEdit>(&w, "txtCat"));
        keys("Flour{Enter}");
        QCOMPARE(QApplication::focusWidget(), aisle);
        type("d");
        QCOMPARE(aisle->currentText(), QString("dairy"));
        keys("{Ctrl+A}{Delete}123456");
        QCOMPARE(aisle->currentText(), QString("12345"));
        press(Qt::Key_Return);
        QCOMPARE(w.editor().count(), 0);
        QCOMPARE(QApplication::focusWidget(), child<QPushButton>(&w, "cmdSave"));
        press(Qt::Key_Return);
        QCOMPARE(w.result(), int(QDialog::Accepted));
    }

    // The recipe window's buttons: add-all adds every line, even a known one; a move or delete edits the shown
    // recipe; the line editors hand their lines over on OK only; the source list refills keeping the typed text.
    void recipeWindowButtons()
    {
        AppState& app = AppState::instance();
        app.recipes = std::make_unique<DataSource1>(m_data->file(TableDef::Recipes));
        app.prefs = std::make_unique<DataSourcePrefs2>(m_data->file(TableDef::Preferences));
        app.recipes->recordset().addNew();
        for (const QString& v : QString("REC_ID=0x00000009;STATUS=0x0000;Key=pie;Name=Pie;RtgSrc=~~;"
                                        "Ingredients=1|cup|flour~2|tsp|salt~3||eggs~")
                                    .split(';'))
            app.recipes->recordset().setValue(v.section('=', 0, 0), v.section('=', 1));
        m_main = std::make_unique<Main>();
        RecipeWindow& recipe = *m_main->recipeWindow();
        recipe.listAll();
        writeTable(*m_data, kind("ingr"), { { "0x00000001", "0x0000", "flour", "" } });
        m_dialogs->answer(MsgAnswer::No);
        click(m_main.get(), "cmdIngrList");
        m_dialogs->answer(MsgAnswer::Yes);
        m_dialogs->answer(MsgAnswer::Ok);
        click(m_main.get(), "cmdIngrList");
        QCOMPARE(m_dialogs->last().text, QString("Finished adding all items to the master ingredient list."));
        QCOMPARE(written(TableDef::Ingredients),
                 (QStringList {
                     R"(0x00000000,0x0008,"eggs","eggs","","","")", R"(0x00000001,0x0000,"flour","flour","","","")",
                     R"(0x00000000,0x0008,"flour","flour","","","")", R"(0x00000000,0x0008,"salt","salt","","","")" }));

        child<QTableWidget>(m_main.get(), "gridIngredients")->setCurrentCell(0, 0);
        click(m_main.get(), "cmdIngrScroll_1");
        QCOMPARE(recipe.fieldText("Ingredients"), QString("2|tsp|salt~1|cup|flour~3||eggs~"));
        QVERIFY(recipe.isEditing());
        click(m_main.get(), "cmdIngrDelete"); // the moved line stays selected
        for (const char* button : { "cmdCancel", "cmdOK" }) {
            onModal("frmIngredient", [button](QDialog* d) {
                click(d, "cmdDelete");
                click(d, button);
            });
            click(m_main.get(), "cmdIngrEdit");
        }
        QCOMPARE(recipe.fieldText("Ingredients"), QString("3||eggs~"));

        auto* source = child<QComboBox>(m_main.get(), "cboSource");
        source->setEditText("Grandma");
        onModal("frmMasterCat", [](QDialog* d) {
            addEntry(d, "Cookbook");
            click(d, "cmdSave");
        });
        click(m_main.get(), "cmdEditSource");
        QCOMPARE(source->itemText(1), QString("Cookbook"));
        QCOMPARE(source->currentText(), QString("Grandma"));
    }

    void importWindow()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("list.txt");
        TestData::writeFile(path, "Flour,3\r\n\"Sugar\"\nCr\xE8me\r\n");
        MasterListWindow editor(kind("ingr"));
        ImportMasterWindow w(&editor);
        m_dialogs->choosePath(path);
        click(&w, "cmdSelect");
        click(&w, "cmdImport");
        QCOMPARE(child<QLabel>(&w, "lblCount")->text(), QString("Importing Records: 3 (DONE)"));
        QCOMPARE(m_platform->beeps, 1);
        QCOMPARE(editor.editor().entryTexts(), (QStringList { "Cr\u00E8me", "Flour (aisle:3)", "Sugar" }));
    }
};

QTEST_MAIN(TestMasterListWindows)
#include "test_masterlist_windows.moc"
