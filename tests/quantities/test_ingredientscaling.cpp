#include "PrefsFixture.h"
#include "ScriptedDialogs.h"

#include "base/ShowError.h"
#include "quantities/IngredientScaling.h"
#include "quantities/Quantity.h"
#include "quantities/SmartPaste.h"

#include <QTest>

namespace {
const QString kExplanation = QStringLiteral(
    "To scale the ingredients, change the number of servings to what you want, and click again.\r\n\r\n"
    "In order for ingredients to scale correctly, they need to be in one of these forms: N or N/N or N N/N "
    "(for example: 4 or 3/4 or 2 1/2 etc.)");
} // namespace

class TestIngredientScaling : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void scaleText_data()
    {
        QTest::addColumn<QString>("ingredients");
        QTest::addColumn<QString>("scaled");
        QTest::newRow("units and items kept")
            << "2|cups|flour~||Salt~1/2|tsp|salt~" << QStringLiteral(" 4|cups|flour~||Salt~ 1|tsp|salt~");
        QTest::newRow("range marked, not read as 3") << "3-4|c|milk~" << QStringLiteral("*3-4|c|milk~");
        QTest::newRow("no bars") << "a pinch of salt~" << QStringLiteral("**a pinch of salt||~");
        QTest::newRow("fourth part and text after last line dropped")
            << "1|cup|rice|cooked~stray" << QStringLiteral(" 2|cup|rice~");
    }

    void scaleText()
    {
        QFETCH(QString, ingredients);
        QFETCH(QString, scaled);
        QCOMPARE(ScaleIngredientText(ingredients, 2.0, ScaleFraction), scaled);
    }

    void explainsWhenServesUnchanged_data()
    {
        QTest::addColumn<QString>("serves");
        QTest::addColumn<QString>("base");
        QTest::newRow("unchanged") << "4" << QStringLiteral("4");
        QTest::newRow("base empty") << "6" << QStringLiteral("");
    }

    void explainsWhenServesUnchanged()
    {
        QFETCH(QString, serves);
        QFETCH(QString, base);
        ScriptedDialogs dialogs;
        dialogs.answer(MsgAnswer::Ok);
        QVERIFY(!RunIngredientScaling(serves, base, QStringLiteral("1|c|milk~")));
        QCOMPARE(base, serves);
        QCOMPARE(dialogs.messageCount(), 1);
        QVERIFY(dialogs.last().title == QStringLiteral("Scale Ingredients") && dialogs.last().icon == MsgIcon::None);
        QCOMPARE(dialogs.last().text, kExplanation);
    }

    void scalesAndTellsOutcome_data()
    {
        QTest::addColumn<QString>("scaling");
        QTest::addColumn<QString>("serves");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("ingredients");
        QTest::addColumn<QString>("scaled");
        QTest::addColumn<QString>("outcome");

        const QString complete = QStringLiteral("Ingredient scaling complete.");
        QTest::newRow("decimal preference") << "decimal" << QStringLiteral("3") << "2" << QStringLiteral("1/2|c|milk~")
                                            << "0000.7500|c|milk~" << complete;
        QTest::newRow("servings read as numbers, preference as written")
            << "Decimal" << QStringLiteral("6 people") << "4-5" << QStringLiteral("2|c|milk~") << " 3|c|milk~"
            << complete;
        QTest::newRow("factor below one")
            << "" << QStringLiteral("3") << "4" << QStringLiteral("x|c|milk~") << "*x|c|milk~"
            << QStringLiteral(
                   "Scaling INCOMPLETE.\r\n\r\nQuantities starting with * need to be manually multiplied by .75");
    }

    void scalesAndTellsOutcome()
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
        QCOMPARE(result.value_or(QString()), scaled);
        QCOMPARE(base, serves);
        QCOMPARE(dialogs.messageCount(), 2);
        QCOMPARE(dialogs.last().text, outcome);
    }

    void failuresAreReported_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("ingredients");
        QTest::newRow("servings read as zero") << "none" << QStringLiteral("1|c|milk~");
        QTest::newRow("zero denominator after good rows") << "4" << QStringLiteral("1|c|milk~1/0|c|flour~");
    }

    void failuresAreReported()
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

    void convertUnitsPreference()
    {
        {
            PrefsFixture on({ { QStringLiteral("abbrev_ingr"), QStringLiteral("1.0") } });
            QVERIFY(ConvertUnitsOnPaste());
        }
        PrefsFixture prefs({ { QStringLiteral("abbrev_ingr"), QStringLiteral("2") } });
        ScriptedDialogs dialogs;
        dialogs.answer(MsgAnswer::No);
        QVERIFY(!ConvertUnitsOnPaste());
        QCOMPARE(dialogs.last().text,
                 QStringLiteral("Would you like to convert the units for this recipe to shorter, standard units?"));
    }
};

QTEST_GUILESS_MAIN(TestIngredientScaling)
#include "test_ingredientscaling.moc"
