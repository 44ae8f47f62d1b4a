#include "FailingDevice.h"
#include "ScriptedDialogs.h"
#include "TestData.h"

#include "storage/Cp1252.h"
#include "storage/DataSource.h"
#include "storage/Recordset.h"
#include "storage/SafeFile.h"
#include "storage/TableFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
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

// Loads bytes as the table's loader does.
std::unique_ptr<DataSource> loadBytes(const QTemporaryDir& dir, const TableDef& def, const QByteArray& bytes)
{
    const QString path = dir.filePath(def.fileName);
    TestData::writeFile(path, bytes);
    return std::make_unique<DataSource>(def.id, path);
}

QByteArray writeToBytes(const DataSource& source)
{
    if (auto error = TableWriter::write(source.recordset(), source.definition(), source.path()))
        qFatal("write failed: %s", qPrintable(error->description()));
    return TestData::readFile(source.path());
}

// A value for field i of record r with the characters the format must carry through unchanged.
QByteArray trickyValue(const TableDef& def, int field, int record)
{
    const FieldDef& f = def.fields.at(field);
    QByteArray v = "v" + QByteArray::number(record) + "," + QByteArray::number(field) + " ~|;\xe9\x80";
    if (f.rawQuotes)
        v += " 1|cup \"x\"~";
    else
        v += " say \"\"hi\"\"";
    if (f.escapeLineBreaks)
        v += "\\nline two";
    return v;
}

} // namespace

class TestTableFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void headerFromNothingIsExact()
    {
        QCOMPARE(TableFile::headerFromNothing(0, 2),
                 QStringLiteral("#CDBID: CASL\r\n#MAJREV: 2\r\n#MINREV: 0\r\n#FLDCNT: 2\r\n#RECCNT: 0\r\n"
                                "#SYNCMODE: MERGE\r\n#FLDNUM:1 TYPE:S SIZE:0\r\n#FLDNUM:2 TYPE:S SIZE:0"));
    }

    // Every table kind: a file as the conduit writes it loads and writes back byte for byte.
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
        QTemporaryDir dir;
        const QList<QByteArray> statuses { "0x0000", "0x0002", "0x0004", "0x0008" };
        QList<QByteArray> lines;
        for (int r = 0; r < 4; ++r) {
            QByteArray line
                = (r == 3 ? QByteArray("0x00000000") : "0x0000abc" + QByteArray::number(r)) + "," + statuses.at(r);
            for (int f = 0; f < def.ownFieldCount(); ++f)
                line += ",\"" + trickyValue(def, f, r) + "\"";
            lines << line;
        }
        const QByteArray file = headerBytes(def.ownFieldCount(), 4) + crlfLines(lines);
        auto source = loadBytes(dir, def, file);
        QCOMPARE(source->recordset().totalRecordCount(), 4);
        QCOMPARE(writeToBytes(*source), file);

        // Values in memory are unescaped.
        Recordset& rs = source->recordset();
        rs.moveFirst();
        QCOMPARE(rs.value(1), QStringLiteral("0x0000"));
        const QString first = rs.value(2);
        QVERIFY2(first.contains(QStringLiteral(" ~|;\u00e9\u20ac")), qPrintable(first));
        if (!def.fields.at(0).rawQuotes)
            QVERIFY(first.contains(QStringLiteral("say \"hi\"")));
        if (def.id == TableDef::Recipes) {
            QCOMPARE(rs.value(QStringLiteral("Instructions")).count(QStringLiteral("\r\nline two")), 1);
            QVERIFY(rs.value(QStringLiteral("Nutrition")).contains(QStringLiteral("\"x\"")));
        }
    }

    void emptyTableIsHeaderOnly()
    {
        QTemporaryDir dir;
        const TableDef& def = TableCatalogue::table(TableDef::Meals);
        auto source = loadBytes(dir, def, headerBytes(3, 7));
        QCOMPARE(source->recordset().totalRecordCount(), 0);
        const QByteArray out = writeToBytes(*source);
        QCOMPARE(out, headerBytes(3, 0));
        QVERIFY(out.contains("#RECCNT: 0\r\n"));
    }

    void rebuildHeader_data()
    {
        QTest::addColumn<QStringList>("old");
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("fields");
        QTest::addColumn<QString>("expected");
        QTest::newRow("counts patched, others kept in order") << QStringList { "#CDBID: CASL",
                                                                               "#MAJREV: 2",
                                                                               "#X-CUSTOM: keep me",
                                                                               "#FLDCNT: 2",
                                                                               "#RECCNT: 99",
                                                                               "#SYNCMODE: REPLACE",
                                                                               "#FLDNUM:1 TYPE:S SIZE:0",
                                                                               "#FLDNUM:2 TYPE:S SIZE:0" }
                                                              << 5 << 2
                                                              << "#CDBID: CASL\r\n#MAJREV: 2\r\n#X-CUSTOM: keep "
                                                                 "me\r\n#FLDCNT: 2\r\n#RECCNT: 5\r\n"
                                                                 "#SYNCMODE: MERGE\r\n#FLDNUM:1 TYPE:S "
                                                                 "SIZE:0\r\n#FLDNUM:2 TYPE:S SIZE:0";
        QTest::newRow("consecutive duplicates dropped after patching")
            << QStringList { "#CDBID: CASL", "#CDBID: CASL", "#RECCNT: 1", "#RECCNT: 2", "#FLDNUM:1 TYPE:S SIZE:0" }
            << 3 << 1 << "#CDBID: CASL\r\n#RECCNT: 3\r\n#FLDNUM:1 TYPE:S SIZE:0";
        QTest::newRow("older layout gains declarations")
            << QStringList { "#FLDCNT: 8", "#FLDNUM:8 TYPE:S SIZE:0" } << 0 << 10
            << "#FLDCNT: 10\r\n#FLDNUM:8 TYPE:S SIZE:0\r\n#FLDNUM:9 TYPE:S SIZE:0\r\n#FLDNUM:10 TYPE:S SIZE:0";
        QTest::newRow("two-digit field numbers") << QStringList { "#FLDNUM:10 TYPE:S SIZE:0" } << 0 << 11
                                                 << "#FLDNUM:10 TYPE:S SIZE:0\r\n#FLDNUM:11 TYPE:S SIZE:0";
        QTest::newRow("last line without a number declares all")
            << QStringList { "#FLDCNT: 2", "#SYNCMODE: MERGE" } << 0 << 2
            << "#FLDCNT: 2\r\n#SYNCMODE: MERGE\r\n#FLDNUM:1 TYPE:S SIZE:0\r\n#FLDNUM:2 TYPE:S SIZE:0";
        QTest::newRow("prefix test is case-sensitive") << QStringList { "#reccnt: 9", "#FLDNUM:1 TYPE:S SIZE:0" } << 4
                                                       << 1 << "#reccnt: 9\r\n#FLDNUM:1 TYPE:S SIZE:0";
        QTest::newRow("no old header: written from nothing")
            << QStringList {} << 1 << 1
            << "#CDBID: CASL\r\n#MAJREV: 2\r\n#MINREV: 0\r\n#FLDCNT: 1\r\n#RECCNT: 1\r\n#SYNCMODE: MERGE\r\n"
               "#FLDNUM:1 TYPE:S SIZE:0";
    }

    void rebuildHeader()
    {
        QFETCH(QStringList, old);
        QFETCH(int, records);
        QFETCH(int, fields);
        QFETCH(QString, expected);
        QCOMPARE(TableFile::rebuildHeaderText(old, records, fields, QStringLiteral("S")), expected);
    }

    void rebuildHeaderReadsOnlyTheLeadingHeader()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("t.cdb"));
        TestData::writeFile(path,
                            crlfLines({ "#CDBID: CASL", "#FLDCNT: 1", "#FLDNUM:1 TYPE:S SIZE:0",
                                        "0x00000000,0x0008,\"a\"", "#RECCNT: 7" }));
        QCOMPARE(RebuildHeader(path, 1, 1, QStringLiteral("S")),
                 QStringLiteral("#CDBID: CASL\r\n#FLDCNT: 1\r\n#FLDNUM:1 TYPE:S SIZE:0"));
        QCOMPARE(RebuildHeader(dir.filePath(QStringLiteral("missing.cdb")), 0, 1, QStringLiteral("S")),
                 TableFile::headerFromNothing(0, 1));
    }

    void readingRules()
    {
        QTemporaryDir dir;
        const TableDef& def = TableCatalogue::table(TableDef::Preferences);
        const QByteArray file = headerBytes(2, 3)
            + crlfLines({
                "0x00000001,0x0000,\"serves\",\"4\"",
                "abc", // short lines between records are skipped
                "",
                "#COMMENT",
                "0x00000002,0x0004,\"a\",\"b\",\"c\"", // "," inside a value splits it
                "0x00000003", // no separators at all
                "0x00000004,0x0000", // no quoted fields
                "0x00000005,0x0000,\"only one\"",
            });
        auto source = loadBytes(dir, def, file);
        Recordset& rs = source->recordset();
        QCOMPARE(rs.totalRecordCount(), 5);
        rs.moveFirst();
        QCOMPARE(rs.value(2), QStringLiteral("serves"));
        QCOMPARE(rs.value(3), QStringLiteral("4"));
        rs.moveNext();
        QCOMPARE(rs.value(2), QStringLiteral("a"));
        QCOMPARE(rs.value(3), QStringLiteral("b\",\"c"));
        rs.moveNext();
        QCOMPARE(rs.value(0), QStringLiteral("0x00000003"));
        QCOMPARE(rs.value(1), QString());
        rs.moveNext();
        QCOMPARE(rs.value(1), QStringLiteral("0x0000"));
        rs.moveNext();
        QCOMPARE(rs.value(2), QStringLiteral("only one"));
        QCOMPARE(rs.value(3), QString());

        // The next write is well formed: every record has all its fields.
        const QByteArray out = writeToBytes(*source);
        QVERIFY(out.contains("0x00000003,,\"\",\"\"\r\n"));
        QVERIFY(out.contains("0x00000002,0x0004,\"a\",\"b\"\",\"\"c\"\r\n"));
        QVERIFY(out.endsWith("0x00000005,0x0000,\"only one\",\"\"\r\n"));
    }

    void recipeRecordsSpanPhysicalLines()
    {
        QTemporaryDir dir;
        const TableDef& def = TableCatalogue::table(TableDef::Recipes);
        QByteArray rec1 = "0x00000001,0x0000,\"k\",\"Name\",\"Cat~\",\"4\",\"1|cup|flour~\r\n2|tsp|salt~\","
                          "\"Mix.\\nBake.\",\"\",\"~~\",\"\",\"\"";
        QByteArray rec2 = "0x00000002,0x0000,\"k2\",\"Never ends\",\"\",\"\",\"partial\r\n#not a header\r\nab";
        auto source = loadBytes(dir, def, headerBytes(10, 2) + rec1 + "\r\n" + rec2);
        Recordset& rs = source->recordset();
        QCOMPARE(rs.totalRecordCount(), 2);
        rs.moveFirst();
        QCOMPARE(rs.value(QStringLiteral("Ingredients")), QStringLiteral("1|cup|flour~2|tsp|salt~"));
        QCOMPARE(rs.value(QStringLiteral("Instructions")), QStringLiteral("Mix.\r\nBake."));
        QCOMPARE(rs.value(QStringLiteral("Other1")), QString());
        rs.moveNext();
        // The text that never ends with a quote is kept as far as it goes.
        QCOMPARE(rs.value(QStringLiteral("Name")), QStringLiteral("Never ends"));
        QCOMPARE(rs.value(QStringLiteral("Ingredients")), QStringLiteral("partial#not a headerab"));
    }

    void instructionsLineBreaksAreEscaped()
    {
        QTemporaryDir dir;
        const TableDef& def = TableCatalogue::table(TableDef::Recipes);
        auto source = loadBytes(dir, def, headerBytes(10, 0));
        Recordset& rs = source->recordset();
        RecordStatus::addNew(rs);
        rs.setValue(QStringLiteral("Instructions"), QStringLiteral("one\r\ntwo\nthree"));
        rs.setValue(QStringLiteral("Nutrition"), QStringLiteral("a \"b\""));
        rs.setValue(QStringLiteral("Name"), QStringLiteral("a \"b\""));
        const QByteArray out = writeToBytes(*source);
        QVERIFY(out.contains("\"one\\ntwo\\nthree\""));
        QVERIFY(out.contains(",\"a \"\"b\"\"\",")); // Name doubled
        QVERIFY(out.contains(",\"a \"b\"\",")); // Nutrition raw
        auto again = std::make_unique<DataSource1>(source->path());
        again->recordset().moveFirst();
        QCOMPARE(again->recordset().value(QStringLiteral("Instructions")), QStringLiteral("one\r\ntwo\r\nthree"));
        QCOMPARE(again->recordset().value(QStringLiteral("Nutrition")), QStringLiteral("a \"b\""));
        QCOMPARE(again->recordset().value(QStringLiteral("Name")), QStringLiteral("a \"b\""));
    }

    void deletedRecordsAreWrittenAndNewOnesVanish()
    {
        QTemporaryDir dir;
        const TableDef& def = TableCatalogue::table(TableDef::Sources);
        auto source = loadBytes(dir, def, headerBytes(3, 1) + crlfLines({ "0x00000007,0x0000,\"Old\",\"\",\"\"" }));
        Recordset& rs = source->recordset();
        rs.setFilter(RecordStatus::LiveFilter);
        rs.moveFirst();
        RecordStatus::markDeleted(rs);
        RecordStatus::addNew(rs);
        rs.setValue(QStringLiteral("SourceMaster"), QStringLiteral("Fleeting"));
        RecordStatus::markDeleted(rs);
        const QByteArray out = writeToBytes(*source);
        QVERIFY(out.contains("0x00000007,0x0002,\"Old\",\"\",\"\"\r\n"));
        QVERIFY(!out.contains("Fleeting"));
        QVERIFY(out.contains("#RECCNT: 1\r\n"));
        // The filter the window had is kept.
        QCOMPARE(rs.filter(), RecordStatus::LiveFilter);
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
        QTest::newRow("three quotes") << QByteArray("0x1,0x0000,\"x\"\"\"y\",\"\",\"\"")
                                      << QByteArray("0x1,0x0000,\"x\"\"\"\"y\",\"\",\"\"");
        QTest::newRow("blank after the last quote")
            << QByteArray("0x1,0x0000,\"a\",\"b\",\"c\" ") << QByteArray("0x1,0x0000,\"a\",\"b\",\"c\"\"\"");
        QTest::newRow("fields missing") << QByteArray("0x1,0x0000,\"a\"") << QByteArray("0x1,0x0000,\"a\",\"\",\"\"");
        QTest::newRow("no comma") << QByteArray("0x1 0x0000") << QByteArray("0x1 0x0000,,\"\",\"\",\"\"");
    }

    void unchangedRecordsWriteAsTheirValues()
    {
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, written);
        QTemporaryDir dir;
        const TableDef& def = TableCatalogue::table(TableDef::Sources);
        auto source = loadBytes(dir, def, headerBytes(3, 1) + line + "\r\n");
        QCOMPARE(writeToBytes(*source), headerBytes(3, 1) + written + "\r\n");
    }

    void damagedFilesLoadAndWriteWellFormed_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("truncated mid-record") << headerBytes(10, 1) + "0x00000001,0x0000,\"k\",\"Na";
        QTest::newRow("NUL bytes") << headerBytes(10, 1) + bytesOf("0x00000001,0x0\0000,\"k\0\",\"x\"\r\n");
        QTest::newRow("1000-character header line") << "#" + QByteArray(1000, 'H') + "\r\n" + headerBytes(10, 0);
        QTest::newRow("bare LF line ends") << QByteArray("#CDBID: CASL\n#FLDCNT: 10\n0x00000001,0x0000,\"k\",\"n\"\n");
        QTest::newRow("binary noise") << bytesOf("\x01\x02,\",\"\",\xff\xfe\r\n\r\r\n,,,,\"\"\"\"");
        QTest::newRow("only separators") << QByteArray(",\",\",\",\",\",\"\",\"\",\"\r\n");
    }

    void damagedFilesLoadAndWriteWellFormed()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        auto source = loadBytes(dir, TableCatalogue::table(TableDef::Recipes), bytes);
        const QByteArray out = writeToBytes(*source);
        QVERIFY(out.endsWith("\r\n"));
        QVERIFY(out.contains("#FLDCNT: 10\r\n") || !bytes.contains("#FLDCNT"));
        // Every record line has its ten quoted fields, and the file loads to the same records.
        auto again = std::make_unique<DataSource1>(source->path());
        QCOMPARE(again->recordset().totalRecordCount(), source->recordset().totalRecordCount());
        QCOMPARE(writeToBytes(*again), out);
    }

    void oddLineEndsKeepEveryRecord_data()
    {
        QTest::addColumn<int>("table");
        QTest::addColumn<QByteArray>("lineEnd");
        for (const TableDef::Id id : { TableDef::Categories, TableDef::Recipes }) {
            const QByteArray name = TableCatalogue::table(id).fileName.toLatin1();
            QTest::newRow(name + ", LF") << int(id) << QByteArray("\n");
            QTest::newRow(name + ", lone CR") << int(id) << QByteArray("\r");
            QTest::newRow(name + ", CR CR LF") << int(id) << QByteArray("\r\r\n");
        }
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
        QTemporaryDir dir;
        QCOMPARE(writeToBytes(*loadBytes(dir, def, crlf)), crlf);
        // Read and written back, the file has the same records and header, with CR LF line ends.
        QCOMPARE(writeToBytes(*loadBytes(dir, def, QByteArray(crlf).replace("\r\n", lineEnd))), crlf);
    }

    void failedWriteKeepsOldFileAndTable()
    {
        QTemporaryDir dir;
        const TableDef& def = TableCatalogue::table(TableDef::Meals);
        const QByteArray old = headerBytes(3, 1) + crlfLines({ "0x00000001,0x0000,\"Lunch\",\"\",\"\"" });
        auto source = loadBytes(dir, def, old);
        Recordset& rs = source->recordset();
        RecordStatus::addNew(rs);
        rs.setValue(QStringLiteral("MealMaster"), QStringLiteral("Brunch"));

        // A device that fails part-way reports the failure.
        for (qint64 limit : { 0, 10, 200 }) {
            FailingDevice device(limit);
            QVERIFY(!TableFile::writeTo(device, RebuildHeader(source->path(), 2, 3, QStringLiteral("S")), rs, def));
        }

        // A write that fails at any point: the old file stays, the table keeps its records, the user is told.
        for (qint64 limit : { 0, 1, 50, 180, 200 }) {
            ScriptedDialogs dialogs;
            dialogs.answer(MsgAnswer::Ok);
            SafeFile::setFaultAfterBytes(limit);
            const bool saved = source->save();
            SafeFile::setFaultAfterBytes(-1);
            QVERIFY(!saved);
            QCOMPARE(dialogs.last().title, QStringLiteral("Error"));
            QVERIFY(dialogs.last().text.startsWith(QStringLiteral("An error occurred while saving ZestoMeal.cdb.")));
            QVERIFY(dialogs.last().text.contains(QStringLiteral("ErrorCode =  61 (Disk full")));
            QCOMPARE(TestData::readFile(source->path()), old);
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { QStringLiteral("ZestoMeal.cdb") });
        }
        QCOMPARE(rs.totalRecordCount(), 2);
        QVERIFY(source->save());
        QVERIFY(TestData::readFile(source->path()).contains("Brunch"));
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
        QTemporaryDir dir;
        const TableDef& def = TableCatalogue::table(TableDef::Meals);
        const QByteArray old = headerBytes(3, 0);
        auto source = loadBytes(dir, def, old);
        RecordStatus::addNew(source->recordset());
        const auto writable = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
        if (fault == SafeFile::Fault::None)
            QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const bool enforced = fault != SafeFile::Fault::None || !QFileInfo(dir.path()).isWritable();
        std::optional<AppError> error;
        if (enforced) {
            TestData::RefusedWrites refused(fault, def.fileName);
            error = TableWriter::write(source->recordset(), def, source->path());
        }
        QFile::setPermissions(dir.path(), writable);
        if (!enforced)
            QSKIP("folder permissions do not bind this user");
        QVERIFY(error.has_value());
        QVERIFY2(error->description().contains(QStringLiteral("Permission denied")), qPrintable(error->description()));
        QCOMPARE(TestData::readFile(source->path()), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { def.fileName });
    }

    void missingFolderIsAnError()
    {
        Recordset rs;
        const TableDef& def = TableCatalogue::table(TableDef::Meals);
        TableFile::defineFields(rs, def);
        QVERIFY(TableWriter::write(rs, def, QStringLiteral("/nonexistent-folder/x/ZestoMeal.cdb")).has_value());
    }
};

QTEST_GUILESS_MAIN(TestTableFile)
#include "test_tablefile.moc"
