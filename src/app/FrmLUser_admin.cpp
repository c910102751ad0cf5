#include "FrmLUser_admin.h"

#include "AppState.h"
#include "FindBar.h"
#include "FrmLUser_save.h"
#include "Grid.h"
#include "GridPrinter.h"
#include "UserStore.h"
#include "WidgetHelpers.h"
#include "modDBMS_comn.h"
#include "modExcel.h"
#include "modFormIni.h"
#include "modMain_SQL.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QList<FindKey> kFindKeys{
    {u"코드"_s, u"u.code"_s, {}},    {u"ID"_s, u"u.loginid"_s, {}},           {u"성명"_s, u"u.name"_s, {}},
    {u"주민등록번호"_s, u"u.serial"_s, {}}, {u"Tel,HP"_s, u"u.telno,u.hpno"_s, {}}, {u"메모"_s, u"u.bigo"_s, {}},
};

enum Column { ColCode, ColLoginId, ColName, ColPda, ColConsult, ColTelNo, ColHpNo, ColBigo };

} // namespace

FrmLUser_admin::FrmLUser_admin(QWidget* parent)
    : QWidget(parent), m_findBar(new FindBar(this, kFindKeys, 2)), m_spList(new Grid(this))
{
    setObjectName(u"FrmLUser_admin"_s);
    setWindowTitle(u"사용자(직원) 관리"_s);
    m_spList->setObjectName(u"spList"_s);

    m_spList->setColumns({u"코드"_s, u"아이디"_s, u"성명"_s, u"PDA사용"_s, u"상담자"_s, u"전화번호"_s, u"휴대폰"_s,
                          u"메모"_s});
    GridModel& cells = m_spList->cells();
    const QStringList fields{u"code"_s, u"loginid"_s, u"name"_s, u"pdause"_s,
                             u"consult"_s, u"telno"_s, u"hpno"_s, u"bigo"_s};
    for (int c = 0; c < fields.size(); ++c)
        cells.bindColumn(c, fields[c]);
    cells.setCheckColumn(ColPda);
    cells.setCheckColumn(ColConsult);

    QPushButton* btnFind = NamedButton(this, u"btnFind"_s, u"검색"_s);
    QPushButton* btnNew = NamedButton(this, u"btnNew"_s, u"신규"_s);
    QPushButton* btnEdit = NamedButton(this, u"btnEdit"_s, u"수정"_s);
    QPushButton* btnDelete = NamedButton(this, u"btnDelete"_s, u"삭제"_s);
    QPushButton* btnPrint = NamedButton(this, u"btnPrint"_s, u"인쇄"_s);
    QPushButton* btnExcel = NamedButton(this, u"btnExcel"_s, u"엑셀"_s);
    QPushButton* btnClose = NamedButton(this, u"btnClose"_s, u"닫기"_s);

    for (QPushButton* b : {btnFind, btnNew, btnEdit, btnDelete, btnPrint, btnExcel, btnClose})
        m_findBar->row()->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_findBar);
    layout->addWidget(m_spList, 1);

    connect(m_findBar, &FindBar::searchRequested, this, &FrmLUser_admin::Refresh_Sheet);
    connect(btnFind, &QPushButton::clicked, this, &FrmLUser_admin::Refresh_Sheet);
    connect(btnNew, &QPushButton::clicked, this, [this] { openEditor(FrmLUser_save::NewRecord); });
    connect(btnEdit, &QPushButton::clicked, this, &FrmLUser_admin::editSelected);
    connect(m_spList, &QAbstractItemView::doubleClicked, this, &FrmLUser_admin::editSelected);
    connect(btnDelete, &QPushButton::clicked, this, &FrmLUser_admin::deleteSelected);
    connect(btnPrint, &QPushButton::clicked, this, &FrmLUser_admin::printList);
    connect(btnExcel, &QPushButton::clicked, this, &FrmLUser_admin::exportList);
    connect(btnClose, &QPushButton::clicked, this, &FrmLUser_admin::close);

    LoadFormIni(this);
    Refresh_Sheet();
}

int FrmLUser_admin::Refresh_Sheet()
{
    return Guarded(u"Refresh_Sheet"_s, u"Form"_s, objectName(), 0, [&] {
        RecordSetPtr rs;
        DBOpenRS(rs, UserStore::listSql(App().UserCode, m_findBar->condition()));
        m_spList->cells().setRecordSet(rs);
        const int rows = m_spList->rowCount();
        if (rows == 0)
            ShowNotice(u"검색된 결과가 없습니다."_s);
        return rows;
    });
}

void FrmLUser_admin::SyncUpdateLUser(int, const QString&)
{
    Refresh_Sheet();
}

FrmLUser_save* FrmLUser_admin::openEditor(int mode, const QString& code)
{
    FrmLUser_save* editor = FrmLUser_save::openOver(this, mode, code);
    connect(editor, &FrmLUser_save::saved, this, &FrmLUser_admin::SyncUpdateLUser);
    return editor;
}

QString FrmLUser_admin::selectedCode() const
{
    const QList<int> rows = m_spList->selectedRows();
    return rows.isEmpty() ? QString() : m_spList->text(rows.first(), ColCode);
}

void FrmLUser_admin::editSelected()
{
    const QString code = selectedCode();
    if (code.isEmpty()) {
        MsgInfo(u"먼저 그리드에서 수정할 자료를 선택하세요."_s);
        return;
    }
    openEditor(FrmLUser_save::EditRecord, code);
}

bool FrmLUser_admin::isUsed(const QString& code) const
{
    const auto& refs = UserStore::references();
    return std::any_of(refs.begin(), refs.end(), [&](const UserStore::Reference& ref) {
        return IsUsedData(ref.table, ref.field, code, true, {}, ref.label);
    });
}

void FrmLUser_admin::deleteSelected()
{
    Guarded(u"btnDelete_Click"_s, u"Form"_s, objectName(), 0, [&] {
        const QList<int> rows = m_spList->selectedRows();
        if (rows.isEmpty()) {
            MsgInfo(u"먼저 그리드에서 삭제할 자료를 선택하세요."_s);
            return 0;
        }
        const int row = rows.first();
        const QString code = m_spList->text(row, ColCode);
        if (code == UserStore::administratorCode()) {
            MsgInfo(u"시스템의 기본자료이므로 삭제할 수 없습니다.\r\n현재자료를 수정후 사용하세요."_s);
            return 0;
        }
        if (MsgYesNo(u"선택된 자료를 정말로 삭제 하시겠습니까?"_s, {}, true) != MsgAnswer::Yes)
            return 0;
        if (isUsed(code))
            return 0;
        if (UserStore::remove(code) <= 0) {
            MsgWarn(u"자료를 삭제 할 수 없습니다.\r\n\r\n이미 삭제되었거나, 삭제할 수 없는 경우가 발생했습니다."_s);
            return 0;
        }
        m_spList->cells().removeRows(row, 1);
        return 0;
    });
}

void FrmLUser_admin::printList()
{
    GridPrinter(*m_spList, u"사용자 리스트"_s).preview(this);
}

void FrmLUser_admin::exportList()
{
    ExcelExportOptions options;
    options.sheetName = u"Sheet1"_s;
    ExportToExcelFile(*m_spList, options);
}

void FrmLUser_admin::closeEvent(QCloseEvent* event)
{
    SaveFormIni(this);
    QWidget::closeEvent(event);
}

} // namespace asv
