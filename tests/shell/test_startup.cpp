#include "FakePlatform.h"
#include "ScriptedDialogs.h"
#include "ShellFixture.h"
#include "app/Main.h"
#include "shell/AppState.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QTimer>
#include <QtTest>

namespace {
Main::StartupOptions quiet()
{
    Main::StartupOptions options;
    options.showSplash = false;
    return options;
}
const QString kInitText = QStringLiteral("Unable to locate handheld database directory.\r\n\r\nRun the full installer "
                                         "again.\r\n\r\nContact technical support if the problem persists.");
} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { AppState::instance().reset(); }

    void secondCopyIsRefused()
    {
        ShellFolders f;
        f.writeStandardIni();
        FakePlatform platform;
        platform.lockAvailable = false;
        ScriptedDialogs dialogs;
        dialogs.answer(MsgAnswer::Ok);
        Main main;
        QVERIFY(!main.startUp(f.programPath(), quiet()));
        QCOMPARE(dialogs.messageCount(), 1);
        QCOMPARE(dialogs.last().title, QStringLiteral("Already Running"));
        QCOMPARE(dialogs.last().text, QStringLiteral("Zestora is already running"));
        QCOMPARE(dialogs.last().icon, MsgIcon::Exclamation);
        QVERIFY(!AppState::instance().recipes);
    }

    void installTypes_data()
    {
        QTest::addColumn<QByteArray>("installType");
        QTest::addColumn<bool>("handheldItems");
        QTest::addColumn<QString>("expectedType");
        QTest::newRow("missing behaves as Palm") << QByteArray() << false << "Palm";
        QTest::newRow("Palm") << QByteArray("Palm") << false << "Palm";
        QTest::newRow("PPC") << QByteArray("PPC") << true << "PPC";
    }
    void installTypes()
    {
        QFETCH(QByteArray, installType);
        QFETCH(bool, handheldItems);
        QFETCH(QString, expectedType);
        ShellFolders f;
        f.writeStandardIni(installType);
        FakePlatform platform;
        ScriptedDialogs dialogs;
        Main main;
        FakeRecipeWindow recipes;
        main.setRecipeWindow(&recipes);
        Main::StartupOptions withSplash;
        withSplash.splashMinimumMs = 0;
        QVERIFY(main.startUp(f.programPath(), withSplash));
        QCOMPARE(dialogs.messageCount(), 0);
        AppState& state = AppState::instance();
        QCOMPARE(state.installType, expectedType);
        QCOMPARE(state.programFolder, f.programPath());
        QCOMPARE(state.settingsPath, f.ini());
        QCOMPARE(state.backupPath, f.programPath() + QStringLiteral("Backup/"));
        QCOMPARE(main.findChild<QAction*>(QStringLiteral("mnuTransfer"))->isVisible(), handheldItems);
        QCOMPARE(main.findChild<QAction*>(QStringLiteral("mnuRetrieve"))->isVisible(), handheldItems);
        QVERIFY(state.recipes && state.prefs && state.menu);
        QCOMPARE(state.prefs->recordset().sort(), QStringLiteral("PrefsKey ASC"));
        QCOMPARE(state.menu->recordset().sort(), QStringLiteral("MenuKey ASC"));
        QCOMPARE(state.menu->recordset().filter(), RecordStatus::LiveFilter);
        QCOMPARE(recipes.listings, 1);
        QVERIFY(main.syncWatch()->isActive());
        QCOMPARE(main.syncWatch()->interval(), 1000);
        QVERIFY(!main.findChild<QWidget*>(QStringLiteral("frmSplash")));
    }

    void copyLog_data()
    {
        QTest::addColumn<QByteArray>("installType");
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<bool>("moved");
        QTest::newRow("Palm, other folder")
            << QByteArray("Palm") << QByteArray("Start\r\nUserPath: %NEW%\r\nEnd\r\n") << true;
        QTest::newRow("missing type, other folder") << QByteArray() << QByteArray("UserPath: %NEW%") << true;
        QTest::newRow("PPC never reads the log") << QByteArray("PPC") << QByteArray("UserPath: %NEW%\r\n") << false;
        QTest::newRow("same folder") << QByteArray("Palm") << QByteArray("UserPath: %OLD%\r\n") << false;
        QTest::newRow("no UserPath line")
            << QByteArray("Palm") << QByteArray("Copied 13 files\r\nuserpath: x\r\n") << false;
        QTest::newRow("empty UserPath") << QByteArray("Palm") << QByteArray("UserPath: \r\n") << false;
    }
    void copyLog()
    {
        QFETCH(QByteArray, installType);
        QFETCH(QByteArray, log);
        QFETCH(bool, moved);
        ShellFolders f;
        TestData::DataFolderFixture conduitFolder;
        const QString newPath = conduitFolder.path() + QLatin1Char('/');
        f.writeStandardIni(installType);
        const QByteArray iniBefore = f.iniBytes();
        log.replace("%NEW%", newPath.toUtf8()).replace("%OLD%", f.dataPath().toUtf8());
        TestData::writeFile(f.program.filePath(QStringLiteral("CASLcopy.log")), log);
        TestData::writeFile(f.program.filePath(QStringLiteral("install.log")), "Installed\r\n");
        FakePlatform platform;
        ScriptedDialogs dialogs;
        Main main;
        QVERIFY(main.startUp(f.programPath(), quiet()));
        const QString installLog
            = QString::fromUtf8(TestData::readFile(f.program.filePath(QStringLiteral("install.log"))));
        if (moved) {
            QCOMPARE(AppState::instance().dataPath, newPath);
            QVERIFY(f.iniBytes().contains("DataPath=" + newPath.toUtf8() + "\r\n"));
            QVERIFY(f.iniBytes().contains("OldDataPath=" + f.dataPath().toUtf8() + "\r\n"));
            QCOMPARE(installLog, QStringLiteral("Installed\r\nFile Tree: ") + newPath + QStringLiteral("*.*\r\n"));
        } else {
            QCOMPARE(AppState::instance().dataPath, f.dataPath());
            QCOMPARE(f.iniBytes(), iniBefore);
            QCOMPARE(installLog, QStringLiteral("Installed\r\n"));
        }
    }

    void noDataFolder_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<bool>("exactText");
        QTest::newRow("no settings file") << QByteArray() << true;
        QTest::newRow("empty data path, PPC") << QByteArray("[Main]\r\nInstallType=PPC\r\nDataPath=\r\n") << true;
        QTest::newRow("garbage only") << QByteArray("\xff\xfe garbage\r\n=\r\n[\r\n") << true;
        QTest::newRow("folder does not exist") << QByteArray("[Main]\r\nDataPath=/no/such/folder/\r\n") << false;
    }
    void noDataFolder()
    {
        QFETCH(QByteArray, ini);
        QFETCH(bool, exactText);
        ShellFolders f;
        if (!ini.isEmpty())
            f.writeIni(ini);
        FakePlatform platform;
        ScriptedDialogs dialogs;
        dialogs.answer(MsgAnswer::Ok);
        Main main;
        // With the splash window up: the message still reaches the dialogs and the splash is gone after.
        QVERIFY(!main.startUp(f.programPath(), Main::StartupOptions()));
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY(w->objectName() != QLatin1String("frmSplash"));
        QCOMPARE(dialogs.messageCount(), 1);
        QCOMPARE(dialogs.last().title, QStringLiteral("InitializatiOn Error"));
        if (exactText)
            QCOMPARE(dialogs.last().text, kInitText);
        else
            QVERIFY(dialogs.last().text.contains(QStringLiteral("/no/such/folder/")));
        QVERIFY(!AppState::instance().recipes);
        QVERIFY(!main.syncWatch()->isActive());
    }

    void dataPathWithoutSeparator()
    {
        ShellFolders f;
        f.writeIni("[Main]\r\nInstallType=PPC\r\nDataPath=" + f.data.path().toUtf8() + "\r\n");
        FakePlatform platform;
        ScriptedDialogs dialogs;
        Main main;
        QVERIFY(main.startUp(f.programPath(), quiet()));
        QCOMPARE(AppState::instance().dataPath, f.dataPath());
        QVERIFY(!f.iniBytes().contains("DataPath=" + f.dataPath().toUtf8()));
    }

    void missingTableEndsStartUp()
    {
        ShellFolders f;
        f.writeStandardIni();
        QFile::remove(f.data.file(TableDef::MenuPlanner));
        FakePlatform platform;
        ScriptedDialogs dialogs;
        dialogs.answer(MsgAnswer::Ok);
        TestData::ThrowOnFatalLoad throwing;
        Main main;
        QVERIFY(!main.startUp(f.programPath(), quiet()));
        QCOMPARE(dialogs.messageCount(), 1);
        QVERIFY(dialogs.last().text.contains(QStringLiteral("ZestoMenu.cdb"))
                || dialogs.last().text.contains(QStringLiteral("data source 8")));
        QVERIFY(!main.syncWatch()->isActive());
    }

    void duplicatePreferencesCleanedBeforeLoading()
    {
        ShellFolders f;
        f.writeStandardIni();
        f.data.writeBytes(TableDef::Preferences,
                          "#FLDCNT:2\r\n0x00000001,0x0000,\"serves\",\"4\"\r\n"
                          "0x00000002,0x0000,\"serves\",\"6\"\r\n");
        FakePlatform platform;
        ScriptedDialogs dialogs;
        Main main;
        QVERIFY(main.startUp(f.programPath(), quiet()));
        QVERIFY(f.data.readBytes(TableDef::Preferences).contains("0x00000002,0x0002,\"serves\",\"6\""));
        QCOMPARE(AppState::instance().prefs->recordset().recordCount(), 1);
        QCOMPARE(AppState::instance().preference(QStringLiteral("serves")), QStringLiteral("4"));
    }

    void pickListsFilled()
    {
        ShellFolders f;
        f.writeStandardIni();
        f.data.writeBytes(TableDef::Ratings,
                          "#FLDCNT:3\r\n0x00000001,0x0000,\"5 Stars\",\"\",\"\"\r\n"
                          "0x00000002,0x0000,\"1 Star\",\"\",\"\"\r\n");
        FakePlatform platform;
        ScriptedDialogs dialogs;
        Main main;
        QVERIFY(main.startUp(f.programPath(), quiet()));
        auto* rating = main.findChild<QComboBox*>(QStringLiteral("cboRating"));
        QCOMPARE(rating->count(), 3);
        QCOMPARE(rating->itemText(1), QStringLiteral("1 Star"));
        QCOMPARE(main.findChild<QComboBox*>(QStringLiteral("cboSource"))->count(), 0);
    }

    void geometryRestored_data()
    {
        QTest::addColumn<QByteArray>("form");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("stored") << QByteArray("[Form]\r\nLeft=30\r\nTop=40\r\nWidth=700\r\nHeight=500\r\n")
                                << QRect(30, 40, 700, 500);
        QTest::newRow("nothing stored") << QByteArray() << QRect();
        QTest::newRow("not numbers") << QByteArray("[Form]\r\nLeft=abc\r\nTop=1\r\nWidth=2\r\nHeight=3\r\n") << QRect();
        QTest::newRow("zero size") << QByteArray("[Form]\r\nLeft=1\r\nTop=1\r\nWidth=0\r\nHeight=3\r\n") << QRect();
    }
    void geometryRestored()
    {
        QFETCH(QByteArray, form);
        QFETCH(QRect, expected);
        ShellFolders f;
        f.writeIni("[Main]\r\nDataPath=" + f.dataPath().toUtf8() + "\r\n" + form);
        FakePlatform platform;
        ScriptedDialogs dialogs;
        Main main;
        const QRect before = main.geometry();
        QVERIFY(main.startUp(f.programPath(), quiet()));
        QCOMPARE(main.geometry(), expected.isNull() ? before : expected);
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
