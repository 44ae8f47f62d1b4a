#pragma once

#include <QString>

class QComboBox;
class QPushButton;
class QTableWidget;
class QWidget;

// Small helpers shared by the shopping list and menu planner windows.
namespace ListWindowHelpers {

// A push button with caption, tool tip and object name that never acts as the dialog's default button.
QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& tip);

// Keeps an editable box to at most maxLength characters: a user edit that makes the text longer beeps, keeps
// the first characters and puts the caret at the end. Then completes the text from the box's list.
void limitAndTypeAhead(QComboBox* box, int maxLength);

// A read-only grid with a fixed header row of the given captions, whole-row single selection.
QTableWidget* grid(QWidget* parent, const char* name, const QStringList& headers);

} // namespace ListWindowHelpers
