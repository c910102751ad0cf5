#include "ResultLineGrid.h"

#include "AsJobStore.h"
#include "Grid.h"
#include "StoreSql.h"
#include "modMsgBox.h"

using namespace Qt::StringLiterals;

namespace asv {

int ResultLineGrid::lineToEdit(const Grid& lines, int seqColumn)
{
    const int row = lines.activeRow();
    const int seq = row >= 0 ? lines.text(row, seqColumn).toInt() : 0;
    if (seq == 0)
        MsgInfo(u"먼저 그리드에서 수정할 자료를 선택하세요."_s);
    return seq;
}

bool ResultLineGrid::removeActive(Grid* lines, int seqColumn, int job, const QString& form)
{
    const int row = lines->activeRow();
    if (row < 0) {
        MsgInfo(u"먼저 그리드에서 삭제할 자료를 선택하세요."_s);
        return false;
    }
    if (MsgYesNo(u"선택된 자료를 정말로 삭제 하시겠습니까?"_s, {}, true) != MsgAnswer::Yes)
        return false;
    const int seq = lines->text(row, seqColumn).toInt();
    if (seq == 0) {
        MsgInfo(u"해당라인에서 코드를 찾을 수 없습니다. 행: "_s + QString::number(row + 1));
        return false;
    }
    const bool deleted =
        Guarded(u"btnDelete_Click"_s, u"Form"_s, form, false, [&] { return AsJobStore().removeLine(job, seq); });
    if (deleted) {
        lines->cells().removeRows(row, 1);
        ShowNotice(u"자료를 삭제하였습니다."_s);
    } else {
        StoreSql::warnNotDeleted();
    }
    lines->setFocus();
    return deleted;
}

} // namespace asv
