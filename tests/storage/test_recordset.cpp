#include "storage/Cp1252.h"
#include "storage/Recordset.h"
#include "storage/TableCatalogue.h"
#include "storage/TableFile.h"

#include <QTest>

namespace {

// A small table: REC_ID, STATUS, Key, Name.
void fill(Recordset& rs, const QList<QStringList>& rows)
{
    rs.appendField(QStringLiteral("REC_ID"), 10, true);
    rs.appendField(QStringLiteral("STATUS"), 6, true);
    rs.appendField(QStringLiteral("Key"), 75);
    rs.appendField(QStringLiteral("Name"), 75);
    for (const QStringList& r : rows)
        rs.appendRecord(QVector<QString>(r.begin(), r.end()));
}

QStringList names(Recordset& rs)
{
    QStringList out;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        out << rs.value(QStringLiteral("Name"));
    return out;
}

const QList<QStringList> kRows = {
    { "0x00000001", "0x0000", "beef stew", "Beef Stew" },
    { "0x00000002", "0x0002", "chicken pie", "Chicken Pie" },
    { "0x00000003", "0x0004", "apple tart", "apple Tart" },
    { "0x00000000", "0x0008", "mom's chicken", "Mom's Chicken" },
    { "0x00000004", "0x0000", "", "" },
    { "0x00000005", "0x0000", "chicken soup", "CHICKEN soup" },
};

// Finds from the first record; true when found.
bool findFromFirst(Recordset& rs, const QString& key)
{
    rs.moveFirst();
    return rs.find(QStringLiteral("Key = '%1'").arg(key));
}

} // namespace

