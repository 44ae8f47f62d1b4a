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

// The descendant of parent with that objectName and type; a missing one ends the test program.
QObject* namedChild(const QObject* parent, const char* name, const QMetaObject& type);
template <typename T> T* child(const QObject* parent, const char* name)
{
    return static_cast<T*>(namedChild(parent, name, T::staticMetaObject));
}

// Clicks the button (with the mouse) or triggers the action named name.
void click(const QObject* parent, const char* name);
void trigger(const QObject* parent, const char* name);

// The item texts of a list, and of one column of a grid (empty text for an empty cell).
QStringList texts(const QListWidget* list);
QStringList column(const QTableWidget* grid, int column);

// Presses Tab until target (or its focus proxy) has the focus; fails the test when Tab never gets there.
void tabTo(QWidget* target);
// Clicks into target as a person does to give it the focus (where Tab cannot reach it: a grid keeps Tab).
void clickInto(QWidget* target);
// Types text key by key, or presses one key, in the focus widget.
void type(const QString& text);
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Shows and activates widget's window and focuses widget; false when the window could not be made active.
bool focus(QWidget* widget);
// Types a script into whatever widget has the focus as each key comes: plain characters, and keys named in
// braces: {Enter} {Tab} {Backtab} {Backspace} {Delete} {Home} {End} {Left} {Right} {Ctrl+A}.
void keys(const QString& script);

// Calls act with the modal dialog the next command opens if it is named objectName, then rejects it if still
// open. The flag returned is set when the dialog was seen.
std::shared_ptr<bool> onModal(const QString& objectName, std::function<void(QDialog*)> act);

} // namespace TestUi
