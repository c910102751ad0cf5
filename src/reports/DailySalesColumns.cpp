#include "DailySalesColumns.h"

#include "DayTotals.h"
#include "GridModel.h"
#include "SharedOptions.h"
#include "mdlCommonOstra.h"
#include "RecordSet.h"

using namespace Qt::StringLiterals;

namespace asv {

void DailySalesColumns::setUp(GridModel& cells)
{
    const QList<std::pair<QString, QString>> columns = {
        {u"일자"_s, u"dealdate"_s},  {u"거래처코드"_s, u"ccode"_s}, {u"거래처명"_s, u"compalias"_s},
        {u"상품명"_s, u"pname"_s},   {u"규격"_s, u"pnorm"_s},       {u"단위"_s, u"unit"_s},
        {u"수량"_s, u"qnt"_s},       {u"단가"_s, u"price"_s},       {u"금액"_s, u"amount"_s},
        {u"부가세"_s, u"tax"_s},     {u"합계"_s, u"total"_s},       {u"비고"_s, u"prnbigo"_s},
        {u"일련번호"_s, u"pserial"_s}, {u"코드"_s, u"code"_s},      {u"인수자"_s, u"receiptname"_s}};
    cells.setColumnCount(Count);
    for (int col = 0; col < Count; ++col) {
        cells.setCaption(col, columns[col].first);
        cells.bindColumn(col, columns[col].second);
    }
    const SharedOptions& options = SharedOptions::current();
    cells.setNumberColumn(Quantity, GetDecFormat(options.qtyDecimals, true, true));
    cells.setNumberColumn(Price, GetDecFormat(options.priceDecimals, true, true));
    const QString amounts = GetDecFormat(options.amountDecimals, true, true);
    for (const int col : {Amount, Tax, Total})
        cells.setNumberColumn(col, amounts);
}

void DailySalesColumns::fill(GridModel& cells, const RecordSetPtr& lines)
{
    cells.setRecordSet(lines ? lines : std::make_shared<RecordSet>());
    AddDayTotals(cells, Date, {Quantity, Amount, Tax, Total});
}

} // namespace asv
