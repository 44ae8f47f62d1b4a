#pragma once

#include <QApplication>
#include <QDialog>
#include <QStringList>
#include <QWidget>

#include <functional>

class QListWidget;
class QTableWidget;

// Finding, clicking and typing into widgets as a person does. Keys go to QApplication::focusWidget() and
// focus moves with real Tab presses, so event filters and focus handling run as they do for a person.
namespace TestUi {

// The descendant of parent with that objectName and type. A missing widget ends the test program with its
// name: no test can go on without it.
QObject* namedChild(const QObject* parent, const char* name, const QMetaObject& type);
template <typename T> T* child(const QObject* parent, const char* name)
{
    return static_cast<T*>(namedChild(parent, name, T::staticMetaObject));
}

// Clicks the button named name (any QAbstractButton) with the mouse.
void click(const QObject* parent, const char* name);
// Triggers the menu or toolbar action named name.
void trigger(const QObject* parent, const char* name);

// The item texts of a list, and of one column of a grid (empty text for an empty cell).
QStringList texts(const QListWidget* list);
QStringList column(const QTableWidget* grid, int column);

// Presses Tab until target (or the widget it hands its focus to) has the focus; fails the test when it is
// not reached within a full round of the window's focus chain.
void tabTo(QWidget* target);
// Clicks into target as a person does to give it the focus (where Tab cannot reach it: a grid keeps Tab).
void clickInto(QWidget* target);
// Types text into the focus widget, key by key.
void type(const QString& text);
// Presses one key in the focus widget.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Shows and activates widget's window and gives widget the focus: the starting point of a key script.
// False when the window could not be made active.
bool focus(QWidget* widget);
// Types a script into whatever widget has the focus as each key comes: plain characters, and keys named in
// braces: {Enter} {Tab} {Backtab} {Backspace} {Delete} {Home} {End} {Left} {Right} {Ctrl+A}.
void keys(const QString& script);

// Drives the modal dialog that the next command opens: once its event loop runs, act is called with it if
// its objectName is objectName, and the dialog is rejected if act left it open. Returns a flag that is set
// when the dialog was seen.
std::shared_ptr<bool> onModal(const QString& objectName, std::function<void(QDialog*)> act);

} // namespace TestUi
