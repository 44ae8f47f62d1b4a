#include "quantities/UnitVocabulary.h"

#include <QSet>
#include <QTest>

namespace {

// A row whose input doubles as its name; both columns are text.
void textRow(const QString& input, const QString& output)
{
    QTest::addRow("[%s]", qPrintable(input)) << input << output;
}

} // namespace

class TestUnitVocabulary : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tableHasAllRows()
    {
        const auto words = [] {
            QSet<QString> set;
            for (int row = 1; row <= 185; ++row)
                set.insert(UnitTable[row][0]);
            return set;
        };
        BuildUnitTable();
        QCOMPARE(UnitTable[0][0], QStringLiteral("185"));
        QVERIFY(UnitTable[186][0].isEmpty());
        const QSet<QString> first = words();
        QCOMPARE(first.size(), 185); // no word twice
        QVERIFY(!first.contains(QString()));

        // Building again leaves the same table, whatever was in it before.
        UnitTable[3][0] = QStringLiteral("spoiled");
        UnitTable[190][0] = QStringLiteral("stale");
        BuildUnitTable();
        QVERIFY(UnitTable[190][0].isEmpty());
        QCOMPARE(words(), first);
    }

    void unitWords_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("unit");
        QTest::addColumn<QString>("after"); // the word as IsUnitWord leaves it
        QTest::addColumn<QString>("abbreviation");

        QTest::newRow("Cup lowered") << "Cup" << true << "cup" << QStringLiteral("c");
        QTest::newRow("T is tablespoon") << "T" << true << "T" << QStringLiteral("tbsp");
        QTest::newRow("t is teaspoon") << "t" << true << "t" << QStringLiteral("tsp");
        QTest::newRow("Tbs. kept") << "Tbs." << true << "Tbs." << QStringLiteral("tbsp");
        QTest::newRow("own abbreviation") << "Cans" << true << "cans" << QStringLiteral("cans");
        QTest::newRow("cloves") << "cloves" << false << "cloves" << QStringLiteral("cloves");
        QTest::newRow("unknown lowered") << "Handfulls" << false << "handfulls" << QStringLiteral("handfulls");
    }

    void unitWords()
    {
        QFETCH(QString, word);
        QFETCH(bool, unit);
        QFETCH(QString, after);
        QFETCH(QString, abbreviation);
        QCOMPARE(AbbreviateUnit(word), abbreviation);
        QCOMPARE(IsUnitWord(word), unit);
        QCOMPARE(word, after);
    }

    void parseLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("lines");

        textRow("1 1/2 cups flour", "1 1/2|cups|flour~");
        textRow("1 Cup milk", "1|Cup|milk~");
        textRow("2 cloves garlic", "2||cloves garlic~");
        textRow("cup sugar", "||cup sugar~");
        textRow("1 " + QString(QChar(0x00BC)) + " tsp salt\r\n" + QString(QChar(0x00BE)) + " c oil",
                "1 1/4|tsp|salt~3/4|c|oil~");
        textRow("1000", "1000||1000~");
        textRow("2 eggs\r\negg\r\n1 cup milk", "2||eggs~||~1|cup|milk~");
        textRow("Hi\r\n2 eggs\r\negg", "2||eggs~");
        textRow("2 eggs\n\r\n1 cup milk\r", "2||eggs~||~1|cup|milk~");
        textRow("  1\t\tcup     \t  milk   ", "1|cup|milk~");
        textRow("2" + QString(QChar(0x00A0)) + "cups rice", "2|cups|rice~");
        textRow("2 .5 cups", "2||.5 cups~");
        textRow("2 3/4\r\n1 cup milk", "2 3/4||~1|cup|milk~");
        textRow("1 cup a|b~c", "1|cup|a|b~c~");
    }

    void parseLines()
    {
        QFETCH(QString, text);
        QFETCH(QString, lines);
        QCOMPARE(ParseIngredientLines(text), lines);
    }

    void parseChangesArgument()
    {
        QString text = QStringLiteral("1\t") + QChar(0x00BD) + QStringLiteral(" cup\r\n");
        ParseIngredientLines(text);
        QCOMPARE(text, QStringLiteral("1 1/2 cup\r\n"));
    }

    void abbreviateIngredientUnits_data()
    {
        QTest::addColumn<QString>("parsed");
        QTest::addColumn<QString>("abbreviated");
        textRow("1|T|butter~1|t|salt~", "1|tbsp|butter~1|tsp|salt~");
        textRow("2|Heaps|rice~||Salt~||~", "2|heaps|rice~||Salt~||~");
        textRow("a pinch of salt~", "a pinch of salt||~");
        textRow("1|cup|milk~stray", "1|c|milk~");
    }

    void abbreviateIngredientUnits()
    {
        QFETCH(QString, parsed);
        QFETCH(QString, abbreviated);
        QCOMPARE(AbbreviateIngredientUnits(parsed), abbreviated);
    }
};

QTEST_GUILESS_MAIN(TestUnitVocabulary)
#include "test_unitvocabulary.moc"
