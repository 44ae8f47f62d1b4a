#include "Widgets.h"

#include <QAbstractButton>
#include <QAction>
#include <QListWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <iterator>

namespace TestUi {

QObject* namedChild(const QObject* parent, const char* name, const QMetaObject& type)
{
    const auto all = parent->findChildren<QObject*>(QLatin1String(name));
    for (QObject* o : all) {
        if (type.cast(o))
            return o;
    }
    qFatal("no %s named %s under %s", type.className(), name, qPrintable(parent->objectName()));
    return nullptr;
}

void click(const QObject* parent, const char* name)
{
    auto* button = child<QAbstractButton>(parent, name);
    QTest::mouseClick(button, Qt::LeftButton);
}

void trigger(const QObject* parent, const char* name)
{
    child<QAction>(parent, name)->trigger();
}

QStringList texts(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QStringList column(const QTableWidget* grid, int column)
{
    QStringList out;
    for (int r = 0; r < grid->rowCount(); ++r)
        out << (grid->item(r, column) ? grid->item(r, column)->text() : QString());
    return out;
}

void tabTo(QWidget* target)
{
    target->window()->activateWindow();
    QApplication::setActiveWindow(target->window());
    const auto reached = [target] {
        QWidget* f = QApplication::focusWidget();
        return f && (f == target || target->isAncestorOf(f) || f == target->focusProxy());
    };
    for (int i = 0; i < 200 && !reached(); ++i) {
        QWidget* before = QApplication::focusWidget();
        QTest::keyClick(before ? before : target->window(), Qt::Key_Tab);
        if (before && QApplication::focusWidget() == before) {
            QTest::qFail(qPrintable(QStringLiteral("Tab stays in %1").arg(before->objectName())), __FILE__, __LINE__);
            return;
        }
    }
    if (!reached())
        QTest::qFail(qPrintable(QStringLiteral("Tab never reaches %1").arg(target->objectName())), __FILE__, __LINE__);
}

void clickInto(QWidget* target)
{
    QTest::mouseClick(target, Qt::LeftButton);
    if (QApplication::focusWidget() != target && QApplication::focusWidget() != target->focusProxy())
        QTest::qFail(qPrintable(QStringLiteral("a click does not focus %1").arg(target->objectName())), __FILE__,
                     __LINE__);
}

void type(const QString& text)
{
    for (const QChar c : text)
        QTest::keyClicks(QApplication::focusWidget(), QString(c));
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

bool focus(QWidget* widget)
{
    QWidget* window = widget->window();
    window->show();
    QApplication::setActiveWindow(window);
    if (!QTest::qWaitForWindowActive(window))
        return false;
    widget->setFocus(Qt::OtherFocusReason);
    return QApplication::focusWidget() == widget;
}

void keys(const QString& script)
{
    static const struct
    {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } named[] = { { "Enter", Qt::Key_Return, {} },    { "Tab", Qt::Key_Tab, {} },
                  { "Backtab", Qt::Key_Backtab, {} }, { "Backspace", Qt::Key_Backspace, {} },
                  { "Delete", Qt::Key_Delete, {} },   { "Home", Qt::Key_Home, {} },
                  { "End", Qt::Key_End, {} },         { "Left", Qt::Key_Left, {} },
                  { "Right", Qt::Key_Right, {} },     { "Ctrl+A", Qt::Key_A, Qt::ControlModifier } };
    for (qsizetype i = 0; i < script.size(); ++i) {
        if (!QApplication::focusWidget()) {
            QTest::qFail("no widget has the focus", __FILE__, __LINE__);
            return;
        }
        const qsizetype close = script.at(i) == QLatin1Char('{') ? script.indexOf(QLatin1Char('}'), i) : -1;
        if (close < 0) {
            type(script.mid(i, 1));
            continue;
        }
        const QString name = script.mid(i + 1, close - i - 1);
        const auto* found = std::find_if(std::begin(named), std::end(named),
                                         [&](const auto& n) { return name == QLatin1String(n.name); });
        if (found == std::end(named)) {
            QTest::qFail(qPrintable(QStringLiteral("unknown key {%1}").arg(name)), __FILE__, __LINE__);
            return;
        }
        press(found->key, found->modifiers);
        i = close;
    }
}

std::shared_ptr<bool> onModal(const QString& objectName, std::function<void(QDialog*)> act)
{
    auto seen = std::make_shared<bool>(false);
    QTimer::singleShot(0, [seen, objectName, act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (dialog->objectName() == objectName) {
            *seen = true;
            act(dialog);
        }
        if (dialog->isVisible())
            dialog->reject();
    });
    return seen;
}

} // namespace TestUi
