#include "DateField.h"

#include "DateText.h"
#include "modMsgBox.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace asv {

DateField::DateField(QWidget* parent) : HCText(parent)
{
    setInputMask(u"9999-99-99;_"_s);
    setAutoTab(true);
    connect(this, &QLineEdit::textEdited, this, &DateField::onEdited);
}

QString DateField::dateText() const
{
    const QString t = text();
    return std::any_of(t.cbegin(), t.cend(), [](QChar c) { return c.isDigit(); }) ? t : QString();
}

void DateField::setDateText(const QString& text)
{
    if (text.isEmpty())
        clear();
    else
        setText(text);
}

std::optional<QDate> DateField::date() const
{
    return DateText::parse(text());
}

void DateField::setDate(const QDate& date)
{
    setText(DateText::format(date));
}

bool DateField::validate()
{
    if (date() || (m_allowEmpty && dateText().isEmpty()))
        return true;
    MsgWarn(DateText::invalidMessage(), DateText::invalidTitle());
    reclaimFocus();
    return false;
}

void DateField::leaveField()
{
    HCText::leaveField();
    validate();
}

void DateField::onEdited()
{
    if (m_tabWhenComplete && !displayText().contains(u'_') && cursorPosition() >= displayText().size())
        moveFocus(true);
}

} // namespace asv
