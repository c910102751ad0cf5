#include "hcDate.h"

#include "Clock.h"
#include "DateField.h"
#include "FrmCalendar.h"

#include <QHBoxLayout>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace asv {

hcDate::hcDate(QWidget* parent)
    : QWidget(parent), m_layout(new QHBoxLayout(this)), m_field(new DateField(this))
{
    m_field->setObjectName(u"txtDate"_s);
    m_field->setDate(Clock::today());
    QToolButton* calendar = FrmCalendar::openButton(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(1);
    m_layout->addWidget(m_field, 1);
    m_layout->addWidget(calendar);
    setFocusProxy(m_field);
    connect(m_field, &HCText::changed, this, &hcDate::changed);
    connect(calendar, &QToolButton::clicked, this, &hcDate::pickFromCalendar);
}

QString hcDate::Text() const
{
    return m_field->dateText();
}

void hcDate::SetText(const QString& text)
{
    m_field->setDateText(text);
}

std::optional<QDate> hcDate::date() const
{
    return m_field->date();
}

void hcDate::setDate(const QDate& date)
{
    m_field->setDate(date);
}

bool hcDate::allowEmpty() const
{
    return m_field->allowEmpty();
}

void hcDate::setAllowEmpty(bool on)
{
    m_field->setAllowEmpty(on);
}

bool hcDate::autoTab() const
{
    return m_field->tabWhenComplete();
}

void hcDate::setAutoTab(bool on)
{
    m_field->setTabWhenComplete(on);
}

bool hcDate::focusEffect() const
{
    return m_field->focusEffect();
}

void hcDate::setFocusEffect(bool on)
{
    m_field->setFocusEffect(on);
}

QColor hcDate::focusEffectColor() const
{
    return m_field->focusEffectColor();
}

void hcDate::setFocusEffectColor(const QColor& c)
{
    m_field->setFocusEffectColor(c);
}

QColor hcDate::backColor() const
{
    return m_field->backColor();
}

void hcDate::setBackColor(const QColor& c)
{
    m_field->setBackColor(c);
}

void hcDate::pickFromCalendar()
{
    if (const auto picked = FrmCalendar::pick(this, date().value_or(Clock::today())))
        setDate(*picked);
    m_field->setFocus(Qt::OtherFocusReason);
}

} // namespace asv
