#include "AsJobColumns.h"

#include "AsJobRecord.h"
#include "RecordSet.h"

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// "mm-dd HH:MM" of a stored date and time; nothing without a date.
QString dayAndTime(const QString& date, const QString& time)
{
    return date.isEmpty() ? QString() : date.mid(5, 5) + u' ' + time;
}

struct Column {
    QString caption;
    GridModel::ValueFunction value;
};

const std::array<Column, AsJobColumns::Count>& columns()
{
    using R = const RecordSet&;
    const auto field = [](const QString& label) {
        return [label](R rs, int r) { return rs.value(r, label); };
    };
    const auto stamp = [](const QString& date, const QString& time) {
        return [date, time](R rs, int r) { return dayAndTime(rs.value(r, date), rs.value(r, time)); };
    };
    static const std::array<Column, AsJobColumns::Count> all = {{
        {u"접수일시"_s, stamp(u"dealdate"_s, u"dealtime"_s)},
        {u"고객코드"_s, field(u"ccode"_s)},
        {u"고객명"_s, field(u"compalias"_s)},
        {u"상품명"_s,
         [](R rs, int r) {
             const QString norm = rs.value(r, u"pnorm2"_s);
             return rs.value(r, u"pname2"_s) + (norm.isEmpty() ? QString() : u'(' + norm + u')');
         }},
        {u"상황"_s, [](R rs, int r) { return AsJobRecord::stateName(rs.value(r, u"state"_s).toInt()); }},
        {u"접수코드"_s, field(u"astypename0"_s)},
        {u"접수내용"_s, field(u"dealbigo"_s)},
        {u"접수자"_s, field(u"u1name"_s)},
        {u"담당자"_s, field(u"u2name"_s)},
        {u"방문요청"_s, stamp(u"resvdate1"_s, u"resvtime1"_s)},
        {u"방문예정"_s, stamp(u"resvdate2"_s, u"resvtime2"_s)},
        {u"완료일시"_s, stamp(u"workdate"_s, u"worktime"_s)},
        {u"결과등록"_s, [](R, int) { return u"결과등록"_s; }},
        {u"코드"_s, field(u"code"_s)},
        {u"모델명"_s, field(u"modelname"_s)},
        {u"전화번호"_s, field(u"telno1"_s)},
        {u"주소"_s, field(u"addr1"_s)},
        {u"상세주소"_s, field(u"addr2"_s)},
        {u"배송일"_s, field(u"senddates"_s)},
    }};
    return all;
}

const Column& column(AsJobColumns::Col col)
{
    return columns()[static_cast<size_t>(col)];
}

} // namespace

QList<AsJobColumns::Col> AsJobColumns::ledger(bool deliveries)
{
    QList<Col> cols;
    for (int col = 0; col < (deliveries ? Count : Code + 1); ++col)
        cols << static_cast<Col>(col);
    return cols;
}

void AsJobColumns::define(GridModel& cells, const QList<Col>& shown)
{
    cells.setColumnCount(static_cast<int>(shown.size()));
    for (int i = 0; i < shown.size(); ++i) {
        cells.setCaption(i, column(shown[i]).caption);
        cells.bindColumn(i, column(shown[i]).value);
    }
}

void AsJobColumns::write(GridModel& cells, int row, const QList<Col>& shown, const RecordSet& rs, int sourceRow)
{
    for (int i = 0; i < shown.size(); ++i) {
        cells.setText(row, i, column(shown[i]).value(rs, sourceRow));
        if (shown[i] == State)
            cells.setCellColors(row, i, stateColour(rs.value(sourceRow, u"state"_s).toInt()), {});
    }
}

AsJobColumns::StateCounts AsJobColumns::colourStates(GridModel& cells, int stateColumn)
{
    StateCounts counts{};
    const RecordSetPtr rs = cells.recordSet();
    if (!rs)
        return counts;
    const int stateField = rs->fieldIndex(u"state"_s);
    for (int row = 0; row < rs->rowCount(); ++row) {
        const int state = rs->bytes(row, stateField).toInt();
        ++counts[state == AsJobRecord::Confirmed ? 1 : state == AsJobRecord::Completed ? 2 : 0];
    }
    cells.setColumnForeground(stateColumn, [stateField](const RecordSet& jobs, int row) {
        return stateColour(jobs.bytes(row, stateField).toInt());
    });
    return counts;
}

size_t AsJobColumns::countedAs(const QString& shownState)
{
    return shownState == AsJobRecord::stateName(AsJobRecord::Confirmed)   ? 1
        : shownState == AsJobRecord::stateName(AsJobRecord::Completed) ? 2
                                                                        : 0;
}

QColor AsJobColumns::stateColour(int state)
{
    switch (state) {
    case AsJobRecord::Confirmed:
        return Qt::blue;
    case AsJobRecord::Completed:
        return Qt::red;
    default:
        return {};
    }
}

} // namespace asv
