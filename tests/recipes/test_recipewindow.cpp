#include "FakePlatform.h"
#include "RecipeTestData.h"
#include "ScriptedDialogs.h"
#include "TestData.h"
#include "Widgets.h"
#include "app/Main.h"
#include "app/RecipeWindow.h"
#include "recipes/ui/RecipeController.h"
#include "shell/AppState.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

#include <functional>

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
    QString panel1() { return w<QLabel>("sbPanel1")->text(); }
    bool editing() { return !w<QPushButton>("cmdNewSave")->isHidden(); }
    void click(const char* name) { TestUi::click(m_main.get(), name); }

    // Writes a master list table with the given values.
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

    // Starts the main window on the recipes given.
    void start(const QVector<TestRecipe>& recipes)
    {
        for (const TestRecipe& r : recipes)
            addRecipe(rs(), r);
        m_main = std::make_unique<Main>();
        m_main->LoadCombos();
        m_main->recipeWindow()->listAll();
    }

    // Saves the recipe table and reads it back from the file: "status key id" per record named name.
    QStringList written(const QString& name)
    {
        if (!AppState::instance().recipes->save())
            return { QStringLiteral("save failed") };
        DataSource1 again(m_data->file(TableDef::Recipes));
        QStringList out;
        Recordset& r = again.recordset();
        for (r.moveFirst(); !r.eof(); r.moveNext()) {
            if (r.value(QStringLiteral("Name")) == name)
                out << r.value(QStringLiteral("STATUS")) + QLatin1Char(' ') + r.value(QStringLiteral("Key"))
                        + QLatin1Char(' ') + r.value(QStringLiteral("REC_ID"));
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
        QCOMPARE(panel1(), QStringLiteral("Listing All: (3 Recipes)"));
        QCOMPARE(w<QTableWidget>("gridIngredients")->item(0, 2)->text(), QStringLiteral("leek"));

        search(QStringLiteral("soup"), QStringLiteral("leek"), false);
        QCOMPARE(listed(), QStringList { "Leek Soup" });
        QCOMPARE(panel1(), QStringLiteral("Search Results: (1 Recipes)"));
        search(QStringLiteral("soup"), QStringLiteral("leek"), true);
        QCOMPARE(listed(), (QStringList { "Leek Soup", "leek tart", "Tomato soup" }));
        search(QString(), QString(), false, QStringLiteral("<blank>"));
        QCOMPARE(listed(), QStringList { "Tomato soup" });
        QCOMPARE(w<QLineEdit>("txtName")->text(), QStringLiteral("Tomato soup"));

        // The search window shows the stored criteria; Clear empties them; Cancel keeps the list.
        search(QStringLiteral("Leek"), QString(), false, QStringLiteral("Soups"));
        QString shownName, shownCat;
        TestUi::onModal("frmSearch", [&](QDialog* d) {
            shownName = TestUi::child<QLineEdit>(d, "txtName")->text();
            shownCat = TestUi::child<QComboBox>(d, "cboCat_0")->currentText();
            TestUi::click(d, "cmdClear");
            QCOMPARE(TestUi::child<QLineEdit>(d, "txtName")->text(), QString());
            QCOMPARE(TestUi::child<QComboBox>(d, "cboCat_0")->currentIndex(), 0);
            TestUi::click(d, "cmdListAll");
        });
        click("cmdSearch");
        QCOMPARE(shownName, QStringLiteral("Leek"));
        QCOMPARE(shownCat, QStringLiteral("Soups"));
        QCOMPARE(listed(), QStringList { "Leek Soup" });

        // Nothing found answers "None Found", lists all and empties the criteria.
        m_dialogs->answer(MsgAnswer::Ok);
        search(QStringLiteral("Le'ek"), QString(), false);
        QCOMPARE(m_dialogs->last().text, QStringLiteral("No records were found matching this search."));
        QCOMPARE(listed().size(), 3);
        QVERIFY(rw().searchCriteria().isEmpty());
    }

    void newSaveEditRenameCopyDelete()
    {
        TestRecipe synced { "Pie", "pie", "0x0000", "0x00000042" };
        synced.rtgSrc = QStringLiteral("Good~~Mom");
        start({ synced });
        QCOMPARE(w<QComboBox>("cboSource")->currentText(), QStringLiteral("Mom"));
        QCOMPARE(w<QComboBox>("cboRating")->currentText(), QStringLiteral("Good"));
        QVERIFY(!editing());

        // Edit without renaming: "0x0004", same key.
        w<QPlainTextEdit>("txtInstructions")->setPlainText(QStringLiteral("Bake.\nServe."));
        QVERIFY(editing());
        QVERIFY(!w<QPushButton>("cmdNew")->isEnabled());
        QVERIFY(!list()->isEnabled());
        click("cmdNewSave");
        QVERIFY(!editing());
        QCOMPARE(written("Pie"), QStringList { "0x0004 pie 0x00000042" });
        QCOMPARE(rw().fieldText("Instructions"), QStringLiteral("Bake.\r\nServe."));

        // New: empty name refused, then saved as "0x0008" with the serves preference.
        auto& prefs = AppState::instance().prefs->recordset();
        prefs.addNew();
        prefs.setValue(QStringLiteral("STATUS"), QStringLiteral("0x0000"));
        prefs.setValue(QStringLiteral("PrefsKey"), QStringLiteral("serves"));
        prefs.setValue(QStringLiteral("PrefsStr1"), QStringLiteral("4"));
        click("cmdNew");
        QCOMPARE(rw().entryMode(), QStringLiteral("Add"));
        QCOMPARE(w<QLineEdit>("txtServes")->text(), QStringLiteral("4"));
        QCOMPARE(w<QComboBox>("cboSource")->currentText(), QString());
        m_dialogs->answer(MsgAnswer::Ok);
        click("cmdNewSave");
        QCOMPARE(m_dialogs->last().text, QStringLiteral("The Title cannot be blank.\r\n\r\nPlease enter a Title."));
        QVERIFY(editing());
        w<QLineEdit>("txtName")->setText(QStringLiteral("Apple Tart"));
        click("cmdNewSave");
        QCOMPARE(written("Apple Tart"), QStringList { "0x0008 apple tart 0x00000000" });
        QCOMPARE(list()->currentItem()->text(), QStringLiteral("Apple Tart"));

        // Renaming a synchronised recipe: old record deleted, new one added with the old id.
        QVERIFY(rw().showRecipeByName("Pie"));
        w<QLineEdit>("txtName")->setText(QStringLiteral("Cherry Pie"));
        click("cmdNewSave");
        QCOMPARE(written("Pie"), QStringList { "0x0002 pie 0x00000042" });
        QCOMPARE(written("Cherry Pie"), QStringList { "0x0008 cherry pie 0x00000042" });
        QCOMPARE(listed(), (QStringList { "Apple Tart", "Cherry Pie" }));
        QCOMPARE(list()->currentItem()->text(), QStringLiteral("Cherry Pie"));

        // Copy keeps the fields, Cancel returns, Save adds "<name> - Copy".
        m_dialogs->answer(MsgAnswer::Ok);
        click("cmdDupe");
        QCOMPARE(w<QLineEdit>("txtName")->text(), QStringLiteral("Cherry Pie - Copy"));
        QCOMPARE(rw().entryMode(), QStringLiteral("Add"));
        click("cmdNewSave");
        QCOMPARE(written("Cherry Pie - Copy"), QStringList { "0x0008 cherry pie - copy 0x00000000" });
        QCOMPARE(rw().fieldText("RtgSrc"), QStringLiteral("Good~~Mom"));

        // Cancel of an edit puts the shown values back.
        QVERIFY(rw().showRecipeByName("Cherry Pie"));
        w<QComboBox>("cboRating")->setEditText(QStringLiteral("Bad"));
        QVERIFY(editing());
        click("cmdNewCancel");
        QCOMPARE(w<QComboBox>("cboRating")->currentText(), QStringLiteral("Good"));

        // Delete: No keeps it; never-synchronised recipes are removed outright, the renamed one stays marked.
        m_dialogs->answer(MsgAnswer::No);
        click("cmdDelete");
        QCOMPARE(m_dialogs->last().text, QStringLiteral("Do you really want to delete this recipe?"));
        QCOMPARE(listed().size(), 3);
        list()->selectAll();
        m_dialogs->answer(MsgAnswer::Yes);
        click("cmdDelete");
        QCOMPARE(m_dialogs->last().text,
                 QStringLiteral("3 recipes have been selected. Do you want to delete ALL selected recipes?"));
        QCOMPARE(listed(), QStringList {});
        QCOMPARE(written("Cherry Pie"), QStringList {});
        QCOMPARE(w<QLineEdit>("txtName")->text(), QString());
    }

    void deleteSelectionRule()
    {
        QVector<TestRecipe> recipes;
        for (int i = 0; i < 10; ++i)
            recipes.append({ QStringLiteral("R%1").arg(i), QStringLiteral("r%1").arg(i) });
        start(recipes);
        // The entry after the deleted ones is shown; after the last entry, the one before it.
        const struct
        {
            int first, last;
            const char* shown;
            int left;
        } steps[] = { { 3, 5, "R6", 7 }, { 6, 6, "R8", 6 } };
        for (const auto& step : steps) {
            list()->clearSelection();
            for (int i = step.first; i <= step.last; ++i)
                list()->item(i)->setSelected(true);
            m_dialogs->answer(MsgAnswer::Yes);
            click("cmdDelete");
            QCOMPARE(listed().size(), step.left);
            QCOMPARE(list()->currentItem()->text(), QString::fromLatin1(step.shown));
            QCOMPARE(w<QLineEdit>("txtName")->text(), QString::fromLatin1(step.shown));
            QCOMPARE(list()->selectedItems().size(), 1);
        }
    }

    void staleEntryRemovedOnClick()
    {
        start({ { "A", "a" }, { "B", "b", "0x0008" }, { "C", "c" } });
        // B vanishes from the table behind the list's back.
        QVERIFY(rs().find(QStringLiteral("Key = 'b'")) || (rs().moveFirst(), rs().find(QStringLiteral("Key = 'b'"))));
        rs().deleteCurrent();
        list()->setCurrentRow(1);
        QCOMPARE(listed(), (QStringList { "A", "C" }));
        QCOMPARE(w<QLineEdit>("txtName")->text(), QStringLiteral("C"));
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
        TestUi::tabTo(w<QComboBox>("cboRating"));
        TestUi::type(QStringLiteral("12345678901"));
        QCOMPARE(w<QComboBox>("cboRating")->currentText(), QStringLiteral("1234567890"));
        QCOMPARE(m_platform->beeps, 9);
        click("cmdNewSave");
        QCOMPARE(rw().fieldText("RtgSrc"), QStringLiteral("1234567890~~") + forty.left(32));
        QCOMPARE(source->lineEdit()->cursorPosition(), 0); // a long source shows from its start

        // Refilling the pick lists keeps the shown text and does not count as an edit.
        m_main->LoadCombos();
        QCOMPARE(source->currentText(), forty.left(32));
        QVERIFY(!editing());
    }

    void categoriesLimitAndDoubles()
    {
        writeMaster(TableDef::Categories, QStringLiteral("Category"), { "Desserts", "Quick" });
        start({ { "Pie", "pie", "0x0000", "0x1", "A~B~C~D~" } });
        QCOMPARE(w<QListWidget>("lstCatRecipe")->count(), 4);
        const auto seen = TestUi::onModal("frmCategory", [this](QDialog* d) {
            auto* all = TestUi::child<QListWidget>(d, "lstCatAll");
            QCOMPARE(all->count(), 2);
            all->setCurrentRow(0);
            auto* add = TestUi::child<QPushButton>(d, "cmdCatAdd");
            add->click();
            add->click(); // doubles are allowed
            m_dialogs->answer(MsgAnswer::Ok);
            add->click(); // the seventh
            QCOMPARE(m_dialogs->last().text,
                     QStringLiteral("A maximum of 6 categories are allowed in the current version."));
            auto* mine = TestUi::child<QListWidget>(d, "lstCatRecipe");
            mine->setCurrentRow(5);
            TestUi::click(d, "cmdCatDelete");
            QCOMPARE(mine->count(), 5);
            QCOMPARE(mine->currentRow(), 4); // past the end: the new last entry
            add->click();
            TestUi::click(d, "cmdSave");
        });
        click("cmdCatAdd");
        QVERIFY(*seen);
        QCOMPARE(rw().fieldText("Category"), QStringLiteral("A~B~C~D~Desserts~Desserts~"));
        QVERIFY(editing());
        // Removing on the main window rewrites the text.
        auto* cats = w<QListWidget>("lstCatRecipe");
        cats->clearSelection();
        cats->item(0)->setSelected(true);
        cats->item(5)->setSelected(true);
        click("cmdCatDelete");
        QCOMPARE(rw().fieldText("Category"), QStringLiteral("B~C~D~Desserts~"));
        click("cmdNewSave");
        QCOMPARE(written("Pie"), QStringList { "0x0004 pie 0x1" });
    }

    void deleteDuplicates()
    {
        start({ { "Pie", "pie", "0x0000", "0x1", "", "A~" },
                { "Pie", "pie", "0x0008", "0x2", "", "A~" },
                { "Pie", "pie", "0x0000", "0x3", "", "A~" },
                { "Pie", "pie", "0x0000", "0x4", "", "B~" },
                { "Tart", "tart" } });
        search(QStringLiteral("Pie"), QString(), false);
        m_dialogs->answer(MsgAnswer::Yes);
        w<QAction>("mnuDeleteDupes")->trigger();
        QCOMPARE(listed(), (QStringList { "Pie", "Pie", "Tart" }));
        QCOMPARE(written("Pie"), (QStringList { "0x0000 pie 0x1", "0x0002 pie 0x3", "0x0000 pie 0x4" }));
        // Each of two entries with one key shows its own record.
        list()->setCurrentRow(1);
        QCOMPARE(rw().fieldText("Ingredients"), QStringLiteral("B~"));
    }

    void recipeLimit()
    {
        for (int i = 0; i < 15999; ++i)
            addRecipe(rs(),
                      { QStringLiteral("R%1").arg(i), QStringLiteral("r%1").arg(i), i == 0 ? "0x0002" : "0x0000" });
        start({});
        click("cmdNew");
        QVERIFY(editing()); // one of them is deleted: 15998 live
        click("cmdNewCancel");
        addRecipe(rs(), { "Last", "last" });
        m_dialogs->answer(MsgAnswer::Ok);
        click("cmdNew");
        QCOMPARE(m_dialogs->last().text,
                 QStringLiteral("You may not have more than  15999 recipes.  This is a synchronization limit."));
        QVERIFY(!editing());
    }

    void pictureCommands()
    {
        const QString picture = m_data->path() + QStringLiteral("/pie.png");
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(picture));
        TestData::writeFile(m_data->path() + QStringLiteral("/notanimage.jpg"), "plain text");
        start({ { "Pie", "pie" } });
        m_dialogs->choosePath(m_data->path() + QStringLiteral("/notanimage.jpg"));
        click("cmdPicture");
        QVERIFY(editing());
        QVERIFY(w<QLabel>("imgPicture")->pixmap().isNull());
        m_dialogs->choosePath(picture);
        click("cmdPicture");
        QVERIFY(!w<QLabel>("imgPicture")->pixmap().isNull());
        click("cmdNewSave");
        QCOMPARE(rw().fieldText("Picture"), picture);
        click("cmdEnlarge");
        QCOMPARE(m_platform->opened, QStringList { picture });

        m_dialogs->answer(MsgAnswer::Yes);
        m_dialogs->answer(MsgAnswer::Yes);
        click("Command1");
        QCOMPARE(m_dialogs->last().text,
                 QStringLiteral("Do you also want to delete the picture file\r\n\r\npie.png"
                                "\r\n\r\nfrom your computer?"));
        QVERIFY(!QFile::exists(picture));
        QCOMPARE(rw().fieldText("Picture"), QString());
        QVERIFY(editing());
    }

    // In edit mode the Recipe menu entries that would show another recipe or start a new one are disabled
    // like their buttons: the edit cannot be lost without a question.
    void recipeMenuCannotDropAnEdit_data()
    {
        QTest::addColumn<QString>("action");
        for (const char* a : { "mnuListAll", "mnuFilter", "mnuSelectAll", "mnuNewRecipe", "mnuDeleteDupes" })
            QTest::newRow(a) << QString(a);
    }
    void recipeMenuCannotDropAnEdit()
    {
        QFETCH(QString, action);
        start({ { "A", "a" }, { "B", "b" } });
        m_main->showTabPage(1);
        QVERIFY(TestUi::focus(w<QPlainTextEdit>("txtInstructions")));
        TestUi::keys("x");
        QVERIFY(editing());
        auto* entry = w<QAction>(qPrintable(action));
        QVERIFY(!entry->isEnabled());
        entry->trigger();
        QVERIFY(editing());
        QCOMPARE(w<QPlainTextEdit>("txtInstructions")->toPlainText(), QStringLiteral("x"));
        click("cmdNewCancel");
        QVERIFY(entry->isEnabled());
    }

    // Deleting the last listed recipe leaves the blank form in view mode: nothing was changed.
    void deletingTheLastListedRecipeLeavesViewMode()
    {
        start({ { "A", "a" } });
        m_dialogs->answer(MsgAnswer::Yes);
        click("cmdDelete");
        QVERIFY(listed().isEmpty());
        QVERIFY(!editing());
        QVERIFY(w<QMenu>("mnuFile")->menuAction()->isEnabled());
        QCOMPARE(rw().entryMode(), QString());
    }

    void emptyTableTypingStartsRecipe()
    {
        start({});
        QCOMPARE(panel1(), QStringLiteral("Listing All: (0 Recipes)"));
        QVERIFY(!editing());
        m_main->show();
        TestUi::tabTo(w<QLineEdit>("txtName"));
        TestUi::type(QStringLiteral("Stew"));
        QVERIFY(editing());
        QCOMPARE(rw().entryMode(), QStringLiteral("Add"));
        QCOMPARE(w<QLineEdit>("txtName")->text(), QStringLiteral("Stew"));
        QCOMPARE(w<QLineEdit>("txtName")->cursorPosition(), 4);
        click("cmdNewSave");
        QCOMPARE(listed(), QStringList { "Stew" });
        QCOMPARE(written("Stew"), QStringList { "0x0008 stew 0x00000000" });
    }

    void selectAllAndEnterKeys()
    {
        start({ { "A", "a" }, { "B", "b" }, { "C", "c" } });
        list()->setCurrentRow(2);
        w<QAction>("mnuSelectAll")->trigger();
        QCOMPARE(list()->selectedItems().size(), 3);
        QCOMPARE(w<QLineEdit>("txtName")->text(), QStringLiteral("A"));
        QCOMPARE(rw().selectedKeys(), (QStringList { "a", "b", "c" }));

        m_main->showTabPage(3);
        QVERIFY(TestUi::focus(w<QComboBox>("cboSource")));
        TestUi::press(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w<QComboBox>("cboRating"));
        TestUi::press(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w<QLineEdit>("txtServes"));
        TestUi::press(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w<QLineEdit>("txtServes"));
        QVERIFY(!editing());
    }

    void badInputDoesNotBreak()
    {
        start({ { "Pie", "pie" } });
        click("cmdNew");
        w<QLineEdit>("txtName")->setText(QStringLiteral("*'*'"));
        rw().setFieldText("Ingredients", QStringLiteral("*'*'~|\"") + QString(200, QLatin1Char('x')) + "|a|b~");
        click("cmdNewSave");
        QCOMPARE(written("*'*'"), QStringList { "0x0008  0x00000000" });
        search(QStringLiteral("'"), QString(), false);
        QCOMPARE(listed(), QStringList { "*'*'" });
    }
};

QTEST_MAIN(TestRecipeWindow)
#include "test_recipewindow.moc"
