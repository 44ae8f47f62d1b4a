#include "app/Main.h"
#include "shell/ui/ProportionalLayout.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {
template <typename W> W* add(QWidget* parent, const char* name, QRect r)
{
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(r);
    return w;
}

// A design of 600 x 400 pixels with a control for each way of placing one.
struct Form
{
    QWidget root;
    Form()
    {
        add<QLineEdit>(&root, "single", QRect(10, 10, 100, 20));
        add<QPlainTextEdit>(&root, "multi", QRect(10, 40, 100, 80));
        add<QListWidget>(&root, "list", QRect(120, 10, 100, 100));
        add<QPushButton>(&root, "button", QRect(230, 40, 80, 26));
        add<QLabel>(&root, "label", QRect(230, 70, 60, 18));
        auto* image = add<QLabel>(&root, "image", QRect(430, 10, 100, 100));
        image->setProperty("kind", QStringLiteral("image"));
        auto* frame = add<QFrame>(&root, "frame", QRect(220, 160, 300, 200));
        add<QPushButton>(frame, "inFrame", QRect(10, 10, 60, 24));
        add<QLineEdit>(&root, "hiddenBox", QRect(1, 2, 3, 4))->setProperty("tag", QStringLiteral("hidden"));
        add<QPushButton>(&root, "fixedButton", QRect(5, 370, 50, 20))->setProperty("tag", QStringLiteral("fixed"));
        root.resize(600, 400);
    }
    QWidget* w(const char* name) { return root.findChild<QWidget*>(QString::fromLatin1(name)); }
};
} // namespace

class TestLayout : public QObject
{
    Q_OBJECT
private slots:
    void placementByKind_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("expected");
        // Doubled width, height times 1.5.
        QTest::newRow("single-line text: width scales, height kept") << "single" << QRect(20, 15, 200, 20);
        QTest::newRow("multi-line text scales") << "multi" << QRect(20, 60, 200, 120);
        QTest::newRow("button only moves") << "button" << QRect(460, 60, 80, 26);
        QTest::newRow("label only moves") << "label" << QRect(460, 105, 60, 18);
        QTest::newRow("image scales") << "image" << QRect(860, 15, 200, 150);
        QTest::newRow("in a frame, relative to it") << "inFrame" << QRect(20, 15, 60, 24);
        QTest::newRow("hidden tag never moves") << "hiddenBox" << QRect(1, 2, 3, 4);
        QTest::newRow("fixed tag never moves") << "fixedButton" << QRect(5, 370, 50, 20);
    }
    void placementByKind()
    {
        QFETCH(QString, name);
        QFETCH(QRect, expected);
        Form form;
        ProportionalLayout layout(&form.root, &form.root);
        layout.record(QSize(600, 400));
        QVERIFY(layout.apply(QSize(1200, 600), QSize(1200, 600)));
        QCOMPARE(form.w(name.toLatin1().constData())->geometry(), expected);
        // Back at the design size everything is where it was designed.
        QVERIFY(layout.apply(QSize(600, 400), QSize(600, 400)));
        QCOMPARE(form.w("list")->geometry(), QRect(120, 10, 100, 100));
    }

    void belowMinimumNothingMoves_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::newRow("too narrow") << QSize(599, 500);
        QTest::newRow("too low") << QSize(900, 399);
    }
    void belowMinimumNothingMoves()
    {
        QFETCH(QSize, window);
        Form form;
        ProportionalLayout layout(&form.root, &form.root);
        layout.record(QSize(600, 400));
        QVERIFY(layout.apply(QSize(700, 500), QSize(700, 500)));
        const QRect before = form.w("list")->geometry();
        QVERIFY(!layout.apply(window, window));
        QCOMPARE(form.w("list")->geometry(), before);
        // 600 x 400 pixels is exactly 9000 x 6000 twips.
        QVERIFY(layout.apply(QSize(600, 400), QSize(600, 400)));
    }

    void resizeEventsOnlyOnceEnabled()
    {
        Form form;
        ProportionalLayout layout(&form.root, &form.root);
        layout.record(QSize(600, 400));
        QCOMPARE(layout.recordedCount(), 8);
        form.root.show();
        form.root.resize(1200, 400);
        QCoreApplication::processEvents();
        QCOMPARE(form.w("list")->width(), 100);
        layout.setEnabled(true);
        form.root.resize(1200, 800);
        QCoreApplication::processEvents();
        QCOMPARE(form.w("list")->geometry(), QRect(240, 20, 200, 200));
    }

    void mainWindowDoubledWidth()
    {
        Main main;
        main.resizeLayout()->record(QSize(Main::DesignWidth, Main::DesignHeight));
        auto* list = main.findChild<QWidget*>(QStringLiteral("lstAll"));
        auto* instructions = main.findChild<QWidget*>(QStringLiteral("txtInstructions"));
        auto* button = main.findChild<QWidget*>(QStringLiteral("cmdNew"));
        const QRect list0 = list->geometry(), text0 = instructions->geometry(), button0 = button->geometry();
        QVERIFY(main.resizeLayout()->apply(QSize(2 * Main::DesignWidth, Main::DesignHeight),
                                           QSize(2 * Main::DesignWidth, Main::DesignHeight + 40)));
        QCOMPARE(list->width(), 2 * list0.width());
        QCOMPARE(instructions->width(), 2 * text0.width());
        QCOMPARE(button->size(), button0.size());
        QCOMPARE(button->x(), 2 * button0.x());
    }
};

QTEST_MAIN(TestLayout)
#include "test_layout.moc"
