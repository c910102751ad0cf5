#pragma once

#include <QDate>
#include <QDialog>
#include <optional>

class QCalendarWidget;
class QToolButton;

namespace asv {

// The month calendar every date box opens; a double click, Enter or "확인" takes the day.
class FrmCalendar : public QDialog {
    Q_OBJECT

public:
    explicit FrmCalendar(const QDate& initial, QWidget* parent = nullptr);

    QDate selectedDate() const;

    // Opens below anchor on initial (today when initial is not a date); nullopt when cancelled.
    static std::optional<QDate> pick(QWidget* anchor, const QDate& initial);
    // The "▼" button (`cmdCaln`) beside a date box that opens the calendar; it takes no focus, so
    // the date keeps it.
    static QToolButton* openButton(QWidget* parent);

private:
    QCalendarWidget* m_calendar;
};

} // namespace asv
