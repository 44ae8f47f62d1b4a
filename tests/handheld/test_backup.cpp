#include "Cli.h"
#include "FakePlatform.h"
#include "TestData.h"
#include "TestPaths.h"

#include "handheld/BackupRestore.h"
#include "handheld/HandheldTransfer.h"
#include "storage/SafeFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace BackupRestore;
using TestData::readFile;
using TestData::writeFile;

namespace {

QString in(const QTemporaryDir& dir, const QString& name)
{
    return QDir(dir.path()).filePath(name);
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
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
        const QString dest = withTrailingSeparator(in(root, QStringLiteral("new/backups")));
        QVERIFY(dest.endsWith(QLatin1Char('/')));

        QVERIFY(!backup(data.path(), dest).has_value());
        QStringList first = filesIn(dest);
        QCOMPARE(first.size(), 12);
        QVERIFY(first.filter(QStringLiteral(".bak")).isEmpty());
        const QByteArray firstRecipes = readFile(dest + QStringLiteral("ZestoDB.cdb"));

        // Change a table, back up again: the earlier copy becomes ".bak", the new one replaces it.
        writeFile(data.file(TableDef::Recipes), firstRecipes + "0x00000000,0x0008,\"k\",\"n\"\r\n");
        QVERIFY(!backup(data.path(), withoutTrailingSeparator(dest)).has_value());
        QCOMPARE(filesIn(dest).filter(QStringLiteral(".bak")).size(), 12);
        QCOMPARE(readFile(dest + QStringLiteral("ZestoDB.bak")), firstRecipes);
        QCOMPARE(readFile(dest + QStringLiteral("ZestoDB.cdb")), readFile(data.file(TableDef::Recipes)));
        QVERIFY(!QFile::exists(dest + QStringLiteral("ZestoMeal.bak")));
    }

    void backupRefusesTheDataFolderAndKeepsFilesWholeOnFailure()
    {
        TestData::DataFolderFixture data;
        const QByteArray before = data.readBytes(TableDef::Recipes);
        QVERIFY(backup(data.path(), withTrailingSeparator(data.path())).has_value());
        QCOMPARE(filesIn(data.path()).filter(QStringLiteral(".bak")).size(), 0);
        QCOMPARE(data.readBytes(TableDef::Recipes), before);

        QTemporaryDir dest;
        QVERIFY(!backup(data.path(), dest.path()).has_value());
        writeFile(data.file(TableDef::Recipes), before + "0x00000000,0x0008,\"new\",\"n\"\r\n");
        SafeFile::setFaultAfterBytes(100);
        const auto error = backup(data.path(), dest.path());
        SafeFile::setFaultAfterBytes(-1);
        QVERIFY(error.has_value());
        // No half-written file anywhere: the backup copy is the old one, whole.
        QCOMPARE(readFile(in(dest, QStringLiteral("ZestoDB.cdb"))), before);
        for (const QString& name : filesIn(dest.path()))
            QVERIFY2(name.endsWith(QLatin1String(".cdb")) || name.endsWith(QLatin1String(".bak")), qPrintable(name));
    }

