#include "TestData.h"
#include "Widgets.h"
#include "app/Main.h"
#include "shell/AppState.h"
#include "shell/ui/PreferencesWindow.h"
#include "shell/ui/ProportionalLayout.h"
#include "shell/ui/QtPlatform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QLockFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QtTest>

namespace {
template <typename W> W* child(QWidget& w, const char* name)
{
    return TestUi::child<W>(&w, name);
}
} // namespace

class TestShellWindows : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { AppState::instance().reset(); }

    void preferencesShownAndChanged()
    {
        TestData::DataFolderFixture data;
        data.writeBytes(TableDef::Preferences,
                        "#FLDCNT: 2\r\n"
                            + TestData::crlfLines({ "0x00000001,0x0000,\"abbrev_ingr\",\"1\"",
                                                    "0x00000002,0x0000,\"equivalents\",\"a\\nb\"",
                                                    "0x00000003,0x0000,\"scaling\",\"odd\"",
                                                    "0x00000000,0x0008,\"serves\",\"6\"" }));
        AppState& state = AppState::instance();
        state.dataPath = data.path() + QLatin1Char('/');
        state.prefs = std::make_unique<DataSourcePrefs2>(data.file(TableDef::Preferences));
        Recordset& rs = state.prefs->recordset();
        rs.setFilter(RecordStatus::LiveFilter);
        auto statuses = [&rs] {
            QStringList out;
            for (rs.moveFirst(); !rs.eof(); rs.moveNext())
                out << rs.value("PrefsKey") + '=' + rs.value("STATUS");
            return out;
        };
        const QStringList before = statuses();
        {
            PreferencesWindow unchanged; // OK without changes keeps every line, an unoffered value too
            child<QPushButton>(unchanged, "cmdOK")->click();
            QCOMPARE(statuses(), before);
        }
        PreferencesWindow window;
        QVERIFY(child<QCheckBox>(window, "chk_abbrev_ingr")->isChecked());
        QCOMPARE(child<QPlainTextEdit>(window, "txt_equivalents")->toPlainText(), QStringLiteral("a\nb"));
        child<QComboBox>(window, "cbo_scaling")->setCurrentText(QStringLiteral("decimal"));
        child<QCheckBox>(window, "chk_confirm_1SL")->setChecked(true);
        child<QLineEdit>(window, "txt_serves")->setText(QStringLiteral("8"));
        child<QPlainTextEdit>(window, "txt_equivalents")->setPlainText(QStringLiteral("1 cup = 16 tbsp\n1 lb = 16 oz"));
        child<QPushButton>(window, "cmdOK")->click();
        QCOMPARE(statuses(),
                 (QStringList { "abbrev_ingr=0x0000", "equivalents=0x0004", "scaling=0x0004", "serves=0x0008",
                                "confirm_1SL=0x0008" }));
    }

    void platformLockAndProcesses()
    {
        const QString key = QStringLiteral("zestoraplus-test-%1").arg(QCoreApplication::applicationPid());
        {
            QtPlatform first;
            QVERIFY(first.acquireSingleInstance(key) && first.acquireSingleInstance(key));
            QVERIFY(!QLockFile(QtPlatform::lockPath(key)).tryLock(0)); // another process is refused
        }
        QtPlatform platform; // released with its owner
        QVERIFY(platform.acquireSingleInstance(key));
    }
};

QTEST_MAIN(TestShellWindows)
#include "test_shellwindows.moc"
