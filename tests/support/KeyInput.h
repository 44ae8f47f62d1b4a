#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <algorithm>
#include <iterator>

// Keys as a person presses them. Every key goes to the widget that has the focus at that moment
// (QApplication::focusWidget()); for an editable drop-down that is the drop-down itself, which hands the key on
// to its inner line edit directly. After the starting point, focus moves only by the keys themselves.
namespace KeyInput {

// Shows and activates widget's window and gives widget the focus: the starting point of a key script.
// False when the window could not be made active.
inline bool focus(QWidget* widget)
{
    QWidget* window = widget->window();
    window->show();
    QApplication::setActiveWindow(window);
    if (!QTest::qWaitForWindowActive(window))
        return false;
    widget->setFocus(Qt::OtherFocusReason);
    return QApplication::focusWidget() == widget;
}

// Presses one key on the focus widget; fails the running test when no widget has the focus.
inline void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = QApplication::focusWidget();
    QVERIFY2(target, "no widget has the focus");
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
}

// Types a script on whatever widget has the focus as each key comes: plain characters, and keys named in
// braces: {Enter} {Tab} {Backtab} {Backspace} {Delete} {Home} {End} {Left} {Right} {Ctrl+A}.
inline void type(const QString& script)
{
    static const struct
    {
        const char* name;
        int key;
        Qt::KeyboardModifiers modifiers;
    } named[] = { { "Enter", Qt::Key_Return, {} },    { "Tab", Qt::Key_Tab, {} },
                  { "Backtab", Qt::Key_Backtab, {} }, { "Backspace", Qt::Key_Backspace, {} },
                  { "Delete", Qt::Key_Delete, {} },   { "Home", Qt::Key_Home, {} },
                  { "End", Qt::Key_End, {} },         { "Left", Qt::Key_Left, {} },
                  { "Right", Qt::Key_Right, {} },     { "Ctrl+A", Qt::Key_A, Qt::ControlModifier } };
    for (qsizetype i = 0; i < script.size(); ++i) {
        const qsizetype close = script.at(i) == QLatin1Char('{') ? script.indexOf(QLatin1Char('}'), i) : -1;
        if (close > i) {
            const QString name = script.mid(i + 1, close - i - 1);
            const auto* found = std::find_if(std::begin(named), std::end(named),
                                             [&](const auto& n) { return name == QLatin1String(n.name); });
            QVERIFY2(found != std::end(named), qPrintable(QStringLiteral("unknown key {%1}").arg(name)));
            press(found->key, found->modifiers);
            i = close;
            continue;
        }
        QWidget* target = QApplication::focusWidget();
        QVERIFY2(target, "no widget has the focus");
        QTest::keyClicks(target, script.mid(i, 1));
    }
}

} // namespace KeyInput
