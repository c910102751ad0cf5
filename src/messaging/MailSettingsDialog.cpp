#include "MailSettingsDialog.h"

#include "MailSettingsPanel.h"
#include "WidgetHelpers.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace asv {

MailSettingsDialog::MailSettingsDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(u"FrmMailSettings"_s);
    setWindowTitle(u"메일 설정"_s);
    QPushButton* close = NamedButton(this, u"btnClose"_s, u"닫기"_s);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new MailSettingsPanel(this));
    layout->addLayout(buttons);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

} // namespace asv
