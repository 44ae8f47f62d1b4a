#pragma once

#include <QDate>
#include <QDialog>

#include <optional>

class QCalendarWidget;

// "Select a Date...": a month calendar with OK and Cancel, starting on today.
class frmCalendar : public QDialog
{
    Q_OBJECT
public:
    explicit frmCalendar(QWidget* parent = nullptr);

    QDate selectedDate() const;

    // Shows the window modally; the picked date, or nothing when cancelled.
    static std::optional<QDate> pickDate(QWidget* parent);

private:
    QCalendarWidget* m_calendar;
};
