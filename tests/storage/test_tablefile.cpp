#include "ScriptedDialogs.h"
#include "TestData.h"

#include "storage/Cp1252.h"
#include "storage/DataSource.h"
#include "storage/Recordset.h"
#include "storage/SafeFile.h"
#include "storage/TableFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using TestData::crlfLines;

namespace {

// The bytes of a string literal, embedded NULs included.
template <size_t N> QByteArray bytesOf(const char (&literal)[N])
{
    return QByteArray(literal, static_cast<qsizetype>(N - 1));
}

QByteArray headerBytes(int fields, int records)
{
    return Cp1252::encode(TableFile::headerFromNothing(records, fields)) + "\r\n";
}

// A table of the given kind loaded from bytes, as the program loads its files.
struct Loaded
{
    QTemporaryDir dir;
    std::unique_ptr<DataSource> source;
    Loaded(TableDef::Id id, const QByteArray& bytes)
    {
        const TableDef& def = TableCatalogue::table(id);
        TestData::writeFile(dir.filePath(def.fileName), bytes);
        source = std::make_unique<DataSource>(id, dir.filePath(def.fileName));
    }
    Recordset& rs() { return source->recordset(); }
    QByteArray write()
    {
        if (auto error = TableWriter::write(rs(), source->definition(), source->path()))
            qFatal("write failed: %s", qPrintable(error->description()));
        return TestData::readFile(source->path());
    }
    // The values of record n (insertion order) from field `from` on.
    QStringList values(int n, int from = 2)
    {
        rs().setPosition(n);
        QStringList out;
        for (int i = from; i < rs().fieldCount(); ++i)
            out << rs().value(i);
        return out;
    }
};

} // namespace

class TestTableFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Every table kind: a file as the conduit writes it loads and writes back byte for byte, values unescaped.
    void everyTableRoundTripsByteForByte_data()
    {
        QTest::addColumn<int>("table");
        for (const TableDef& def : TableCatalogue::all())
            QTest::newRow(qPrintable(def.fileName)) << int(def.id);
    }
    void everyTableRoundTripsByteForByte()
    {
        QFETCH(int, table);
        const TableDef& def = TableCatalogue::table(TableDef::Id(table));
        const QList<QByteArray> statuses { "0x0000", "0x0002", "0x0004", "0x0008" };
        QList<QByteArray> lines;
        for (int r = 0; r < 4; ++r) {
            QByteArray line = (r == 3 ? "0x00000000" : "0x0000abc" + QByteArray::number(r)) + "," + statuses.at(r);
            for (int i = 0; i < def.ownFieldCount(); ++i) {
                const FieldDef& f = def.fields.at(i);
                line += ",\"v" + QByteArray::number(r) + "," + QByteArray::number(i) + " ~|;\xe9\x80"
                    + (f.rawQuotes ? " 1|cup \"x\"~" : " say \"\"hi\"\"") + (f.escapeLineBreaks ? "\\nline two" : "")
                    + "\"";
            }
            lines << line;
        }
        const QByteArray file = headerBytes(def.ownFieldCount(), 4) + crlfLines(lines);
        Loaded t(def.id, file);
        QCOMPARE(t.rs().totalRecordCount(), 4);
        QCOMPARE(t.write(), file);
        t.rs().moveFirst();
        QCOMPARE(t.rs().value(1), QStringLiteral("0x0000"));
        QVERIFY(t.rs().value(2).contains(QStringLiteral(" ~|;\u00e9\u20ac")));
        QCOMPARE(t.rs().value(2).contains(QStringLiteral("say \"hi\"")), !def.fields.at(0).rawQuotes);
        if (def.id == TableDef::Recipes) {
            QCOMPARE(t.rs().value(QStringLiteral("Instructions")).count(QStringLiteral("\r\nline two")), 1);
            QVERIFY(t.rs().value(QStringLiteral("Nutrition")).contains(QStringLiteral("\"x\"")));
        }
    }

    void rebuildHeader_data()
    {
        QTest::addColumn<QStringList>("old");
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("fields");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* tag, QStringList old, int records, int fields, const char* expected) {
            QTest::newRow(tag) << old << records << fields
                               << QString::fromLatin1(expected).replace(QLatin1Char('|'), QLatin1String("\r\n"));
        };
        row("counts patched, others kept in order",
            { "#CDBID: CASL", "#X-CUSTOM: keep", "#FLDCNT: 2", "#RECCNT: 99", "#SYNCMODE: REPLACE",
              "#FLDNUM:1 TYPE:S SIZE:0", "#FLDNUM:2 TYPE:S SIZE:0" },
            5, 2,
            "#CDBID: CASL|#X-CUSTOM: keep|#FLDCNT: 2|#RECCNT: 5|#SYNCMODE: MERGE|#FLDNUM:1 TYPE:S SIZE:0|"
            "#FLDNUM:2 TYPE:S SIZE:0");
        row("consecutive duplicates dropped after patching",
            { "#CDBID: CASL", "#CDBID: CASL", "#RECCNT: 1", "#RECCNT: 2", "#FLDNUM:1 TYPE:S SIZE:0" }, 3, 1,
            "#CDBID: CASL|#RECCNT: 3|#FLDNUM:1 TYPE:S SIZE:0");
        row("no old header: written from nothing", {}, 1, 1,
            "#CDBID: CASL|#MAJREV: 2|#MINREV: 0|#FLDCNT: 1|#RECCNT: 1|#SYNCMODE: MERGE|#FLDNUM:1 TYPE:S SIZE:0");
    }
    void rebuildHeader()
    {
        QFETCH(QStringList, old);
        QFETCH(int, records);
        QFETCH(int, fields);
        QFETCH(QString, expected);
        QCOMPARE(TableFile::rebuildHeaderText(old, records, fields, QStringLiteral("S")), expected);
    }

    void readingRules()
    {
        Loaded t(TableDef::Preferences,
                 headerBytes(2, 3)
                     + crlfLines({ "0x00000001,0x0000,\"serves\",\"4\"", "abc", "", "#COMMENT",
                                   "0x00000002,0x0004,\"a\",\"b\",\"c\"", "0x00000003", "0x00000004,0x0000",
                                   "0x00000005,0x0000,\"only one\"", "0x00000006,0x0000,x,\"v\",\"w\"" }));
        QCOMPARE(t.rs().totalRecordCount(), 6);
        QCOMPARE(t.values(0), (QStringList { "serves", "4" }));
        QCOMPARE(t.values(1), (QStringList { "a", "b\",\"c" })); // "," inside a value splits it
        QCOMPARE(t.values(2, 0), (QStringList { "0x00000003", "", "", "" }));
        QCOMPARE(t.values(3, 1), (QStringList { "0x0000", "", "" }));
        QCOMPARE(t.values(4), (QStringList { "only one", "" }));
        QCOMPARE(t.values(5, 1), (QStringList { "0x0000,x", "v", "w" })); // unquoted text stays with the status
        const QByteArray out = t.write();
        QVERIFY(out.contains("0x00000003,,\"\",\"\"\r\n"));
        QVERIFY(out.contains("0x00000002,0x0004,\"a\",\"b\"\",\"\"c\"\r\n"));
        QVERIFY(out.contains("0x00000005,0x0000,\"only one\",\"\"\r\n"));
    }

    void recipeRecordsSpanPhysicalLines()
    {
        Loaded t(
            TableDef::Recipes,
            headerBytes(10, 2)
                + "0x00000001,0x0000,\"k\",\"Name\",\"Cat~\",\"4\",\"1|cup|flour~\r\n2|tsp|salt~\",\"Mix.\\nBake.\","
                  "\"\",\"~~\",\"\",\"\"\r\n0x00000002,0x0000,\"k2\",\"Never ends\",\"\",\"\",\"partial\r\n#no "
                  "header\r\nab");
        QCOMPARE(t.rs().totalRecordCount(), 2);
        QCOMPARE(t.values(0).mid(4), (QStringList { "1|cup|flour~2|tsp|salt~", "Mix.\r\nBake.", "", "~~", "", "" }));
        QCOMPARE(t.values(1).mid(1, 4), (QStringList { "Never ends", "", "", "partial#no headerab" }));
    }

    void setValuesAreEscapedByField()
    {
        Loaded t(TableDef::Recipes, headerBytes(10, 0));
        RecordStatus::addNew(t.rs());
        t.rs().setValue(QStringLiteral("Instructions"), QStringLiteral("one\r\ntwo\nthree"));
        t.rs().setValue(QStringLiteral("Nutrition"), QStringLiteral("a \"b\""));
        t.rs().setValue(QStringLiteral("Name"), QStringLiteral("a \"b\""));
        const QByteArray out = t.write();
        QVERIFY(out.contains(",\"a \"\"b\"\"\",") && out.contains(",\"a \"b\"\",")
                && out.contains("\"one\\ntwo\\nthree\""));
        DataSource1 again(t.source->path());
        again.recordset().moveFirst();
        QCOMPARE(again.recordset().value(QStringLiteral("Instructions")), QStringLiteral("one\r\ntwo\r\nthree"));
        QCOMPARE(again.recordset().value(QStringLiteral("Nutrition")), QStringLiteral("a \"b\""));
        QCOMPARE(again.recordset().value(QStringLiteral("Name")), QStringLiteral("a \"b\""));
    }

    void deletedRecordsAreWrittenAndNewOnesVanish()
    {
        Loaded t(TableDef::Sources, headerBytes(3, 1) + crlfLines({ "0x00000007,0x0000,\"Old\",\"\",\"\"" }));
        t.rs().setFilter(RecordStatus::LiveFilter);
        t.rs().moveFirst();
        RecordStatus::markDeleted(t.rs());
        RecordStatus::addNew(t.rs());
        t.rs().setValue(QStringLiteral("SourceMaster"), QStringLiteral("Fleeting"));
        RecordStatus::markDeleted(t.rs());
        QCOMPARE(t.write(), headerBytes(3, 1) + "0x00000007,0x0002,\"Old\",\"\",\"\"\r\n");
        QCOMPARE(t.rs().filter(), RecordStatus::LiveFilter);
    }

    // A record that was not changed is written from the bytes it was read from, unless writing its values
    // gives other bytes: then it is written from its values, as a changed one is.
    void unchangedRecordsWriteAsTheirValues_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("written");
        const QByteArray same = "0x00000001,0x0000,\"Cr\xe8me \"\"br\xfbl\xe9"
                                "e\"\"\",\"a,b\",\"\x80~|\"";
        QTest::newRow("well-formed: as read") << same << same;
        QTest::newRow("lone quotes") << QByteArray("0x1,0x0000,\"say \"hi\"\",\"\",\"\"")
                                     << QByteArray("0x1,0x0000,\"say \"\"hi\"\"\",\"\",\"\"");
        QTest::newRow("blank after the last quote")
            << QByteArray("0x1,0x0000,\"a\",\"b\",\"c\" ") << QByteArray("0x1,0x0000,\"a\",\"b\",\"c\"\"\"");
        QTest::newRow("fields missing") << QByteArray("0x1,0x0000,\"a\"") << QByteArray("0x1,0x0000,\"a\",\"\",\"\"");
    }
    void unchangedRecordsWriteAsTheirValues()
    {
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, written);
        QCOMPARE(Loaded(TableDef::Sources, headerBytes(3, 1) + line + "\r\n").write(),
                 headerBytes(3, 1) + written + "\r\n");
    }

    void damagedFilesLoadAndWriteWellFormed_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("truncated mid-record") << headerBytes(10, 1) + "0x00000001,0x0000,\"k\",\"Na";
        QTest::newRow("NUL bytes") << headerBytes(10, 1) + bytesOf("0x00000001,0x0\0000,\"k\0\",\"x\"\r\n");
        QTest::newRow("binary noise") << bytesOf("\x01\x02,\",\"\",\xff\xfe\r\n\r\r\n,,,,\"\"\"\"");
    }
    void damagedFilesLoadAndWriteWellFormed()
    {
        QFETCH(QByteArray, bytes);
        Loaded t(TableDef::Recipes, bytes);
        const QByteArray out = t.write();
        Loaded again(TableDef::Recipes, out);
        QCOMPARE(again.rs().totalRecordCount(), t.rs().totalRecordCount());
        QCOMPARE(again.write(), out);
    }

    void oddLineEndsKeepEveryRecord_data()
    {
        QTest::addColumn<int>("table");
        QTest::addColumn<QByteArray>("lineEnd");
        for (const char* end : { "\n", "\r", "\r\r\n" })
            QTest::newRow(QByteArray(end).toPercentEncoding().constData()) << int(TableDef::Recipes) << QByteArray(end);
    }
    void oddLineEndsKeepEveryRecord()
    {
        QFETCH(int, table);
        QFETCH(QByteArray, lineEnd);
        const TableDef& def = TableCatalogue::table(TableDef::Id(table));
        QByteArray crlf = headerBytes(def.ownFieldCount(), 2);
        for (const char* value : { "Soups", "Salads" }) {
            QVector<QString> values(def.ownFieldCount() + 2);
            values[0] = QStringLiteral("0x00000001");
            values[1] = QStringLiteral("0x0000");
            values[2] = QString::fromLatin1(value);
            crlf += Cp1252::encode(TableFile::recordLine(values, def)) + "\r\n";
        }
        QCOMPARE(Loaded(def.id, crlf).write(), crlf);
        QCOMPARE(Loaded(def.id, QByteArray(crlf).replace("\r\n", lineEnd)).write(), crlf);
    }

    void failedWriteKeepsOldFileAndTable()
    {
        const QByteArray old = headerBytes(3, 1) + crlfLines({ "0x00000001,0x0000,\"Lunch\",\"\",\"\"" });
        Loaded t(TableDef::Meals, old);
        RecordStatus::addNew(t.rs());
        t.rs().setValue(QStringLiteral("MealMaster"), QStringLiteral("Brunch"));
        // A write that fails at any point: the old file stays, the table keeps its records, the user is told.
        for (qint64 limit : { 0, 200 }) {
            ScriptedDialogs dialogs;
            dialogs.answer(MsgAnswer::Ok);
            SafeFile::setFaultAfterBytes(limit);
            const bool saved = t.source->save();
            SafeFile::setFaultAfterBytes(-1);
            QVERIFY(!saved);
            QVERIFY(dialogs.last().text.startsWith(
                QStringLiteral("An error occurred while saving ZestoMeal.cdb.\r\n\r\nErrorCode =  61 (Disk full")));
            QCOMPARE(TestData::readFile(t.source->path()), old);
            QCOMPARE(QDir(t.dir.path()).entryList(QDir::Files), QStringList { QStringLiteral("ZestoMeal.cdb") });
        }
        QCOMPARE(t.rs().totalRecordCount(), 2);
        QVERIFY(t.source->save());
        QVERIFY(TestData::readFile(t.source->path()).contains("Brunch"));
        // A folder that does not exist is an error too.
        QVERIFY(TableWriter::write(t.rs(), t.source->definition(), QStringLiteral("/nonexistent/x/ZestoMeal.cdb")));
    }

    // Injected refusals run as any user; the real read-only folder only where permissions bind (not root).
    void refusedWriteKeepsOldFile_data()
    {
        QTest::addColumn<SafeFile::Fault>("fault");
        QTest::newRow("open refused") << SafeFile::Fault::Open;
        QTest::newRow("rename refused") << SafeFile::Fault::Rename;
        QTest::newRow("real read-only folder") << SafeFile::Fault::None;
    }
    void refusedWriteKeepsOldFile()
    {
        QFETCH(SafeFile::Fault, fault);
        Loaded t(TableDef::Meals, headerBytes(3, 0));
        RecordStatus::addNew(t.rs());
        const QString dir = t.dir.path();
        if (fault == SafeFile::Fault::None)
            QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const bool enforced = fault != SafeFile::Fault::None || !QFileInfo(dir).isWritable();
        std::optional<AppError> error;
        if (enforced) {
            TestData::RefusedWrites refused(fault, t.source->definition().fileName);
            error = TableWriter::write(t.rs(), t.source->definition(), t.source->path());
        }
        QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        if (!enforced)
            QSKIP("folder permissions do not bind this user");
        QVERIFY(error.has_value());
        QVERIFY2(error->description().contains(QStringLiteral("Permission denied")), qPrintable(error->description()));
        QCOMPARE(TestData::readFile(t.source->path()), headerBytes(3, 0));
        QCOMPARE(QDir(dir).entryList(QDir::Files), QStringList { QStringLiteral("ZestoMeal.cdb") });
    }
};

QTEST_GUILESS_MAIN(TestTableFile)
#include "test_tablefile.moc"
