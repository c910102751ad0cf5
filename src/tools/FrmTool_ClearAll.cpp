#include "FrmTool_ClearAll.h"

#include "WidgetHelpers.h"
#include "WorkDataClearing.h"
#include "modMsgBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScopeGuard>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QStringList kExplanation{
    u"*작업전표 삭제란?"_s,
    u"입력된 매출전표, AS처리내역등을 한꺼번에 모두 삭제하는 기능으로서"_s,
    u"테스트로 입력한 모든 자료를 삭제하는 등의 용도로 사용됩니다."_s,
    u"※상품, 거래처등의 기초자료는 선택한 경우만 삭제됩니다."_s,
    u"삭제목록은 아래와 같습니다."_s,
    u" - 매출전표"_s,
    u" - 입금전표"_s,
    u" - AS처리내역"_s,
    u" - 기초미수금"_s,
    u" 이 기능은 관리자(ADMIN)만 처리가능합니다."_s,
};

// The bar counts this many steps besides the ticked items.
constexpr int kFixedSteps = 8;

} // namespace

FrmTool_ClearAll::FrmTool_ClearAll(QWidget* parent)
    : QDialog(parent), m_password(new QLineEdit(this)), m_progress(new QProgressBar(this)),
      m_btnDelete(NamedButton(this, u"btnDelete"_s, u"삭제"_s)), m_btnClose(NamedButton(this, u"btnClose"_s, u"닫기"_s))
{
    setObjectName(u"FrmTool_ClearAll"_s);
    setWindowTitle(u"작업전표 삭제(초기화)"_s);

    auto* layout = new QVBoxLayout(this);
    auto* explanation = new QLabel(kExplanation.join(u"\n"_s), this);
    explanation->setObjectName(u"lblExplain"_s);
    layout->addWidget(explanation);

    for (const QString& caption : {u"거래처(고객) 정보 삭제"_s, u"상품 정보 삭제(상품별 AS코드 포함)"_s}) {
        auto* box = new QCheckBox(caption, this);
        box->setObjectName(u"chkDelItem"_s);
        box->setProperty("index", static_cast<int>(m_chkDelItem.size()));
        m_chkDelItem.append(box);
        layout->addWidget(box);
    }

    m_password->setObjectName(u"txtPassword"_s);
    m_password->setEchoMode(QLineEdit::Password);
    auto* form = new QFormLayout;
    form->addRow(u"관리자 암호"_s, m_password);
    layout->addLayout(form);

    m_progress->setObjectName(u"pgbDelete"_s);
    m_progress->setValue(0);
    layout->addWidget(m_progress);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btnDelete);
    buttons->addWidget(m_btnClose);
    layout->addLayout(buttons);

    connect(m_btnDelete, &QPushButton::clicked, this, &FrmTool_ClearAll::ClearAll);
    connect(m_btnClose, &QPushButton::clicked, this, &FrmTool_ClearAll::reject);
}

void FrmTool_ClearAll::ClearAll()
{
    if (!WorkDataClearing::administratorOnly())
        return;
    Guarded(u"ClearAll"_s, u"Form"_s, objectName(), 0, [&] {
        if (!WorkDataClearing::isAdministratorPassword(m_password->text())) {
            MsgInfo(u"관리자암호가 일치하지 않습니다."_s);
            return 0;
        }
        if (MsgYesNo(u"정말로 삭제할까요?"_s) != MsgAnswer::Yes)
            return 0;
        const bool customers = m_chkDelItem[0]->isChecked();
        const bool products = m_chkDelItem[1]->isChecked();
        m_progress->setMaximum(kFixedSteps + int(customers) + int(products));
        m_progress->setValue(0);
        {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            const auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
            // One statement after another without a transaction: what ran before a failure stays done.
            for (const QString& sql : WorkDataClearing::statements(customers, products)) {
                WorkDataClearing::execute(sql);
                m_progress->setValue(m_progress->value() + 1);
            }
        }
        MsgInfo(u"삭제가 완료되었습니다."_s);
        return 0;
    });
}

} // namespace asv
