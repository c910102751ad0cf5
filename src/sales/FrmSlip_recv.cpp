#include "FrmSlip_recv.h"

#include "AppState.h"
#include "Clock.h"
#include "ConfigKeys.h"
#include "FrmRecv_sel.h"
#include "HCText.h"
#include "ReceiveRules.h"
#include "SharedOptions.h"
#include "WidgetHelpers.h"
#include "hcDate.h"
#include "mdlCommonOstra.h"
#include "modMain_SQL.h"
#include "modMsgBox.h"
#include "ucFindBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QProcess>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

using ConfigKeys::kConfig;

const Setting<bool> kBaseDay{kConfig, u"FrmSlip_recv_BaseDay"_s, false};
const Setting<bool> kSkipAmt{kConfig, u"FrmSlip_recv_SkipAmt"_s, false};
const Setting<bool> kSkipDC{kConfig, u"FrmSlip_recv_SkipDC"_s, true};

QLabel* panel(QWidget* parent, const QString& name)
{
    QLabel* label = NamedLabel(parent, name);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(110);
    return label;
}

HCText* field(QWidget* parent, const QString& name, int bytes, int kind)
{
    return NamedTextField(parent, {name, {}, bytes, kind});
}

} // namespace

FrmSlip_recv::FrmSlip_recv(QWidget* parent)
    : RecordEditor(parent, u"FrmSlip_recv"_s, {u"전표"_s, nullptr, {}, false, u"btnClose"_s}),
      m_hdField(new hcDate(this)), m_fbCust(ucFindBox::create(this, u"fbCust"_s, ucFindBox::FindCustKind)),
      m_fbUser(ucFindBox::create(this, u"fbUser"_s, ucFindBox::FindUserKind)),
      m_txtAmount(field(this, u"txtAmount"_s, 0, HCText::Number)), m_txtDC(field(this, u"txtDC"_s, 0, HCText::Number)),
      m_cmbCashType(new QComboBox(this)), m_txtBigo(field(this, u"txtBigo"_s, 100, HCText::AnyText)),
      m_pnlCustName(panel(this, u"pnlCustName"_s)), m_pnlCustBigo(panel(this, u"pnlCustBigo"_s)),
      m_pnlPrevBaln(panel(this, u"pnlPrevBaln"_s)), m_pnlTotal(panel(this, u"pnlTotal"_s)),
      m_pnlCurBaln(panel(this, u"pnlCurBaln"_s)),
      m_chkBaseDay(SettingCheckBox(this, u"chkBaseDay"_s, u"기준일자 미수계산"_s, kBaseDay)),
      m_chkSkipAmt(SettingCheckBox(this, u"chkSkip0"_s, u"건너뛰기"_s, kSkipAmt)),
      m_chkSkipDC(SettingCheckBox(this, u"chkSkip1"_s, u"건너뛰기"_s, kSkipDC))
{
    m_hdField->setObjectName(u"hdField"_s);
    m_cmbCashType->setObjectName(u"cmbCashType"_s);
    m_cmbCashType->addItems({u"현금"_s, u"카드"_s});
    for (HCText* money : {m_txtAmount, m_txtDC}) {
        money->setShowSeparate(true);
        money->setDecPlace(SharedOptions::current().amountDecimals);
    }

    auto* balances = new QHBoxLayout;
    for (const auto& [caption, label] : {std::pair{u"전 미 수:"_s, m_pnlPrevBaln}, std::pair{u"합계:"_s, m_pnlTotal},
                                         std::pair{u"현 미 수:"_s, m_pnlCurBaln}}) {
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        balances->addWidget(new QLabel(caption, this));
        balances->addWidget(label);
    }
    balances->addWidget(m_chkBaseDay);
    auto* buttons = new QHBoxLayout;
    QPushButton* btnNew = NamedButton(this, u"btnNewRecv"_s, u"신규(&N)"_s);
    QPushButton* btnList = NamedButton(this, u"btnListRecv"_s, u"검색(&F)"_s);
    QPushButton* btnCalc = NamedButton(this, u"btnCalc"_s, u"계산기"_s);
    for (QPushButton* b : {btnNew, btnList, btnCalc})
        buttons->addWidget(b);
    buttons->addStretch();

    auto* form = new QFormLayout;
    form->addRow(u"입금일자"_s, m_hdField);
    AddFieldRow(form, u"*거 래 처"_s, m_fbCust, m_pnlCustName);
    form->addRow(u"거래처 메모"_s, m_pnlCustBigo);
    form->addRow(u"담 당 자"_s, m_fbUser);
    AddFieldRow(form, u"*입 금 액"_s, m_txtAmount, m_chkSkipAmt);
    AddFieldRow(form, u"할인금액"_s, m_txtDC, m_chkSkipDC);
    form->addRow(u"구    분"_s, m_cmbCashType);
    form->addRow(u"메    모"_s, m_txtBigo);
    form->addRow(balances);
    form->addRow(buttons);
    layOut(form);
    setFocusOrder({m_hdField, m_fbCust, m_fbUser, m_txtAmount, m_txtDC, m_cmbCashType, m_txtBigo});
    watchValues({m_hdField, m_fbCust, m_fbUser, m_txtAmount, m_txtDC, m_cmbCashType, m_txtBigo});

    connect(m_fbCust, &ucFindBox::found, this, &FrmSlip_recv::customerChosen);
    connect(m_hdField, &hcDate::changed, this, &FrmSlip_recv::readPreviousBalance);
    connect(m_chkBaseDay, &QCheckBox::clicked, this, &FrmSlip_recv::readPreviousBalance);
    connect(m_txtAmount, &HCText::changed, this, &FrmSlip_recv::showBalances);
    connect(m_txtDC, &HCText::changed, this, &FrmSlip_recv::showBalances);
    connect(m_chkSkipAmt, &QCheckBox::clicked, this, &FrmSlip_recv::applySkips);
    connect(m_chkSkipDC, &QCheckBox::clicked, this, &FrmSlip_recv::applySkips);
    connect(btnNew, &QPushButton::clicked, this, [this] { SetFormMode(NewRecord); });
    connect(btnList, &QPushButton::clicked, this, &FrmSlip_recv::openList);
    connect(btnCalc, &QPushButton::clicked, this, &FrmSlip_recv::startCalculator);
    applySkips();

    SetFormMode(NewRecord);
}

