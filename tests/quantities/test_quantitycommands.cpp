#include "FakePlatform.h"
#include "PrefsFixture.h"
#include "ScriptedDialogs.h"
#include "Widgets.h"

#include "app/Main.h"
#include "app/RecipeWindow.h"
#include "quantities/ui/QuantityCommands.h"
#include "shell/AppState.h"

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QTableWidget>
#include <QtTest>

#include <functional>

namespace {

// Appends a stored recipe to the recipe table held by AppState.
void addRecipe(const QString& name, const QString& serves, const QString& ingredients)
{
    Recordset& rs = AppState::instance().recipes->recordset();
    rs.addNew();
    const QStringList fields { "REC_ID", "STATUS", "Key", "Name", "Serves", "Ingredients", "RtgSrc" };
    const QStringList values { "0x00000011", "0x0000", name.toLower(), name, serves, ingredients, "~~" };
    for (int i = 0; i < fields.size(); ++i)
        rs.setValue(fields.at(i), values.at(i));
    rs.update();
}

} // namespace

class TestQuantityCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<TestData::DataFolderFixture>();
        AppState::instance().dataPath = m_folder->path() + QLatin1Char('/');
        AppState::instance().recipes = std::make_unique<DataSource1>(m_folder->file(TableDef::Recipes));
        addRecipe(QStringLiteral("Pancakes"), QStringLiteral("4"),
                  QStringLiteral("1|c|milk~1/2|tsp|salt~2 1/3|c|flour~a pinch||pepper~"));
        addRecipe(QStringLiteral("Rice"), QStringLiteral("2"), QStringLiteral("1|c|rice~"));
        m_main = std::make_unique<Main>();
        QVERIFY(m_main->recipeWindow());
        m_main->recipeWindow()->listAll();
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    }

    void cleanup()
    {
        m_main.reset();
        AppState::instance().reset();
        m_folder.reset();
    }

    void scaleButton()
    {
        ScriptedDialogs dialogs;
        show(QStringLiteral("Rice"));

        // First click: the servings are unchanged, so only the explanation.
        dialogs.answer(MsgAnswer::Ok);
        clickScale();
        QCOMPARE(dialogs.messageCount(), 1);
        QVERIFY(!m_main->recipeWindow()->isEditing());

        // Second click after typing the wanted servings: confirm, scale; the ingredients now are for 8, so
        // another click only explains again.
        scaleTo(dialogs, QStringLiteral("8"));
        QCOMPARE(ingredients(), QStringLiteral(" 4|c|rice~"));
        QVERIFY(m_main->recipeWindow()->isEditing());
        QCOMPARE(QuantityCommands::of(*m_main)->baseServes(), QStringLiteral("8"));
        dialogs.answer(MsgAnswer::Ok);
        clickScale();

        // Cancelled, then another recipe shown and new servings typed: scaled from that recipe's servings.
        m_main->recipeWindow()->cancelEdit();
        QCOMPARE(ingredients(), QStringLiteral("1|c|rice~"));
        show(QStringLiteral("Pancakes"));
        scaleTo(dialogs, QStringLiteral("6"));
        const auto& question = dialogs.shown().at(dialogs.shown().size() - 2);
        QCOMPARE(question.buttons, MsgButtons::YesNo);
        QCOMPARE(question.text, QStringLiteral("Do you want to scale the ingredients from 4 servings to 6 servings?"));
        QCOMPARE(dialogs.last().text,
                 QStringLiteral("Scaling INCOMPLETE.\r\n\r\nQuantities starting with * need to "
                                "be manually multiplied by 1.5"));
        QCOMPARE(ingredients(), QStringLiteral(" 1 1/2|c|milk~3/4|tsp|salt~ 3 1/2|c|flour~**a pinch||pepper~"));
        QCOMPARE(TestUi::column(grid(), 0), (QStringList { " 1 1/2", "3/4", " 3 1/2", "**a pinch" }));

        // Declining leaves everything as it was; clearing the servings is refused.
        typeServes(QStringLiteral("9"));
        dialogs.answer(MsgAnswer::No);
        clickScale();
        QCOMPARE(TestUi::column(grid(), 0).first(), QStringLiteral(" 1 1/2"));
        QCOMPARE(QuantityCommands::of(*m_main)->baseServes(), QStringLiteral("6"));
        typeServes(QString());
        dialogs.answer(MsgAnswer::Ok);
        clickScale();
        QCOMPARE(dialogs.last().text, QStringLiteral("The number of servings cannot be blank."));
        QVERIFY(dialogs.exhausted());
    }

    // The grid already shows the new quantities when the outcome is told; after Copy the ingredients have no
    // servings of their own yet, so the next click takes the servings shown and only explains.
    void scaleShowsFirstAndStartsOverAfterCopy()
    {
        struct WatchingDialogs : ScriptedDialogs
        {
            std::function<void()> watch;
            MsgAnswer message(const QString& title, const QString& text, MsgButtons buttons, MsgIcon icon) override
            {
                watch();
                return ScriptedDialogs::message(title, text, buttons, icon);
            }
        } dialogs;
        QStringList seen;
        dialogs.watch = [&] { seen << TestUi::column(grid(), 0).join(QLatin1Char(',')); };
        show(QStringLiteral("Rice"));
        scaleTo(dialogs, QStringLiteral("4"));
        QCOMPARE(dialogs.last().text, QStringLiteral("Ingredient scaling complete."));
        QCOMPARE(seen.last(), QStringLiteral(" 2"));

        m_main->recipeWindow()->cancelEdit();
        dialogs.answer(MsgAnswer::Ok);
        m_main->findChild<QAbstractButton*>(QStringLiteral("cmdDupe"))->click();
        QCOMPARE(dialogs.last().title, QStringLiteral("Record Copied"));
        typeServes(QStringLiteral("8"));
        dialogs.answer(MsgAnswer::Ok);
        clickScale();
        QCOMPARE(dialogs.last().title, QStringLiteral("Scale Ingredients"));
        QCOMPARE(ingredients(), QStringLiteral("1|c|rice~"));
        QVERIFY(dialogs.exhausted());
    }

    void smartPaste_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<bool>("convert");
        QTest::addColumn<QString>("parsed");
        QTest::newRow("LF lines, converted") << "1 1/2 cups flour\n2 large eggs\n"
                                             << true << "1 1/2|c|flour~2|lg|eggs~";
        QTest::newRow("CR LF lines, kept")
            << "1 1/2 cups flour\r\n1 T butter" << false << "1 1/2|cups|flour~1|T|butter~";
        QTest::newRow("empty clipboard clears") << "" << false << "";
    }

    void smartPaste()
    {
        QFETCH(QString, clipboard);
        QFETCH(bool, convert);
        QFETCH(QString, parsed);
        FakePlatform platform;
        platform.clipboard = clipboard;
        ScriptedDialogs dialogs;
        show(QStringLiteral("Rice"));
        dialogs.answer(convert ? MsgAnswer::Yes : MsgAnswer::No);
        TestUi::trigger(m_main.get(), "mnuSmartPaste");
        QCOMPARE(ingredients(), parsed);
        QCOMPARE(grid()->rowCount(), int(parsed.count(QLatin1Char('~'))));
        QVERIFY(m_main->recipeWindow()->isEditing());
    }

    void equivalents()
    {
        PrefsFixture prefs({ { QStringLiteral("equivalents"), QStringLiteral("1 c = 16 tbsp\\n1 tbsp = 3 tsp") } });
        ScriptedDialogs dialogs;
        dialogs.answer(MsgAnswer::Ok);
        TestUi::trigger(m_main.get(), "mnuEquiv");
        QCOMPARE(dialogs.last().text, QStringLiteral("1 c = 16 tbsp\r\n1 tbsp = 3 tsp"));
    }

