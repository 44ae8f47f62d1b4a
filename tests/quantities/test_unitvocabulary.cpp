#include "quantities/UnitVocabulary.h"

#include <QSet>
#include <QTest>

class TestUnitVocabulary : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tableHasAllRows();
    void abbreviations_data();
    void abbreviations();
    void isUnitWord_data();
    void isUnitWord();
    void parseLines_data();
    void parseLines();
    void parseChangesArgument();
    void abbreviateIngredientUnits_data();
    void abbreviateIngredientUnits();
};

void TestUnitVocabulary::tableHasAllRows()
{
    BuildUnitTable();
    QCOMPARE(UnitTable[0][0], QStringLiteral("185"));
    QCOMPARE(UnitTable[0][1], QStringLiteral("185"));
    QSet<QString> words;
    QMap<QString, int> perAbbreviation;
    for (int row = 1; row <= 185; ++row) {
        QVERIFY2(!UnitTable[row][0].isEmpty(), qPrintable(QString::number(row)));
        QVERIFY2(!words.contains(UnitTable[row][0]), qPrintable(UnitTable[row][0]));
        words.insert(UnitTable[row][0]);
        ++perAbbreviation[UnitTable[row][1]];
    }
    QVERIFY(UnitTable[186][0].isEmpty());
    QVERIFY(!words.contains(QStringLiteral("cloves")));
    QCOMPARE(perAbbreviation.value(QStringLiteral("tsp")), 8);
    QCOMPARE(perAbbreviation.value(QStringLiteral("tbsp")), 14);
    QCOMPARE(perAbbreviation.value(QStringLiteral("c")), 4);
    QCOMPARE(perAbbreviation.value(QStringLiteral("dash")), 5);
    QCOMPARE(perAbbreviation.value(QStringLiteral("ml")), 6);

    // Building again leaves the same table, whatever was in it before.
    UnitTable[3][0] = QStringLiteral("spoiled");
    UnitTable[190][0] = QStringLiteral("stale");
    BuildUnitTable();
    QVERIFY(UnitTable[190][0].isEmpty());
    QSet<QString> again;
    for (int row = 1; row <= 185; ++row)
        again.insert(UnitTable[row][0]);
    QCOMPARE(again, words);
}

void TestUnitVocabulary::abbreviations_data()
{
    QTest::addColumn<QString>("units");
    QTest::addColumn<QString>("abbreviation");
    QTest::newRow("cups") << "cups"
                          << "c";
    QTest::newRow("Cup lowered") << "Cup"
                                 << "c";
    QTest::newRow("T is tablespoon") << "T"
                                     << "tbsp";
    QTest::newRow("T. is tablespoon") << "T."
                                      << "tbsp";
    QTest::newRow("t is teaspoon") << "t"
                                   << "tsp";
    QTest::newRow("Tbl") << "Tbl"
                         << "tbsp";
    QTest::newRow("Tbs") << "Tbs"
                         << "tbsp";
    QTest::newRow("Tbs.") << "Tbs."
                          << "tbsp";
    QTest::newRow("TABLESPOONS") << "TABLESPOONS"
                                 << "tbsp";
    QTest::newRow("large") << "large"
                           << "lg";
    QTest::newRow("Pounds") << "Pounds"
                            << "lb";
    QTest::newRow("d is dash") << "d"
                               << "dash";
    QTest::newRow("own abbreviation") << "Cans"
                                      << "cans";
    QTest::newRow("unknown lowered") << "Handfulls"
                                     << "handfulls";
    QTest::newRow("empty") << ""
                           << "";
}

void TestUnitVocabulary::abbreviations()
{
    QFETCH(QString, units);
    QFETCH(QString, abbreviation);
    QCOMPARE(AbbreviateUnit(units), abbreviation);
}

void TestUnitVocabulary::isUnitWord_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("unit");
    QTest::addColumn<QString>("after");
    QTest::newRow("cup") << "cup" << true << "cup";
    QTest::newRow("Cup lowered") << "Cup" << true << "cup";
    QTest::newRow("T kept") << "T" << true << "T";
    QTest::newRow("T. kept") << "T." << true << "T.";
    QTest::newRow("Tbl kept") << "Tbl" << true << "Tbl";
    QTest::newRow("Tbs kept") << "Tbs" << true << "Tbs";
    QTest::newRow("TBSP lowered") << "TBSP" << true << "tbsp";
    QTest::newRow("cloves") << "cloves" << false << "cloves";
    QTest::newRow("Flour lowered") << "Flour" << false << "flour";
    QTest::newRow("empty") << "" << false << "";
}

void TestUnitVocabulary::isUnitWord()
{
    QFETCH(QString, word);
    QFETCH(bool, unit);
    QFETCH(QString, after);
    QCOMPARE(IsUnitWord(word), unit);
    QCOMPARE(word, after);
}

