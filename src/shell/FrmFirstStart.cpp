#include "FrmFirstStart.h"

#include "ConnectionProfile.h"
#include "FrmDBConnect.h"
#include "WidgetHelpers.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace asv {

FrmFirstStart::FrmFirstStart(QWidget* parent) : QDialog(parent)
{
    setObjectName(u"FrmFirstStart"_s);
    setWindowTitle(u"처음 시작"_s);
    setMinimumWidth(420);
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(u"자료를 어디에 보관할지 선택하세요."_s, this);
    layout->addWidget(intro);
    QPushButton* local = NamedButton(this, u"btnLocalServer"_s, u"이 PC 전용 서버"_s);
    layout->addWidget(local);
    auto* localText = new QLabel(u"이 PC 한 대에서만 사용합니다. 자료는 사용자의 홈 폴더에 보관됩니다."_s, this);
    localText->setWordWrap(true);
    layout->addWidget(localText);
    QPushButton* office = NamedButton(this, u"btnOfficeServer"_s, u"사무실 서버"_s);
    layout->addWidget(office);
    auto* officeText = new QLabel(u"여러 PC가 사무실의 데이터베이스 서버에 접속하여 함께 사용합니다."_s, this);
    officeText->setWordWrap(true);
    layout->addWidget(officeText);
    QPushButton* cancel = NamedButton(this, u"btnCancel"_s, u"취소"_s);
    layout->addWidget(cancel, 0, Qt::AlignRight);

    connect(local, &QPushButton::clicked, this, &FrmFirstStart::chooseLocalServer);
    connect(office, &QPushButton::clicked, this, &FrmFirstStart::chooseOfficeServer);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

// The private server gives the profile an account of its own when it first starts.
void FrmFirstStart::chooseLocalServer()
{
    ConnectionProfile p = ConnectionProfile::read();
    p.localServer = true;
    p.write();
    accept();
}

void FrmFirstStart::chooseOfficeServer()
{
    FrmDBConnect settings(this);
    settings.findChild<QCheckBox*>(u"chkLocalServer"_s)->setChecked(false);
    if (settings.exec() == QDialog::Accepted)
        accept();
}

} // namespace asv
