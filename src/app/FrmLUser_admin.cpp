#include "FrmLUser_admin.h"

#include "AppState.h"
#include "FindBar.h"
#include "FrmLUser_save.h"
#include "Grid.h"
#include "UserStore.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"
#include "StoreSql.h"

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QList<FindKey> kFindKeys{
    {u"코드"_s, u"u.code"_s, {}},    {u"ID"_s, u"u.loginid"_s, {}},           {u"성명"_s, u"u.name"_s, {}},
    {u"주민등록번호"_s, u"u.serial"_s, {}}, {u"Tel,HP"_s, u"u.telno,u.hpno"_s, {}}, {u"메모"_s, u"u.bigo"_s, {}},
};

enum Column { ColCode, ColLoginId, ColName, ColPda, ColConsult, ColTelNo, ColHpNo, ColBigo };

// Only one user goes at a time, and the question keeps him unless Yes is chosen.
const ListWindow::Style kStyle{.printTitle = u"사용자 리스트"_s, .deleteYesByDefault = false, .reportDeleted = false};

} // namespace

FrmLUser_admin::FrmLUser_admin(QWidget* parent)
    : ListWindow(parent, u"FrmLUser_admin"_s, u"사용자(직원) 관리"_s, kFindKeys, 2, kStyle)
{
    list()->setColumns({u"코드"_s, u"아이디"_s, u"성명"_s, u"PDA사용"_s, u"상담자"_s, u"전화번호"_s, u"휴대폰"_s,
                        u"메모"_s});
    GridModel& cells = list()->cells();
    const QStringList fields{u"code"_s, u"loginid"_s, u"name"_s, u"pdause"_s,
                             u"consult"_s, u"telno"_s, u"hpno"_s, u"bigo"_s};
    for (int c = 0; c < fields.size(); ++c)
        cells.bindColumn(c, fields[c]);
    cells.setCheckColumn(ColPda);
    cells.setCheckColumn(ColConsult);
    finishLayout();
}

void FrmLUser_admin::fill()
{
    RecordSetPtr rs;
    DBOpenRS(rs, UserStore::listSql(App().UserCode, findBar()->condition()));
    list()->cells().setRecordSet(rs);
}

void FrmLUser_admin::SyncUpdateLUser(int, const QString& code)
{
    refreshAfterSave(code);
}

void FrmLUser_admin::openEditor(int mode, const QString& code)
{
    FrmLUser_save* editor = FrmLUser_save::openOver(this, mode, code);
    connect(editor, &FrmLUser_save::saved, this, &FrmLUser_admin::SyncUpdateLUser);
}

bool FrmLUser_admin::isUsed(const QString& code) const
{
    return UserStore().inUse(code);
}

QString FrmLUser_admin::deleteRefusal(const QString& code) const
{
    return code == UserStore::administratorCode()
               ? u"시스템의 기본자료이므로 삭제할 수 없습니다.\r\n현재자료를 수정후 사용하세요."_s
               : QString();
}

bool FrmLUser_admin::deleteRecord(const QString& code)
{
    if (isUsed(code))
        return false;
    if (UserStore().remove(code) <= 0) {
        StoreSql::warnNotDeleted();
        return false;
    }
    return true;
}

} // namespace asv
