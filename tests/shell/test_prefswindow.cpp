#include "FakePlatform.h"
#include "ScriptedDialogs.h"
#include "TestData.h"
#include "Widgets.h"
#include "app/Main.h"
#include "shell/AppState.h"
#include "shell/ui/PreferencesWindow.h"
#include "shell/ui/ShellCommands.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {
struct HeldPrefs
{
    TestData::DataFolderFixture data;
    explicit HeldPrefs(const QList<QByteArray>& records)
    {
        data.writeBytes(TableDef::Preferences, "#FLDCNT: 2\r\n" + TestData::crlfLines(records));
        AppState& state = AppState::instance();
        state.dataPath = data.path() + QLatin1Char('/');
        state.prefs = std::make_unique<DataSourcePrefs2>(data.file(TableDef::Preferences));
        state.prefs->recordset().setFilter(RecordStatus::LiveFilter);
        state.prefs->recordset().setSort(QStringLiteral("PrefsKey ASC"));
    }
    Recordset& rs() { return AppState::instance().prefs->recordset(); }
    QString status(const QString& key)
    {
        rs().moveFirst();
        return rs().find(QStringLiteral("PrefsKey = '%1'").arg(key)) ? rs().value(QStringLiteral("STATUS")) : QString();
    }
};

template <typename W> W* child(QWidget& w, const char* name)
{
    return TestUi::child<W>(&w, name);
}
} // namespace

class TestPrefsWindow : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { AppState::instance().reset(); }

    void showsStoredValuesAndMissingDefaults()
    {
        HeldPrefs prefs({ "0x00000001,0x0000,\"abbrev_ingr\",\"1\"", "0x00000002,0x0000,\"equivalents\",\"a\\nb\\nc\"",
                          "0x00000003,0x0000,\"scaling\",\"decimal\"", "0x00000004,0x0000,\"serves\",\"6\"" });
        PreferencesWindow window;
        QVERIFY(child<QCheckBox>(window, "chk_abbrev_ingr")->isChecked());
        QVERIFY(!child<QCheckBox>(window, "chk_ingr_auto_add")->isChecked());
        QCOMPARE(child<QComboBox>(window, "cbo_scaling")->currentText(), QStringLiteral("decimal"));
        QCOMPARE(child<QComboBox>(window, "cbo_instructions")->currentText(), QStringLiteral("editable"));
        QCOMPARE(child<QComboBox>(window, "cbo_ingredients")->currentText(), QStringLiteral("columns"));
        QCOMPARE(child<QLineEdit>(window, "txt_serves")->text(), QStringLiteral("6"));
        QCOMPARE(child<QPlainTextEdit>(window, "txt_equivalents")->toPlainText(), QStringLiteral("a\nb\nc"));
    }

    void okWithoutChangesTouchesNothing()
    {
        HeldPrefs prefs({ "0x00000002,0x0000,\"equivalents\",\"a\\nb\\nc\"", "0x00000003,0x0000,\"scaling\",\"odd\"" });
        PreferencesWindow window;
        child<QPushButton>(window, "cmdOK")->click();
        QCOMPARE(prefs.rs().totalRecordCount(), 2);
        QCOMPARE(prefs.status(QStringLiteral("equivalents")), QStringLiteral("0x0000"));
        QCOMPARE(prefs.status(QStringLiteral("scaling")), QStringLiteral("0x0000"));
    }

    void okWritesChangedValues()
    {
        HeldPrefs prefs({ "0x00000003,0x0000,\"scaling\",\"fraction\"" });
        PreferencesWindow window;
        child<QComboBox>(window, "cbo_scaling")->setCurrentText(QStringLiteral("decimal"));
        child<QCheckBox>(window, "chk_confirm_1SL")->setChecked(true);
        child<QPlainTextEdit>(window, "txt_equivalents")
            ->setPlainText(QStringLiteral("1 cup = 16 tbsp\n1 tbsp = 3 tsp\n1 lb = 16 oz"));
        child<QPushButton>(window, "cmdOK")->click();
        QCOMPARE(prefs.status(QStringLiteral("scaling")), QStringLiteral("0x0004"));
        QCOMPARE(prefs.status(QStringLiteral("confirm_1SL")), QStringLiteral("0x0008"));
        QCOMPARE(AppState::instance().preference(QStringLiteral("equivalents")),
                 QStringLiteral("1 cup = 16 tbsp\\n1 tbsp = 3 tsp\\n1 lb = 16 oz"));
        QCOMPARE(prefs.rs().totalRecordCount(), 3);
    }

    void limitsThenCancelStoresNothing()
    {
        HeldPrefs prefs({});
        PreferencesWindow window;
        auto* serves = child<QLineEdit>(window, "txt_serves");
        serves->setText(QStringLiteral("123456789012"));
        QCOMPARE(serves->text().size(), 10);
        auto* equivalents = child<QPlainTextEdit>(window, "txt_equivalents");
        equivalents->setPlainText(QString(4100, QLatin1Char('x')));
        QCOMPARE(equivalents->toPlainText().size(), 4000);
        child<QPushButton>(window, "cmdCancel")->click(); // cancel stores nothing
        QCOMPARE(prefs.rs().totalRecordCount(), 0);
    }

    void webItems_data()
    {
        QTest::addColumn<bool>("browser");
        QTest::newRow("browser starts") << true;
        QTest::newRow("no browser") << false;
    }
    void webItems()
    {
        QFETCH(bool, browser);
        FakePlatform platform;
        platform.openSucceeds = browser;
        ScriptedDialogs dialogs;
        Main main;
        for (const char* name : { "mnuWebsite", "mnuUpdate", "mnuMoreRecipes" }) {
            if (!browser)
                dialogs.answer(MsgAnswer::Ok);
            TestUi::trigger(&main, name);
        }
        QCOMPARE(platform.opened.size(), 3);
        QVERIFY(platform.opened.first().startsWith(QStringLiteral("https://")));
        QCOMPARE(dialogs.messageCount(), browser ? 0 : 3);
        if (!browser) {
            QCOMPARE(dialogs.last().text, QStringLiteral("Could not find a browser"));
        }
    }

    void helpFile()
    {
        FakePlatform platform;
        ScriptedDialogs dialogs;
        TestData::DataFolderFixture folder;
        const QString help = folder.path() + QStringLiteral("/zestoraplus-help.html");
        AppState::instance().helpFile = help;
        dialogs.answer(MsgAnswer::Ok);
        openHelpFile(); // not shipped: told, nothing opened
        QCOMPARE(dialogs.messageCount(), 1);
        QVERIFY(dialogs.last().text.contains(help));
        QVERIFY(platform.opened.isEmpty());
        TestData::writeFile(help, "<html></html>");
        openHelpFile();
        QCOMPARE(platform.opened, QStringList { help });
        QCOMPARE(dialogs.messageCount(), 1);
    }
};

QTEST_MAIN(TestPrefsWindow)
#include "test_prefswindow.moc"