private:
    QString ingredients() const { return m_main->recipeWindow()->fieldText(QStringLiteral("Ingredients")); }
    QLineEdit* serves() const { return TestUi::child<QLineEdit>(m_main.get(), "txtServes"); }
    QTableWidget* grid() const { return TestUi::child<QTableWidget>(m_main.get(), "gridIngredients"); }
    void clickScale() { TestUi::click(m_main.get(), "cmdMultiply"); }
    void show(const QString& name) { QVERIFY(m_main->recipeWindow()->showRecipeByName(name)); }
    void typeServes(const QString& text)
    {
        m_main->showTabPage(3); // Other: servings and Scale
        TestUi::clickInto(serves());
        TestUi::press(Qt::Key_A, Qt::ControlModifier);
        TestUi::press(Qt::Key_Backspace);
        TestUi::type(text);
    }
    // Types the wanted servings, clicks Scale and answers Yes, then Ok.
    void scaleTo(ScriptedDialogs& dialogs, const QString& servings)
    {
        typeServes(servings);
        dialogs.answer(MsgAnswer::Yes);
        dialogs.answer(MsgAnswer::Ok);
        clickScale();
    }

    std::unique_ptr<TestData::DataFolderFixture> m_folder;
    std::unique_ptr<Main> m_main;
};

QTEST_MAIN(TestQuantityCommands)
#include "test_quantitycommands.moc"
