#include "FakePlatform.h"
#include "ScriptedDialogs.h"
#include "TestData.h"
#include "app/Main.h"
#include "demo/DemoData.h"
#include "shell/AppState.h"
#include "shell/Settings.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QtTest>

namespace {
// An installed program bin/ with share/zestora-plus/ beside it (writable, as for root), and the user's folders.
struct Install
{
    QTemporaryDir root;
    FakePlatform platform;
    ScriptedDialogs dialogs;

    Install()
    {
        QDir(root.path()).mkpath(QStringLiteral("bin"));
        QDir(root.path()).mkpath(QStringLiteral("share/zestora-plus"));
        TestData::writeFile(root.filePath(QStringLiteral("share/zestora-plus/zestoraplus-help.html")), "<html>");
        platform.configFolder = root.filePath(QStringLiteral("config/zestora-plus"));
        platform.dataFolder = root.filePath(QStringLiteral("data/zestora-plus"));
    }
    QString program() const { return root.filePath(QStringLiteral("bin/")); }
    QString configIni() const { return platform.configFolder + QStringLiteral("/zestoraplus.ini"); }
    QString setting(const char* key) const { return Settings::read(configIni(), "Main", key, "(none)"); }
};

// Presses the keys (named, or text to type) in the dialog's focus widget; its result, -1 while it is open.
int pressKeys(QDialog& dialog, const QStringList& keys)
{
    dialog.show();
    static const QHash<QString, Qt::Key> named { { "Tab", Qt::Key_Tab },
                                                 { "Down", Qt::Key_Down },
                                                 { "Space", Qt::Key_Space },
                                                 { "Enter", Qt::Key_Return },
                                                 { "Escape", Qt::Key_Escape } };
    for (const QString& key : keys) {
        if (!QTest::qWaitForWindowActive(&dialog) || !QApplication::focusWidget())
            return -1;
        if (named.contains(key))
            QTest::keyClick(QApplication::focusWidget(), named.value(key));
        else
            QTest::keyClicks(QApplication::focusWidget(), key);
    }
    return dialog.isVisible() ? -1 : dialog.result();
}
} // namespace

class TestInstall : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { AppState::instance().reset(); }

    void firstStart_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("browsed"); // the folder chooser's answer, when Browse is pressed
        QTest::addColumn<bool>("started");
        QTest::addColumn<QString>("dataFolder"); // relative to the temporary root
        QTest::addColumn<int>("recipes");
        QTest::addColumn<QString>("installType");
        const int demo = DemoData::recipeCount();
        QTest::newRow("demo cookbook in the offered folder")
            << QStringList { "Enter" } << QString() << true << "data/zestora-plus/Cookbook/" << demo << "Palm";
        QTest::newRow("typed folder, empty cookbook, Pocket PC")
            << QStringList { "%ROOT%/Recipes", "Tab", "Tab", "Down", "Tab", "Down", "Enter" } << QString() << true
            << "Recipes/" << 0 << "PPC";
        QTest::newRow("browsed folder with a cookbook is kept")
            << QStringList { "Tab", "Space", "Tab", "Down", "Enter" } << "%ROOT%/Old" << true << "Old/" << demo
            << "Palm";
        QTest::newRow("folder with some tables refused, then cancelled")
            << QStringList { "%ROOT%/Partial", "Enter", "Escape" } << QString() << false << QString() << 0 << QString();
    }
    void firstStart()
    {
        QFETCH(QStringList, keys);
        QFETCH(QString, browsed);
        QFETCH(bool, started);
        QFETCH(QString, dataFolder);
        QFETCH(int, recipes);
        QFETCH(QString, installType);
        Install in;
        QVERIFY(!DemoData::create(in.root.filePath(QStringLiteral("Old"))));
        QDir(in.root.path()).mkpath(QStringLiteral("Partial"));
        TestData::writeFile(in.root.filePath(QStringLiteral("Partial/ZestoDB.cdb")), "#FLDCNT: 11\r\n");
        keys.replaceInStrings(QStringLiteral("%ROOT%"), in.root.path());
        if (!browsed.isEmpty())
            in.dialogs.choosePath(browsed.replace(QStringLiteral("%ROOT%"), in.root.path()));
        if (!started)
            in.dialogs.answer(MsgAnswer::Ok);

        Main main;
        Main::StartupOptions options;
        options.showSplash = false;
        options.runDialog = [&keys](QDialog& dialog) { return pressKeys(dialog, keys); };
        QCOMPARE(main.startUp(in.program(), options), started);
        QVERIFY(in.dialogs.exhausted());
        AppState& state = AppState::instance();
        if (!started) {
            QVERIFY(!state.recipes);
            QVERIFY(!QFileInfo::exists(in.configIni()));
            QCOMPARE(in.dialogs.messageCount(), 1);
            QVERIFY(in.dialogs.last().text.contains("holds 1 of the 13 table files"));
            return;
        }
        QCOMPARE(in.dialogs.messageCount(), 0);
        const QString folder = in.root.filePath(dataFolder);
        QCOMPARE(in.setting("DataPath"), folder);
        QCOMPARE(in.setting("InstallType"), installType);
        QCOMPARE(state.recipes->recordset().recordCount(), recipes);
        // An installed program keeps its settings with the user even where it could write beside itself.
        QVERIFY(!QFileInfo::exists(in.program() + QStringLiteral("zestoraplus.ini")));
        QCOMPARE(state.settingsPath, in.configIni());
        QCOMPARE(state.backupPath, in.platform.dataFolder + QStringLiteral("/Backup/"));
        QCOMPARE(state.helpFile, in.root.filePath(QStringLiteral("share/zestora-plus/zestoraplus-help.html")));
    }
};

QTEST_MAIN(TestInstall)
#include "test_install.moc"
