#include "FrmLUser_sel.h"

#include "FrmLUser_save.h"
#include "Grid.h"
#include "PickerRegistry.h"
#include "UserStore.h"
#include "WidgetHelpers.h"
#include "modDBMS_comn.h"
#include "modFormIni.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

struct FindKey {
    QString label;
    QString fields;
    QString op; // the operator the key preselects
};

const QList<FindKey> kFindKeys{
    {u"코드"_s, u"code"_s, u"="_s},          {u"성명"_s, u"name"_s, u"*s*"_s},
    {u"전화번호"_s, u"telno,hpno"_s, u"*s"_s}, {u"번지"_s, u"addr2"_s, u"*s*"_s},
    {u"메모"_s, u"bigo"_s, u"*s*"_s},
};
const int kDefaultKey = 1;

enum Column { ColCode, ColName, ColTelNo, ColHpNo, ColAddress, ColBigo };

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

FrmLUser_sel::FrmLUser_sel(QWidget* parent)
    : QDialog(parent), m_cmbFindKey(new QComboBox(this)), m_cmbFindOP(new QComboBox(this)),
      m_txtFind(new QLineEdit(this)), m_spList(new Grid(this))
{
    setObjectName(u"FrmLUser_sel"_s);
    setWindowTitle(u"사용자 검색"_s);
    m_cmbFindKey->setObjectName(u"cmbFindKey"_s);
    m_cmbFindOP->setObjectName(u"cmbFindOP"_s);
    m_txtFind->setObjectName(u"txtFind"_s);
    m_spList->setObjectName(u"spList"_s);
    FillFindOP(m_cmbFindOP);
    for (const FindKey& key : kFindKeys)
        m_cmbFindKey->addItem(key.label);

    m_spList->setColumns({u"코드"_s, u"성명"_s, u"전화번호"_s, u"휴대폰"_s, u"주소"_s, u"메모"_s});
    GridModel& cells = m_spList->cells();
    cells.bindColumn(ColCode, u"code"_s);
    cells.bindColumn(ColName, u"name"_s);
    cells.bindColumn(ColTelNo, u"telno"_s);
    cells.bindColumn(ColHpNo, u"hpno"_s);
    cells.bindColumn(ColAddress, [](const RecordSet& rs, int row) {
        return rs.value(row, u"addr1"_s) + u' ' + rs.value(row, u"addr2"_s);
    });
    cells.bindColumn(ColBigo, u"bigo"_s);

    QPushButton* btnSel = NamedButton(this, u"btnSel"_s, u"선택"_s);
    QPushButton* btnNew = NamedButton(this, u"btnNew"_s, u"신규"_s);
    QPushButton* btnEdit = NamedButton(this, u"btnEdit"_s, u"수정"_s);
    QPushButton* btnClose = NamedButton(this, u"btnClose"_s, u"닫기"_s);
    auto* bar = new QHBoxLayout;
    bar->addWidget(new QLabel(u"검색"_s, this));
    bar->addWidget(m_cmbFindKey);
    bar->addWidget(m_cmbFindOP);
    bar->addWidget(m_txtFind, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {btnSel, btnNew, btnEdit, btnClose})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_spList, 1);
    layout->addLayout(buttons);

    connect(m_cmbFindKey, &QComboBox::currentIndexChanged, this, &FrmLUser_sel::keyChosen);
    connect(m_txtFind, &QLineEdit::returnPressed, this, &FrmLUser_sel::typedSearch);
    connect(btnSel, &QPushButton::clicked, this, &FrmLUser_sel::selectRow);
    connect(m_spList, &QAbstractItemView::doubleClicked, this, &FrmLUser_sel::selectRow);
    connect(btnNew, &QPushButton::clicked, this, [this] { openEditor(FrmLUser_save::NewRecord); });
    connect(btnEdit, &QPushButton::clicked, this, &FrmLUser_sel::editSelected);
    connect(btnClose, &QPushButton::clicked, this, &FrmLUser_sel::reject);

    m_cmbFindKey->setCurrentIndex(kDefaultKey);
    LoadFormIni(this);
}

