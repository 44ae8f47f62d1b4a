#include "FakePlatform.h"
#include "PrefsFixture.h"
#include "ScriptedDialogs.h"

#include "app/Main.h"
#include "app/RecipeWindow.h"
#include "quantities/ui/QuantityCommands.h"

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QtTest>

namespace {

// A recipe window reduced to what the quantity commands use: the Serves box, the hidden ingredient text
// with its grid, and edit mode as the visibility of the Save button.
class FakeRecipeWindow : public RecipeWindow
{
public:
    explicit FakeRecipeWindow(Main& main)
        : m_serves(main.findChild<QLineEdit*>(QStringLiteral("txtServes")))
        , m_ingredients(main.findChild<QLineEdit*>(QStringLiteral("txtIngredients")))
        , m_grid(main.findChild<QTableWidget*>(QStringLiteral("gridIngredients")))
        , m_save(main.findChild<QAbstractButton*>(QStringLiteral("cmdNewSave")))
    {
        // Typing servings starts an edit.
        QObject::connect(m_serves, &QLineEdit::textEdited, [this] { m_save->show(); });
    }

    // Shows a stored recipe as the recipe list does.
    void show(const QString& serves, const QString& ingredients, bool quietly = false)
    {
        m_save->hide();
        QSignalBlocker block(quietly ? m_serves : nullptr);
        m_serves->setText(serves);
        m_ingredients->setText(ingredients);
        fillGrid();
    }

    bool isEditing() const override { return !m_save->isHidden(); }
    void pressSave() override { m_save->hide(); }
    void cancelEdit() override { m_save->hide(); }
    void listAll() override { }
    void refreshList() override { }
    QStringList selectedKeys() const override { return {}; }
    QStringList selectedNames() const override { return {}; }
    QString currentKey() const override { return QStringLiteral("pie"); }
    QString currentName() const override { return QStringLiteral("Pie"); }
    QString fieldText(const QString& field) const override
    {
        if (field == QLatin1String("Serves"))
            return m_serves->text();
        if (field == QLatin1String("Ingredients"))
            return m_ingredients->text();
        return QString();
    }
    void setFieldText(const QString& field, const QString& value) override
    {
        QVERIFY(field == QLatin1String("Ingredients"));
        if (value != m_ingredients->text())
            m_save->show();
        m_ingredients->setText(value);
        fillGrid();
        ++setCount;
    }
    bool showRecipeByName(const QString&) override { return false; }

    QStringList gridColumn(int column) const
    {
        QStringList cells;
        for (int row = 0; row < m_grid->rowCount(); ++row)
            cells << (m_grid->item(row, column) ? m_grid->item(row, column)->text() : QString());
        return cells;
    }

    int setCount = 0;

private:
    void fillGrid()
    {
        QStringList lines = m_ingredients->text().split(QLatin1Char('~'));
        lines.removeLast();
        m_grid->setRowCount(lines.size());
        for (int row = 0; row < lines.size(); ++row) {
            const QStringList parts = lines.at(row).split(QLatin1Char('|'));
            for (int column = 0; column < 3; ++column)
                m_grid->setItem(row, column, new QTableWidgetItem(parts.value(column)));
        }
    }

    QLineEdit* m_serves;
    QLineEdit* m_ingredients;
    QTableWidget* m_grid;
    QAbstractButton* m_save;
};

} // namespace

class TestQuantityCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void scaleTakesTwoClicks();
    void baseFollowsShownRecipe_data();
    void baseFollowsShownRecipe();
    void scaleWithoutRecipeWindowShowsNothing();
    void smartPaste_data();
    void smartPaste();
    void smartPasteWithoutQuestion();
    void equivalents();

private:
    void clickScale() { m_main->findChild<QAbstractButton*>(QStringLiteral("cmdMultiply"))->click(); }
    void typeServes(const QString& text)
    {
        QLineEdit* serves = m_main->findChild<QLineEdit*>(QStringLiteral("txtServes"));
        serves->setFocus();
        serves->selectAll();
        QTest::keyClicks(serves, text);
    }

    std::unique_ptr<Main> m_main;
    std::unique_ptr<FakeRecipeWindow> m_window;
};

