#include "ReportFixture.h"
#include "printing/ReportComposer.h"

#include <QTest>

namespace {

const QDate kDate(2026, 12, 6);

QVector<const ReportBlock*> blocksOf(const ReportDocument& doc, ReportBlock::Kind kind)
{
    QVector<const ReportBlock*> out;
    for (const ReportBlock& b : doc.blocks()) {
        if (b.kind == kind)
            out.append(&b);
    }
    return out;
}

bool hasParagraph(const ReportDocument& doc, const QString& text)
{
    for (const ReportBlock* b : blocksOf(doc, ReportBlock::Paragraph)) {
        if (b->text == text)
            return true;
    }
    return false;
}

} // namespace

class TestReportComposer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        m_fx = std::make_unique<ReportFixture>();
    }
    void emptyMenuKeepsTitleAndHeader()
    {
        ReportDocument doc;
        ReportComposer::composeMenu(doc, m_fx->menu(), kDate);
        QCOMPARE(doc.headerPart(2, 4), QString("Page 4"));
        QVERIFY(doc.ended());
        QCOMPARE(doc.blocks().first().text, QString("\r\nMenu Planner - Zestora"));
        QCOMPARE(blocksOf(doc, ReportBlock::Table).first()->header, (QStringList { "Date", "Recipe" }));
    }
    void shoppingListRows()
    {
        m_fx->addShopItem("producelettuce", "Produce", "1", "head", "lettuce", "Salad");
        m_fx->addShopItem("003flour", "3", "2", "cups", "flour", "Apple Pie");
        m_fx->addShopItem("002gone", "2", "1", "", "gone", "", "0x0002");
        m_fx->addShopItem("003eggs", "3", "6", "", "eggs|large", "Apple Pie");
        auto shop = m_fx->loadShoppingList();
        ReportDocument doc;
        ReportComposer::composeShoppingList(doc, shop->recordset(), kDate);

        const auto tables = blocksOf(doc, ReportBlock::Table);
        QCOMPARE(tables.size(), 1);
        const ReportBlock& t = *tables.first();
        QCOMPARE(t.header, (QStringList { "Aisle", "Amount", "Item", "Recipe" }));
        const QVector<QStringList> expected { { "3", "6", "eggs|large", "Apple Pie" },
                                              { "3", "2 cups", "flour", "Apple Pie" },
                                              { "Produce", "1 head", "lettuce", "Salad" } };
        QCOMPARE(t.rows, expected);
    }
    void menuRows()
    {
        m_fx->addMenu("20071225dinner~apple pie", "Apple Pie");
        m_fx->addMenu("20070315~soup", "Soup");
        m_fx->addMenu("20070101~gone", "Gone", "0x0002");
        m_fx->addMenu("20071225breakfast~eggs", "Eggs");
        ReportDocument doc;
        ReportComposer::composeMenu(doc, m_fx->menu(), kDate);
        const ReportBlock& t = *blocksOf(doc, ReportBlock::Table).first();
        const QVector<QStringList> expected { { "03/15", "Soup" }, { "12/25", "Eggs" }, { "12/25", "Apple Pie" } };
        QCOMPARE(t.rows, expected);
        QCOMPARE(m_fx->menu().position(), 0);
        // A short key does not fail.
        QCOMPARE(ReportComposer::menuDateText("2007"), QString("/"));
    }
    void recipePageBreaks_data()
    {
        QTest::addColumn<bool>("cards");
        QTest::addColumn<bool>("newPage");
        QTest::addColumn<int>("breaks");
        QTest::addColumn<int>("separators");
        QTest::newRow("standard, run on") << false << false << 0 << 3;
        QTest::newRow("standard, new page") << false << true << 2 << 0;
        QTest::newRow("cards") << true << false << 2 << 0;
        QTest::newRow("cards ignore new page") << true << true << 2 << 0;
    }
    void recipePageBreaks()
    {
        QFETCH(bool, cards);
        QFETCH(bool, newPage);
        QFETCH(int, breaks);
        QFETCH(int, separators);
        m_fx->addRecipe({ "Apple Pie", {}, {}, "8", "2|cups|flour~", "Bake." });
        m_fx->addRecipe({ "Bread", {}, {}, "4", "", "Knead." });
        m_fx->addRecipe({ "Cake", {}, {}, "", "", "" });
        m_fx->addRecipe({ "Deleted", {}, {}, "", "", "", {}, {}, {}, "0x0002" });
        ReportDocument doc;
        PrintOptions options;
        options.cards = cards;
        options.newPage = newPage;
        ReportComposer::composeRecipes(doc, m_fx->recipes(), options, kDate);
        QCOMPARE(doc.pageBreakCount(), breaks);
        int count = 0;
        for (const ReportBlock* b : blocksOf(doc, ReportBlock::Paragraph))
            count += b->text == ReportComposer::Separator ? 1 : 0;
        QCOMPARE(count, separators);
        QCOMPARE(doc.paper().customCard, cards);
        QVERIFY(!doc.texts().contains("Deleted"));
        // The first page never starts with a break.
        QVERIFY(doc.blocks().first().kind != ReportBlock::PageBreak);
        QCOMPARE(m_fx->recipes().position(), 0);
    }
    void recipeBlocksInOrder()
    {
        m_fx->addRecipe({ "Apple Pie", "apple pie", "Desserts~~Quick~", "8", "2|cups|flour~1/2|tsp|salt~",
                          "Mix.\r\nBake.", "250|kcal|Energy~", "Good~~Mom" });
        ReportDocument doc;
        ReportComposer::composeRecipes(doc, m_fx->recipes(), PrintOptions {}, kDate);
        QStringList kinds;
        for (const ReportBlock& b : doc.blocks())
            kinds << QString::number(b.kind);
        // name, details, ingredients, instructions, source, rating, nutrition title, nutrition, separator
        QCOMPARE(kinds.join(""), QString("001000010"));
        const auto& blocks = doc.blocks();
        QCOMPARE(blocks.at(0).text, QString("Apple Pie"));
        QCOMPARE(blocks.at(1).text, QString("\r\nCategories: Desserts, Quick\r\nServes: 8\r\n\r\nIngredients: "));
        QCOMPARE(blocks.at(2).rows, (QVector<QStringList> { { "2", "cups", "flour" }, { "1/2", "tsp", "salt" } }));
        QCOMPARE(blocks.at(3).text, QString("\r\nInstructions: \r\nMix.\r\nBake."));
        QCOMPARE(blocks.at(4).text, QString("Source: Mom"));
        QCOMPARE(blocks.at(5).text, QString("Rating: Good"));
        QCOMPARE(blocks.at(6).text, QString("Nutritional Information:"));
        QCOMPARE(blocks.at(7).rows, (QVector<QStringList> { { "250", "kcal", "Energy" } }));
    }
    void pictureNarrowsTheItemColumn()
    {
        const QString picture = m_fx->writePicture();
        m_fx->addRecipe({ "With Picture", {}, {}, "1", "1|cup|rice~", "", {}, {}, picture });
        m_fx->addRecipe({ "Missing Picture", {}, {}, "1", "1|cup|rice~", "", {}, {}, m_fx->dataPath() + "/gone.png" });
        ReportDocument doc;
        ReportComposer::composeRecipes(doc, m_fx->recipes(), PrintOptions {}, kDate);
        const auto pictures = blocksOf(doc, ReportBlock::Picture);
        QCOMPARE(pictures.size(), 1);
        QCOMPARE(pictures.first()->picturePath, picture);
        const auto tables = blocksOf(doc, ReportBlock::Table);
        QCOMPARE(tables.size(), 2);
        // "Missing Picture" sorts first; its file is gone, so its table keeps the full width.
        QCOMPARE(tables.at(0)->format.columns.at(2).widthInches, 4.7);
        QCOMPARE(tables.at(1)->format.columns.at(2).widthInches, 3.0);
    }
    void sourceAndRatingLines_data()
    {
        QTest::addColumn<QString>("rtgSrc");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("rating only") << "Good~~" << QStringList { "Rating: Good" };
        QTest::newRow("both") << "Good~~Mom" << QStringList { "Source: Mom", "Rating: Good" };
        QTest::newRow("empty") << "" << QStringList {};
        QTest::newRow("no separator") << "Grandma" << QStringList { "Source: Grandma" };
    }
    void sourceAndRatingLines()
    {
        QFETCH(QString, rtgSrc);
        QFETCH(QStringList, lines);
        m_fx->addRecipe({ "R", {}, {}, "", "", "", {}, rtgSrc });
        ReportDocument doc;
        ReportComposer::composeRecipes(doc, m_fx->recipes(), PrintOptions {}, kDate);
        QStringList found;
        for (const QString& t : doc.texts()) {
            if (t.startsWith("Source: ") || t.startsWith("Rating: "))
                found << t;
        }
        QCOMPARE(found, lines);
    }
    void selectedRecipesInListOrder()
    {
        m_fx->addRecipe({ "Apple Pie", "apple pie" });
        m_fx->addRecipe({ "Bread", "bread" });
        m_fx->addRecipe({ "Cake", "cake" });
        PrintOptions options;
        options.selectedOnly = true;
        options.selectedKeys = { "cake", "no such key", "it's", "APPLE PIE" };
        ReportDocument doc;
        ReportComposer::composeRecipes(doc, m_fx->recipes(), options, kDate);
        QStringList names;
        for (const ReportBlock* b : blocksOf(doc, ReportBlock::Paragraph)) {
            if (b->bold)
                names << b->text;
        }
        QCOMPARE(names, (QStringList { "Cake", "Apple Pie" }));
    }
    void cardLayoutLeavesOutPictureAndNutrition()
    {
        const QString picture = m_fx->writePicture();
        m_fx->addRecipe(
            { "Apple Pie", {}, "Desserts~", "8", "2|cups|flour~", "Bake.", "250|kcal|Energy~", "~~Mom", picture });
        PrintOptions options;
        options.cards = true;
        ReportDocument doc;
        ReportComposer::composeRecipes(doc, m_fx->recipes(), options, kDate);
        QVERIFY(blocksOf(doc, ReportBlock::Picture).isEmpty());
        QVERIFY(!doc.texts().contains("Energy"));
        const auto tables = blocksOf(doc, ReportBlock::Table);
        QCOMPARE(tables.size(), 1);
        QVERIFY(tables.first()->format.totalWidthInches() <= doc.paper().contentWidth() + 1e-9);
        QVERIFY(hasParagraph(doc, "Categories: Desserts\r\nServes: 8\r\nIngredients: "));
        QVERIFY(hasParagraph(doc, "Instructions: \r\nBake."));
        QVERIFY(hasParagraph(doc, "Source: Mom"));
    }

private:
    std::unique_ptr<ReportFixture> m_fx;
};

QTEST_GUILESS_MAIN(TestReportComposer)
#include "test_reportcomposer.moc"
