#include "frmIntroMsg.h"

#include "AppState.h"
#include "ConfigKeys.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace asv {

frmIntroMsg::frmIntroMsg(QWidget* parent) : QDialog(parent)
{
    setObjectName(u"frmIntroMsg"_s);
    setWindowTitle(u"알림"_s);
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(this);
    text->setObjectName(u"lblMsg"_s);
    text->setWordWrap(true);
    text->setText(u"%1 님, 안녕하세요.\n\n"
                  "전화가 오면 상담판에 발신자와 고객 정보가 바로 나타납니다.\n"
                  "상담 내용, AS 접수, 판매와 입금은 상담판에서 바로 등록할 수 있습니다.\n\n"
                  "환경 설정은 [기초등록] 메뉴에서 바꿀 수 있습니다."_s.arg(App().UserName));
    layout->addWidget(text);
    auto* never = new QCheckBox(u"다시 보지 않기"_s, this);
    never->setObjectName(u"chkNoMsg"_s);
    layout->addWidget(never);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->setObjectName(u"btnOK"_s);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

void frmIntroMsg::done(int result)
{
    if (findChild<QCheckBox*>(u"chkNoMsg"_s)->isChecked())
        ConfigKeys::HideIntroMessage.set(true);
    QDialog::done(result);
}

void frmIntroMsg::showOnce(QWidget* parent)
{
    frmIntroMsg dialog(parent);
    dialog.exec();
}

} // namespace asv