void TestQuantityCommands::init()
{
    m_main = std::make_unique<Main>();
    m_window = std::make_unique<FakeRecipeWindow>(*m_main);
    m_main->setRecipeWindow(m_window.get());
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
}

void TestQuantityCommands::cleanup()
{
    m_main.reset();
    m_window.reset();
    AppState::instance().reset();
}

void TestQuantityCommands::scaleTakesTwoClicks()
{
    ScriptedDialogs dialogs;
    m_window->show(QStringLiteral("4"), QStringLiteral("1|c|milk~1/2|tsp|salt~2 1/3|c|flour~a pinch||pepper~"));

    // First click: the servings are unchanged, so only the explanation.
    dialogs.answer(MsgAnswer::Ok);
    clickScale();
    QCOMPARE(dialogs.messageCount(), 1);
    QCOMPARE(dialogs.last().title, QStringLiteral("Scale Ingredients"));
    QCOMPARE(m_window->setCount, 0);
    QVERIFY(!m_window->isEditing());

    // Second click after typing the wanted servings: confirm, scale, tell.
    typeServes(QStringLiteral("6"));
    dialogs.answer(MsgAnswer::Yes);
    dialogs.answer(MsgAnswer::Ok);
    clickScale();
    QCOMPARE(dialogs.shown().at(1).text,
             QStringLiteral("Do you want to scale the ingredients from 4 servings to 6 "
                            "servings?"));
    QCOMPARE(dialogs.last().text,
             QStringLiteral("Scaling INCOMPLETE.\r\n\r\nQuantities starting with * need to "
                            "be manually multiplied by 1.5"));
    QCOMPARE(m_window->fieldText(QStringLiteral("Ingredients")),
             QStringLiteral(" 1 1/2|c|milk~3/4|tsp|salt~ 3 1/2|c|flour~**a pinch||pepper~"));
    QCOMPARE(m_window->gridColumn(0), (QStringList { " 1 1/2", "3/4", " 3 1/2", "**a pinch" }));
    QCOMPARE(m_window->gridColumn(2), (QStringList { "milk", "salt", "flour", "pepper" }));
    QVERIFY(m_window->isEditing());
    QCOMPARE(QuantityCommands::of(*m_main)->baseServes(), QStringLiteral("6"));

    // The ingredients now are for 6: another click only explains again.
    dialogs.answer(MsgAnswer::Ok);
    clickScale();
    QCOMPARE(dialogs.last().title, QStringLiteral("Scale Ingredients"));
    QVERIFY(dialogs.exhausted());
}

void TestQuantityCommands::baseFollowsShownRecipe_data()
{
    QTest::addColumn<bool>("quietly");
    QTest::newRow("box filled with signals") << false;
    QTest::newRow("box filled with signals blocked") << true;
}

void TestQuantityCommands::baseFollowsShownRecipe()
{
    QFETCH(bool, quietly);
    ScriptedDialogs dialogs;
    m_window->show(QStringLiteral("4"), QStringLiteral("1|c|milk~"), quietly);
    typeServes(QStringLiteral("8"));
    dialogs.answer(MsgAnswer::Yes);
    dialogs.answer(MsgAnswer::Ok);
    clickScale();
    QCOMPARE(m_window->fieldText(QStringLiteral("Ingredients")), QStringLiteral(" 2|c|milk~"));

    // Another recipe shown (the edit left), then new servings typed: scaled from that recipe's servings.
    m_window->show(QStringLiteral("2"), QStringLiteral("1|c|rice~"), quietly);
    typeServes(QStringLiteral("3"));
    dialogs.answer(MsgAnswer::Yes);
    dialogs.answer(MsgAnswer::Ok);
    clickScale();
    QCOMPARE(dialogs.shown().at(2).text,
             QStringLiteral("Do you want to scale the ingredients from 2 servings to 3 "
                            "servings?"));
    QCOMPARE(m_window->fieldText(QStringLiteral("Ingredients")), QStringLiteral(" 1 1/2|c|rice~"));

    // Declining leaves everything as it was; clearing the servings is refused.
    typeServes(QStringLiteral("9"));
    dialogs.answer(MsgAnswer::No);
    clickScale();
    QCOMPARE(m_window->fieldText(QStringLiteral("Ingredients")), QStringLiteral(" 1 1/2|c|rice~"));
    QCOMPARE(QuantityCommands::of(*m_main)->baseServes(), QStringLiteral("3"));
    QTest::keyClick(m_main->findChild<QLineEdit*>(QStringLiteral("txtServes")), Qt::Key_Backspace);
    dialogs.answer(MsgAnswer::Ok);
    clickScale();
    QCOMPARE(dialogs.last().text, QStringLiteral("The number of servings cannot be blank."));
    QVERIFY(dialogs.exhausted());
}

