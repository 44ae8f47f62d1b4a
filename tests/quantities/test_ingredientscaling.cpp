#include "PrefsFixture.h"
#include "ScriptedDialogs.h"

#include "quantities/IngredientScaling.h"
#include "quantities/Quantity.h"
#include "quantities/SmartPaste.h"
#include "shell/ShowError.h"

#include <QTest>

namespace {
const QString kExplanation = QStringLiteral(
    "To scale the ingredients, change the number of servings to what you want, and click again.\r\n\r\n"
    "In order for ingredients to scale correctly, they need to be in one of these forms: N or N/N or N N/N "
    "(for example: 4 or 3/4 or 2 1/2 etc.)");
}

class TestIngredientScaling : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void scaleText_data();
    void scaleText();
    void explainsWhenServesUnchanged_data();
    void explainsWhenServesUnchanged();
    void declinedChangesNothing();
    void scalesAndTellsOutcome_data();
    void scalesAndTellsOutcome();
    void scalingTwiceIsRelative();
    void failuresAreReported_data();
    void failuresAreReported();
    void convertUnitsPreference_data();
    void convertUnitsPreference();
};

void TestIngredientScaling::scaleText_data()
{
    QTest::addColumn<QString>("ingredients");
    QTest::addColumn<QString>("scaled");
    QTest::newRow("units and items kept") << "2|cups|flour~1/2|tsp|salt~"
                                          << " 4|cups|flour~ 1|tsp|salt~";
    QTest::newRow("empty quantity stays empty") << "||Salt~"
                                                << "||Salt~";
    QTest::newRow("range marked, not read as 3") << "3-4|c|milk~"
                                                 << "*3-4|c|milk~";
    QTest::newRow("no bars") << "a pinch of salt~"
                             << "**a pinch of salt||~";
    QTest::newRow("fourth part dropped as the grid does") << "1|cup|rice|cooked~"
                                                          << " 2|cup|rice~";
    QTest::newRow("text after last line dropped") << "1|c|milk~stray"
                                                  << " 2|c|milk~";
    QTest::newRow("empty") << ""
                           << "";
}

void TestIngredientScaling::scaleText()
{
    QFETCH(QString, ingredients);
    QFETCH(QString, scaled);
    QCOMPARE(ScaleIngredientText(ingredients, 2.0, ScaleFraction), scaled);
}

void TestIngredientScaling::explainsWhenServesUnchanged_data()
{
    QTest::addColumn<QString>("serves");
    QTest::addColumn<QString>("base");
    QTest::newRow("unchanged") << "4"
                               << "4";
    QTest::newRow("base empty") << "6"
                                << "";
    QTest::newRow("both empty") << ""
                                << "";
}

void TestIngredientScaling::explainsWhenServesUnchanged()
{
    QFETCH(QString, serves);
    QFETCH(QString, base);
    ScriptedDialogs dialogs;
    dialogs.answer(MsgAnswer::Ok);
    QVERIFY(!RunIngredientScaling(serves, base, QStringLiteral("1|c|milk~")));
    QCOMPARE(base, serves);
    QCOMPARE(dialogs.messageCount(), 1);
    QCOMPARE(dialogs.last().title, QStringLiteral("Scale Ingredients"));
    QCOMPARE(dialogs.last().text, kExplanation);
    QCOMPARE(dialogs.last().icon, MsgIcon::None);
}

void TestIngredientScaling::declinedChangesNothing()
{
    ScriptedDialogs dialogs;
    QString base = QStringLiteral("4");
    for (int i = 0; i < 2; ++i) {
        dialogs.answer(MsgAnswer::No);
        QVERIFY(!RunIngredientScaling(QStringLiteral("6"), base, QStringLiteral("1|c|milk~")));
        QCOMPARE(dialogs.last().title, QStringLiteral("Scale Ingredients?"));
        QCOMPARE(dialogs.last().text,
                 QStringLiteral("Do you want to scale the ingredients from 4 servings to 6 "
                                "servings?"));
        QCOMPARE(dialogs.last().buttons, MsgButtons::YesNo);
        QCOMPARE(base, QStringLiteral("4"));
    }
    QCOMPARE(dialogs.messageCount(), 2);
}

void TestIngredientScaling::scalesAndTellsOutcome_data()
{
    QTest::addColumn<QString>("scaling");
    QTest::addColumn<QString>("serves");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("ingredients");
    QTest::addColumn<QString>("scaled");
    QTest::addColumn<QString>("outcome");

    const QString complete = QStringLiteral("Ingredient scaling complete.");
    const QString incomplete
        = QStringLiteral("Scaling INCOMPLETE.\r\n\r\nQuantities starting with * need to be manually multiplied by ");
    QTest::newRow("4 to 6 with an unreadable row")
        << ""
        << "6"
        << "4"
        << "1|c|milk~1/2|tsp|salt~2 1/3|c|flour~a pinch||pepper~"
        << " 1 1/2|c|milk~3/4|tsp|salt~ 3 1/2|c|flour~**a pinch||pepper~" << incomplete + "1.5";
    QTest::newRow("4 to 8 all readable") << "fraction"
                                         << "8"
                                         << "4"
                                         << "1|c|milk~3/4|c|flour~||salt~"
                                         << " 2|c|milk~ 1 1/2|c|flour~||salt~" << complete;
    QTest::newRow("decimal preference") << "decimal"
                                        << "3"
                                        << "2"
                                        << "1/2|c|milk~1 1/2|c|flour~"
                                        << "0000.7500|c|milk~0002.2500|c|flour~" << complete;
    QTest::newRow("zero marked, run complete") << ""
                                               << "8"
                                               << "4"
                                               << "0|c|milk~"
                                               << "*0|c|milk~" << complete;
    QTest::newRow("servings read as numbers") << "Decimal"
                                              << "6 people"
                                              << "4-5"
                                              << "2|c|milk~"
                                              << " 3|c|milk~" << complete;
    QTest::newRow("factor below one") << ""
                                      << "3"
                                      << "4"
                                      << "x|c|milk~"
                                      << "*x|c|milk~" << incomplete + ".75";
}