void FrmLUser_sel::done(int result)
{
    SaveFormIni(this);
    QDialog::done(result);
}

void FrmLUser_sel::keyChosen()
{
    const int key = m_cmbFindKey->currentIndex();
    if (key < 0)
        return;
    m_fields = kFindKeys[key].fields;
    chooseOperator(m_cmbFindOP, kFindKeys[key].op);
}

void FrmLUser_sel::setSearchState(const QString& fields, const QString& opText)
{
    if (!fields.isEmpty())
        m_fields = fields;
    if (!opText.isEmpty())
        chooseOperator(m_cmbFindOP, opText);
}

int FrmLUser_sel::load(const QString& condition)
{
    return Guarded(u"Refresh_Sheet"_s, u"Form"_s, objectName(), 0, [&] {
        QStringList parts;
        if (!condition.isEmpty())
            parts << u"("_s + condition + u')';
        if (!m_extraCondition.isEmpty())
            parts << u"("_s + m_extraCondition + u')';
        RecordSetPtr rs;
        DBOpenRS(rs, UserStore::pickerSql(parts.join(u" AND "_s)));
        m_spList->cells().setRecordSet(rs);
        const int rows = m_spList->rowCount();
        m_result.clear();
        if (rows == 1)
            m_result = m_spList->text(0, ColCode) + QChar(u'\0') + m_spList->text(0, ColName);
        if (rows > 0)
            m_spList->selectRow(0);
        return rows;
    });
}

int FrmLUser_sel::FindRecords(const QString& text, const QString& extraCondition)
{
    m_txtFind->setText(text);
    m_extraCondition = extraCondition;
    return load(text.isEmpty() ? QString() : MakeFindWhere(m_fields, text, m_cmbFindOP->currentText()));
}

int FrmLUser_sel::Refresh_Sheet()
{
    const int rows = FindRecords(m_txtFind->text(), m_extraCondition);
    if (rows == 0)
        ShowNotice(u"검색된 결과가 없습니다."_s);
    return rows;
}

void FrmLUser_sel::typedSearch()
{
    if (FindRecords(m_txtFind->text(), m_extraCondition) == 0)
        ShowNotice(u"검색된 자료가 없습니다."_s);
}

bool FrmLUser_sel::pickModal()
{
    return exec() == QDialog::Accepted;
}

void FrmLUser_sel::selectRow()
{
    const QList<int> rows = m_spList->selectedRows();
    if (rows.isEmpty()) {
        MsgInfo(u"리스트에서 자료를 선택하세요."_s);
        return;
    }
    m_result = m_spList->text(rows.first(), ColCode) + QChar(u'\0') + m_spList->text(rows.first(), ColName);
    accept();
}

void FrmLUser_sel::SyncUpdateLUser(int, const QString&)
{
    Refresh_Sheet();
}

FrmLUser_save* FrmLUser_sel::openEditor(int mode, const QString& code)
{
    FrmLUser_save* editor = FrmLUser_save::openOver(this, mode, code);
    connect(editor, &FrmLUser_save::saved, this, &FrmLUser_sel::SyncUpdateLUser);
    return editor;
}

void FrmLUser_sel::editSelected()
{
    const QList<int> rows = m_spList->selectedRows();
    if (rows.isEmpty()) {
        MsgInfo(u"먼저 그리드에서 수정할 자료를 선택하세요."_s);
        return;
    }
    openEditor(FrmLUser_save::EditRecord, m_spList->text(rows.first(), ColCode));
}

void FrmLUser_sel::registerPicker()
{
    PickerRegistry::registerKind(
        kFindKindUser, [](QWidget* parent) { return std::make_unique<FrmLUser_sel>(parent); },
        [](QWidget* parent, const QString& text) { return FrmLUser_save::registerNew(parent, text); });
}

} // namespace asv