void FrmSlip_recv::applySkips()
{
    m_txtAmount->setFocusPolicy(m_chkSkipAmt->isChecked() ? Qt::ClickFocus : Qt::StrongFocus);
    m_txtDC->setFocusPolicy(m_chkSkipDC->isChecked() ? Qt::ClickFocus : Qt::StrongFocus);
}

void FrmSlip_recv::clearFields()
{
    m_loaded = {};
    m_savedCode = 0;
    m_hdField->setDate(Clock::today());
    m_fbCust->clear();
    m_fbUser->clear();
    m_txtAmount->SetText(QString());
    m_txtDC->SetText(QString());
    m_cmbCashType->setCurrentIndex(0);
    m_txtBigo->SetText(QString());
    m_pnlCustName->clear();
    m_pnlCustBigo->clear();
    readPreviousBalance();
    m_hdField->setFocus();
}

void FrmSlip_recv::loadRecord(const QString& code)
{
    Guarded(u"SetFormMode"_s, u"Form"_s, objectName(), 0, [&] {
        const std::optional<ReceiveRecord> p = m_store.load(code.toInt());
        if (!p) {
            MsgInfo(u"입금 자료를 찾을 수 없습니다. 이미 삭제되었을 수 있습니다."_s);
            return 0;
        }
        m_loaded = *p;
        m_hdField->SetText(p->dealdate);
        m_fbCust->setCode(p->ccode);
        customerChosen();
        m_fbUser->FindName(p->charge);
        m_txtAmount->SetText(FormatNumber(p->amount, {}));
        m_txtDC->SetText(FormatNumber(p->dc, {}));
        m_cmbCashType->setCurrentIndex(p->type == 0 || p->type == 1 ? p->type : -1);
        m_txtBigo->SetText(p->bigo);
        readPreviousBalance();
        return 0;
    });
}

void FrmSlip_recv::startNew(const QString& ccode)
{
    ShowPickedCustomer(ccode);
}

void FrmSlip_recv::ShowPickedCustomer(const QString& code)
{
    m_fbCust->setCode(code);
    customerChosen();
    m_txtAmount->setFocus();
}

void FrmSlip_recv::modeChanged()
{
    QString caption = mode() == NewRecord ? u"전표 - 『등록』"_s : u"전표 - 『수정』"_s;
    if (mode() == EditRecord && !m_loaded.deallistno.isEmpty())
        caption += u" (거래명세서No:"_s + m_loaded.deallistno + u")"_s;
    setWindowTitle(caption);
}

