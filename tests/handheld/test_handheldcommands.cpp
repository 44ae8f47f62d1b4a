#include "FakePlatform.h"
#include "ScriptedDialogs.h"
#include "TestData.h"
#include "Widgets.h"

#include "app/Main.h"
#include "handheld/ui/HandheldCommands.h"
#include "shell/AppState.h"
#include "shell/Settings.h"
#include "shell/ui/QtPlatform.h"

#include <QAction>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A main window over a fresh data folder, with the three held tables loaded and one recipe edited in memory.
struct Fixture
{
    TestData::DataFolderFixture data;
    QTemporaryDir program;
    Main main;

    explicit Fixture(const QString& installType = QStringLiteral("Palm"))
    {
        AppState& state = AppState::instance();
        state.programFolder = program.path() + QLatin1Char('/');
        state.settingsPath = program.filePath(QStringLiteral("zestoraplus.ini"));
        state.dataPath = data.path() + QLatin1Char('/');
        state.backupPath = program.filePath(QStringLiteral("Backup"));
        state.installType = installType;
        state.recipes = std::make_unique<DataSource1>(data.file(TableDef::Recipes));
        state.prefs = std::make_unique<DataSourcePrefs2>(data.file(TableDef::Preferences));
        state.menu = std::make_unique<DataSource8>(data.file(TableDef::MenuPlanner));
        RecordStatus::addNew(state.recipes->recordset());
        state.recipes->recordset().setValue(QStringLiteral("Name"), QStringLiteral("Unsaved Soup"));
    }
    ~Fixture() { AppState::instance().reset(); }

    void trigger(const char* action) { TestUi::trigger(&main, action); }
};

