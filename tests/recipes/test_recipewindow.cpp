#include "FakePlatform.h"
#include "RecipeTestData.h"
#include "ScriptedDialogs.h"
#include "TestData.h"
#include "Widgets.h"
#include "app/Main.h"
#include "recipes/ui/RecipeController.h"
#include "shell/AppState.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

// The recipe window's wiring: list, search, the edit commands and their keys. The edit rules themselves are
// tested on RecipeEditSession.
class TestRecipeWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestData::DataFolderFixture> m_data;
    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<Main> m_main;

    Recordset& rs() { return AppState::instance().recipes->recordset(); }
    RecipeController& rw() { return *dynamic_cast<RecipeController*>(m_main->recipeWindow()); }
    template <typename W> W* w(const char* name) { return TestUi::child<W>(m_main.get(), name); }
    QListWidget* list() { return w<QListWidget>("lstAll"); }
    QStringList listed() { return TestUi::texts(list()); }
    QString name() { return w<QLineEdit>("txtName")->text(); }
    bool editing() { return !w<QPushButton>("cmdNewSave")->isHidden(); }
    void click(const char* name) { TestUi::click(m_main.get(), name); }

    void writeMaster(TableDef::Id id, const QString& field, const QStringList& values)
    {
        auto table = DataSource::open(id, m_data->path());
        for (const QString& v : values) {
            table->recordset().addNew();
            table->recordset().setValue(QStringLiteral("STATUS"), QStringLiteral("0x0000"));
            table->recordset().setValue(field, v);
        }
        QVERIFY(table->save());
    }

    void start(const QVector<TestRecipe>& recipes)
    {
        for (const TestRecipe& r : recipes)
            addRecipe(rs(), r);
        m_main = std::make_unique<Main>();
        m_main->LoadCombos();
        m_main->recipeWindow()->listAll();
    }

    // Saves the recipe table and reads it back: "status key id" per record named name.
    QStringList written(const QString& name)
    {
        if (!AppState::instance().recipes->save())
            return { QStringLiteral("save failed") };
        DataSource1 again(m_data->file(TableDef::Recipes));
        QStringList out;
        Recordset& r = again.recordset();
        for (r.moveFirst(); !r.eof(); r.moveNext()) {
            if (r.value(QStringLiteral("Name")) == name)
                out << QStringList { r.value("STATUS"), r.value("Key"), r.value("REC_ID") }.join(QLatin1Char(' '));
        }
        return out;
    }

    void search(const QString& name, const QString& ingredient, bool useOr, const QString& category = QString())
    {
        const auto seen = TestUi::onModal("frmSearch", [=](QDialog* d) {
            TestUi::child<QLineEdit>(d, "txtName")->setText(name);
            TestUi::child<QLineEdit>(d, "txtIngr")->setText(ingredient);
            auto* cat = TestUi::child<QComboBox>(d, "cboCat_0");
            cat->setCurrentIndex(cat->findText(category));
            TestUi::child<QRadioButton>(d, useOr ? "optSearchType_1" : "optSearchType_0")->setChecked(true);
            TestUi::click(d, "cmdNew");
        });
        click("cmdSearch");
        QVERIFY(*seen);
    }