class TestRecordset : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fieldsAreFoundRegardlessOfCase()
    {
        Recordset rs;
        fill(rs, kRows);
        QCOMPARE(rs.fieldIndex(QStringLiteral("status")), 1);
        rs.moveFirst();
        QCOMPARE(rs.value(QStringLiteral("rec_id")), QStringLiteral("0x00000001"));
        QVERIFY_THROWS_EXCEPTION(RecordsetError, rs.value(QStringLiteral("Nope")));
    }

    void filterExpressions_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("expected"); // names in insertion order, joined with "|"
        const auto row = [](const char* tag, const QString& filter, const char* expected) {
            QTest::newRow(tag) << filter << QString::fromLatin1(expected);
        };
        row("hide deleted", "STATUS <> '0x0002'", "Beef Stew|apple Tart|Mom's Chicken||CHICKEN soup");
        row("equal ignores case", "Name = 'beef stew'", "Beef Stew");
        row("like both ends", "Name like '*chicken*'", "Chicken Pie|Mom's Chicken|CHICKEN soup");
        row("like trailing", "Name like 'chicken*'", "Chicken Pie|CHICKEN soup");
        row("like without star is whole value", "Name like 'chicken'", "-");
        row("AND binds tighter than OR", "Name like 'beef*' OR Name like '*chicken*' AND STATUS <> '0x0002'",
            "Beef Stew|Mom's Chicken|CHICKEN soup");
        row("parentheses", "STATUS <> '0x0002' AND (Name like '*soup*' OR Name like '*stew*')",
            "Beef Stew|CHICKEN soup");
        row("keywords in any case", "name LIKE '*soup' and status = '0x0000'", "CHICKEN soup");
        row("empty removes the filter", "", "Beef Stew|Chicken Pie|apple Tart|Mom's Chicken||CHICKEN soup");
    }
    void filterExpressions()
    {
        QFETCH(QString, filter);
        QFETCH(QString, expected);
        const QStringList wanted = expected == QLatin1String("-") ? QStringList() : expected.split(QLatin1Char('|'));
        Recordset rs;
        fill(rs, kRows);
        rs.setFilter(filter);
        QCOMPARE(names(rs), wanted);
        QCOMPARE(rs.totalRecordCount(), kRows.size()); // the filter hides, never drops
    }

    void malformedExpressionsThrow_data()
    {
        QTest::addColumn<QString>("filter");
        for (const char* f : { "Name = 'abc", "Title = 'x'", "Name = 'x' AND", "(Name = 'x'" })
            QTest::newRow(f) << QString::fromLatin1(f);
    }
    void malformedExpressionsThrow()
    {
        QFETCH(QString, filter);
        Recordset rs;
        fill(rs, kRows);
        rs.setFilter(RecordStatus::LiveFilter);
        QVERIFY_THROWS_EXCEPTION(RecordsetError, rs.setFilter(filter));
        QCOMPARE(rs.recordCount(), 5); // the previous filter is still in force
        rs.moveFirst();
        QVERIFY_THROWS_EXCEPTION(RecordsetError, rs.find(filter));
    }

    void sortIgnoresCaseAndKeepsInsertionOrderForTies()
    {
        Recordset rs;
        fill(rs,
             { { "0x1", "0x0000", "b", "b" },
               { "0x2", "0x0000", "B", "B" },
               { "0x3", "0x0000", "a", "A" },
               { "0x4", "0x0000", "b", "b2" },
               { "0x5", "0x0000", "", "" } });
        rs.setSort(QStringLiteral("Key ASC"));
        QCOMPARE(names(rs), (QStringList { "", "A", "b", "B", "b2" }));
        // Writers see every record in the same order, without disturbing the view.
        rs.setFilter(QStringLiteral("Name <> 'A'"));
        rs.setPosition(2);
        const auto all = rs.recordsInSortOrder();
        QVERIFY(all.size() == 5 && all[1]->at(3) == QLatin1String("A") && rs.position() == 2);
        QVERIFY_THROWS_EXCEPTION(RecordsetError, rs.setSort(QStringLiteral("Key DESC")));
    }

    // Records read from a file are filtered and sorted on their bytes, set ones on their text; both answer
    // alike, letter case and the file's escapes included.
    void readRecordsFilterAndSortAsText_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("expected");
        const QString creme = QStringLiteral("Cr\u00e8me br\u00fbl\u00e9e");
        const QString salat = QStringLiteral("\u0160AL\u00c1T");
        const QString eclair = QStringLiteral("\u00c9clair");
        const QString micro = QStringLiteral("\u00b5-cake");
        const QString hi = QStringLiteral("say \"hi\"");
        QTest::newRow("all, in folded order")
            << QString() << QStringList { "apple", creme, "eclair", hi, eclair, salat, micro };
        QTest::newRow("Windows-1252 letter") << "Name like '\u0161al*'" << QStringList { salat };
        QTest::newRow("doubled quotes read as one") << "Name = 'SAY \"HI\"'" << QStringList { hi };
        QTest::newRow("escaped line break") << "Instructions like '*one\r\ntwo*'" << QStringList { "apple" };
    }
    void readRecordsFilterAndSortAsText()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        const TableDef& def = TableCatalogue::table(TableDef::Recipes);
        const int name = def.ownFieldIndex(QStringLiteral("Name")) + 2;
        QString text;
        for (const QString& n : { QStringLiteral("\u00b5-cake"), QStringLiteral("say \"hi\""), QStringLiteral("eclair"),
                                  QStringLiteral("\u0160AL\u00c1T"), QStringLiteral("\u00c9clair"),
                                  QStringLiteral("apple"), QStringLiteral("Cr\u00e8me br\u00fbl\u00e9e") }) {
            QVector<QString> values(def.ownFieldCount() + 2);
            values[0] = QStringLiteral("0x00000001");
            values[1] = QStringLiteral("0x0000");
            values[name] = n;
            if (n == QLatin1String("apple"))
                values[def.ownFieldIndex(QStringLiteral("Instructions")) + 2] = QStringLiteral("one\r\ntwo");
            text += TableFile::recordLine(values, def) + QStringLiteral("\r\n");
        }
        for (const bool set : { false, true }) {
            Recordset rs;
            TableFile::defineFields(rs, def);
            TableFile::parse(Cp1252::encode(text), def, rs);
            for (rs.moveFirst(); set && !rs.eof(); rs.moveNext())
                rs.setValue(name, rs.value(name));
            rs.setFilter(filter);
            rs.setSort(QStringLiteral("Name ASC"));
            QCOMPARE(names(rs), expected);
        }
    }

    void findSearchesForwardFromCurrent()
    {
        Recordset rs;
        fill(rs, kRows);
        rs.setSort(QStringLiteral("Name ASC"));
        const QString chicken = QStringLiteral("Key like '*chicken*'");
        QStringList found;
        for (rs.moveFirst(); rs.find(chicken); rs.moveNext()) {
            found << rs.value(QStringLiteral("Name"));
            QVERIFY(rs.find(chicken)); // the current record is included
            QCOMPARE(rs.value(QStringLiteral("Name")), found.last());
        }
        QCOMPARE(found, (QStringList { "Chicken Pie", "CHICKEN soup", "Mom's Chicken" }));
        QVERIFY(rs.eof());
    }

    // Equality finds are answered from an index; it must follow every change.
    void findByKeyFollowsEdits()
    {
        Recordset rs;
        fill(rs, kRows);
        rs.setFilter(RecordStatus::LiveFilter);
        QVERIFY(findFromFirst(rs, QStringLiteral("APPLE TART")));
        rs.setValue(QStringLiteral("Key"), QStringLiteral("pear tart"));
        QVERIFY(!findFromFirst(rs, QStringLiteral("apple tart")));
        QVERIFY(findFromFirst(rs, QStringLiteral("pear tart")));
        RecordStatus::addNew(rs);
        rs.setValue(QStringLiteral("Key"), QStringLiteral("apple tart"));
        QVERIFY(findFromFirst(rs, QStringLiteral("apple tart")));
        QCOMPARE(rs.value(QStringLiteral("STATUS")), RecordStatus::New);
        rs.deleteCurrent();
        QVERIFY(!findFromFirst(rs, QStringLiteral("apple tart")));
        // A match before the current record is not found.
        QVERIFY(findFromFirst(rs, QStringLiteral("chicken soup")));
        rs.moveNext();
        QVERIFY(!rs.find(QStringLiteral("Key = 'beef stew'")));
        // The index built by this find must not outlive the order it was built on.
        QVERIFY(findFromFirst(rs, QStringLiteral("chicken soup")));
        rs.setSort(QStringLiteral("Name ASC"));
        QVERIFY(findFromFirst(rs, QStringLiteral("chicken soup")));
        QCOMPARE(rs.value(QStringLiteral("Name")), QStringLiteral("CHICKEN soup"));
    }
};

QTEST_GUILESS_MAIN(TestRecordset)
#include "test_recordset.moc"
