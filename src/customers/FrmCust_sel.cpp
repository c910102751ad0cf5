#include "FrmCust_sel.h"

#include "AppState.h"
#include "CustomerPickReceiver.h"
#include "CustomerSearch.h"
#include "FindRecord.h"
#include "FrmCust_save.h"
#include "Grid.h"
#include "PickerRegistry.h"
#include "UserSettings.h"
#include "WidgetHelpers.h"
#include "hclimit.h"
#include "modDBMS_comn.h"
#include "modFormIni.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kViewNameKey = u"거래처검색_상호명보기"_s;
const int kDefaultKey = 1; // 상호

enum Column { ColCode, ColName, ColAlias, ColCeo, ColCharge, ColTelNo, ColAddress, ColBigo, ColModel, ColSerial };

// The entry of the operator list whose code (its first three characters) is op.
void chooseOperator(QComboBox* combo, const QString& op)
{
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i).left(3).trimmed() == op.left(3).trimmed()) {
            combo->setCurrentIndex(i);
            return;
        }
    }
}

} // namespace

FrmCust_sel::FrmCust_sel(QWidget* parent)
    : QDialog(parent), m_cmbFindKey(new QComboBox(this)), m_cmbFindOP(new QComboBox(this)),
      m_txtFind(new QLineEdit(this)), m_cmbOrderBy(new QComboBox(this)),
      m_chkViewCName(new QCheckBox(u"상호명보기"_s, this)), m_hcLimit(new hclimit(this)), m_spList(new Grid(this)),
      m_tamber(App().isTamber())
{
    setObjectName(u"FrmCust_sel"_s);
    setWindowTitle(u"고객 검색"_s);
    m_cmbFindKey->setObjectName(u"cmbFindKey"_s);
    m_cmbFindOP->setObjectName(u"cmbFindOP"_s);
    m_txtFind->setObjectName(u"txtFind"_s);
    m_cmbOrderBy->setObjectName(u"cmbOrderBy"_s);
    m_chkViewCName->setObjectName(u"chkViewCName"_s);
    m_hcLimit->setObjectName(u"hcLimit"_s);
    m_hcLimit->setFormName(objectName());
    m_spList->setObjectName(u"spList"_s);
    FillFindOP(m_cmbFindOP);
    for (const CustomerSearch::FindKey& key : CustomerSearch::pickerKeys())
        m_cmbFindKey->addItem(key.label);
    m_cmbOrderBy->addItems(CustomerSearch::orderLabels());
    m_cmbOrderBy->setCurrentIndex(CustomerSearch::savedOrder(objectName()));
    m_chkViewCName->setChecked(UserSettings::get(u"Config"_s, kViewNameKey, u"1"_s) == u"1"_s);

    QStringList captions{u"코드"_s, u"상호"_s, u"약칭"_s, u"대표자"_s, u"담당자"_s, u"전화번호"_s, u"주소"_s, u"메모"_s};
    if (m_tamber)
        captions << u"모델명"_s << u"S/N"_s;
    m_spList->setColumns(captions);
    GridModel& cells = m_spList->cells();
    cells.bindColumn(ColCode, u"code"_s);
    // Offices that file customers by short name see it first; without one the name stands in.
    cells.bindColumn(ColName, [this](const RecordSet& rs, int row) {
        const QString alias = rs.value(row, u"compalias"_s);
        return m_chkViewCName->isChecked() || alias.isEmpty() ? rs.value(row, u"compname"_s) : alias;
    });
    cells.bindColumn(ColAlias, u"compalias"_s);
    cells.bindColumn(ColCeo, u"ceoname"_s);
    cells.bindColumn(ColCharge, u"rname"_s);
    cells.bindColumn(ColTelNo, u"telno1"_s);
    cells.bindColumn(ColAddress, [](const RecordSet& rs, int row) {
        return rs.value(row, u"addr1"_s) + u' ' + rs.value(row, u"addr2"_s);
    });
    cells.bindColumn(ColBigo, u"bigo"_s);
    if (m_tamber) {
        cells.bindColumn(ColModel, u"modelname"_s);
        cells.bindColumn(ColSerial, u"serialnumber"_s);
    }

    QPushButton* btnSel = NamedButton(this, u"btnSel"_s, u"선택"_s);
    QPushButton* btnNew = NamedButton(this, u"btnNew"_s, u"신규"_s);
    QPushButton* btnEdit = NamedButton(this, u"btnEdit"_s, u"수정"_s);
    QPushButton* btnClose = NamedButton(this, u"btnClose"_s, u"닫기"_s);
    auto* bar = new QHBoxLayout;
    bar->addWidget(new QLabel(u"검색"_s, this));
    bar->addWidget(m_cmbFindKey);
    bar->addWidget(m_cmbFindOP);
    bar->addWidget(m_txtFind, 1);
    bar->addWidget(m_cmbOrderBy);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_chkViewCName);
    buttons->addWidget(m_hcLimit);
    buttons->addStretch();
    for (QPushButton* b : {btnSel, btnNew, btnEdit, btnClose})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_spList, 1);
    layout->addLayout(buttons);

    connect(m_cmbFindKey, &QComboBox::currentIndexChanged, this, &FrmCust_sel::keyChosen);
    connect(m_cmbOrderBy, &QComboBox::currentIndexChanged, this, &FrmCust_sel::orderChosen);
    connect(m_chkViewCName, &QCheckBox::toggled, this, &FrmCust_sel::viewNameToggled);
    connect(m_txtFind, &QLineEdit::returnPressed, this, &FrmCust_sel::typedSearch);
    connect(btnSel, &QPushButton::clicked, this, &FrmCust_sel::selectRow);
    connect(m_spList, &QAbstractItemView::activated, this, &FrmCust_sel::selectRow);
    connect(btnNew, &QPushButton::clicked, this, [this] { openEditor(FrmCust_save::NewRecord); });
    connect(btnEdit, &QPushButton::clicked, this, &FrmCust_sel::editSelected);
    connect(btnClose, &QPushButton::clicked, this, &FrmCust_sel::reject);

    m_cmbFindKey->setCurrentIndex(kDefaultKey);
    LoadFormIni(this);
}

