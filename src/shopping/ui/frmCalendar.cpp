#include "shopping/ui/frmCalendar.h"

#include "shopping/ui/ListWindowHelpers.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

frmCalendar::frmCalendar(QWidget* parent)
    : QDialog(parent)
    , m_calendar(new QCalendarWidget(this))
{
    setObjectName(QStringLiteral("frmCalendar"));
    setWindowTitle(QStringLiteral("Select a Date..."));
    m_calendar->setObjectName(QStringLiteral("calMenu"));
    m_calendar->setSelectedDate(QDate::currentDate());
    m_calendar->setGridVisible(true);
    auto* ok = ListWindowHelpers::button(this, "cmdOK", QStringLiteral("&OK"), QString());
    auto* cancel = ListWindowHelpers::button(this, "cmdCancel", QStringLiteral("&Cancel"), QString());
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_calendar, &QCalendarWidget::activated, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_calendar);
    layout->addLayout(buttons);
}

QDate frmCalendar::selectedDate() const
{
    return m_calendar->selectedDate();
}

std::optional<QDate> frmCalendar::pickDate(QWidget* parent)
{
    frmCalendar window(parent);
    if (window.exec() != QDialog::Accepted)
        return std::nullopt;
    return window.selectedDate();
}
