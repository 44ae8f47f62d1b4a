#include "Cli.h"
#include "TestData.h"

#include "handheld/BackupRestore.h"
#include "storage/SafeFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace BackupRestore;
using TestData::readFile;
using TestData::writeFile;

namespace {

QString in(const QTemporaryDir& dir, const char* name)
{
    return QDir(dir.path()).filePath(QLatin1String(name));
}

QStringList filesIn(const QString& folder, const QString& suffix = QString())
{
    return QDir(folder).entryList(QDir::Files, QDir::Name).filter(suffix);
}

} // namespace

class TestBackup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void backupRotatesThePreviousBackup()
    {
        TestData::DataFolderFixture data;
        QFile::remove(data.file(TableDef::Meals)); // a missing table is skipped silently
        QTemporaryDir root;
        const QString dest = withTrailingSeparator(in(root, "new/backups"));
        QVERIFY(!backup(data.path(), dest).has_value());
        QCOMPARE(filesIn(dest).size(), 12);
        const QByteArray firstRecipes = readFile(dest + "ZestoDB.cdb");

        writeFile(data.file(TableDef::Recipes), firstRecipes + "0x00000000,0x0008,\"k\",\"n\"\r\n");
        QVERIFY(!backup(data.path(), withoutTrailingSeparator(dest)).has_value());
        QCOMPARE(filesIn(dest, ".bak").size(), 12);
        QCOMPARE(readFile(dest + "ZestoDB.bak"), firstRecipes);
        QCOMPARE(readFile(dest + "ZestoDB.cdb"), readFile(data.file(TableDef::Recipes)));
    }

    void backupRefusesTheDataFolderAndKeepsFilesWholeOnFailure()
    {
        TestData::DataFolderFixture data;
        const QByteArray before = data.readBytes(TableDef::Recipes);
        QVERIFY(backup(data.path(), withTrailingSeparator(data.path())).has_value());
        QVERIFY(filesIn(data.path(), ".bak").isEmpty());

        QTemporaryDir dest;
        QVERIFY(!backup(data.path(), dest.path()).has_value());
        writeFile(data.file(TableDef::Recipes), before + "0x00000000,0x0008,\"new\",\"n\"\r\n");
        SafeFile::setFaultAfterBytes(100);
        const auto error = backup(data.path(), dest.path());
        SafeFile::setFaultAfterBytes(-1);
        QVERIFY(error.has_value());
        // No half-written file anywhere: the backup copy is the old one, whole.
        QCOMPARE(readFile(in(dest, "ZestoDB.cdb")), before);
        for (const QString& name : filesIn(dest.path()))
            QVERIFY2(name.endsWith(QLatin1String(".cdb")) || name.endsWith(QLatin1String(".bak")), qPrintable(name));
    }

    // Table lines in, import copy lines out (each row's text gets a final CR LF).
    void importCopy_data()
    {
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<QByteArray>("copy");
        QTest::addColumn<bool>("multiLine");
        const auto row = [](const char* name, const char* table, const char* copy, bool multiLine = false) {
            QTest::newRow(name) << QByteArray(table) + "\r\n" << QByteArray(copy) + "\r\n" << multiLine;
        };
        row("changed record", "0x00ab12cd,0x0004,\"beef\",\"\"", "0x00000000,0x0000,\"beef\",\"\"");
        row("deleted record", "0x00ab12cd,0x0002,\"beef\",\"\"", "0x00000000,0x0002,\"beef\",\"\"");
        row("0x0002 inside a value", "0x00000001,0x0000,\"code 0x0002\"", "0x00000000,0x0002,\"code 0x0002\"");
        row("0x0002 in the id does not count", "0x00020002,0x0000,\"ab\"", "0x00000000,0x0000,\"ab\"");
        row("syncmode", "#SYNCMODE: REPLACE", "#SYNCMODE: MERGE");
        row("short line", "0x0002,abc", "0x0002,abc");
        row("LF, lone CR and CR CR LF",
            "#SYNCMODE: X\n0x00000001,0x0004,\"a\"\r0x00000002,0x0002,\"b\"\r\r\n0x00000003,0x0000,\"c\"",
            "#SYNCMODE: MERGE\r\n0x00000000,0x0000,\"a\"\r\n0x00000000,0x0002,\"b\"\r\n0x00000000,0x0000,\"c\"");
        row("recipe continuation line left alone",
            "0x00000009,0x0004,\"k\",\"n\",\"\",\"\",\"1|cup|flour~\r\n0x0002 long enough "
            "text|x~\",\"\",\"\",\"\",\"\",\"\""
            "\r\n0x0000000a,0x0000,\"k2\",\"n2\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"",
            "0x00000000,0x0000,\"k\",\"n\",\"\",\"\",\"1|cup|flour~\r\n0x0002 long enough "
            "text|x~\",\"\",\"\",\"\",\"\",\"\""
            "\r\n0x00000000,0x0000,\"k2\",\"n2\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"",
            true);
    }
    void importCopy()
    {
        QFETCH(QByteArray, table);
        QFETCH(bool, multiLine);
        QTEST(importCopyBytes(table, multiLine), "copy");
    }

    void restore_data()
    {
        QTest::addColumn<QString>("installType");
        QTest::newRow("Palm") << "Palm";
        QTest::newRow("Windows") << "Windows";
    }
    void restore()
    {
        QFETCH(QString, installType);
        const bool palm = installType == "Palm";
        TestData::DataFolderFixture data;
        QTemporaryDir backupDir;
        const QByteArray recipes = "#CDBID: CASL\r\n#SYNCMODE: X\r\n0x00000005,0x0004,\"k\",\"Restored\"\r\n";
        writeFile(in(backupDir, "ZestoDB.cdb"), recipes);
        writeFile(in(backupDir, "ZestoShop.cdb"), "#CDBID: CASL\r\n");
        const QByteArray meals = data.readBytes(TableDef::Meals);
        const RestoreResult result
            = BackupRestore::restore(data.path(), withTrailingSeparator(backupDir.path()), installType);
        QCOMPARE(result.outcome, RestoreOutcome::Restored);
        QCOMPARE(result.restored, (QStringList { "ZestoDB.cdb", "ZestoShop.cdb" }));
        QCOMPARE(data.readBytes(TableDef::Recipes), recipes);
        QCOMPARE(data.readBytes(TableDef::Meals), meals);
        QCOMPARE(filesIn(data.path(), ".cdi").size(), palm ? 13 : 0);
        QCOMPARE(readFile(QDir(data.path()).filePath("ZestoDB.cdi")),
                 palm ? QByteArray("#CDBID: CASL\r\n#SYNCMODE: MERGE\r\n0x00000000,0x0000,\"k\",\"Restored\"\r\n")
                      : QByteArray());
    }

    void restoreNeedsTheRecipeTableAndCopiesWhole()
    {
        TestData::DataFolderFixture data;
        const QByteArray meals = data.readBytes(TableDef::Meals), recipes = data.readBytes(TableDef::Recipes);
        QTemporaryDir backupDir;
        writeFile(in(backupDir, "ZestoMeal.cdb"), "#CDBID: CASL\r\n");
        QCOMPARE(BackupRestore::restore(data.path(), backupDir.path(), "Palm").outcome, RestoreOutcome::NoBackupFiles);
        QCOMPARE(data.readBytes(TableDef::Meals), meals);
        QVERIFY(filesIn(data.path(), ".cdi").isEmpty());

        writeFile(in(backupDir, "ZestoDB.cdb"), QByteArray(5000, 'x'));
        SafeFile::setFaultAfterBytes(1000);
        const RestoreResult result = BackupRestore::restore(data.path(), backupDir.path(), "Palm");
        SafeFile::setFaultAfterBytes(-1);
        QCOMPARE(result.outcome, RestoreOutcome::Failed);
        QCOMPARE(data.readBytes(TableDef::Recipes), recipes);
    }

    void commandLineBackupAndRestore()
    {
        TestData::DataFolderFixture data;
        QTemporaryDir root, empty;
        const QString dest = in(root, "b");
        QVERIFY(TestCli::run({ "backup", empty.path(), dest }).err.contains("nothing was backed up"));
        QCOMPARE(TestCli::run({ "backup", data.path(), dest }).status, 0);
        QCOMPARE(filesIn(dest).size(), 13);
        QCOMPARE(TestCli::runProcess({ "restore", data.path(), dest, "--install-type", "Windows" }).status, 0);
        const auto none = TestCli::run({ "restore", data.path(), root.path() });
        QCOMPARE(none.status, 2);
        QVERIFY(none.err.contains("No backup files found, restore aborted."));
    }
};

QTEST_GUILESS_MAIN(TestBackup)
#include "test_backup.moc"
