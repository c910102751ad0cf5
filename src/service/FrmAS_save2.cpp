#include "FrmAS_save2.h"

#include "AppState.h"
#include "AsCodeCombo.h"
#include "AsCodeRecord.h"
#include "AsJobStore.h"
#include "FrmAsCode_save.h"
#include "HCText.h"
#include "SharedOptions.h"
#include "WidgetHelpers.h"
#include "hcDate.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"
#include "ucFindBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QShortcut>

using namespace Qt::StringLiterals;

namespace asv {

namespace {


} // namespace

FrmAS_save2::FrmAS_save2(QWidget* parent)
    : RecordEditor(parent, u"FrmAS_save2"_s,
                   {u"A/S결과"_s, nullptr, {}, false, u"btnClose"_s, u"chkContinueAdd"_s, u"계속 등록하기(&N)"_s}),
      m_lblCode(NamedLabel(this, u"lblCode"_s)), m_lblSeq(NamedLabel(this, u"lblSeq"_s)),
      m_fbProd(new ucFindBox(this)), m_codes{new QComboBox(this), new QComboBox(this)},
      m_memo(NamedTextField(this, {u"htField13"_s, {}, 100, HCText::AnyText})),
      m_amount(NamedTextField(this, {u"htField0"_s, {}, 0, HCText::Number})),
      m_chkFree(new QCheckBox(u"무상"_s, this)), m_sendLabel(NamedLabel(this, u"lblSendDate"_s, u"배 송 일"_s)),
      m_sendDate(new hcDate(this))
{
    setWindowTitle(u"AS처리등록"_s);
    m_fbProd->setObjectName(u"fbProd"_s);
    m_fbProd->setFindType(ucFindBox::FindProdKind);
    m_chkFree->setObjectName(u"chkFree"_s);
    m_amount->setDecPlace(SharedOptions::current().amountDecimals);
    m_sendDate->setObjectName(u"hdField0"_s);
    // A delivery date is only what someone chose: the field starts empty.
    m_sendDate->setAllowEmpty(true);
    m_sendDate->SetText({});

    auto* number = new QHBoxLayout;
    number->addWidget(m_lblCode);
    number->addWidget(m_lblSeq);
    number->addStretch();
    auto* form = new QFormLayout;
    form->addRow(u"A/S 번호"_s, number);
    form->addRow(u"상 품 명"_s, m_fbProd);
    static const QString kCaptions[] = {u"원인코드"_s, u"결과코드"_s};
    for (int i = 0; i < 2; ++i) {
        m_codes[i]->setObjectName(u"Combo1"_s + QString::number(i));
        auto* find = NamedButton(this, u"btnShowFindFld"_s + QString::number(i), u"..."_s);
        connect(find, &QPushButton::clicked, this, [this, i] { openCodeScreen(i); });
        AddFieldRow(form, kCaptions[i], m_codes[i], find);
    }
    form->addRow(u"A/S 메모"_s, m_memo);
    AddFieldRow(form, u"청구금액"_s, m_amount, m_chkFree);
    form->addRow(m_sendLabel, m_sendDate);
    layOut(form);
    setFocusOrder({m_fbProd, m_codes[0], m_codes[1], m_memo, m_amount, m_chkFree, m_sendDate});
    watchValues({m_fbProd, m_codes[0], m_codes[1], m_memo, m_amount, m_chkFree, m_sendDate});

    const bool edition = AppState::instance().isTamber();
    m_sendLabel->setVisible(edition);
    m_sendDate->setVisible(edition);

    connect(m_fbProd, &ucFindBox::found, this, &FrmAS_save2::productChosen);
    connect(new QShortcut(QKeySequence(Qt::Key_F2), this), &QShortcut::activated, saveButton(), &QPushButton::click);
    fillCodes();
    SetFormMode(NewRecord);
}

void FrmAS_save2::setJob(int job)
{
    m_lblCode->setText(QString::number(job));
}

int FrmAS_save2::job() const
{
    return m_lblCode->text().toInt();
}

int FrmAS_save2::seq() const
{
    return m_lblSeq->text().toInt();
}

void FrmAS_save2::fillCodes()
{
    Guarded(u"fbProd_Found"_s, u"Form"_s, objectName(), 0, [this] {
        AsCodeCombo::fill(m_codes[0], AsCodeRecord::Cause, m_fbProd->code());
        AsCodeCombo::fill(m_codes[1], AsCodeRecord::Result, m_fbProd->code());
        return 0;
    });
}

void FrmAS_save2::productChosen()
{
    m_codes[0]->setFocus();
    fillCodes();
    Guarded(u"fbProd_Found"_s, u"Form"_s, objectName(), 0, [this] {
        const auto received = [this]() -> std::optional<QString> {
            const std::optional<AsJobRecord> job = AsJobStore().load(this->job());
            return job ? std::optional(job->pcode) : std::nullopt;
        };
        if (AsLineEdit::otherThanReceived(m_lineCount, received, m_fbProd->code()))
            MsgInfo(u"A/S접수시의 상품명과 다릅니다. 확인바랍니다."_s);
        return 0;
    });
}

void FrmAS_save2::openCodeScreen(int i)
{
    FrmAsCode_save::showModal(window(), {m_fbProd->code(), m_fbProd->Text()}, i + 1);
    Guarded(u"btnShowFindFld_Click"_s, u"Form"_s, objectName(), 0, [&] {
        AsCodeCombo::fill(m_codes[i], i + 1, m_fbProd->code());
        return 0;
    });
    AsCodeCombo::choose(m_codes[i], 0);
}

void FrmAS_save2::modeChanged()
{
    m_lineCount = Guarded(u"SetFormMode"_s, u"Form"_s, objectName(), 0, [this] { return AsJobStore().lineCount(job()); });
    if (mode() == NewRecord)
        startWithJobProduct();
}

void FrmAS_save2::startNextEntry()
{
    clearFields();
    startWithJobProduct();
}

// Most lines are about the product the job was received for.
void FrmAS_save2::startWithJobProduct()
{
    if (job() == 0)
        return;
    Guarded(u"SetFormMode"_s, u"Form"_s, objectName(), 0, [this] {
        const std::optional<AsJobRecord> received = AsJobStore().load(job());
        if (received && !received->pcode.isEmpty()) {
            m_fbProd->FindName(received->pcode);
            fillCodes();
        }
        return 0;
    });
}

void FrmAS_save2::clearFields()
{
    m_memo->SetText({});
    m_amount->SetText(u"0"_s);
    m_fbProd->clear();
    m_chkFree->setChecked(false);
    m_lblSeq->clear();
    if (isVisible())
        m_fbProd->setFocus();
}

void FrmAS_save2::loadRecord(const QString& seq)
{
    Guarded(u"DispRec"_s, u"Form"_s, objectName(), 0, [&] {
        const std::optional<AsLineRecord> line = AsJobStore().loadLine(job(), seq.toInt());
        if (!line)
            return 0;
        m_lblSeq->setText(QString::number(line->seq));
        m_fbProd->FindName(line->pcode);
        fillCodes();
        AsCodeCombo::choose(m_codes[0], line->typecode1);
        AsCodeCombo::choose(m_codes[1], line->typecode2);
        m_memo->SetText(line->workbigo);
        m_amount->SetText(AsLineRecord::fields().text(AsLineRecord::fields().field(u"amount"_s), *line));
        m_chkFree->setChecked(line->isfree);
        m_sendDate->SetText(line->senddate);
        return 0;
    });
}

bool FrmAS_save2::checkBeforeSave()
{
    switch (AsLineEdit::refusal(typed())) {
    case AsLineEdit::Refusal::NoCause:
        return refuseRequired(m_codes[0], u"원인코드가 입력되지 않았습니다."_s);
    case AsLineEdit::Refusal::NoResult:
        return refuseRequired(m_codes[1], u"결과코드가 입력되지 않았습니다."_s);
    case AsLineEdit::Refusal::NoProduct:
        return refuseRequired(m_fbProd, requiredMessage(u"상품"_s));
    case AsLineEdit::Refusal::None:
        break;
    }
    return true;
}

AsLineEdit::Typed FrmAS_save2::typed() const
{
    return {m_fbProd->code(), m_fbProd->Text(), AsCodeCombo::chosen(m_codes[0]), AsCodeCombo::chosen(m_codes[1]),
            m_memo->Text(), m_amount->Text(), m_chkFree->isChecked(), m_sendDate->Text()};
}

int FrmAS_save2::writeRecord()
{
    // An edit closes the dialog after its save (the continue box serves new lines only), so a
    // line is never saved twice from one opening.
    const int saved = AsJobStore().saveLine(AsLineEdit::line(job(), mode() == EditRecord ? seq() : 0, typed()));
    if (saved == 0)
        return 0;
    m_lblSeq->setText(QString::number(saved));
    if (mode() == NewRecord)
        ++m_lineCount;
    return 1;
}

Pick FrmAS_save2::savedRecord() const
{
    return {m_lblSeq->text(), m_fbProd->Text()};
}

} // namespace asv