void TestIngredientScaling::scalesAndTellsOutcome()
{
    QFETCH(QString, scaling);
    QFETCH(QString, serves);
    QFETCH(QString, base);
    QFETCH(QString, ingredients);
    QFETCH(QString, scaled);
    QFETCH(QString, outcome);

    PrefsFixture prefs;
    if (!scaling.isEmpty())
        prefs.set(QStringLiteral("scaling"), scaling);
    ScriptedDialogs dialogs;
    dialogs.answer(MsgAnswer::Yes);
    dialogs.answer(MsgAnswer::Ok);
    const auto result = RunIngredientScaling(serves, base, ingredients);
    QVERIFY(result);
    QCOMPARE(*result, scaled);
    QCOMPARE(base, serves);
    QCOMPARE(dialogs.messageCount(), 2);
    QCOMPARE(dialogs.last().text, outcome);
    QCOMPARE(dialogs.last().title, Dialogs::applicationTitle());
}

void TestIngredientScaling::scalingTwiceIsRelative()
{
    ScriptedDialogs dialogs;
    QString base = QStringLiteral("4");
    dialogs.answer(MsgAnswer::Yes);
    dialogs.answer(MsgAnswer::Ok);
    const auto first = RunIngredientScaling(QStringLiteral("8"), base, QStringLiteral("1|c|milk~"));
    QVERIFY(first);
    dialogs.answer(MsgAnswer::Yes);
    dialogs.answer(MsgAnswer::Ok);
    const auto second = RunIngredientScaling(QStringLiteral("2"), base, *first);
    QVERIFY(second);
    QCOMPARE(*second, QStringLiteral("1/2|c|milk~"));
    QCOMPARE(base, QStringLiteral("2"));
}

void TestIngredientScaling::failuresAreReported_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("ingredients");
    QTest::newRow("servings read as zero") << "none"
                                           << "1|c|milk~";
    QTest::newRow("zero denominator after good rows") << "4"
                                                      << "1|c|milk~1/0|c|flour~";
}

void TestIngredientScaling::failuresAreReported()
{
    QFETCH(QString, base);
    QFETCH(QString, ingredients);
    ScriptedDialogs dialogs;
    dialogs.answer(MsgAnswer::Yes);
    dialogs.answer(MsgAnswer::Ok);
    QString kept = base;
    QVERIFY(!RunIngredientScaling(QStringLiteral("6"), kept, ingredients));
    QCOMPARE(kept, base);
    QCOMPARE(dialogs.last().title, QStringLiteral("Error"));
    QCOMPARE(dialogs.last().text,
             errorMessageText(QStringLiteral("scaling the serving size"), QString(), AppError::DivisionByZero,
                              QStringLiteral("Division by zero")));
}

void TestIngredientScaling::convertUnitsPreference_data()
{
    QTest::addColumn<QString>("abbrevIngr"); // "-" for no such preference
    QTest::addColumn<bool>("asked");
    QTest::newRow("on") << "1" << false;
    QTest::newRow("on, as 1.0") << "1.0" << false;
    QTest::newRow("off") << "0" << true;
    QTest::newRow("other number") << "2" << true;
    QTest::newRow("missing") << "-" << true;
}

void TestIngredientScaling::convertUnitsPreference()
{
    QFETCH(QString, abbrevIngr);
    QFETCH(bool, asked);
    PrefsFixture prefs;
    if (abbrevIngr != QLatin1String("-"))
        prefs.set(QStringLiteral("abbrev_ingr"), abbrevIngr);
    for (MsgAnswer answer : { MsgAnswer::Yes, MsgAnswer::No }) {
        ScriptedDialogs dialogs;
        if (asked)
            dialogs.answer(answer);
        QCOMPARE(ConvertUnitsOnPaste(), !asked || answer == MsgAnswer::Yes);
        QCOMPARE(dialogs.messageCount(), asked ? 1 : 0);
        if (asked) {
            QCOMPARE(dialogs.last().title, QStringLiteral("Convert Units?"));
            QCOMPARE(dialogs.last().text,
                     QStringLiteral("Would you like to convert the units for this recipe to "
                                    "shorter, standard units?"));
            QCOMPARE(dialogs.last().buttons, MsgButtons::YesNo);
        }
    }
}

QTEST_GUILESS_MAIN(TestIngredientScaling)
#include "test_ingredientscaling.moc"
