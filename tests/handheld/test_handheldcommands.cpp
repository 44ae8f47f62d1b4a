#include "FakePlatform.h"
#include "ScriptedDialogs.h"
#include "TestData.h"
#include "Widgets.h"

#include "app/Main.h"
#include "handheld/ui/HandheldCommands.h"
#include "shell/AppState.h"
#include "shell/Settings.h"
#include "shell/ui/QtPlatform.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using Shown = QVector<ScriptedDialogs::Shown>;

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

    // Triggers the menu command with the boxes answered in turn and the folder dialogs given paths; every
    // answer must be used. Returns the boxes and dialogs shown.
    Shown trigger(const char* action, std::initializer_list<MsgAnswer> answers, const QStringList& paths = {})
    {
        ScriptedDialogs dialogs;
        for (const MsgAnswer answer : answers)
            dialogs.answer(answer);
        for (const QString& path : paths)
            dialogs.choosePath(path);
        TestUi::trigger(&main, action);
        [&] { QVERIFY2(dialogs.exhausted(), action); }();
        return dialogs.shown();
    }
    QString dataFile(const char* name) const { return QDir(data.path()).filePath(QLatin1String(name)); }
    // Puts a tool into the program folder that writes its arguments, one a line, to args.txt.
    QString writeTool(const char* name) const
    {
        const QString path = program.filePath(QLatin1String(name)), log = program.filePath("args.txt");
        TestData::writeFile(
            path,
            QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '%1'\n").arg(log).toUtf8());
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return log;
    }
};

} // namespace

class TestHandheldCommands : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void backupToTheStoredFolder()
    {
        Fixture f;
        FakePlatform platform;
        Shown shown = f.trigger("mnuBackup", { MsgAnswer::Yes, MsgAnswer::Ok });
        QCOMPARE(shown.last().title, QStringLiteral("Backup Complete"));
        const QString stored = f.program.filePath("Backup/");
        QCOMPARE(Settings::read(AppState::instance().settingsPath, "Main", "BackupPath", QString()), stored);
        // Save All ran first, so the backup holds the edit made in memory.
        QVERIFY(TestData::readFile(stored + "ZestoDB.cdb").contains("Unsaved Soup"));
        QCOMPARE(QDir(stored).entryList(QDir::Files).size(), 13);
    }

    void restoreReplacesTheFilesAndClosesWithoutSaving_data()
    {
        QTest::addColumn<QString>("installType");
        QTest::addColumn<QString>("closing");
        QTest::newRow("Palm") << "Palm" << QStringLiteral("PLEASE HOTSYNC NOW.");
        QTest::newRow("Windows") << "Windows" << QString();
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
        TestData::writeFile(QDir(backup.path()).filePath("ZestoDB.cdb"), backupRecipes);
        f.main.show();
        const Shown shown = closing.isEmpty()
            ? f.trigger("mnuRestore", { MsgAnswer::Yes, MsgAnswer::No }, { backup.path() })
            : f.trigger("mnuRestore", { MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::Ok }, { backup.path() });
        QVERIFY(shown.last().text.endsWith(closing));
        QVERIFY(AppState::instance().restoreDone);
        QVERIFY(f.main.exitCompleted());
        // The exit sequence did not write the recipe edited in memory over the restored file.
        QCOMPARE(f.data.readBytes(TableDef::Recipes), backupRecipes);
    }

    // Transfer saves, runs its tool and removes the import copies. Retrieve reports a missing tool (and nothing
    // ends); a run ends the program without writing the tables.
    void transferAndRetrieveRunTheirTools()
    {
        Fixture f(QStringLiteral("PPC"));
        int ended = 0;
        HandheldCommands::setEndProgram([&ended] { ++ended; });
        {
            FakePlatform platform;
            const Shown shown = f.trigger("mnuRetrieve", { MsgAnswer::Ok, MsgAnswer::Ok });
            QVERIFY(shown.last().text.startsWith("An error occurred while retrieving data from the handheld.\r\n\r\n"
                                                 "ErrorCode =  53"));
            QCOMPARE(platform.busyDepth + ended, 0);
        }
        QtPlatform platform;
        Platform::setBackend(&platform);
        const QString log = f.writeTool("CASLcdi2ppc.exe");
        f.writeTool("CASLppc2cdb.exe");
        TestData::writeFile(f.dataFile("ZestoDB.cdi"), "x");
        f.trigger("mnuTransfer", { MsgAnswer::Ok });
        QCOMPARE(QString::fromUtf8(TestData::readFile(log)),
                 QStringLiteral("-DbFile\n%1/*.cdb\n-CreatorID\nZTRA\n").arg(f.data.path()));
        QVERIFY(!QFile::exists(f.dataFile("ZestoDB.cdi")));
        const QByteArray saved = f.data.readBytes(TableDef::Recipes);
        QVERIFY(saved.contains("Unsaved Soup"));

        const Shown shown = f.trigger("mnuRetrieve", { MsgAnswer::Ok, MsgAnswer::Ok });
        Platform::setBackend(nullptr);
        HandheldCommands::setEndProgram(nullptr);
        QCOMPARE(ended, 1);
        QVERIFY(AppState::instance().retrieveDone);
        QCOMPARE(QString::fromUtf8(TestData::readFile(log)),
                 QStringLiteral("-DestinationFolder\n%1\n-CreatorId\nZTRA\n-TransferAll\n").arg(f.data.path()));
        QCOMPARE(shown.last().text,
                 QStringLiteral("The data has been retrieved,\r\nZestora Plus must be restarted."
                                "\r\n\r\nClick OK to close Zestora Plus"));
        QCOMPARE(f.data.readBytes(TableDef::Recipes), saved);
    }
};

QTEST_MAIN(TestHandheldCommands)
#include "test_handheldcommands.moc"
