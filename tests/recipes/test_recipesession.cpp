#include "RecipeTestData.h"
#include "TestData.h"
#include "recipes/RecipeEditSession.h"
#include "recipes/RecipeTable.h"
#include "storage/DataSource.h"
#include "storage/TableCatalogue.h"

#include <QSignalSpy>
#include <QtTest>

using Field = RecipeEditSession::Field;

class TestRecipeSession : public QObject
{
    Q_OBJECT

    static RecipeRecord pie()
    {
        RecipeRecord f;
        f.id = QStringLiteral("0x00000042");
        f.status = QStringLiteral("0x0000");
        f.key = QStringLiteral("pie");
        f.name = QStringLiteral("Pie");
        f.serves = QStringLiteral("4");
        f.category = QStringLiteral("Tarts~");
        f.picture = QStringLiteral("pie.png");
        return f;
    }
    // A session showing Pie in a list with entries (listed) or an empty one.
    static void showPie(RecipeEditSession& s, bool listed = true)
    {
        s.setListed(listed);
        const RecipeEditSession::Quiet quiet(s);
        s.hold(pie());
        s.keepAsSaved();
        s.leaveEdit();
    }

private slots:
    // What a change of a shown value does: "edit", "add" (nothing listed), "view" or "starts new".
    void changeTracking_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("listed");
        QTest::addColumn<bool>("blankForm");
        QTest::addColumn<QString>("outcome");
        const auto row = [](const char* tag, Field f, const char* value, bool listed, bool blank, const char* out) {
            QTest::newRow(tag) << int(f) << QString(value) << listed << blank << QString(out);
        };
        row("same value", Field::Name, "Pie", true, false, "view");
        row("name changed", Field::Name, "Tart", true, false, "edit");
        row("rating set", Field::Rating, "Good", true, false, "edit");
        row("picture cleared", Field::Picture, "", true, false, "edit");
        row("nothing listed", Field::Serves, "6", false, false, "add");
        row("name on blank form", Field::Name, "Stew", false, true, "starts new");
        row("serves on blank form", Field::Serves, "2", false, true, "add");
    }
    void changeTracking()
    {
        QFETCH(int, field);
        QFETCH(QString, value);
        QFETCH(bool, listed);
        QFETCH(bool, blankForm);
        QFETCH(QString, outcome);
        RecipeEditSession s;
        showPie(s, listed);
        if (blankForm) {
            s.hold(RecipeRecord::blank());
            s.keepAsSaved();
        }
        QSignalSpy modes(&s, &RecipeEditSession::editingChanged);
        const bool startsNew = s.change(Field(field), value);
        const QString got = startsNew ? "starts new" : s.isAdding() ? "add" : s.isEditing() ? "edit" : "view";
        QCOMPARE(got, outcome);
        QCOMPARE(modes.count(), s.isEditing() ? 1 : 0);
        QCOMPARE(s.value(Field(field)), value);
        {
            const RecipeEditSession::Quiet quiet(s); // showing a value is no edit
            s.change(Field::Category, QStringLiteral("Soups~"));
        }
        QCOMPARE(s.isEditing(), got == QLatin1String("edit") || got == QLatin1String("add"));
    }

    void newCopyCancelAndSave()
    {
        RecipeEditSession s;
        showPie(s);
        QCOMPARE(s.saveInput(0).savedName, QStringLiteral("Pie"));
        s.change(Field::Name, QStringLiteral("Cherry Pie"));
        RecipeSaveInput in = s.saveInput(1);
        QCOMPARE(in.fields.key + in.fields.id + in.fields.name, QStringLiteral("pie0x00000042Cherry Pie"));
        QCOMPARE(in.occurrence, 1);
        QVERIFY(!in.adding);

        // Cancel puts back the saved values but keeps the shown picture and the held record.
        s.change(Field::Picture, QStringLiteral("new.png"));
        const RecipeRecord back = s.cancel();
        QCOMPARE(back.name + back.picture + back.key, QStringLiteral("Pienew.pngpie"));
        QVERIFY(!s.isEditing());

        const RecipeRecord copy = s.startCopy();
        QCOMPARE(copy.name, QStringLiteral("Pie - Copy"));
        QCOMPARE(copy.id + copy.status + copy.key, RecordStatus::NewId + RecordStatus::New);
        QCOMPARE(copy.category + copy.serves, QStringLiteral("Tarts~4"));
        QVERIFY(s.isAdding() && s.isEditing());
        QCOMPARE(s.baseServes(), QString());
        in = s.saveInput(3);
        QVERIFY(in.adding);
        QCOMPARE(in.occurrence, 0);
        QCOMPARE(in.savedName, QString());

        const RecipeRecord blank = s.startNew(QStringLiteral("6"));
        QCOMPARE(blank.name + blank.category + blank.picture + blank.key, QString());
        QCOMPARE(blank.serves, QStringLiteral("6"));
        QCOMPARE(s.baseServes(), QStringLiteral("6"));
        QCOMPARE(s.saveRefusal(), QStringLiteral("The Title cannot be blank.\r\n\r\nPlease enter a Title."));
        QVERIFY(!s.change(Field::Name, QStringLiteral("Stew"))); // adding: a name is an edit, not a new start
        QCOMPARE(s.saveRefusal(), QString());
        s.leaveEdit();
        QVERIFY(!s.isAdding() && !s.isEditing());
        QCOMPARE(RecipeEditSession::deleteQuestion(1), QStringLiteral("Do you really want to delete this recipe?"));
        QCOMPARE(RecipeEditSession::deleteQuestion(3),
                 QStringLiteral("3 recipes have been selected. Do you want to delete ALL selected recipes?"));
        // After a delete the entry that followed the deleted ones is shown; past the end, the last one.
        QCOMPARE(RecipeEditSession::rowAfterDelete({ 3, 4, 5 }, 7), 3);
        QCOMPARE(RecipeEditSession::rowAfterDelete({ 6 }, 6), 5);
        QCOMPARE(RecipeEditSession::rowAfterDelete({ 2, 5 }, 8), 4);
        QCOMPARE(RecipeEditSession::rowAfterDelete({ 0 }, 0), -1);
    }

    // New is refused only when as many live recipes as the handheld takes are stored; deleted ones don't count.
    void recipeLimit()
    {
        TestData::DataFolderFixture folder;
        DataSource1 source(folder.file(TableDef::Recipes));
        Recordset& rs = source.recordset();
        for (int i = 0; i < RecipeTable::kMaxRecipes; ++i)
            addRecipe(rs, { QStringLiteral("R%1").arg(i), QStringLiteral("r%1").arg(i), i ? "0x0000" : "0x0002" });
        QCOMPARE(RecipeEditSession::newRefusal(rs), QString());
        addRecipe(rs, { "Last", "last" });
        QCOMPARE(RecipeEditSession::newRefusal(rs),
                 QStringLiteral("You may not have more than  15999 recipes.  This is a synchronization limit."));
    }
};

QTEST_MAIN(TestRecipeSession)
#include "test_recipesession.moc"