void writeTool(const QString& path, const QString& log)
{
    TestData::writeFile(
        path, QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '%1'\n").arg(log).toUtf8());
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

class TestHandheldCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void backupToTheStoredFolder()
    {
        Fixture f;
        FakePlatform platform;
        ScriptedDialogs dialogs;
        dialogs.answer(MsgAnswer::Yes);
        dialogs.answer(MsgAnswer::Ok);
        f.trigger("mnuBackup");
        QCOMPARE(dialogs.shown().at(0).title, QStringLiteral("Backup Location"));
        QVERIFY(dialogs.shown().at(0).text.startsWith(QStringLiteral("Do you want to backup to this location:\r\n\r\n")
                                                      + f.program.filePath(QStringLiteral("Backup"))));
        QCOMPARE(dialogs.last().title, QStringLiteral("Backup Complete"));
        const QString stored = f.program.filePath(QStringLiteral("Backup/"));
        QCOMPARE(Settings::read(AppState::instance().settingsPath, QStringLiteral("Main"), QStringLiteral("BackupPath"),
                                QString()),
                 stored);
        // Save All ran first, so the backup holds the edit made in memory.
        QVERIFY(TestData::readFile(stored + QStringLiteral("ZestoDB.cdb")).contains("Unsaved Soup"));
        QCOMPARE(QDir(stored).entryList(QDir::Files).size(), 13);
        QCOMPARE(platform.busyDepth, 0);
    }

    void backupOfNothingIsAnError()
    {
        Fixture f;
        FakePlatform platform;
        ScriptedDialogs dialogs;
        QVERIFY(QDir(f.data.path()).removeRecursively()); // Save All cannot write the held tables either
        for (const MsgAnswer answer : { MsgAnswer::Ok, MsgAnswer::Ok, MsgAnswer::Ok, MsgAnswer::Yes, MsgAnswer::Ok })
            dialogs.answer(answer);
        f.trigger("mnuBackup");
        QVERIFY(dialogs.exhausted());
        QCOMPARE(dialogs.last().title, QStringLiteral("Error"));
        QVERIFY(dialogs.last().text.startsWith(QStringLiteral("An error occurred while backing up the databases.")));
        QVERIFY(!QDir(f.program.filePath(QStringLiteral("Backup"))).exists());
    }

    void backupElsewhereOrNot()
    {
        Fixture f;
        FakePlatform platform;
        QTemporaryDir other;
        {
            ScriptedDialogs dialogs;
            dialogs.answer(MsgAnswer::No);
            dialogs.choosePath(QString());
            dialogs.answer(MsgAnswer::Ok);
            f.trigger("mnuBackup");
            QCOMPARE(dialogs.last().title, QStringLiteral("Backup Not Complete"));
            QCOMPARE(dialogs.last().text, QStringLiteral("No directory was selected, backup aborted."));
        }
        {
            ScriptedDialogs dialogs;
            dialogs.answer(MsgAnswer::Cancel);
            f.trigger("mnuBackup");
            QCOMPARE(dialogs.shown().size(), 1);
        }
        QVERIFY(!QDir(f.program.filePath(QStringLiteral("Backup"))).exists());
        {
            ScriptedDialogs dialogs;
            dialogs.answer(MsgAnswer::No);
            dialogs.choosePath(other.path());
            dialogs.answer(MsgAnswer::Ok);
            f.trigger("mnuBackup");
            QCOMPARE(dialogs.shown().at(1).title, QStringLiteral("Select destination for the backup files..."));
            QCOMPARE(dialogs.last().title, QStringLiteral("Backup Complete"));
        }
        QCOMPARE(QDir(other.path()).entryList(QDir::Files).size(), 13);
        QCOMPARE(AppState::instance().backupPath, other.path() + QLatin1Char('/'));
    }

    void restoreReplacesTheFilesAndClosesWithoutSaving_data()
    {
        QTest::addColumn<QString>("installType");
        QTest::addColumn<QString>("closing");
        QTest::newRow("Palm") << QString("Palm") << QString("PLEASE HOTSYNC NOW.");
        QTest::newRow("PPC") << QString("PPC") << QString("PLEASE ACTIVESYNC NOW.");
        QTest::newRow("Windows") << QString("Windows") << QString();
    }

    void restoreReplacesTheFilesAndClosesWithoutSaving()
    {
        QFETCH(QString, installType);
        QFETCH(QString, closing);
        Fixture f(installType);
        FakePlatform platform;
        QTemporaryDir backup;
        const QByteArray backupRecipes
            = TestData::crlfLines({ "#CDBID: CASL", "#FLDCNT: 10", "#RECCNT: 1",
                                    "0x00000042,0x0000,\"old\",\"Old Stew\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"" });
        TestData::writeFile(QDir(backup.path()).filePath(QStringLiteral("ZestoDB.cdb")), backupRecipes);
        f.main.show();

        ScriptedDialogs dialogs;
        dialogs.answer(MsgAnswer::Yes); // overwrite?
        dialogs.answer(MsgAnswer::No); // from the stored folder? no: choose
        dialogs.choosePath(backup.path());
        if (!closing.isEmpty())
            dialogs.answer(MsgAnswer::Ok);
        f.trigger("mnuRestore");
        if (!closing.isEmpty())
            QVERIFY(dialogs.last().text.endsWith(closing));
        QVERIFY(dialogs.exhausted());
        QVERIFY(AppState::instance().restoreDone);
        QVERIFY(f.main.exitCompleted());
        // The exit sequence did not write the recipe edited in memory over the restored file.
        QCOMPARE(f.data.readBytes(TableDef::Recipes), backupRecipes);
        const bool importCopy = QFile::exists(QDir(f.data.path()).filePath(QStringLiteral("ZestoDB.cdi")));
        QCOMPARE(importCopy, installType != QLatin1String("Windows"));
    }

    void restoreAborts()
    {
        Fixture f;
        FakePlatform platform;
        QTemporaryDir empty;
        {
            ScriptedDialogs dialogs;
            dialogs.answer(MsgAnswer::No);
            f.trigger("mnuRestore");
            QCOMPARE(dialogs.shown().size(), 1);
        }
        {
            ScriptedDialogs dialogs;
            dialogs.answer(MsgAnswer::Yes);
            dialogs.answer(MsgAnswer::No);
            dialogs.choosePath(QString());
            dialogs.answer(MsgAnswer::Ok);
            f.trigger("mnuRestore");
            QCOMPARE(dialogs.last().text, QStringLiteral("No directory was selected, restore aborted."));
        }
        {
            ScriptedDialogs dialogs;
            dialogs.answer(MsgAnswer::Yes);
            dialogs.answer(MsgAnswer::No);
            dialogs.choosePath(empty.path());
            dialogs.answer(MsgAnswer::Ok);
            f.trigger("mnuRestore");
            QCOMPARE(dialogs.last().text, QStringLiteral("No backup files found, restore aborted."));
        }
        QVERIFY(!AppState::instance().restoreDone);
        QVERIFY(!f.main.exitCompleted());
    }

    void transferRunsTheToolWithItsCommandLine()
    {
        Fixture f(QStringLiteral("PPC"));
        QtPlatform platform;
        Platform::setBackend(&platform);
        const QString log = f.program.filePath(QStringLiteral("args.txt"));
        writeTool(f.program.filePath(QStringLiteral("CASLcdi2ppc.exe")), log);
        TestData::writeFile(QDir(f.data.path()).filePath(QStringLiteral("ZestoDB.cdi")), "x");
        {
            ScriptedDialogs dialogs;
            dialogs.answer(MsgAnswer::Cancel);
            f.trigger("mnuTransfer");
            QVERIFY(!QFile::exists(log));
        }
        ScriptedDialogs dialogs;
        dialogs.answer(MsgAnswer::Ok);
        f.trigger("mnuTransfer");
        Platform::setBackend(nullptr);
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(QString::fromUtf8(TestData::readFile(log)),
                 QStringLiteral("-DbFile\n%1/*.cdb\n-CreatorID\nZTRA\n").arg(f.data.path()));
        QVERIFY(!QFile::exists(QDir(f.data.path()).filePath(QStringLiteral("ZestoDB.cdi"))));
        // Save All ran first.
        QVERIFY(f.data.readBytes(TableDef::Recipes).contains("Unsaved Soup"));
    }

    void retrieveEndsTheProgramWithoutSaving()
    {
        Fixture f(QStringLiteral("PPC"));
        QtPlatform platform;
        Platform::setBackend(&platform);
        const QString log = f.program.filePath(QStringLiteral("args.txt"));
        writeTool(f.program.filePath(QStringLiteral("CASLppc2cdb.exe")), log);
        int ended = 0;
        HandheldCommands::setEndProgram([&ended] { ++ended; });
        const QByteArray before = f.data.readBytes(TableDef::Recipes);
        ScriptedDialogs dialogs;
        dialogs.answer(MsgAnswer::Ok);
        dialogs.answer(MsgAnswer::Ok);
        f.trigger("mnuRetrieve");
        Platform::setBackend(nullptr);
        HandheldCommands::setEndProgram(nullptr);
        QCOMPARE(ended, 1);
        QVERIFY(AppState::instance().retrieveDone);
        QCOMPARE(QString::fromUtf8(TestData::readFile(log)),
                 QStringLiteral("-DestinationFolder\n%1\n-CreatorId\nZTRA\n-TransferAll\n").arg(f.data.path()));
        QCOMPARE(dialogs.last().text,
                 QStringLiteral("The data has been retrieved,\r\nZestora Plus must be restarted."
                                "\r\n\r\nClick OK to close Zestora Plus"));
        QCOMPARE(f.data.readBytes(TableDef::Recipes), before);
    }

    void missingToolIsReported()
    {
        Fixture f(QStringLiteral("PPC"));
        FakePlatform platform;
        int ended = 0;
        HandheldCommands::setEndProgram([&ended] { ++ended; });
        ScriptedDialogs dialogs;
        dialogs.answer(MsgAnswer::Ok);
        dialogs.answer(MsgAnswer::Ok);
        f.trigger("mnuRetrieve");
        HandheldCommands::setEndProgram(nullptr);
        QCOMPARE(ended, 0);
        QVERIFY(!AppState::instance().retrieveDone);
        QVERIFY(dialogs.last().text.startsWith(
            QStringLiteral("An error occurred while retrieving data from the handheld.\r\n\r\nErrorCode =  53")));
        QCOMPARE(platform.busyDepth, 0);
    }
};

QTEST_MAIN(TestHandheldCommands)
#include "test_handheldcommands.moc"
