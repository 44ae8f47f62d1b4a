#include "recipes/ui/TypeAhead.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

class TestTypeAhead : public QObject
{
    Q_OBJECT

private:
    static void fill(QComboBox& box, bool withKeyDown)
    {
        box.addItems({ QStringLiteral("Butter"), QStringLiteral("Flour"), QStringLiteral("Flour, self-raising"),
                       QStringLiteral("Sugar") });
        installTypeAhead(&box, withKeyDown);
        box.setCurrentIndex(-1);
        box.lineEdit()->clear();
        SuppressTypeAhead = false;
    }

private slots:
    void completesTyping_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("selected");
        QTest::newRow("prefix keeps typed case") << "fl"
                                                 << "flour"
                                                 << "our";
        QTest::newRow("upper case prefix") << "SU"
                                           << "SUgar"
                                           << "gar";
        QTest::newRow("typing replaces the remainder") << "fli"
                                                       << "fli"
                                                       << "";
        QTest::newRow("whole entry") << "butter"
                                     << "butter"
                                     << "";
        QTest::newRow("first of two matches") << "flour,"
                                              << "flour, self-raising"
                                              << " self-raising";
        QTest::newRow("no entry begins with it") << "xyz"
                                                 << "xyz"
                                                 << "";
    }
    void completesTyping()
    {
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QFETCH(QString, selected);
        QComboBox box;
        fill(box, true);
        QTest::keyClicks(box.lineEdit(), typed);
        QCOMPARE(box.lineEdit()->text(), text);
        QCOMPARE(box.lineEdit()->selectedText(), selected);
        QVERIFY(!SuppressTypeAhead);
    }

    void backspaceWithKeyDownLeavesTypedText()
    {
        QComboBox box;
        fill(box, true);
        QTest::keyClicks(box.lineEdit(), QStringLiteral("fl"));
        QCOMPARE(box.lineEdit()->text(), QStringLiteral("flour"));
        QTest::keyClick(box.lineEdit(), Qt::Key_Backspace);
        QCOMPARE(box.lineEdit()->text(), QStringLiteral("fl"));
        // The next keystroke completes again.
        QTest::keyClicks(box.lineEdit(), QStringLiteral("o"));
        QCOMPARE(box.lineEdit()->text(), QStringLiteral("flour"));
    }

    void backspaceWithoutKeyDownCompletesAgain()
    {
        QComboBox box;
        fill(box, false);
        QTest::keyClicks(box.lineEdit(), QStringLiteral("fl"));
        QTest::keyClick(box.lineEdit(), Qt::Key_Backspace);
        QCOMPARE(box.lineEdit()->text(), QStringLiteral("flour"));
        QCOMPARE(box.lineEdit()->selectedText(), QStringLiteral("our"));
    }

    void backspaceOnEmptyBoxDoesNotSwallowNextCompletion()
    {
        QComboBox box;
        fill(box, true);
        QTest::keyClick(box.lineEdit(), Qt::Key_Backspace);
        QTest::keyClicks(box.lineEdit(), QStringLiteral("b"));
        QCOMPARE(box.lineEdit()->text(), QStringLiteral("butter"));
    }

    void raisedFlagSkipsOneChange()
    {
        QComboBox box;
        fill(box, true);
        SuppressTypeAhead = true;
        box.lineEdit()->setText(QStringLiteral("s"));
        ComboTypeAhead(&box);
        QCOMPARE(box.lineEdit()->text(), QStringLiteral("s"));
        QVERIFY(!SuppressTypeAhead);
        ComboTypeAhead(&box);
        QCOMPARE(box.lineEdit()->text(), QStringLiteral("sugar"));
    }

    void emptiedBoxStaysEmpty()
    {
        QComboBox box;
        fill(box, false);
        QTest::keyClicks(box.lineEdit(), QStringLiteral("s"));
        box.lineEdit()->selectAll();
        QTest::keyClick(box.lineEdit(), Qt::Key_Delete);
        QCOMPARE(box.lineEdit()->text(), QString());
    }
};

QTEST_MAIN(TestTypeAhead)
#include "test_typeahead.moc"
