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
        const QSet<QString> first = words();
        QVERIFY(first.size() == 185 && !first.contains(QString())); // no word twice
        UnitTable[3][0] = QStringLiteral("spoiled");
        BuildUnitTable();
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
        QTest::newRow("Tbs. kept") << "Tbs." << true << "Tbs." << QStringLiteral("tbsp");
        QTest::newRow("own abbreviation") << "Cans" << true << "cans" << QStringLiteral("cans");
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
        textRow("2 cloves garlic", "2||cloves garlic~");
        textRow("cup sugar", "||cup sugar~");
        textRow("1 " + QString(QChar(0x00BC)) + " tsp salt\r\n" + QString(QChar(0x00BE)) + " c oil",
                "1 1/4|tsp|salt~3/4|c|oil~");
        textRow("2 eggs\r\negg\r\n1 cup milk", "2||eggs~||~1|cup|milk~");
        textRow("Hi\r\n2 eggs\r\negg", "2||eggs~");
        textRow("  1\t\tcup     \t  milk   ", "1|cup|milk~");
        textRow("2" + QString(QChar(0x00A0)) + "cups rice", "2|cups|rice~");
        textRow("2 3/4\r\n1 cup milk", "2 3/4||~1|cup|milk~");
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
