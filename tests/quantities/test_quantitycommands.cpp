#include "FakePlatform.h"
#include "ScriptedDialogs.h"
#include "TestData.h"
#include "Widgets.h"

#include "app/Main.h"
#include "app/RecipeWindow.h"
#include "quantities/ui/QuantityCommands.h"
#include "shell/AppState.h"

#include <QLineEdit>
#include <QTableWidget>
#include <QtTest>

class TestQuantityCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<TestData::DataFolderFixture>();
        AppState::instance().dataPath = m_folder->path() + QLatin1Char('/');
        AppState::instance().recipes = std::make_unique<DataSource1>(m_folder->file(TableDef::Recipes));
        AppState::instance().recipes->recordset().appendRecord(
            { "0x00000011", "0x0000", "pancakes", "Pancakes", "", "4", "1|c|milk~a pinch||pepper~", "", "", "~~" });
        m_main = std::make_unique<Main>();
        m_main->recipeWindow()->listAll();
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
        QVERIFY(m_main->recipeWindow()->showRecipeByName(QStringLiteral("Pancakes")));
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
        typeServes(QStringLiteral("6"));
        dialogs.answer(MsgAnswer::Yes);
        dialogs.answer(MsgAnswer::Ok);
        clickScale();
        QCOMPARE(dialogs.shown().at(0).text,
                 QStringLiteral("Do you want to scale the ingredients from 4 servings to 6 servings?"));
        QVERIFY(dialogs.last().text.startsWith(QStringLiteral("Scaling INCOMPLETE.")));
        QCOMPARE(TestUi::column(grid(), 0), (QStringList { " 1 1/2", "**a pinch" }));
        QVERIFY(dialogs.exhausted());
    }

    void smartPaste()
    {
        FakePlatform platform;
        platform.clipboard = QStringLiteral("1 1/2 cups flour\n2 large eggs\n");
        ScriptedDialogs dialogs;
        dialogs.answer(MsgAnswer::Yes);
        TestUi::trigger(m_main.get(), "mnuSmartPaste");
        QCOMPARE(m_main->recipeWindow()->fieldText(QStringLiteral("Ingredients")),
                 QStringLiteral("1 1/2|c|flour~2|lg|eggs~"));
    }

private:
    QTableWidget* grid() const { return TestUi::child<QTableWidget>(m_main.get(), "gridIngredients"); }
    void clickScale() { TestUi::click(m_main.get(), "cmdMultiply"); }
    void typeServes(const QString& text)
    {
        m_main->showTabPage(3); // Other: servings and Scale
        TestUi::clickInto(TestUi::child<QLineEdit>(m_main.get(), "txtServes"));
        TestUi::press(Qt::Key_A, Qt::ControlModifier);
        TestUi::press(Qt::Key_Backspace);
        TestUi::type(text);
    }

    std::unique_ptr<TestData::DataFolderFixture> m_folder;
    std::unique_ptr<Main> m_main;
};

QTEST_MAIN(TestQuantityCommands)
#include "test_quantitycommands.moc"
