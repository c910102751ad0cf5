#include "HCTerm.h"

#include "Clock.h"
#include "DateField.h"
#include "DayStepper.h"
#include "FrmCalendar.h"
#include "FrmEasyDate.h"
#include "PopupPlacement.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace asv {

HCTerm::HCTerm(QWidget* parent)
    : QWidget(parent), m_from(new DateField(this)), m_to(new DateField(this)), m_lastFocused(m_from)
{
    m_from->setObjectName(u"txtDate1"_s);
    m_to->setObjectName(u"txtDate2"_s);
    m_from->setDate(Clock::today());
    m_to->setDate(Clock::today());

    QToolButton* calendar = FrmCalendar::openButton(this);
    auto* quick = new QToolButton(this);
    quick->setObjectName(u"cmdAdvn"_s);
    quick->setText(u"…"_s);
    quick->setToolTip(u"기간 선택"_s);
    quick->setFocusPolicy(Qt::NoFocus);
    auto* stepper = new DayStepper(this);
    stepper->setObjectName(u"udMvDay"_s);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_from, 1);
    layout->addWidget(new QLabel(u"~"_s, this));
    layout->addWidget(m_to, 1);
    layout->addWidget(calendar);
    layout->addWidget(quick);
    layout->addWidget(stepper);
    setFocusProxy(m_from);

    for (DateField* field : {m_from, m_to}) {
        connect(field, &HCText::changed, this, &HCTerm::changed);
        connect(field, &HCText::gotFocus, this, [this, field] { m_lastFocused = field; });
    }
    connect(calendar, &QToolButton::clicked, this, &HCTerm::pickFromCalendar);
    connect(quick, &QToolButton::clicked, this, &HCTerm::openEasyDate);
    connect(stepper, &DayStepper::stepped, this, &HCTerm::stepDays);
}

QString HCTerm::Text1() const
{
    return m_from->dateText();
}

void HCTerm::SetText1(const QString& text)
{
    m_from->setDateText(text);
}

QString HCTerm::Text2() const
{
    return m_to->dateText();
}

void HCTerm::SetText2(const QString& text)
{
    m_to->setDateText(text);
}

std::optional<QDate> HCTerm::from() const
{
    return m_from->date();
}

std::optional<QDate> HCTerm::to() const
{
    return m_to->date();
}

void HCTerm::setPeriod(const DatePeriod& period)
{
    m_from->setDate(period.from);
    m_to->setDate(period.to);
}

void HCTerm::setThisMonth()
{
    const QDate today = Clock::today();
    setPeriod({QDate(today.year(), today.month(), 1), today});
}

void HCTerm::setThisYear()
{
    const QDate today = Clock::today();
    setPeriod({QDate(today.year(), 1, 1), today});
}

void HCTerm::stepDays(int days)
{
    const auto a = from();
    const auto b = to();
    if (!a || !b) {
        QApplication::beep();
        return;
    }
    setPeriod({a->addDays(days), b->addDays(days)});
}

void HCTerm::openEasyDate()
{
    FrmEasyDate dialog(Clock::today(), this);
    PlacePopup(dialog, this, static_cast<PopupPlace>(std::clamp(m_easyDateShowPos, 0, 2)));
    if (dialog.exec() == QDialog::Accepted)
        setPeriod(dialog.period());
}

void HCTerm::pickFromCalendar()
{
    DateField* field = m_lastFocused;
    if (const auto picked = FrmCalendar::pick(field, field->date().value_or(Clock::today())))
        field->setDate(*picked);
    field->setFocus(Qt::OtherFocusReason);
}

bool HCTerm::allowEmpty() const
{
    return m_from->allowEmpty();
}

void HCTerm::setAllowEmpty(bool on)
{
    m_from->setAllowEmpty(on);
    m_to->setAllowEmpty(on);
}

bool HCTerm::autoTab() const
{
    return m_from->tabWhenComplete();
}

void HCTerm::setAutoTab(bool on)
{
    m_from->setTabWhenComplete(on);
    m_to->setTabWhenComplete(on);
}

bool HCTerm::focusEffect() const
{
    return m_from->focusEffect();
}

void HCTerm::setFocusEffect(bool on)
{
    m_from->setFocusEffect(on);
    m_to->setFocusEffect(on);
}

QColor HCTerm::focusEffectColor() const
{
    return m_from->focusEffectColor();
}

void HCTerm::setFocusEffectColor(const QColor& c)
{
    m_from->setFocusEffectColor(c);
    m_to->setFocusEffectColor(c);
}

QColor HCTerm::backColor() const
{
    return m_from->backColor();
}

void HCTerm::setBackColor(const QColor& c)
{
    m_from->setBackColor(c);
    m_to->setBackColor(c);
}

} // namespace asv
