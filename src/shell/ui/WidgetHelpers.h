#pragma once

#include <QString>

class QEvent;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QWidget;

// Small widget habits shared by the program's windows.
namespace WidgetHelpers {

// A push button with object name, caption and tool tip that never acts as the dialog's default button:
// Enter belongs to the entry boxes.
QPushButton* button(QWidget* parent, const QString& name, const QString& caption, const QString& tip = QString());

// A hidden text box that holds a field of the record being edited (id, status, key).
QLineEdit* heldBox(QWidget* parent, const QString& name);

// Pixels for a length given in twips of the classic layout, at the program's own twips per pixel.
int fromTwips(int twips);

// True for a key press of Return or Enter.
bool isEnterKey(const QEvent* event);

// Makes row the grid's current row and selects its cells 0..lastColumn, without emitting the grid's signals.
// Nothing happens for a row outside the grid.
void selectRow(QTableWidget* grid, int row, int lastColumn);

} // namespace WidgetHelpers