    void importCopy_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("changed record") << QByteArray("0x00ab12cd,0x0004,\"beef\",\"\"")
                                        << QByteArray("0x00000000,0x0000,\"beef\",\"\"");
        QTest::newRow("deleted record") << QByteArray("0x00ab12cd,0x0002,\"beef\",\"\"")
                                        << QByteArray("0x00000000,0x0002,\"beef\",\"\"");
        QTest::newRow("0x0002 inside a value")
            << QByteArray("0x00000001,0x0000,\"code 0x0002\"") << QByteArray("0x00000000,0x0002,\"code 0x0002\"");
        QTest::newRow("0x0002 in the id does not count")
            << QByteArray("0x00020002,0x0000,\"ab\"") << QByteArray("0x00000000,0x0000,\"ab\"");
        QTest::newRow("syncmode") << QByteArray("#SYNCMODE: REPLACE") << QByteArray("#SYNCMODE: MERGE");
        QTest::newRow("other header") << QByteArray("#RECCNT: 3") << QByteArray("#RECCNT: 3");
        QTest::newRow("short line") << QByteArray("0x0002,abc") << QByteArray("0x0002,abc");
    }

    void importCopy()
    {
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, expected);
        QCOMPARE(importCopyBytes(line + "\r\n", false), expected + "\r\n");
    }

    void importCopyLeavesRecipeContinuationLinesAlone()
    {
        const QByteArray table = "#CDBID: CASL\r\n"
                                 "0x00000009,0x0004,\"k\",\"n\",\"\",\"\",\"1|cup|flour~\r\n"
                                 "0x0002 long enough text|x~\",\"\",\"\",\"\",\"\",\"\"\r\n"
                                 "0x0000000a,0x0000,\"k2\",\"n2\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n";
        const QByteArray copy = importCopyBytes(table, true);
        QVERIFY(copy.contains("0x00000000,0x0000,\"k\",\"n\",\"\",\"\",\"1|cup|flour~\r\n"
                              "0x0002 long enough text|x~\""));
        QVERIFY(copy.contains("\r\n0x00000000,0x0000,\"k2\""));
    }

    void importCopyOfOddLineEnds_data()
    {
        QTest::addColumn<QByteArray>("lineEnd");
        QTest::newRow("LF") << QByteArray("\n");
        QTest::newRow("lone CR") << QByteArray("\r");
        QTest::newRow("CR CR LF") << QByteArray("\r\r\n");
    }

    void importCopyOfOddLineEnds()
    {
        QFETCH(QByteArray, lineEnd);
        const QByteArray table = "#CDBID: CASL\r\n#SYNCMODE: REPLACE\r\n0x00000001,0x0004,\"Soups\"\r\n"
                                 "0x00000002,0x0002,\"Salads\"\r\n";
        const QByteArray expected = "#CDBID: CASL\r\n#SYNCMODE: MERGE\r\n0x00000000,0x0000,\"Soups\"\r\n"
                                    "0x00000000,0x0002,\"Salads\"\r\n";
        QCOMPARE(importCopyBytes(QByteArray(table).replace("\r\n", lineEnd), false), expected);
    }

    void backupOfNothingFails()
    {
        QTemporaryDir empty;
        QTemporaryDir root;
        const QString dest = in(root, QStringLiteral("b/"));
        const auto error = backup(empty.path(), dest);
        QVERIFY(error.has_value());
        QVERIFY(error->description().contains(QDir::toNativeSeparators(empty.path())));
        QVERIFY(!QFileInfo::exists(dest));
        const auto r = TestCli::run({ QStringLiteral("backup"), empty.path(), dest });
        QCOMPARE(r.status, 2);
        QVERIFY(r.out.isEmpty());
        QVERIFY(r.err.contains(QStringLiteral("nothing was backed up")));
    }

    void restoreIntoAFolderNamedLikeATable()
    {
        QTemporaryDir root;
        const QString data = in(root, QStringLiteral("Zesto.cdb data/"));
        QVERIFY(QDir().mkpath(data));
        QTemporaryDir backupDir;
        writeFile(in(backupDir, QStringLiteral("ZestoDB.cdb")), "#CDBID: CASL\r\n0x00000005,0x0004,\"k\",\"n\"\r\n");
        const RestoreResult result = restore(data, backupDir.path(), QStringLiteral("Palm"));
        QCOMPARE(result.outcome, RestoreOutcome::Restored);
        QCOMPARE(readFile(data + QStringLiteral("ZestoDB.cdi")),
                 QByteArray("#CDBID: CASL\r\n0x00000000,0x0000,\"k\",\"n\"\r\n"));
    }

    void restoreChecksTheRecipeTable()
    {
        TestData::DataFolderFixture data;
        QTemporaryDir backupDir;
        writeFile(in(backupDir, QStringLiteral("ZestoMeal.cdb")), "#CDBID: CASL\r\n");
        const QByteArray before = data.readBytes(TableDef::Meals);
        const RestoreResult result = restore(data.path(), backupDir.path(), QStringLiteral("Palm"));
        QCOMPARE(result.outcome, RestoreOutcome::NoBackupFiles);
        QCOMPARE(data.readBytes(TableDef::Meals), before);
        QVERIFY(filesIn(data.path()).filter(QStringLiteral(".cdi")).isEmpty());
    }

    void restoreCopiesAndWritesImportCopies_data()
    {
        QTest::addColumn<QString>("installType");
        QTest::addColumn<int>("importCopies");
        QTest::newRow("Palm") << "Palm" << 13;
        QTest::newRow("PPC") << "PPC" << 13;
        QTest::newRow("Windows") << "Windows" << 0;
    }

    void restoreCopiesAndWritesImportCopies()
    {
        QFETCH(QString, installType);
        QFETCH(int, importCopies);
        TestData::DataFolderFixture data;
        QTemporaryDir backupDir;
        const QByteArray recipes = "#CDBID: CASL\r\n#SYNCMODE: X\r\n0x00000005,0x0004,\"k\",\"Restored\"\r\n";
        writeFile(in(backupDir, QStringLiteral("ZestoDB.cdb")), recipes);
        writeFile(in(backupDir, QStringLiteral("ZestoShop.cdb")), "#CDBID: CASL\r\n");
        const QByteArray meals = data.readBytes(TableDef::Meals);

        const RestoreResult result = restore(data.path(), withTrailingSeparator(backupDir.path()), installType);
        QCOMPARE(result.outcome, RestoreOutcome::Restored);
        QCOMPARE(result.restored, (QStringList { "ZestoDB.cdb", "ZestoShop.cdb" }));
        QCOMPARE(data.readBytes(TableDef::Recipes), recipes);
        QCOMPARE(data.readBytes(TableDef::Meals), meals);
        QCOMPARE(filesIn(data.path()).filter(QStringLiteral(".cdi")).size(), importCopies);
        if (importCopies)
            QCOMPARE(readFile(QDir(data.path()).filePath(QStringLiteral("ZestoDB.cdi"))),
                     QByteArray("#CDBID: CASL\r\n#SYNCMODE: MERGE\r\n0x00000000,0x0000,\"k\",\"Restored\"\r\n"));
    }

    void restoreFailureLeavesNoHalfCopiedTable()
    {
        TestData::DataFolderFixture data;
        QTemporaryDir backupDir;
        writeFile(in(backupDir, QStringLiteral("ZestoDB.cdb")), QByteArray(5000, 'x'));
        const QByteArray before = data.readBytes(TableDef::Recipes);
        SafeFile::setFaultAfterBytes(1000);
        const RestoreResult result = restore(data.path(), backupDir.path(), QStringLiteral("Palm"));
        SafeFile::setFaultAfterBytes(-1);
        QCOMPARE(result.outcome, RestoreOutcome::Failed);
        QVERIFY(result.error.has_value());
        QCOMPARE(data.readBytes(TableDef::Recipes), before);
    }

    void toolCommandLines()
    {
        using namespace HandheldTransfer;
        QCOMPARE(transferCommand(QStringLiteral("/opt/zp/"), QStringLiteral("/home/me/My Data/")).commandLine(),
                 QStringLiteral("/opt/zp/CASLcdi2ppc.exe -DbFile \"/home/me/My Data/*.cdb\" -CreatorID ZTRA"));
        QCOMPARE(retrieveCommand(QStringLiteral("/opt/zp"), QStringLiteral("/home/me/My Data/")).commandLine(),
                 QStringLiteral("/opt/zp/CASLppc2cdb.exe -DestinationFolder \"/home/me/My Data\" -CreatorId ZTRA "
                                "-TransferAll"));
    }

    void shellAndWaitRunsTheToolFromTheProgramFolder()
    {
        using namespace HandheldTransfer;
        QTemporaryDir programDir;
        FakePlatform platform;
        const ToolCommand missing = retrieveCommand(programDir.path(), QStringLiteral("/data/"));
        QVERIFY(ShellAndWait(missing).has_value());
        QVERIFY(platform.runs.isEmpty());

        writeFile(in(programDir, QStringLiteral("CASLppc2cdb.exe")), "#!/bin/sh\n");
        QVERIFY(!ShellAndWait(retrieveCommand(programDir.path(), QStringLiteral("/my data/"))).has_value());
        QCOMPARE(platform.runs.size(), 1);
        QCOMPARE(platform.runs[0].program, in(programDir, QStringLiteral("CASLppc2cdb.exe")));
        QCOMPARE(platform.runs[0].arguments,
                 (QStringList { "-DestinationFolder", "/my data", "-CreatorId", "ZTRA", "-TransferAll" }));
    }

    void removeImportCopiesTouchesOnlyCdi()
    {
        TestData::DataFolderFixture data;
        QCOMPARE(HandheldTransfer::removeImportCopies(data.path()), 0);
        writeFile(QDir(data.path()).filePath(QStringLiteral("ZestoDB.cdi")), "x");
        writeFile(QDir(data.path()).filePath(QStringLiteral("ZestoQty.cdi")), "x");
        QCOMPARE(HandheldTransfer::removeImportCopies(data.path()), 2);
        QCOMPARE(filesIn(data.path()).size(), 13);
    }

    void commandLineBackupAndRestore()
    {
        TestData::DataFolderFixture data;
        QTemporaryDir root;
        const QString dest = in(root, QStringLiteral("b"));
        auto r = TestCli::run({ QStringLiteral("backup"), data.path(), dest });
        QCOMPARE(r.status, 0);
        QCOMPARE(filesIn(dest).size(), 13);
        r = TestCli::runProcess({ QStringLiteral("restore"), data.path(), dest, QStringLiteral("--install-type"),
                                  QStringLiteral("Windows") });
        QCOMPARE(r.status, 0);
        QVERIFY(filesIn(data.path()).filter(QStringLiteral(".cdi")).isEmpty());
        r = TestCli::run({ QStringLiteral("restore"), data.path(), root.path() });
        QCOMPARE(r.status, 2);
        QVERIFY(r.err.contains(QStringLiteral("No backup files found, restore aborted.")));
    }
};

QTEST_GUILESS_MAIN(TestBackup)
#include "test_backup.moc"
