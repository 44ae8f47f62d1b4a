#include "Widgets.h"

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
        box.show();
        TestUi::tabTo(&box);
    }

private slots:
    void completesTyping_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("selected");
        const auto row = [](const char* typed, const char* text, const char* selected) {
            QTest::newRow(typed) << QString(typed) << QString(text) << QString(selected);
        };
        row("fl", "flour", "our"); // the typed case is kept
        row("fli", "fli", ""); // typing replaces the remainder
        row("flour,", "flour, self-raising", " self-raising"); // the first of two matches
        row("xyz", "xyz", "");
    }
    void completesTyping()
    {
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QFETCH(QString, selected);
        QComboBox box;
        fill(box, true);
        TestUi::type(typed);
        QCOMPARE(box.lineEdit()->text(), text);
        QCOMPARE(box.lineEdit()->selectedText(), selected);
        QVERIFY(!SuppressTypeAhead);
    }

    void backspace_data()
    {
        QTest::addColumn<bool>("withKeyDown");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("selected");
        const auto row = [](const char* tag, bool keyDown, const char* before, const char* after, const char* text,
                            const char* selected) {
            QTest::newRow(tag) << keyDown << QString(before) << QString(after) << QString(text) << QString(selected);
        };
        row("key down leaves typed text", true, "fl", "", "fl", "");
        row("key down, next keystroke completes", true, "fl", "o", "flour", "ur");
        row("without key down completes again", false, "fl", "", "flour", "our");
        row("on an empty box, next completes", true, "", "b", "butter", "utter");
    }
    void backspace()
    {
        QFETCH(bool, withKeyDown);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(QString, text);
        QFETCH(QString, selected);
        QComboBox box;
        fill(box, withKeyDown);
        TestUi::type(before);
        TestUi::press(Qt::Key_Backspace);
        TestUi::type(after);
        QEXPECT_FAIL("key down leaves typed text",
                     "keys reaching the box pass the line edit's key filter; mended with the window key work", Abort);
        QCOMPARE(box.lineEdit()->text(), text);
        QCOMPARE(box.lineEdit()->selectedText(), selected);
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
        TestUi::type(QStringLiteral("s"));
        TestUi::press(Qt::Key_A, Qt::ControlModifier);
        TestUi::press(Qt::Key_Delete);
        QCOMPARE(box.lineEdit()->text(), QString());
    }
};

QTEST_MAIN(TestTypeAhead)
#include "test_typeahead.moc"
