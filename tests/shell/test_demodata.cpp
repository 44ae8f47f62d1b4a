#include "TestData.h"
#include "shell/AppState.h"
#include "shell/DemoData.h"
#include "storage/NormalizeForMatch.h"

#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QStringList column(const QString& folder, TableDef::Id id, const QString& field)
{
    auto table = DataSource::open(id, folder);
    QStringList values;
    Recordset& rs = table->recordset();
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        values << rs.value(field);
    return values;
}
} // namespace

class TestDemoData : public QObject
{
    Q_OBJECT
private slots:
    void fixedDecimal()
    {
        QCOMPARE(DemoData::fixedDecimalQuantity(QStringLiteral("1 1/2")), QStringLiteral("0001.5000"));
        QCOMPARE(DemoData::fixedDecimalQuantity(QStringLiteral("1/3")), QStringLiteral("0000.3333"));
        QCOMPARE(DemoData::fixedDecimalQuantity(QStringLiteral("a few")), QStringLiteral("a few"));
    }

    // Every recipe refers to master-list entries that exist, with keys made as the program makes them.
    void cookbookIsConsistent()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("demo"));
        QVERIFY(!DemoData::create(folder));
        TestData::ThrowOnFatalLoad throwing;
        auto recipes = DataSource::open(TableDef::Recipes, folder);
        Recordset& rs = recipes->recordset();
        QCOMPARE(rs.recordCount(), DemoData::recipeCount());
        const QStringList sources = column(folder, TableDef::Sources, QStringLiteral("SourceMaster"));
        const QStringList ratings = column(folder, TableDef::Ratings, QStringLiteral("RatingMaster"));
        const QStringList categories = column(folder, TableDef::Categories, QStringLiteral("Category"));
        QSet<QString> keys;
        for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
            const QString name = rs.value(QStringLiteral("Name"));
            QCOMPARE(rs.value(QStringLiteral("Key")), NormalizeForMatch(name));
            keys << rs.value(QStringLiteral("Key"));
            for (const QString& line : rs.value(QStringLiteral("Ingredients")).split(QLatin1Char('~')))
                QVERIFY2(line.isEmpty() || line.count(QLatin1Char('|')) == 2, qPrintable(name));
            QVERIFY(!rs.value(QStringLiteral("Instructions")).contains(QStringLiteral("\\n")));
            const QStringList rtgSrc = rs.value(QStringLiteral("RtgSrc")).split(QStringLiteral("~~"));
            QVERIFY(rtgSrc.size() == 2 && ratings.contains(rtgSrc.at(0)) && sources.contains(rtgSrc.at(1)));
            for (const QString& c : rs.value(QStringLiteral("Category")).split(QLatin1Char('~'), Qt::SkipEmptyParts))
                QVERIFY2(categories.contains(c), qPrintable(c));
        }
        QCOMPARE(keys.size(), rs.recordCount());
        const QStringList aisles = column(folder, TableDef::Aisles, QStringLiteral("AisleMaster"));
        auto ingredients = DataSource::open(TableDef::Ingredients, folder);
        Recordset& ir = ingredients->recordset();
        for (ir.moveFirst(); !ir.eof(); ir.moveNext()) {
            QCOMPARE(ir.value(QStringLiteral("IngrKey")), NormalizeForMatch(ir.value(QStringLiteral("IngrMaster"))));
            QVERIFY(aisles.contains(ir.value(QStringLiteral("IngrAisle"))));
        }
        for (const QString& a : aisles) // the handheld's field limits
            QVERIFY(a.size() <= 5);
        for (const QString& r : ratings)
            QVERIFY(r.size() <= 10);
        // A folder that already holds tables is never overwritten.
        const QByteArray before = TestData::readFile(DataSource::tablePath(folder, TableDef::Recipes));
        QVERIFY(DemoData::create(folder));
        QCOMPARE(TestData::readFile(DataSource::tablePath(folder, TableDef::Recipes)), before);
    }
};

QTEST_GUILESS_MAIN(TestDemoData)
#include "test_demodata.moc"
