#include "ucFindBox.h"

#include "FindRecord.h"
#include "PickerRegistry.h"
#include "modMain_SQL.h"
#include "modMsgBox.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace asv {

ucFindBox::ucFindBox(QWidget* parent) : QWidget(parent), m_lblCode(new QLabel(this)), m_txtName(new QLineEdit(this))
{
    m_lblCode->setObjectName(u"lblCode"_s);
    m_txtName->setObjectName(u"txtName"_s);
    m_lblCode->setVisible(false);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_lblCode);
    layout->addWidget(m_txtName, 1);
    setFocusProxy(m_txtName);
    m_txtName->installEventFilter(this);
    // A typed change means the shown name no longer stands for the code.
    connect(m_txtName, &QLineEdit::textEdited, this, [this] {
        m_code.clear();
        showCode();
    });
}

ucFindBox* ucFindBox::create(QWidget* parent, const QString& name, int kind)
{
    auto* box = new ucFindBox(parent);
    box->setObjectName(name);
    box->setFindType(kind);
    return box;
}

QString ucFindBox::Text() const
{
    return m_txtName->text();
}

void ucFindBox::SetText(const QString& text)
{
    m_txtName->setText(text);
}

void ucFindBox::setCode(const QString& code)
{
    m_code = code;
    showCode();
}

void ucFindBox::setRecord(const QString& code, const QString& name)
{
    setCode(code);
    SetText(name);
}

void ucFindBox::clear()
{
    setRecord({}, {});
}

void ucFindBox::setCodeShow(bool on)
{
    m_codeShow = on;
    showCode();
}

void ucFindBox::showCode()
{
    m_lblCode->setText(m_code);
    m_lblCode->setVisible(m_codeShow);
}

QColor ucFindBox::backColor() const
{
    return m_txtName->palette().color(QPalette::Base);
}

void ucFindBox::setBackColor(const QColor& color)
{
    QPalette p = m_txtName->palette();
    p.setColor(QPalette::Base, color);
    m_txtName->setPalette(p);
}

QString ucFindBox::kindLabel() const
{
    switch (m_findType) {
    case FindUserKind:
        return kFindKindUser;
    case FindCustKind:
        return kFindKindCust;
    case FindProdKind:
        return kFindKindProd;
    default:
        return {};
    }
}

void ucFindBox::FindName(const QString& code)
{
    QString name;
    switch (m_findType) {
    case FindUserKind:
        name = GetName_User(code);
        break;
    case FindCustKind:
        name = GetName_Cust(code);
        break;
    case FindProdKind:
        name = GetName_Prod(code);
        break;
    default:
        MsgInfo(u"fixme"_s);
        return;
    }
    setRecord(code, code.isEmpty() ? QString() : name);
}

Pick ucFindBox::search(const QString& kind)
{
    const FindRequest request{m_txtName->text().trimmed(), m_filterVal, {}, {}, this};
    if (!m_addNew)
        return FindRecord(kind, request);
    switch (m_findType) {
    case FindUserKind:
        return FindUser(request);
    case FindCustKind:
        return FindCust(request);
    default:
        return FindProd(request);
    }
}

bool ucFindBox::ProcFind()
{
    const QString kind = kindLabel();
    if (kind.isEmpty()) {
        MsgInfo(u"fixme"_s);
        return false;
    }
    const Pick pick = search(kind);
    if (pick.isEmpty())
        return false;
    setRecord(pick.code, pick.name);
    emit found(m_code, Text());
    if (m_autoTab)
        focusNextPrevChild(true);
    return true;
}

bool ucFindBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_txtName || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    emit keyDown(key->key(), key->modifiers());
    const auto plain = key->modifiers() & ~Qt::KeypadModifier;
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && plain == Qt::NoModifier) {
        ProcFind();
        return true;
    }
    if (m_autoTab && (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up) && plain == Qt::NoModifier) {
        focusNextPrevChild(key->key() == Qt::Key_Down);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace asv