void FrmSlip_recv::customerChosen()
{
    Guarded(u"fbCust_Change"_s, u"Form"_s, objectName(), 0, [&] {
        const std::optional<ReceiveCustomer> c = m_store.customer(m_fbCust->code());
        m_fbCust->SetText(c ? c->name : QString());
        m_pnlCustName->setText(c ? c->name : QString());
        m_pnlCustBigo->setText(c ? c->bigo : QString());
        if (c && mode() == NewRecord)
            m_fbUser->FindName(c->charge);
        return 0;
    });
    readPreviousBalance();
}

void FrmSlip_recv::readPreviousBalance()
{
    m_previous = Guarded(u"ShowBalance"_s, u"Form"_s, objectName(), 0.0, [&] {
        const QString ccode = m_fbCust->code();
        if (ccode.isEmpty())
            return 0.0;
        const QString date = m_hdField->Text();
        const bool asOfDate = m_chkBaseDay->isChecked();
        const double balance = asOfDate ? GetBalance(ccode, true, date)
                                        : m_store.customer(ccode).value_or(ReceiveCustomer{}).nowmoney;
        return balance + ReceiveRules::addedBack(m_loaded, ccode, asOfDate ? date : QString());
    });
    showBalances();
}

void FrmSlip_recv::showBalances()
{
    const ReceiveRules::Panels p = ReceiveRules::panels(m_previous, typed());
    m_pnlPrevBaln->setText(ReceiveRules::panelText(p.previous));
    m_pnlTotal->setText(ReceiveRules::panelText(p.total));
    m_pnlCurBaln->setText(ReceiveRules::panelText(p.current));
}

ReceiveRules::Typed FrmSlip_recv::typed() const
{
    return {m_hdField->date(), m_hdField->Text(), m_fbCust->Text(), m_fbCust->code(), m_txtAmount->Text(),
            m_txtDC->Text(), m_cmbCashType->currentIndex(), m_fbUser->code(), m_txtBigo->Text()};
}

bool FrmSlip_recv::checkBeforeSave()
{
    using Issue = ReceiveRules::Issue;
    for (const Issue issue : ReceiveRules::issues(typed(), Clock::today())) {
        switch (issue) {
        case Issue::BadDate:
            return refuse(m_hdField, u"입금일자가 잘못 입력되었습니다."_s);
        case Issue::FutureDate:
            if (MsgYesNo(u"오늘이후 일자(미래)입니다. 그래도, 저장하시겠습니까?"_s) != MsgAnswer::Yes)
                return false;
            break;
        case Issue::NoCustomer:
            return refuseRequired(m_fbCust, requiredMessage(u"거래처"_s));
        case Issue::NoCustomerCode:
            return refuseRequired(m_fbCust, u"거래처 코드가 입력되지 않았습니다."_s);
        case Issue::NothingPaid:
            if (MsgYesNo(u"입금액이나 할인금액이 입력되지 않았습니다. 그래도 저장하시겠습니까?."_s, requiredTitle(), false)
                != MsgAnswer::Yes)
                return false;
            break;
        }
    }
    return true;
}

int FrmSlip_recv::writeRecord()
{
    ReceiveRecord p = ReceiveRules::edited(m_loaded, typed());
    if (mode() == EditRecord) {
        m_savedCode = p.code;
        return m_store.update(m_loaded, p);
    }
    p.regucode = App().UserCode;
    p.dealtime = Clock::now().toString(u"HH:mm"_s);
    m_savedCode = m_store.insert(p);
    return m_savedCode > 0 ? 1 : 0;
}

Pick FrmSlip_recv::savedRecord() const
{
    return {QString::number(m_savedCode), m_fbCust->Text()};
}

void FrmSlip_recv::openList()
{
    FrmRecv_sel list(this);
    list.setCustomer(m_fbCust->code());
    if (list.exec() == QDialog::Accepted && list.Result() > 0)
        SetFormMode(EditRecord, QString::number(list.Result()));
}

void FrmSlip_recv::startCalculator()
{
    const QStringList command = QProcess::splitCommand(ConfigKeys::CalculatorCommand.get());
    const bool started = !command.isEmpty() && QProcess::startDetached(command.first(), command.mid(1));
    if (!started && !QProcess::startDetached(u"gnome-calculator"_s, {}))
        MsgInfo(u"계산기 파일을 찾을 수 없습니다."_s);
}

} // namespace asv
