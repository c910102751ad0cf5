#include "FrmLUser_sel.h"

#include "FindBar.h"
#include "FrmLUser_save.h"
#include "Grid.h"
#include "PickerRegistry.h"
#include "UserStore.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QList<FindKey> kFindKeys{
    {u"코드"_s, u"code"_s, u"="_s},          {u"성명"_s, u"name"_s, u"*s*"_s},
    {u"전화번호"_s, u"telno,hpno"_s, u"*s"_s}, {u"번지"_s, u"addr2"_s, u"*s*"_s},
    {u"메모"_s, u"bigo"_s, u"*s*"_s},
};
const int kDefaultKey = 1;
// A code-entry field's text: the code, else the chosen key (the name).
const PickerDialog::EntrySearch kEntrySearch{u"code"_s, {}, {}, {}};

enum Column { ColCode, ColName, ColTelNo, ColHpNo, ColAddress, ColBigo };

} // namespace

FrmLUser_sel::FrmLUser_sel(QWidget* parent)
    : PickerDialog(parent, u"FrmLUser_sel"_s, u"사용자 검색"_s, kFindKeys, kDefaultKey, kEntrySearch)
{
    list()->setColumns({u"코드"_s, u"성명"_s, u"전화번호"_s, u"휴대폰"_s, u"주소"_s, u"메모"_s});
    GridModel& cells = list()->cells();
    const QStringList fields{u"code"_s, u"name"_s, u"telno"_s, u"hpno"_s};
    for (int c = 0; c < fields.size(); ++c)
        cells.bindColumn(c, fields[c]);
    // Both parts of the address in one column.
    cells.bindColumn(ColAddress, [](const RecordSet& rs, int row) {
        return rs.value(row, u"addr1"_s) + u' ' + rs.value(row, u"addr2"_s);
    });
    cells.bindColumn(ColBigo, u"bigo"_s);
    finishLayout();
}

void FrmLUser_sel::fill()
{
    QStringList parts;
    if (const QString condition = findBar()->condition(); !condition.isEmpty())
        parts << u"("_s + condition + u')';
    if (!extraCondition().isEmpty())
        parts << u"("_s + extraCondition() + u')';
    RecordSetPtr rs;
    DBOpenRS(rs, UserStore::pickerSql(parts.join(u" AND "_s)));
    list()->cells().setRecordSet(rs);
}

Pick FrmLUser_sel::pickOf(int row) const
{
    return {list()->text(row, ColCode), list()->text(row, ColName)};
}

void FrmLUser_sel::SyncUpdateLUser(int, const QString& code)
{
    refreshAfterSave(code);
}

void FrmLUser_sel::openEditor(int mode, const QString& code)
{
    FrmLUser_save* editor = FrmLUser_save::openOver(this, mode, code);
    connect(editor, &FrmLUser_save::saved, this, &FrmLUser_sel::SyncUpdateLUser);
}

void FrmLUser_sel::registerPicker()
{
    PickerRegistry::registerKind(
        kFindKindUser, [](QWidget* parent) { return std::make_unique<FrmLUser_sel>(parent); },
        &FrmLUser_save::registerNew);
}

} // namespace asv
