#include "OptionsDialog.h"

#include "HCText.h"
#include "SharedOptions.h"
#include "WidgetHelpers.h"
#include "modMsgBox.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace asv {

OptionsDialog::OptionsDialog(QWidget* parent)
    : QDialog(parent), m_body(new QVBoxLayout), m_scroll(new QScrollArea(this)), m_btnOK(NamedButton(this, u"btnOK"_s, u"확인"_s)),
      m_btnCancel(NamedButton(this, u"btnCancel"_s, u"취소"_s)), m_btnApply(NamedButton(this, u"btnApply"_s, u"적용"_s))
{
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btnOK);
    buttons->addWidget(m_btnCancel);
    buttons->addWidget(m_btnApply);
    auto* page = new QWidget;
    page->setObjectName(u"pnlSettings"_s);
    page->setLayout(m_body);
    m_scroll->setObjectName(u"scrSettings"_s);
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidget(page);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_scroll, 1);
    layout->addLayout(buttons);

    connect(m_btnOK, &QPushButton::clicked, this, &OptionsDialog::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &OptionsDialog::reject);
    connect(m_btnApply, &QPushButton::clicked, this, &OptionsDialog::apply);
}

void OptionsDialog::showEvent(QShowEvent* event)
{
    if (!m_fitted) {
        m_fitted = true;
        fitScreen();
    }
    QDialog::showEvent(event);
}

void OptionsDialog::fitScreen()
{
    const QSize content = m_scroll->widget()->sizeHint();
    const int scrollBar = m_scroll->verticalScrollBar()->sizeHint().width();
    m_scroll->setMinimumWidth(content.width() + scrollBar);
    const int around = layout()->sizeHint().height() - m_scroll->sizeHint().height();
    // Room is left for the title bar and the task bar.
    const int room = screen()->availableGeometry().height() - 80;
    resize(std::max(width(), content.width() + scrollBar + 2 * layout()->contentsMargins().left()),
           std::min(content.height() + around + 2, room));
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
