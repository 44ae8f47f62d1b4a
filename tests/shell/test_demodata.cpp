#include "ScriptedDialogs.h"
#include "TestData.h"
#include "demo/DemoData.h"
#include "shell/AppState.h"
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
    void cookbookIsConsistent()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("demo"));
        QVERIFY(!DemoData::create(folder));
        TestData::ThrowOnFatalLoad throwing;

        auto recipes = DataSource::open(TableDef::Recipes, folder);
        Recordset& rs = recipes->recordset();
        QVERIFY(rs.recordCount() >= 20);
        QCOMPARE(rs.recordCount(), DemoData::recipeCount());
        const QStringList sourceList = column(folder, TableDef::Sources, QStringLiteral("SourceMaster"));
        const QSet<QString> sources(sourceList.begin(), sourceList.end());
        const QStringList ratingList = column(folder, TableDef::Ratings, QStringLiteral("RatingMaster"));
        const QStringList categoryList = column(folder, TableDef::Categories, QStringLiteral("Category"));
        QSet<QString> keys;
        int withNutrition = 0;
        for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
            const QString name = rs.value(QStringLiteral("Name"));
            QCOMPARE(rs.value(QStringLiteral("Key")), NormalizeForMatch(name));
            QVERIFY(!keys.contains(rs.value(QStringLiteral("Key"))));
            keys << rs.value(QStringLiteral("Key"));
            QVERIFY2(rs.value(QStringLiteral("Ingredients")).endsWith(QLatin1Char('~')), qPrintable(name));
            for (const QString& line :
                 rs.value(QStringLiteral("Ingredients")).split(QLatin1Char('~'), Qt::SkipEmptyParts))
                QCOMPARE(line.count(QLatin1Char('|')), 2);
            QVERIFY(rs.value(QStringLiteral("Instructions")).contains(QStringLiteral("\r\n")));
            QVERIFY(!rs.value(QStringLiteral("Instructions")).contains(QStringLiteral("\\n")));
            const QStringList rtgSrc = rs.value(QStringLiteral("RtgSrc")).split(QStringLiteral("~~"));
            QCOMPARE(rtgSrc.size(), 2);
            QVERIFY(ratingList.contains(rtgSrc.at(0)));
            QVERIFY(sources.contains(rtgSrc.at(1)));
            for (const QString& c : rs.value(QStringLiteral("Category")).split(QLatin1Char('~'), Qt::SkipEmptyParts))
                QVERIFY2(categoryList.contains(c), qPrintable(c));
            withNutrition += !rs.value(QStringLiteral("Nutrition")).isEmpty();
        }
        QVERIFY(withNutrition > 5 && withNutrition < rs.recordCount());

        // Master lists: keys made the way the list editor makes them, aisles that exist and fit.
        auto ingredients = DataSource::open(TableDef::Ingredients, folder);
        const QStringList aisles = column(folder, TableDef::Aisles, QStringLiteral("AisleMaster"));
        Recordset& ir = ingredients->recordset();
        for (ir.moveFirst(); !ir.eof(); ir.moveNext()) {
            QCOMPARE(ir.value(QStringLiteral("IngrKey")), NormalizeForMatch(ir.value(QStringLiteral("IngrMaster"))));
            QVERIFY(aisles.contains(ir.value(QStringLiteral("IngrAisle"))));
        }
        for (const QString& a : aisles)
            QVERIFY(a.size() <= 5);
        for (const QString& r : ratingList)
            QVERIFY(r.size() <= 10);
        QVERIFY(column(folder, TableDef::Quantities, QStringLiteral("QtyKey")).contains(QStringLiteral("0001.5000")));
        QCOMPARE(column(folder, TableDef::Preferences, QStringLiteral("PrefsKey")).size(), 9);

        // The files are in each table's own order.
        const QStringList qtyKeys = column(folder, TableDef::Quantities, QStringLiteral("QtyKey"));
        QStringList sorted = qtyKeys;
        sorted.sort();
        QCOMPARE(qtyKeys, sorted);

        // A folder that already holds tables is never overwritten.
        const QByteArray before = TestData::readFile(DataSource::tablePath(folder, TableDef::Recipes));
        QVERIFY(DemoData::create(folder));
        QCOMPARE(TestData::readFile(DataSource::tablePath(folder, TableDef::Recipes)), before);
    }
};

QTEST_GUILESS_MAIN(TestDemoData)
#include "test_demodata.moc"
