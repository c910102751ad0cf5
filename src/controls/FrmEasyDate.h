#pragma once

#include "QuickPeriod.h"

#include <QDialog>

namespace asv {

class DateField;

// The quick-period dialog of the period box: one click on a period button hands its two dates
// back. The reference day starts on today; the operator may type another and move to it
// ("cmdMvDate") or pick it from the calendar.
class FrmEasyDate : public QDialog {
    Q_OBJECT

public:
    explicit FrmEasyDate(const QDate& today, QWidget* parent = nullptr);

    QDate referenceDay() const { return m_reference; }
    DatePeriod period() const { return m_period; }

private:
    void choose(QuickPeriod::Kind kind);
    void moveToTypedDate();
    void pickFromCalendar();

    DateField* m_baseDate;
    QDate m_reference;
    DatePeriod m_period;
};

} // namespace asv
