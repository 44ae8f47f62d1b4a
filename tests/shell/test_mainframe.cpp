#include "TestData.h"
#include "app/Main.h"
#include "shell/AppState.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFrame>
#include <QTabBar>
#include <QtTest>

class TestMainFrame : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { AppState::instance().reset(); }

    void controlsExist_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tip");
        auto row = [](const char* n, const char* cls, const char* caption, const char* tip) {
            QTest::newRow(n) << QString::fromLatin1(n) << QString::fromLatin1(cls) << QString::fromLatin1(caption)
                             << QString::fromLatin1(tip);
        };
        row("lstAll", "QListWidget", "", "");
        row("cmdNewSave", "QPushButton", "S&ave", "Save Changes");
        row("cmdShop_1", "QPushButton", "", "Add ALL ingredients to shopping list");
        row("cboRating", "QComboBox", "", "Select or enter a rating");
        row("txtKey", "QLineEdit", "", "");
    }
    void controlsExist()
    {
        QFETCH(QString, name);
        QFETCH(QString, className);
        QFETCH(QString, caption);
        QFETCH(QString, tip);
        Main main;
        const auto found = main.findChildren<QWidget*>(name);
        QCOMPARE(found.size(), 1);
        QWidget* w = found.first();
        QCOMPARE(QString::fromLatin1(w->metaObject()->className()), className);
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            QCOMPARE(b->text(), caption);
        QCOMPARE(w->toolTip(), tip);
    }

    void tabsSwitchFrames()
    {
        Main main;
        main.show();
        auto* tabs = main.findChild<QTabBar*>(QStringLiteral("tab1"));
        QCOMPARE(tabs->count(), 4);
        for (int i = 0; i < 4; ++i) {
            tabs->setCurrentIndex(i);
            for (int f = 1; f <= 4; ++f)
                QCOMPARE(main.findChild<QFrame*>(QStringLiteral("frmTab_%1").arg(f))->isVisible(), f == i + 1);
        }
        main.showTabPage(2);
        QCOMPARE(tabs->currentIndex(), 1);
    }

    void loadCombosFillsSortedLiveEntries()
    {
        TestData::DataFolderFixture data;
        data.writeBytes(TableDef::Sources,
                        TestData::crlfLines({ "0x00000001,0x0000,\"Grandma\",\"\",\"\"",
                                              "0x00000002,0x0002,\"Deleted one\",\"\",\"\"",
                                              "0x00000003,0x0004,\"Family cookbook\",\"\",\"\"" }));
        AppState::instance().dataPath = data.path() + QLatin1Char('/');
        Main main;
        main.LoadCombos();
        auto* source = main.findChild<QComboBox*>(QStringLiteral("cboSource"));
        auto* rating = main.findChild<QComboBox*>(QStringLiteral("cboRating"));
        QStringList items;
        for (int i = 0; i < source->count(); ++i)
            items << source->itemText(i);
        QCOMPARE(items, (QStringList { QString(), QStringLiteral("Family cookbook"), QStringLiteral("Grandma") }));
        // An empty table leaves its box without the empty entry.
        QCOMPARE(rating->count(), 0);
        // Filling again replaces, never appends.
        main.LoadCombos();
        QCOMPARE(source->count(), 3);
    }
};

QTEST_MAIN(TestMainFrame)
#include "test_mainframe.moc"
