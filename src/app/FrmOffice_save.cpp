#include "FrmOffice_save.h"

#include "AddressFields.h"
#include "AppState.h"
#include "HCText.h"
#include "OfficeStore.h"
#include "RecordEditor.h"
#include "WidgetHelpers.h"
#include "ZipcodeLookup.h"
#include "modMsgBox.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// column of office -> its field
const QList<std::pair<QString, TextFieldDef>> kFields{
    {u"compname"_s, {u"htCompName"_s, u"상호"_s, 40, HCText::AnyText}},
    {u"ceoname"_s, {u"htCeoName"_s, u"대표자"_s, 20, HCText::AnyText}},
    {u"compsn"_s, {u"htCompSn"_s, u"사업자(주민)번호"_s, 15, HCText::AnyText}},
    {u"status"_s, {u"htStatus"_s, u"업태"_s, 40, HCText::AnyText}},
    {u"item"_s, {u"htItem"_s, u"종목"_s, 40, HCText::AnyText}},
    {u"zipcode"_s, {u"htZipcode"_s, u"우편번호"_s, 7, HCText::AnyText}},
    {u"addr1"_s, {u"htAddr1"_s, u"주소"_s, 100, HCText::AnyText}},
    {u"addr2"_s, {u"htAddr2"_s, u"상세주소"_s, 100, HCText::AnyText}},
    {u"telno1"_s, {u"htTelNo1"_s, u"전화번호1"_s, 20, HCText::Telephone}},
    {u"telno2"_s, {u"htTelNo2"_s, u"전화번호2"_s, 20, HCText::Telephone}},
    {u"fax"_s, {u"htFax"_s, u"팩스"_s, 20, HCText::Telephone}},
    {u"hpno"_s, {u"htHpNo"_s, u"휴대폰"_s, 20, HCText::Telephone}},
    {u"email"_s, {u"htEmail"_s, u"이메일"_s, 40, HCText::AnyText}},
    {u"bigo"_s, {u"htBigo"_s, u"메모"_s, 200, HCText::AnyText}},
};

// The company name a new database carries until the office enters its own.
const QString kPlaceholderName = u"OstraSoft(본사)"_s;

} // namespace

FrmOffice_save::FrmOffice_save(QWidget* parent)
    : QDialog(parent), m_btnSave(NamedButton(this, u"btnSave"_s, u"저장"_s)),
      m_btnClose(NamedButton(this, u"btnClose"_s, u"닫기"_s)), m_btnZipcode(NamedButton(this, u"btnZipcode"_s, u"우편번호"_s))
{
    setObjectName(u"FrmOffice_save"_s);
    setWindowTitle(u"사업장 정보 입력"_s);
    m_btnZipcode->setEnabled(ZipcodeLookup::isInstalled());

    auto* form = new QFormLayout;
    for (const auto& [column, def] : kFields) {
        HCText* field = NamedTextField(this, def);
        m_fields.insert(column, field);
        if (column == u"zipcode"_s)
            AddFieldRow(form, def.label, field, m_btnZipcode);
        else
            form->addRow(def.label, field);
    }
    LayOutEditor(this, form, nullptr, m_btnSave, m_btnClose);

    connect(field(u"compsn"_s), &HCText::lostFocus, this, &FrmOffice_save::checkRegistrationNumber);
    connect(m_btnSave, &QPushButton::clicked, this, &FrmOffice_save::save);
    connect(m_btnClose, &QPushButton::clicked, this, &FrmOffice_save::reject);
    connect(m_btnZipcode, &QPushButton::clicked, this, &FrmOffice_save::findZipcode);

    DispRec();
}

void FrmOffice_save::DispRec()
{
    Guarded(u"DispRec"_s, u"Form"_s, objectName(), 0, [&] {
        const OfficeStore::Record record = OfficeStore().load();
        for (auto it = m_fields.cbegin(); it != m_fields.cend(); ++it)
            it.value()->SetText(record.value(it.key()));
        return 0;
    });
}

void FrmOffice_save::checkRegistrationNumber()
{
    AddressFields::checkRegistrationNumber(field(u"compsn"_s));
}

void FrmOffice_save::save()
{
    Guarded(u"btnSave_Click"_s, u"Form"_s, objectName(), 0, [&] {
        HCText* name = field(u"compname"_s);
        const QString compname = name->Text().trimmed();
        if (compname.isEmpty()) {
            MsgInfo(RecordEditor::requiredMessage(u"상호"_s), RecordEditor::requiredTitle());
            name->setFocus();
            return 0;
        }
        if (compname == kPlaceholderName) {
            MsgInfo(u"상호를 변경해 주십시오."_s);
            name->setFocus();
            return 0;
        }
        OfficeStore::Record record;
        for (auto it = m_fields.cbegin(); it != m_fields.cend(); ++it)
            record.insert(it.key(), it.value()->Text());
        record.insert(u"compname"_s, compname);
        if (OfficeStore().update(record) <= 0) {
            MsgInfo(u"수정된 내용이 없거나, 자료저장을 실패하였습니다."_s);
            return 0;
        }
        App().CompanyName = compname;
        emit companyNameChanged(compname);
        ShowSaved();
        accept();
        return 0;
    });
}

void FrmOffice_save::findZipcode()
{
    AddressFields::findZipcode(this, field(u"zipcode"_s), field(u"addr1"_s), field(u"addr2"_s));
}

} // namespace asv
