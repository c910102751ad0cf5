#include "FrmAS_SubConsult2.h"

#include "AppState.h"
#include "AsCodeRecord.h"
#include "ConfigKeys.h"
#include "HistoryDetailForm.h"
#include "HistoryStore.h"
#include "WidgetHelpers.h"
#include "frmAS_SubConsult.h"
#include "modMain_SQL.h"
#include "modMsgBox.h"
#include "ucFindBox.h"
#include "RecordSet.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kForm = u"FrmAS_SubConsult2"_s;

} // namespace

FrmAS_SubConsult2::FrmAS_SubConsult2(QWidget* parent)
    : QDialog(parent),
      m_form(std::make_unique<HistoryDetailForm>(this, QList<HistoryDetailForm::Field>{
                                                           {u"txtName"_s, u"고 객 명"_s, u"cname"_s},
                                                           {u"txtDate"_s, u"상담일자"_s, u"condate"_s},
                                                           {u"txtTime"_s, u"상담시간"_s, u"contime"_s},
                                                           {u"txtRegUser"_s, u"상 담 자"_s, {}},
                                                           {u"txtEditDate"_s, u"수정일자"_s, {}},
                                                           {u"txtEditTime"_s, u"수정시간"_s, {}},
                                                       })),
      m_fbProd(new ucFindBox(this)), m_txtConsult(new QLineEdit(this)), m_txtTalk1(new QPlainTextEdit(this)),
      m_txtTalk2(new QPlainTextEdit(this)), m_optPending(new QRadioButton(u"미결"_s, this)),
      m_optClosed(new QRadioButton(u"종결"_s, this)), m_btnSave(NamedButton(this, u"btnSave"_s, u"수정"_s))
{
    setObjectName(kForm);
    setWindowTitle(u"상담 내역"_s);
    m_fbProd->setObjectName(u"fbProd"_s);
    m_fbProd->setFindType(ucFindBox::FindProdKind);
    m_txtConsult->setObjectName(u"txtConsult"_s);
    m_txtTalk1->setObjectName(u"txtTalk1"_s);
    m_txtTalk2->setObjectName(u"txtTalk2"_s);
    m_optPending->setObjectName(u"optState1"_s);
    m_optClosed->setObjectName(u"optState2"_s);
    auto* states = new QButtonGroup(this);
    states->addButton(m_optPending);
    states->addButton(m_optClosed);

    auto* pick = NamedButton(this, u"btnConsultCode"_s, u"..."_s);
    pick->setFixedWidth(pick->fontMetrics().horizontalAdvance(u"...."_s) + 16);
    auto* close = NamedButton(this, u"btnClose"_s, u"닫기"_s);
    QFormLayout* form = m_form->layout();
    form->insertRow(3, u"상 품 명"_s, m_fbProd);
    AddFieldRow(form, u"상담분류"_s, m_txtConsult, pick);
    form->addRow(u"문의내용"_s, m_txtTalk1);
    form->addRow(u"상담내용"_s, m_txtTalk2);
    auto* stateRow = new QHBoxLayout;
    stateRow->addWidget(m_optPending);
    stateRow->addWidget(m_optClosed);
    stateRow->addStretch();
    form->addRow(u"상    태"_s, stateRow);
    LayOutEditor(this, form, nullptr, m_btnSave, close);
    resize(520, 600);

    connect(pick, &QPushButton::clicked, this, &FrmAS_SubConsult2::pickCategory);
    connect(m_btnSave, &QPushButton::clicked, this, &FrmAS_SubConsult2::saveCorrection);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

FrmAS_SubConsult2::~FrmAS_SubConsult2() = default;

void FrmAS_SubConsult2::ShowData(int code)
{
    m_code = 0;
    Guarded(u"ShowData"_s, u"Form"_s, kForm, 0, [&] {
        const RecordSetPtr rs = HistoryStore().consultation(code);
        m_form->showRow(*rs);
        const bool found = !rs->eof();
        const auto field = [&](const QString& column) { return found ? rs->field(column) : QString(); };
        m_regucode = field(u"regucode"_s);
        m_fbProd->setRecord(field(u"pcode"_s), field(u"pname"_s));
        m_txtConsult->setText(found ? HistoryStore().codeName(field(u"concode"_s).toInt()) : QString());
        m_txtTalk1->setPlainText(field(u"refernote"_s));
        m_txtTalk2->setPlainText(field(u"connote"_s));
        m_optPending->setChecked(field(u"state"_s) == u"1"_s);
        m_optClosed->setChecked(field(u"state"_s) == u"2"_s);
        if (found) {
            m_form->set(u"txtRegUser"_s, GetName_User(m_regucode));
            m_form->set(u"txtEditDate"_s, HistoryDetailForm::stamp(field(u"editdate"_s)));
            m_form->set(u"txtEditTime"_s, HistoryDetailForm::stamp(field(u"edittime"_s)));
            m_code = code;
        }
        return 0;
    });
    m_btnSave->setEnabled(m_code != 0);
}

void FrmAS_SubConsult2::saveCorrection()
{
    if (m_code == 0 || MsgYesNo(u"수정하시겠습니까? "_s, u"상담정보"_s) != MsgAnswer::Yes)
        return;
    const QString user = App().UserCode;
    if (user.isEmpty()) {
        MsgWarn(u"상당자를 입력하셔야 합니다."_s, u"상담자"_s);
        return;
    }
    // Anything but "0" allows it, as older options screens stored other values.
    if (m_regucode != user && ConfigKeys::EditOthersConsults.text() == u"0"_s) {
        MsgWarn(u"다른 상담자일 경우 상담 내용의 수정이 불가능합니다."_s + vbCrLf + u"환경설정을 참고하십시오."_s,
                u"상담내용 수정 불가"_s);
        return;
    }
    const std::optional<int> concode = categoryCode();
    if (!concode)
        return;
    if (!m_optPending->isChecked() && !m_optClosed->isChecked()) {
        MsgInfo(u"상담 상태(미결, 종결)를 선택하세요."_s, u"상담정보"_s);
        return;
    }
    const HistoryStore::Correction correction{
        .code = m_code,
        .pcode = m_fbProd->code(),
        .pname = m_fbProd->Text(),
        .concode = *concode,
        .refernote = m_txtTalk1->toPlainText(),
        .connote = m_txtTalk2->toPlainText(),
        .state = m_optPending->isChecked() ? 1 : 2,
        .userCode = user,
    };
    if (HistoryStore().correctConsultation(correction) > 0) {
        ShowSaved();
        accept();
    }
}

std::optional<int> FrmAS_SubConsult2::categoryCode()
{
    const QString name = m_txtConsult->text().trimmed();
    if (name.isEmpty())
        return 0;
    const int code = Guarded(u"btnSave_Click"_s, u"Form"_s, kForm, -1,
                             [&] { return HistoryStore().categoryCode(AsCodeRecord::ConsultClass, name); });
    if (code > 0)
        return code;
    if (code == 0)
        MsgInfo(u"현재 입력하신 상담분류가 존재하지 않습니다."_s + vbCrLf + u"상담분류를 추가 후 작성해 주십시오."_s,
                u"상담분류"_s);
    return std::nullopt;
}

void FrmAS_SubConsult2::pickCategory()
{
    const Pick pick = frmAS_SubConsult::pickCategory(this, AsCodeRecord::ConsultClass, m_txtConsult->text().trimmed());
    if (!pick.isEmpty())
        m_txtConsult->setText(pick.name);
}

} // namespace asv