void TestUnitVocabulary::parseLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("lines");

    QTest::newRow("mixed number and unit") << "1 1/2 cups flour"
                                           << "1 1/2|cups|flour~";
    QTest::newRow("size as unit") << "2 large eggs"
                                  << "2|large|eggs~";
    QTest::newRow("T kept as written") << "1 T butter"
                                       << "1|T|butter~";
    QTest::newRow("capital unit kept") << "1 Cup milk"
                                       << "1|Cup|milk~";
    QTest::newRow("cloves is no unit") << "2 cloves garlic"
                                       << "2||cloves garlic~";
    QTest::newRow("no quantity") << "Salt to taste"
                                 << "||Salt to taste~";
    QTest::newRow("no unit without number") << "cup sugar"
                                            << "||cup sugar~";
    QTest::newRow("half sign") << QString(QChar(0x00BD)) + " cup sugar"
                               << "1/2|cup|sugar~";
    QTest::newRow("quarter and three quarters")
        << "1 " + QString(QChar(0x00BC)) + " tsp salt\r\n" + QString(QChar(0x00BE)) + " c oil"
        << "1 1/4|tsp|salt~3/4|c|oil~";
    QTest::newRow("number alone") << "1000"
                                  << "1000||1000~";
    QTest::newRow("empty middle line") << "2 eggs\r\n\r\n1 cup milk"
                                       << "2||eggs~||~1|cup|milk~";
    QTest::newRow("short middle line") << "2 eggs\r\negg\r\n1 cup milk"
                                       << "2||eggs~||~1|cup|milk~";
    QTest::newRow("empty first and last lines") << "\r\n2 eggs\r\n1 cup milk\r\n"
                                                << "2||eggs~1|cup|milk~";
    QTest::newRow("short first and last lines") << "Hi\r\n2 eggs\r\negg"
                                                << "2||eggs~";
    QTest::newRow("empty text") << ""
                                << "";
    QTest::newRow("line feeds alone") << "2 eggs\n1 cup milk\n"
                                      << "2||eggs~1|cup|milk~";
    QTest::newRow("carriage returns alone") << "2 eggs\r1 cup milk"
                                            << "2||eggs~1|cup|milk~";
    QTest::newRow("mixed line ends") << "2 eggs\n\r\n1 cup milk\r"
                                     << "2||eggs~||~1|cup|milk~";
    QTest::newRow("tabs and runs of blanks") << "  1\t\tcup     \t  milk   "
                                             << "1|cup|milk~";
    QTest::newRow("long run of blanks") << "1" + QString(40, QLatin1Char(' ')) + "cup milk"
                                        << "1|cup|milk~";
    QTest::newRow("no-break space") << "2" + QString(QChar(0x00A0)) + "cups rice"
                                    << "2|cups|rice~";
    QTest::newRow("point start") << ".5 tsp salt"
                                 << ".5|tsp|salt~";
    QTest::newRow("second word not a digit") << "2 .5 cups"
                                             << "2||.5 cups~";
    QTest::newRow("unit then nothing") << "1 cup"
                                       << "1|cup|~";
    QTest::newRow("only two-word quantity") << "1 1/2"
                                            << "1 1/2||~";
    QTest::newRow("two-word quantity among lines") << "2 3/4\r\n1 cup milk"
                                                   << "2 3/4||~1|cup|milk~";
    QTest::newRow("Tbs recognised") << "2 Tbs oil"
                                    << "2|Tbs|oil~";
    QTest::newRow("separators pass through") << "1 cup a|b~c"
                                             << "1|cup|a|b~c~";
}

void TestUnitVocabulary::parseLines()
{
    QFETCH(QString, text);
    QFETCH(QString, lines);
    QCOMPARE(ParseIngredientLines(text), lines);
}

void TestUnitVocabulary::parseChangesArgument()
{
    QString text = QStringLiteral("1\t") + QChar(0x00BD) + QStringLiteral(" cup\r\n");
    ParseIngredientLines(text);
    QCOMPARE(text, QStringLiteral("1 1/2 cup\r\n"));
}

void TestUnitVocabulary::abbreviateIngredientUnits_data()
{
    QTest::addColumn<QString>("parsed");
    QTest::addColumn<QString>("abbreviated");
    QTest::newRow("cups") << "1 1/2|cups|flour~"
                          << "1 1/2|c|flour~";
    QTest::newRow("large") << "2|large|eggs~"
                           << "2|lg|eggs~";
    QTest::newRow("T and t") << "1|T|butter~1|t|salt~"
                             << "1|tbsp|butter~1|tsp|salt~";
    QTest::newRow("Cup") << "1|Cup|milk~"
                         << "1|c|milk~";
    QTest::newRow("unknown lowered, empty kept") << "2|Heaps|rice~||Salt~||~"
                                                 << "2|heaps|rice~||Salt~||~";
    QTest::newRow("line without bars") << "a pinch of salt~"
                                       << "a pinch of salt||~";
    QTest::newRow("text after last line dropped") << "1|cup|milk~stray"
                                                  << "1|c|milk~";
    QTest::newRow("empty") << ""
                           << "";
}

void TestUnitVocabulary::abbreviateIngredientUnits()
{
    QFETCH(QString, parsed);
    QFETCH(QString, abbreviated);
    QCOMPARE(AbbreviateIngredientUnits(parsed), abbreviated);
}

QTEST_GUILESS_MAIN(TestUnitVocabulary)
#include "test_unitvocabulary.moc"
