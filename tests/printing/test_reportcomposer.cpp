#include "ReportFixture.h"
#include "printing/ReportComposer.h"

#include <QRegularExpression>
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

} // namespace

class TestReportComposer : public QObject
{
    Q_OBJECT
    std::unique_ptr<ReportFixture> m_fx;

    ReportDocument recipes(const PrintOptions& options = {})
    {
        ReportDocument doc;
        ReportComposer::composeRecipes(doc, m_fx->recipes(), options, kDate);
        return doc;
    }

private Q_SLOTS:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        m_fx = std::make_unique<ReportFixture>();
    }
    void columnFormat()
    {
        auto columns = [](const char* format) {
            QList<std::pair<double, ReportAlign>> out;
            for (const auto& c : ReportTableFormat::parse(format).columns)
                out.append({ c.widthInches, c.align });
            return out;
        };
        using A = ReportAlign;
        QCOMPARE(columns("<+0.8in|^1440|>+2.54cm|<72pt~"),
                 (QList<std::pair<double, A>> { { 0.8, A::Left }, { 1, A::Center }, { 1, A::Right }, { 1, A::Left } }));
        QVERIFY(ReportTableFormat::parse("<1in~").plain);
        // A column that cannot be read keeps a usable width rather than vanishing with its text.
        QCOMPARE(columns("<+abc|<0in"), (QList<std::pair<double, A>> { { 1, A::Left }, { 1, A::Left } }));
    }
    void bodyRows()
    {
        ReportDocument doc;
        doc.addTable("<1in|<1in|<1in~", QString(), "a pinch of salt~1|cup|rice|cooked~");
        QCOMPARE(doc.blocks().last().rows,
                 (QVector<QStringList> { { "a pinch of salt", "", "" }, { "1", "cup", "rice" } }));
    }
    void recipePageBreaks_data()
    {
        QTest::addColumn<bool>("cards");
        QTest::addColumn<bool>("newPage");
        QTest::addColumn<int>("breaks");
        QTest::addColumn<int>("separators");
        QTest::newRow("standard, run on") << false << false << 0 << 3;
        QTest::newRow("standard, new page") << false << true << 2 << 0;
        QTest::newRow("cards ignore new page") << true << true << 2 << 0;
    }
    void recipePageBreaks()
    {
        QFETCH(bool, cards);
        QFETCH(bool, newPage);
        QFETCH(int, breaks);
        QFETCH(int, separators);
        m_fx->addRecipe({ "Apple Pie", {}, {}, "8", "2|cups|flour~", "Bake." });
        m_fx->addRecipe({ "Bread", {}, {}, "4", "", "Knead.", {}, "Grandma" });
        m_fx->addRecipe({ "Cake", {}, {}, "", "", "", {}, "Good~~" });
        m_fx->addRecipe({ "Deleted", {}, {}, "", "", "", {}, {}, {}, "0x0002" });
        PrintOptions options;
        options.cards = cards;
        options.newPage = newPage;
        const ReportDocument doc = recipes(options);
        QCOMPARE(doc.pageBreakCount(), breaks);
        QCOMPARE(doc.texts().count(ReportComposer::Separator), separators);
        QCOMPARE(doc.paper().customCard, cards);
        QVERIFY(!doc.texts().contains("Deleted"));
        // A source without the separator is a source; a rating alone gives no source line.
        QCOMPARE(doc.texts().filter(QRegularExpression("^(Source|Rating): ")),
                 (QStringList { "Source: Grandma", "Rating: Good" }));
        QVERIFY(doc.blocks().first().kind != ReportBlock::PageBreak); // the first page never starts with a break
        QCOMPARE(m_fx->recipes().position(), 0);
    }
    void recipeTexts()
    {
        m_fx->addRecipe({ "Apple Pie", "apple pie", "Desserts~~Quick~", "8", "2|cups|flour~1/2|tsp|salt~",
                          "Mix.\r\nBake.", "250|kcal|Energy~", "Good~~Mom" });
        QCOMPARE(recipes().texts(),
                 (QStringList { "Apple Pie", "\r\nCategories: Desserts, Quick\r\nServes: 8\r\n\r\nIngredients: ", "2",
                                "cups", "flour", "1/2", "tsp", "salt", "\r\nInstructions: \r\nMix.\r\nBake.",
                                "Source: Mom", "Rating: Good", "Nutritional Information:", "250", "kcal", "Energy",
                                ReportComposer::Separator }));
    }
    void selectedRecipesInListOrder()
    {
        for (const char* name : { "Apple Pie", "Bread", "Cake" })
            m_fx->addRecipe({ name });
        PrintOptions options;
        options.selectedOnly = true;
        options.selectedKeys = { "cake", "no such key", "it's", "APPLE PIE" };
        QCOMPARE(recipes(options).texts().filter(QRegularExpression("^[A-Z][a-z]+( Pie)?$")),
                 (QStringList { "Cake", "Apple Pie" }));
    }
    void cardLeavesOutPictureAndNutrition()
    {
        const QString picture = m_fx->writePicture();
        m_fx->addRecipe(
            { "Apple Pie", {}, "Desserts~", "8", "2|cups|flour~", "Bake.", "250|kcal|Energy~", "~~Mom", picture });
        PrintOptions options;
        options.cards = true;
        const ReportDocument doc = recipes(options);
        QVERIFY(blocksOf(doc, ReportBlock::Picture).isEmpty());
        QCOMPARE(blocksOf(doc, ReportBlock::Table).size(), 1);
        QVERIFY(blocksOf(doc, ReportBlock::Table).first()->format.totalWidthInches()
                <= doc.paper().contentWidth() + 1e-9);
        QCOMPARE(doc.texts(),
                 (QStringList { "Apple Pie", "Categories: Desserts\r\nServes: 8\r\nIngredients: ", "2", "cups", "flour",
                                "Instructions: \r\nBake.", "Source: Mom" }));
    }
};

QTEST_GUILESS_MAIN(TestReportComposer)
#include "test_reportcomposer.moc"
