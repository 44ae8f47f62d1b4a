#include "shopping/ui/ListWindowHelpers.h"

#include "base/Platform.h"
#include "recipes/ui/TypeAhead.h"
#include "shell/ui/WidgetHelpers.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace ListWindowHelpers {

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& tip)
{
    return WidgetHelpers::button(parent, QLatin1String(name), caption, tip);
}

void limitAndTypeAhead(QComboBox* box, int maxLength)
{
    box->setEditable(true);
    QLineEdit* edit = box->lineEdit();
    QObject::connect(edit, &QLineEdit::textEdited, box, [edit, maxLength](const QString& text) {
        if (text.size() <= maxLength)
            return;
        Platform::beep();
        edit->setText(text.left(maxLength));
        edit->setCursorPosition(maxLength);
    });
    installTypeAhead(box);
}

QTableWidget* grid(QWidget* parent, const char* name, const QStringList& headers)
{
    auto* g = new QTableWidget(0, headers.size(), parent);
    g->setObjectName(QLatin1String(name));
    g->setHorizontalHeaderLabels(headers);
    g->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    g->horizontalHeader()->setStretchLastSection(true);
    g->horizontalHeader()->setHighlightSections(false);
    g->verticalHeader()->setVisible(false);
    g->verticalHeader()->setDefaultSectionSize(22);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setAlternatingRowColors(true);
    g->setWordWrap(false);
    return g;
}

} // namespace ListWindowHelpers
