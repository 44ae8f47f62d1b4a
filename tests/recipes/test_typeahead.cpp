#include "FakePlatform.h"
#include "ScriptedDialogs.h"
#include "TestData.h"
#include "Widgets.h"

#include "app/Main.h"
#include "app/RecipeWindow.h"
#include "masterlists/MasterListEditor.h"
#include "masterlists/ui/LineEditorWindow.h"
#include "masterlists/ui/MasterListWindow.h"
#include "recipes/ui/TypeAhead.h"
#include "shell/AppState.h"
#include "shopping/ui/frmMenu.h"
#include "shopping/ui/frmShopList.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QtTest>

#include <memory>

class TestTypeAhead : public QObject
{
    Q_OBJECT

private:
    static void fill(QComboBox& box, bool withKeyDown)
    {
        box.addItems({ QStringLiteral("Butter"), QStringLiteral("Flour"), QStringLiteral("Flour, self-raising"),
                       QStringLiteral("Sugar") });
        installTypeAhead(&box, withKeyDown);
        box.setCurrentIndex(-1);
        box.lineEdit()->clear();
        SuppressTypeAhead = false;
        box.show();
        TestUi::tabTo(&box);
    }

private slots:
    void cleanup() { AppState::instance().reset(); }

    // Keys typed into a box that completes from its list: the typed case is kept, typing replaces the
    // remainder, a removing key (with the key-down companion) leaves the typed text for one keystroke.
    void completesTyping_data()
    {
        QTest::addColumn<bool>("withKeyDown");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("selected");
        const auto row = [](const char* keys, bool keyDown, const char* text, const char* selected) {
            QTest::newRow(keys) << keyDown << QString(keys) << QString(text) << QString(selected);
        };
        row("fl", true, "flour", "our");
        row("fli", true, "fli", "");
        row("flour,", true, "flour, self-raising", " self-raising"); // the first of two matches
        row("fl{Backspace}", true, "fl", "");
        row("fl{Backspace}o", true, "flour", "ur");
        row("fl{Backspace} without key down", false, "flour", "our");
        row("{Backspace}b", true, "butter", "utter");
        row("s{Ctrl+A}{Delete}", false, "", "");
    }
    void completesTyping()
    {
        QFETCH(bool, withKeyDown);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(QString, selected);
        QComboBox box;
        fill(box, withKeyDown);
        TestUi::keys(keys.section(QLatin1Char(' '), 0, 0));
        QCOMPARE(box.lineEdit()->text(), text);
        QCOMPARE(box.lineEdit()->selectedText(), selected);
        QVERIFY(!SuppressTypeAhead);
    }

