#include "FrmCalendar.h"

#include "Clock.h"
#include "PopupPlacement.h"

#include <QCalendarWidget>
#include <QLocale>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace asv {

FrmCalendar::FrmCalendar(const QDate& initial, QWidget* parent)
    : QDialog(parent), m_calendar(new QCalendarWidget(this))
{
    setObjectName(u"FrmCalendar"_s);
    setWindowTitle(u"달력"_s);
    m_calendar->setObjectName(u"calMonth"_s);
    // The month and day names come from the widget's locale, not from the translation.
    m_calendar->setLocale(QLocale(QLocale::Korean, QLocale::SouthKorea));
    m_calendar->setFirstDayOfWeek(Qt::Sunday);
    m_calendar->setGridVisible(true);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setSelectedDate(initial.isValid() ? initial : Clock::today());

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(u"확인"_s, QDialogButtonBox::AcceptRole);
    ok->setObjectName(u"btnOK"_s);
    buttons->addButton(u"취소"_s, QDialogButtonBox::RejectRole)->setObjectName(u"btnCancel"_s);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_calendar, &QCalendarWidget::activated, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_calendar);
    layout->addWidget(buttons);
}

QDate FrmCalendar::selectedDate() const
{
    return m_calendar->selectedDate();
}

std::optional<QDate> FrmCalendar::pick(QWidget* anchor, const QDate& initial)
{
    FrmCalendar dialog(initial, anchor);
    PlacePopup(dialog, anchor, PopupPlace::Below);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedDate();
}

QToolButton* FrmCalendar::openButton(QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(u"cmdCaln"_s);
    button->setText(u"▼"_s);
    button->setToolTip(u"달력"_s);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace asv
