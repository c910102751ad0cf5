#include "OptionsDialog.h"

#include "HCText.h"
#include "SharedOptions.h"
#include "WidgetHelpers.h"
#include "modMsgBox.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace asv {

OptionsDialog::OptionsDialog(QWidget* parent)
    : QDialog(parent), m_body(new QVBoxLayout), m_btnOK(NamedButton(this, u"btnOK"_s, u"확인"_s)),
      m_btnCancel(NamedButton(this, u"btnCancel"_s, u"취소"_s)), m_btnApply(NamedButton(this, u"btnApply"_s, u"적용"_s))
{
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btnOK);
    buttons->addWidget(m_btnCancel);
    buttons->addWidget(m_btnApply);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_body);
    layout->addLayout(buttons);

    connect(m_btnOK, &QPushButton::clicked, this, &OptionsDialog::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &OptionsDialog::reject);
    connect(m_btnApply, &QPushButton::clicked, this, &OptionsDialog::apply);
}

void OptionsDialog::endLoad()
{
    m_loading = false;
    m_changed.clear();
}

void OptionsDialog::markChanged(const QString& key)
{
    if (!m_loading)
        m_changed.insert(key);
}

void OptionsDialog::track(QComboBox* combo, const QString& key)
{
    connect(combo, &QComboBox::currentIndexChanged, this, [this, key] { markChanged(key); });
}

void OptionsDialog::track(QAbstractButton* button, const QString& key)
{
    connect(button, &QAbstractButton::toggled, this, [this, key] { markChanged(key); });
}

void OptionsDialog::track(HCText* field, const QString& key)
{
    connect(field, &QLineEdit::textEdited, this, [this, key] { markChanged(key); });
}

bool OptionsDialog::apply()
{
    if (!writeChanges())
        return false;
    ReadOptions();
    m_changed.clear();
    ShowSaved();
    return true;
}

void OptionsDialog::accept()
{
    if (apply())
        QDialog::accept();
}

void OptionsDialog::reject()
{
    if (isChanged()
        && MsgYesNo(u"변경된 내용이 저장되지 않았습니다. 정말 닫으시겠습니까?"_s) != MsgAnswer::Yes)
        return;
    QDialog::reject();
}

} // namespace asv