void TestQuantityCommands::scaleWithoutRecipeWindowShowsNothing()
{
    FakePlatform platform;
    ScriptedDialogs dialogs;
    m_main->setRecipeWindow(nullptr);
    clickScale();
    m_main->findChild<QAction*>(QStringLiteral("mnuSmartPaste"))->trigger();
    QCOMPARE(dialogs.messageCount(), 0);
    QCOMPARE(platform.beeps, 2);
}

void TestQuantityCommands::smartPaste_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<bool>("convert");
    QTest::addColumn<QString>("ingredients");
    QTest::newRow("LF lines, converted") << "1 1/2 cups flour\n2 large eggs\n" << true << "1 1/2|c|flour~2|lg|eggs~";
    QTest::newRow("CR LF lines, kept") << "1 1/2 cups flour\r\n1 T butter" << false << "1 1/2|cups|flour~1|T|butter~";
    QTest::newRow("quantity-only line") << "1 1/2\n1 t salt" << true << "1 1/2||~1|tsp|salt~";
    QTest::newRow("empty clipboard clears") << "" << false << "";
}

void TestQuantityCommands::smartPaste()
{
    QFETCH(QString, clipboard);
    QFETCH(bool, convert);
    QFETCH(QString, ingredients);
    FakePlatform platform;
    platform.clipboard = clipboard;
    ScriptedDialogs dialogs;
    m_window->show(QStringLiteral("4"), QStringLiteral("9|c|old~"));
    dialogs.answer(convert ? MsgAnswer::Yes : MsgAnswer::No);
    m_main->findChild<QAction*>(QStringLiteral("mnuSmartPaste"))->trigger();
    QCOMPARE(dialogs.last().title, QStringLiteral("Convert Units?"));
    QCOMPARE(m_window->fieldText(QStringLiteral("Ingredients")), ingredients);
    QCOMPARE(m_window->gridColumn(0).size(), int(ingredients.count(QLatin1Char('~'))));
    QVERIFY(m_window->isEditing());
}

void TestQuantityCommands::smartPasteWithoutQuestion()
{
    PrefsFixture prefs({ { QStringLiteral("abbrev_ingr"), QStringLiteral("1") } });
    FakePlatform platform;
    platform.clipboard = QStringLiteral("1 Cup milk\n\n2 cloves garlic");
    ScriptedDialogs dialogs;
    m_main->findChild<QAction*>(QStringLiteral("mnuSmartPaste"))->trigger();
    QCOMPARE(dialogs.messageCount(), 0);
    QCOMPARE(m_window->fieldText(QStringLiteral("Ingredients")), QStringLiteral("1|c|milk~||~2||cloves garlic~"));
    QCOMPARE(m_window->gridColumn(1), (QStringList { "c", "", "" }));
}

void TestQuantityCommands::equivalents()
{
    PrefsFixture prefs({ { QStringLiteral("equivalents"), QStringLiteral("1 c = 16 tbsp\\n1 tbsp = 3 tsp") } });
    ScriptedDialogs dialogs;
    dialogs.answer(MsgAnswer::Ok);
    m_main->findChild<QAction*>(QStringLiteral("mnuEquiv"))->trigger();
    QCOMPARE(dialogs.last().title, QStringLiteral("Equivalents"));
    QCOMPARE(dialogs.last().text, QStringLiteral("1 c = 16 tbsp\r\n1 tbsp = 3 tsp"));
    QCOMPARE(dialogs.last().buttons, MsgButtons::Ok);
    QCOMPARE(dialogs.last().icon, MsgIcon::None);
}

QTEST_MAIN(TestQuantityCommands)
#include "test_quantitycommands.moc"
