#include "FrmAS_save.h"

#include "AppState.h"
#include "AsCodeRecord.h"
#include "AsCodeCombo.h"
#include "AsJobStore.h"
#include "AsTicketPrint.h"
#include "Clock.h"
#include "FrmAsCode_save.h"
#include "HCText.h"
#include "WidgetHelpers.h"
#include "hcDate.h"
#include "modMain_SQL.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"
#include "ucFindBox.h"
#include "RecordSet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QShortcut>

using namespace Qt::StringLiterals;

namespace asv {

namespace {


HCText* timeField(QWidget* parent, const QString& name)
{
    return NamedTextField(parent, {name, {}, 5, HCText::Time});
}

} // namespace

FrmAS_save::FrmAS_save(QWidget* parent)
    : RecordEditor(parent, u"FrmAS_save"_s,
                   {u"A/S접수"_s, nullptr, {}, false, u"btnClose"_s, u"chkContinueAdd"_s, u"계속 등록하기(&N)"_s}),
      m_lblCode(NamedLabel(this, u"lblCode"_s)), m_lblDate(NamedLabel(this, u"lblDate"_s)),
      m_lblTime(NamedLabel(this, u"lblTime"_s)), m_lblDealDam(NamedLabel(this, u"lblDealDam"_s)),
      m_lblCustInfo{NamedLabel(this, u"lblCustInfo0"_s), NamedLabel(this, u"lblCustInfo1"_s)},
      m_fbCust(ucFindBox::create(this, u"fbCust"_s, ucFindBox::FindCustKind)),
      m_fbProd(ucFindBox::create(this, u"fbProd"_s, ucFindBox::FindProdKind)),
      m_fbUser(ucFindBox::create(this, u"fbUser"_s, ucFindBox::FindUserKind)), m_combo(new QComboBox(this)),
      m_contents(NamedTextField(this, {u"htField13"_s, {}, 100, HCText::AnyText})),
      m_serial(NamedTextField(this, {u"htField0"_s, {}, 50, HCText::AnyText})),
      m_visitDate{new hcDate(this), new hcDate(this)},
      m_visitTime{timeField(this, u"htTime0"_s), timeField(this, u"htTime1"_s)}
{
    setWindowTitle(u"AS접수등록"_s);
    m_combo->setObjectName(u"Combo1"_s);
    for (int i = 0; i < 2; ++i) {
        m_visitDate[i]->setObjectName(u"hdField"_s + QString::number(i));
        m_visitDate[i]->setAllowEmpty(true);
        m_visitDate[i]->SetText({});
    }
    auto* findCodes = NamedButton(this, u"btnShowFindFld"_s, u"..."_s);

    auto* stamp = new QHBoxLayout;
    stamp->addWidget(m_lblDate);
    stamp->addWidget(m_lblTime);
    stamp->addStretch();
    auto visit = [this](int i) {
        auto* row = new QHBoxLayout;
        row->addWidget(m_visitDate[i]);
        row->addWidget(m_visitTime[i]);
        if (i == 1)
            row->addWidget(new QLabel(u"← PDA검색 기준일자"_s, this));
        row->addStretch();
        return row;
    };
    auto* form = new QFormLayout;
    form->addRow(u"A/S 번호"_s, m_lblCode);
    form->addRow(u"접수일시"_s, stamp);
    form->addRow(u"접수담당"_s, m_lblDealDam);
    form->addRow(u"상호/고객"_s, m_fbCust);
    form->addRow(QString(), m_lblCustInfo[0]);
    form->addRow(QString(), m_lblCustInfo[1]);
    form->addRow(u"상  품  명"_s, m_fbProd);
    AddFieldRow(form, u"접수코드"_s, m_combo, findCodes);
    form->addRow(u"접수내용"_s, m_contents);
    form->addRow(u"방문요청"_s, visit(0));
    form->addRow(u"방문예정"_s, visit(1));
    form->addRow(u"AS 담당"_s, m_fbUser);
    form->addRow(u"상품 일련번호"_s, m_serial);
    QCheckBox* ticket = AsTicketPrint::tick(this);
    form->addRow(QString(), ticket);
    layOut(form);
    setFocusOrder({m_fbCust, m_fbProd, m_combo, m_contents, m_visitDate[0], m_visitTime[0], m_visitDate[1],
                   m_visitTime[1], m_fbUser, m_serial});
    watchValues({m_fbCust, m_fbProd, m_combo, m_contents, m_visitDate[0], m_visitTime[0], m_visitDate[1],
                 m_visitTime[1], m_fbUser, m_serial});

    connect(m_fbCust, &ucFindBox::found, this, &FrmAS_save::public_DisplayCustInfo);
    connect(m_fbProd, &ucFindBox::found, this, &FrmAS_save::productChosen);
    connect(findCodes, &QPushButton::clicked, this, &FrmAS_save::openCodeScreen);
    connect(this, &RecordEditor::saved, this, [this, ticket](int mode, const QString& code) {
        if (mode == NewRecord && ticket->isChecked())
            AsTicketPrint::preview(this, code.toInt());
    });
    connect(new QShortcut(QKeySequence(Qt::Key_F2), this), &QShortcut::activated, saveButton(), &QPushButton::click);

    Guarded(u"Form_Load"_s, u"Form"_s, objectName(), 0, [this] {
        AsCodeCombo::fill(m_combo, AsCodeRecord::Reception, {});
        return 0;
    });
    SetFormMode(NewRecord);
}

int FrmAS_save::jobCode() const
{
    return m_lblCode->text().toInt();
}

void FrmAS_save::ShowPickedCustomer(const QString& code)
{
    m_fbCust->FindName(code);
    public_DisplayCustInfo();
}

void FrmAS_save::presetProduct(const QString& pcode)
{
    m_fbProd->FindName(pcode);
    productChosen();
}

void FrmAS_save::public_DisplayCustInfo()
{
    Guarded(u"public_DisplayCustInfo"_s, u"Form"_s, objectName(), 0, [this] {
        RecordSetPtr rs;
        DBOpenRS(rs, u"SELECT * FROM customer WHERE code = "_s + StoreSql::quoted(m_fbCust->code()));
        const bool found = rs && !rs->eof();
        m_lblCustInfo[0]->setText(found ? u"전화번호: "_s + rs->field(u"telno1"_s) + u" , "_s + rs->field(u"hpno"_s)
                                        : QString());
        m_lblCustInfo[1]->setText(found ? u"주소: "_s + rs->field(u"addr1"_s) + u' ' + rs->field(u"addr2"_s)
                                        : QString());
        return 0;
    });
}

void FrmAS_save::productChosen()
{
    Guarded(u"fbProd_Found"_s, u"Form"_s, objectName(), 0, [this] {
        AsCodeCombo::fill(m_combo, AsCodeRecord::Reception, m_fbProd->code());
        return 0;
    });
}

void FrmAS_save::openCodeScreen()
{
    FrmAsCode_save::showModal(window(), {m_fbProd->code(), m_fbProd->Text()}, AsCodeRecord::Reception);
    productChosen();
    AsCodeCombo::choose(m_combo, 0);
}

void FrmAS_save::clearFields()
{
    for (HCText* field : {m_contents, m_serial})
        field->SetText({});
    m_lblCode->clear();
    m_fbCust->clear();
    m_fbProd->clear();
    // A job nobody is in charge of is easily forgotten: the operator is, until another is named.
    m_fbUser->FindName(AppState::instance().UserCode);
    for (QLabel* info : m_lblCustInfo)
        info->clear();
    for (HCText* time : m_visitTime)
        time->SetText(u"00:00"_s);
    // The save stamps the moment again; until then the operator sees when the job is being taken.
    const QDateTime now = Clock::now();
    m_lblDate->setText(now.toString(u"yyyy-MM-dd"_s));
    m_lblTime->setText(now.toString(u"HH:mm"_s));
    m_lblDealDam->setText(AppState::instance().UserName);
    m_combo->setCurrentIndex(-1);
    if (isVisible())
        m_fbCust->setFocus();
}

void FrmAS_save::loadRecord(const QString& code)
{
    Guarded(u"DispRec"_s, u"Form"_s, objectName(), 0, [&] {
        const std::optional<AsJobRecord> job = AsJobStore().load(code.toInt());
        if (!job)
            return 0;
        m_lblCode->setText(QString::number(job->code));
        m_lblDate->setText(job->dealdate);
        m_lblTime->setText(job->dealtime);
        m_lblDealDam->setText(GetName_User(job->regucode));
        ShowPickedCustomer(job->ccode);
        presetProduct(job->pcode);
        AsCodeCombo::choose(m_combo, job->typecode0);
        m_serial->SetText(job->pserial);
        m_contents->SetText(job->dealbigo);
        m_fbUser->FindName(job->charge);
        m_visitDate[0]->SetText(job->resvdate1);
        m_visitTime[0]->SetText(job->resvtime1);
        m_visitDate[1]->SetText(job->resvdate2);
        m_visitTime[1]->SetText(job->resvtime2);
        return 0;
    });
}

bool FrmAS_save::checkBeforeSave()
{
    if (!m_visitDate[0]->Text().isEmpty() && !m_visitDate[0]->date())
        return refuse(m_visitDate[0], u"방문요청일자가 잘못 입력되었습니다."_s);
    if (!m_visitDate[1]->Text().isEmpty() && !m_visitDate[1]->date())
        return refuse(m_visitDate[1], u"방문예정일자가 잘못 입력되었습니다."_s);
    if (m_fbCust->Text().trimmed().isEmpty())
        return refuseRequired(m_fbCust, requiredMessage(u"거래처"_s));
    if (m_fbCust->code().isEmpty())
        return refuseRequired(m_fbCust, u"거래처 코드가 입력되지 않았습니다."_s);
    if (AsCodeCombo::chosen(m_combo) == 0)
        return refuseRequired(m_combo, u"접수코드가 입력되지 않았습니다."_s);
    if (m_fbProd->Text().trimmed().isEmpty())
        return refuseRequired(m_fbProd, requiredMessage(u"상품"_s));
    return true;
}

AsJobRecord FrmAS_save::fromFields() const
{
    AsJobRecord job;
    job.code = jobCode();
    job.ccode = m_fbCust->code();
    job.pcode = m_fbProd->code();
    job.pserial = m_serial->Text();
    job.dealbigo = m_contents->Text();
    job.typecode0 = AsCodeCombo::chosen(m_combo);
    job.resvdate1 = m_visitDate[0]->Text();
    job.resvtime1 = m_visitTime[0]->Text();
    job.resvdate2 = m_visitDate[1]->Text();
    job.resvtime2 = m_visitTime[1]->Text();
    job.charge = m_fbUser->code();
    return job;
}

int FrmAS_save::writeRecord()
{
    AsJobRecord job = fromFields();
    if (mode() == EditRecord)
        return AsJobStore().update(job) ? 1 : 0;
    const QDateTime now = Clock::now();
    job.dealdate = now.toString(u"yyyy-MM-dd"_s);
    job.dealtime = now.toString(u"HH:mm"_s);
    job.regucode = AppState::instance().UserCode;
    const int code = AsJobStore().insert(job);
    if (code == 0)
        return 0;
    m_lblDate->setText(job.dealdate);
    m_lblTime->setText(job.dealtime);
    m_lblCode->setText(QString::number(code));
    return 1;
}

Pick FrmAS_save::savedRecord() const
{
    return {m_lblCode->text(), m_fbCust->Text()};
}

} // namespace asv
