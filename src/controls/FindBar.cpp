#include "FindBar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace asv {

FindBar::FindBar(QWidget* parent, const QList<FindKey>& keys, int defaultKey)
    : QWidget(parent), m_keys(keys), m_cmbFindKey(new QComboBox(this)), m_cmbFindOP(new QComboBox(this)),
      m_txtFind(new QLineEdit(this)), m_row(new QHBoxLayout(this))
{
    m_cmbFindKey->setObjectName(u"cmbFindKey"_s);
    m_cmbFindOP->setObjectName(u"cmbFindOP"_s);
    m_txtFind->setObjectName(u"txtFind"_s);
    FillFindOP(m_cmbFindOP);
    for (const FindKey& key : m_keys)
        m_cmbFindKey->addItem(key.label);
    m_row->setContentsMargins(0, 0, 0, 0);
    m_row->addWidget(new QLabel(u"검색"_s, this));
    m_row->addWidget(m_cmbFindKey);
    m_row->addWidget(m_cmbFindOP);
    m_row->addWidget(m_txtFind, 1);

    connect(m_cmbFindKey, &QComboBox::currentIndexChanged, this, &FindBar::keyChosen);
    connect(m_txtFind, &QLineEdit::returnPressed, this, &FindBar::searchRequested);
    m_cmbFindKey->setCurrentIndex(defaultKey);
    keyChosen(m_cmbFindKey->currentIndex());
}

void FindBar::FillFindOP(QComboBox* combo)
{
    combo->clear();
    combo->addItems({u"*s*: 검색어를 포함"_s, u"s* : 검색어로 시작"_s, u"*s : 검색어로 끝남"_s, u"=  : 검색어와 일치"_s});
    combo->setCurrentIndex(0);
}

QString FindBar::text() const
{
    return m_txtFind->text();
}

void FindBar::setText(const QString& text)
{
    m_txtFind->setText(text);
}

QString FindBar::opText() const
{
    return m_cmbFindOP->currentText();
}

void FindBar::setSearchState(const QString& fields, const QString& opText)
{
    if (!fields.isEmpty())
        m_fields = fields;
    chooseOperator(opText);
}

QString FindBar::condition() const
{
    const QString typed = text();
    return typed.isEmpty() ? QString() : MakeFindWhere(m_fields, typed, opText());
}

void FindBar::keyChosen(int index)
{
    if (index < 0 || index >= m_keys.size())
        return;
    m_fields = m_keys[index].fields;
    chooseOperator(m_keys[index].op);
}

// The entry of the operator list whose code (its first three characters) is op.
void FindBar::chooseOperator(const QString& op)
{
    if (op.isEmpty())
        return;
    for (int i = 0; i < m_cmbFindOP->count(); ++i) {
        if (m_cmbFindOP->itemText(i).left(3).trimmed() == op.left(3).trimmed()) {
            m_cmbFindOP->setCurrentIndex(i);
            return;
        }
    }
}

} // namespace asv