    // Every window's editable drop-downs as a person types into them: the keys reach the box that has the
    // focus, so completion leaves a strict prefix of an entry typable, Enter moves on or adds, and getting
    // the focus selects nothing where the box says so. Checks: "box=text", "focus=name", "selected=text"
    // (of the focus box), "rows=n" and "line0=qty|unit|item" of the window's grid.
    void windowsTakeKeysWhereTheyArrive_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("expect");
        const auto row
            = [](const char* tag, const char* window, const char* start, const char* keys, const QStringList& expect) {
                  QTest::newRow(tag) << QString(window) << QString(start) << QString(keys) << expect;
              };
        row("ingredient unit: strict prefix", "frmIngredient", "txtUnit", "c{Backspace}",
            { "txtUnit=c", "focus=txtUnit" });
        row("ingredient: Enter moves on, adds", "frmIngredient", "txtQty", "1{Enter}c{Enter}milk{Enter}",
            { "rows=1", "line0=1|can|milk", "focus=txtQty" });
        row("nutrition: Enter moves on, adds", "frmNutrition", "txtQty", "5{Enter}m{Enter}iron{Enter}",
            { "rows=1", "line0=5|mg|iron", "focus=txtQty" });
        row("source: Enter moves to rating", "Main", "cboSource", "{Ctrl+A}Gr{Enter}4",
            { "cboSource=Grandma", "cboRating=4", "focus=cboRating" });
        row("rating: Enter moves to serves, stays", "Main", "cboRating", "{Enter}{Enter}", { "focus=txtServes" });
        row("source: tabbing in selects nothing", "Main", "cmdMultiply", "{Tab}",
            { "focus=cboSource", "cboSource=Grandma", "selected=" });
        row("aisle: strict prefix, Enter to OK", "frmMasterCat", "txtAisle", "1{Backspace}{Enter}",
            { "txtAisle=1", "focus=cmdSave" });
        row("shopping: Enter walks the boxes, adds", "frmShopList", "txtItem", "ham{Enter}{Enter}2{Enter}lb{Enter}",
            { "rows=1", "focus=txtItem" });
        row("menu meal: strict prefix", "frmMenu", "cboMeal", "d{Backspace}", { "cboMeal=d" });
    }
    void windowsTakeKeysWhereTheyArrive()
    {
        QFETCH(QString, window);
        QFETCH(QString, start);
        QFETCH(QString, keys);
        QFETCH(QStringList, expect);
        TestData::DataFolderFixture data;
        const QString folder = data.path() + QLatin1Char('/');
        const auto fill = [&](const char* kind, const QStringList& values) {
            auto editor = MasterListEditor::open(*MasterListKinds::find(QLatin1String(kind)), folder);
            for (const QString& v : values)
                editor->addOrUpdate(v);
            QVERIFY(editor->save());
        };
        for (const QString list : { "qty=1,3/4", "units=can,cup,lb", "ingr=Flour,Milk", "ntrn=Iron", "aisle=10,Dairy",
                                    "meal=Dinner", "source=Grandma" })
            fill(qPrintable(list.section('=', 0, 0)), list.section('=', 1).split(','));
        AppState& app = AppState::instance();
        app.dataPath = folder;
        app.recipes = std::make_unique<DataSource1>(data.file(TableDef::Recipes));
        app.prefs = std::make_unique<DataSourcePrefs2>(data.file(TableDef::Preferences));
        app.menu = std::make_unique<DataSource8>(data.file(TableDef::MenuPlanner));
        Recordset& recipes = app.recipes->recordset();
        recipes.addNew();
        const QStringList fields { "STATUS=0x0000", "Key=pie", "Name=Pie", "RtgSrc=~~Grandma" };
        for (const QString& f : fields)
            recipes.setValue(f.section(QLatin1Char('='), 0, 0), f.section(QLatin1Char('='), 1));
        recipes.update();
        FakePlatform platform;
        ScriptedDialogs dialogs;

        std::unique_ptr<QWidget> w;
        if (window == QLatin1String("frmIngredient") || window == QLatin1String("frmNutrition")) {
            w = std::make_unique<LineEditorWindow>(window == QLatin1String("frmIngredient")
                                                       ? LineEditorWindow::Mode::Ingredients
                                                       : LineEditorWindow::Mode::Nutrition,
                                                   QString());
        } else if (window == QLatin1String("Main")) {
            auto main = std::make_unique<Main>();
            main->LoadCombos();
            main->recipeWindow()->listAll();
            main->showTabPage(3);
            w = std::move(main);
        } else if (window == QLatin1String("frmMasterCat")) {
            w = std::make_unique<MasterListWindow>(*MasterListKinds::find(QStringLiteral("ingr")));
        } else if (window == QLatin1String("frmShopList")) {
            w = std::make_unique<frmShopList>(folder);
        } else {
            w = std::make_unique<frmMenu>(app.menu->recordset(), folder, nullptr);
        }
        auto* first = w->findChild<QWidget*>(start);
        QVERIFY(first);
        QVERIFY(TestUi::focus(first));
        TestUi::keys(keys);

        QVERIFY2(w->isVisible(), "the window closed");
        auto* grid = w->findChild<QTableWidget*>();
        for (const QString& check : expect) {
            const QString name = check.section(QLatin1Char('='), 0, 0);
            const QString want = check.section(QLatin1Char('='), 1);
            QString got;
            if (name == QLatin1String("focus")) {
                got = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
            } else if (name == QLatin1String("selected")) {
                auto* box = qobject_cast<QComboBox*>(QApplication::focusWidget());
                got = box ? box->lineEdit()->selectedText() : QStringLiteral("(no box)");
            } else if (name == QLatin1String("rows")) {
                got = QString::number(grid->rowCount());
            } else if (name == QLatin1String("line0")) {
                for (int c = 0; c < 3 && grid->rowCount() > 0; ++c)
                    got += (c ? QStringLiteral("|") : QString()) + grid->item(0, c)->text();
            } else if (auto* box = w->findChild<QComboBox*>(name)) {
                got = box->currentText();
            } else {
                got = w->findChild<QLineEdit*>(name)->text();
            }
            QCOMPARE(name + QLatin1Char('=') + got, check);
        }
        w.reset();
        app.reset();
    }
};

QTEST_MAIN(TestTypeAhead)
#include "test_typeahead.moc"