void FrmCust_sel::done(int result)
{
    SaveFormIni(this);
    QDialog::done(result);
}

void FrmCust_sel::keyChosen()
{
    const int key = m_cmbFindKey->currentIndex();
    if (key < 0)
        return;
    const CustomerSearch::FindKey chosen = CustomerSearch::pickerKeys().at(key);
    m_fields = chosen.fields;
    chooseOperator(m_cmbFindOP, chosen.op);
}

void FrmCust_sel::orderChosen()
{
    CustomerSearch::saveOrder(objectName(), m_cmbOrderBy->currentIndex());
    if (m_spList->rowCount() > 0)
        Refresh_Sheet();
}

void FrmCust_sel::viewNameToggled(bool on)
{
    UserSettings::set(u"Config"_s, kViewNameKey, on ? u"1"_s : u"0"_s);
    m_spList->viewport()->update();
}

void FrmCust_sel::setSearchState(const QString& fields, const QString& opText)
{
    if (!fields.isEmpty())
        m_fields = fields;
    if (!opText.isEmpty())
        chooseOperator(m_cmbFindOP, opText);
}

int FrmCust_sel::load()
{
    return Guarded(u"Refresh_Sheet"_s, u"Form"_s, objectName(), 0, [&] {
        CustomerSearch::Query query;
        query.fields = m_fields;
        query.text = m_txtFind->text();
        query.opText = m_cmbFindOP->currentText();
        query.order = m_cmbOrderBy->currentIndex();
        query.extraCondition = m_extraCondition;
        query.limitClause = m_hcLimit->LimitClause();
        query.tamber = m_tamber;
        RecordSetPtr rs;
        DBOpenRS(rs, CustomerSearch::pickerSql(query));
        m_spList->cells().setRecordSet(rs);
        const int rows = m_spList->rowCount();
        m_result = rows == 1 ? pickOf(0) : QString();
        if (rows > 0)
            m_spList->selectRow(0);
        return rows;
    });
}

int FrmCust_sel::FindRecords(const QString& text, const QString& extraCondition)
{
    m_txtFind->setText(text);
    m_extraCondition = extraCondition;
    return load();
}

int FrmCust_sel::Refresh_Sheet()
{
    const int rows = load();
    if (rows == 0)
        ShowNotice(u"검색된 결과가 없습니다."_s);
    return rows;
}

void FrmCust_sel::typedSearch()
{
    if (load() == 0)
        ShowNotice(u"검색된 자료가 없습니다."_s);
}

bool FrmCust_sel::pickModal()
{
    return exec() == QDialog::Accepted;
}

QString FrmCust_sel::pickOf(int row) const
{
    const RecordSetPtr rs = m_spList->cells().recordSet();
    const int source = m_spList->cells().sourceRow(row);
    return m_spList->text(row, ColCode) + QChar(u'\0') + (rs && source >= 0 ? rs->value(source, u"compname"_s) : QString());
}

int FrmCust_sel::rowOfCode(const QString& code) const
{
    for (int r = 0; r < m_spList->rowCount(); ++r) {
        if (m_spList->text(r, ColCode) == code)
            return r;
    }
    return -1;
}

void FrmCust_sel::selectRow()
{
    const QList<int> rows = m_spList->selectedRows();
    if (rows.isEmpty()) {
        MsgInfo(u"리스트에서 자료를 선택하세요."_s);
        return;
    }
    m_result = pickOf(rows.first());
    if (auto* receiver = dynamic_cast<CustomerPickReceiver*>(m_calledForm.data())) {
        receiver->ShowPickedCustomer(PickCode(m_result));
        m_result.clear();
    }
    accept();
}

void FrmCust_sel::SyncUpdateCust(const QString& code)
{
    load();
    if (const int row = rowOfCode(code); row >= 0)
        m_spList->selectRow(row);
}

void FrmCust_sel::openEditor(int mode, const QString& code)
{
    FrmCust_save::openOver(this, mode, code, [this](const QString& saved) { SyncUpdateCust(saved); });
}

void FrmCust_sel::editSelected()
{
    const QList<int> rows = m_spList->selectedRows();
    if (rows.isEmpty()) {
        MsgInfo(u"먼저 그리드에서 수정할 자료를 선택하세요."_s);
        return;
    }
    openEditor(FrmCust_save::EditRecord, m_spList->text(rows.first(), ColCode));
}

void FrmCust_sel::registerPicker()
{
    // The editor's registration of the kind stays as it is.
    PickerRegistry::registerKind(
        kFindKindCust, [](QWidget* parent) { return std::make_unique<FrmCust_sel>(parent); }, {});
}

} // namespace asv
