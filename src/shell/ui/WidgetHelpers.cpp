#include "shell/ui/WidgetHelpers.h"

#include "shell/ui/ProportionalLayout.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>

namespace WidgetHelpers {

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, const QString& tip)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    if (!tip.isEmpty())
        b->setToolTip(tip);
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

QLineEdit* heldBox(QWidget* parent, const QString& name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->hide();
    return box;
}

int fromTwips(int twips)
{
    return qRound(static_cast<double>(twips) / ProportionalLayout::TwipsPerPixel);
}

bool isEnterKey(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

void selectRow(QTableWidget* grid, int row, int lastColumn)
{
    if (row < 0 || row >= grid->rowCount())
        return;
    const QSignalBlocker block(grid);
    grid->clearSelection();
    grid->setCurrentCell(row, 0);
    grid->setRangeSelected(QTableWidgetSelectionRange(row, 0, row, lastColumn), true);
}

} // namespace WidgetHelpers