private slots:
    void init()
    {
        m_data = std::make_unique<TestData::DataFolderFixture>();
        m_platform = std::make_unique<FakePlatform>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        AppState& app = AppState::instance();
        app.dataPath = m_data->path() + QLatin1Char('/');
        app.recipes = std::make_unique<DataSource1>(m_data->file(TableDef::Recipes));
        app.prefs = std::make_unique<DataSourcePrefs2>(m_data->file(TableDef::Preferences));
    }
    void cleanup()
    {
        m_main.reset();
        QVERIFY2(m_dialogs->exhausted(), "queued answers left over");
        m_dialogs.reset();
        m_platform.reset();
        AppState::instance().reset();
        m_data.reset();
    }

    void searchAndOrBlank()
    {
        start({ { "Leek Soup", "leek soup", "0x0000", "0x1", "Soups~", "2||leek~" },
                { "Tomato soup", "tomato soup", "0x0000", "0x2", "", "1||tomato~" },
                { "leek tart", "leek tart", "0x0000", "0x3", "Tarts~", "1||leek~" },
                { "Mom's Pie", "moms pie", "0x0002", "0x4" } });
        writeMaster(TableDef::Categories, QStringLiteral("Category"), { "Soups", "Tarts" });
        QCOMPARE(listed(), (QStringList { "Leek Soup", "leek tart", "Tomato soup" }));
        search(QStringLiteral("soup"), QStringLiteral("leek"), false);
        QCOMPARE(listed(), QStringList { "Leek Soup" });
        QCOMPARE(w<QLabel>("sbPanel1")->text(), QStringLiteral("Search Results: (1 Recipes)"));
        search(QString(), QString(), false, QStringLiteral("<blank>"));
        QCOMPARE(listed(), QStringList { "Tomato soup" });
        // Nothing found answers "None Found", lists all and empties the criteria.
        m_dialogs->answer(MsgAnswer::Ok);
        search(QStringLiteral("Le'ek"), QString(), false);
        QCOMPARE(m_dialogs->last().text, QStringLiteral("No records were found matching this search."));
        QCOMPARE(listed().size(), 3);
    }

    void newSaveEditRenameCopyDelete()
    {
        TestRecipe synced { "Pie", "pie", "0x0000", "0x00000042" };
        synced.rtgSrc = QStringLiteral("Good~~Mom");
        start({ synced });
        QCOMPARE(w<QComboBox>("cboSource")->currentText(), QStringLiteral("Mom"));
        QVERIFY(!editing());
        w<QPlainTextEdit>("txtInstructions")->setPlainText(QStringLiteral("Bake.\nServe."));
        QVERIFY(editing());
        QVERIFY(!w<QPushButton>("cmdNew")->isEnabled() && !list()->isEnabled());
        click("cmdNewSave");
        QVERIFY(!editing());
        QCOMPARE(written("Pie"), QStringList { "0x0004 pie 0x00000042" });
        QCOMPARE(rw().fieldText("Instructions"), QStringLiteral("Bake.\r\nServe."));

        click("cmdNew");
        m_dialogs->answer(MsgAnswer::Ok);
        click("cmdNewSave"); // no name: refused
        QVERIFY(editing());
        w<QLineEdit>("txtName")->setText(QStringLiteral("Apple Tart"));
        click("cmdNewSave");
        QCOMPARE(written("Apple Tart"), QStringList { "0x0008 apple tart 0x00000000" });
        QCOMPARE(list()->currentItem()->text(), QStringLiteral("Apple Tart"));

        QVERIFY(rw().showRecipeByName("Pie"));
        w<QLineEdit>("txtName")->setText(QStringLiteral("Cherry Pie"));
        click("cmdNewSave");
        m_dialogs->answer(MsgAnswer::Ok);
        click("cmdDupe");
        QCOMPARE(name(), QStringLiteral("Cherry Pie - Copy"));
        click("cmdNewSave");
        QCOMPARE(written("Cherry Pie - Copy"), QStringList { "0x0008 cherry pie - copy 0x00000000" });
        QCOMPARE(rw().fieldText("RtgSrc"), QStringLiteral("Good~~Mom"));

        QVERIFY(rw().showRecipeByName("Cherry Pie"));
        // Delete: No keeps it; never-synchronised recipes are removed outright; the blank form is not edited.
        m_dialogs->answer(MsgAnswer::No);
        click("cmdDelete");
        QCOMPARE(listed().size(), 3);
        list()->selectAll();
        m_dialogs->answer(MsgAnswer::Yes);
        click("cmdDelete");
        QCOMPARE(listed(), QStringList {});
        QCOMPARE(written("Cherry Pie"), QStringList {});
        QCOMPARE(name(), QString());
        QVERIFY(!editing());
    }

    void sourceLimitAndTypeAhead()
    {
        writeMaster(TableDef::Sources, QStringLiteral("SourceMaster"), { "Flour Mill Cookbook", "Mom" });
        start({ { "Pie", "pie" } });
        m_main->show();
        m_main->showTabPage(3);
        QComboBox* source = w<QComboBox>("cboSource");
        TestUi::tabTo(source);
        TestUi::type(QStringLiteral("fl"));
        QCOMPARE(source->currentText(), QStringLiteral("flour Mill Cookbook"));
        QVERIFY(editing());
        click("cmdNewCancel");
        QCOMPARE(source->currentText(), QString());
        const QString forty = QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456789ABCD");
        TestUi::tabTo(source);
        TestUi::type(forty);
        QCOMPARE(source->currentText(), forty.left(32));
        QCOMPARE(m_platform->beeps, 8);
        click("cmdNewSave");
        QCOMPARE(rw().fieldText("RtgSrc"), QStringLiteral("~~") + forty.left(32));
    }

    void categories()
    {
        writeMaster(TableDef::Categories, QStringLiteral("Category"), { "Desserts", "Quick" });
        start({ { "Pie", "pie", "0x0000", "0x1", "A~B~C~D~" } });
        const auto seen = TestUi::onModal("frmCategory", [this](QDialog* d) {
            TestUi::child<QListWidget>(d, "lstCatAll")->setCurrentRow(0);
            TestUi::click(d, "cmdCatAdd");
            TestUi::click(d, "cmdSave");
        });
        click("cmdCatAdd");
        QVERIFY(*seen);
        QCOMPARE(rw().fieldText("Category"), QStringLiteral("A~B~C~D~Desserts~"));
        w<QListWidget>("lstCatRecipe")->setCurrentRow(0);
        click("cmdCatDelete");
        QCOMPARE(rw().fieldText("Category"), QStringLiteral("B~C~D~Desserts~"));
        click("cmdNewSave");
        QCOMPARE(written("Pie"), QStringList { "0x0004 pie 0x1" });
    }

    void emptyTableTypingStartsRecipe()
    {
        start({});
        QVERIFY(!editing());
        m_main->show();
        TestUi::tabTo(w<QLineEdit>("txtName"));
        TestUi::type(QStringLiteral("St'ew"));
        QVERIFY(editing());
        QCOMPARE(name(), QStringLiteral("St'ew"));
        click("cmdNewSave");
        QCOMPARE(listed(), QStringList { "St'ew" });
        QCOMPARE(written("St'ew"), QStringList { "0x0008 stew 0x00000000" });
    }

    void pictureCommands()
    {
        const QString picture = m_data->path() + QStringLiteral("/pie.png");
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(picture));
        start({ { "Pie", "pie" } });
        m_dialogs->choosePath(picture);
        click("cmdPicture");
        QVERIFY(editing());
        QVERIFY(!w<QLabel>("imgPicture")->pixmap().isNull());
        click("cmdNewSave");
        QCOMPARE(rw().fieldText("Picture"), picture);
        click("cmdEnlarge");
        QCOMPARE(m_platform->opened, QStringList { picture });
        m_dialogs->answer(MsgAnswer::Yes);
        m_dialogs->answer(MsgAnswer::Yes);
        click("Command1");
        QVERIFY(!QFile::exists(picture));
        QCOMPARE(rw().fieldText("Picture"), QString());
        QVERIFY(editing() && w<QLabel>("imgPicture")->pixmap().isNull());
    }
};

QTEST_MAIN(TestRecipeWindow)
#include "test_recipewindow.moc"
