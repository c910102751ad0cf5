#include "ProductCommands.h"

#include "ProductRules.h"
#include "ProductSearch.h"
#include "ProductStore.h"
#include "LabelledLines.h"
#include "SharedOptions.h"
#include "mdlCommonOstra.h"
#include "modMain_SQL.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QTextStream>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kModule = u"ProductCommands"_s;

// Rows of the picker's statement for the key, or for the condition alone; -1 when it failed.
int pickerRows(RecordSetPtr& rs, const QString& fields, const QString& text, const QString& op,
               const QString& condition = {})
{
    ProductSearch::Query query;
    query.fields = fields;
    query.text = text;
    query.opText = op;
    query.extraCondition = condition;
    const int rows = DBOpenRS(rs, ProductSearch::pickerSql(query));
    return DBLastFailed() ? -1 : rows;
}

} // namespace

int productFind(QTextStream& out, const QString& text)
{
    return Guarded(u"productFind"_s, u"Module"_s, kModule, 1, [&] {
        RecordSetPtr rs;
        int rows = pickerRows(rs, u"p.code"_s, text, u"="_s);
        for (const QString& rung : ProductSearch::entryRungs(text)) {
            if (rows != 0)
                break;
            rows = pickerRows(rs, {}, {}, {}, rung);
        }
        if (rows == 0) {
            const FindKey key = ProductSearch::entryKey();
            rows = pickerRows(rs, key.fields, text, key.op);
        }
        if (rows < 0)
            return 1;
        const QString price = GetDecFormat(SharedOptions::current().priceDecimals, true, true);
        for (int r = 0; r < rows; ++r) {
            out << rs->value(r, u"code"_s) << '\t' << rs->value(r, u"bcode"_s) << '\t' << rs->value(r, u"pname"_s)
                << '\t' << rs->value(r, u"norm"_s) << '\t'
                << FormatNumber(rs->value(r, u"saleprice"_s).toDouble(), price) << '\n';
        }
        return rows > 0 ? 0 : 1;
    });
}

int productBarcode(QTextStream& out, const QString& barcode)
{
    const QString code = GetProdByBarCode(barcode);
    if (code.isEmpty())
        return 1;
    out << code << '\n';
    return 0;
}

int productShow(QTextStream& out, const QString& code)
{
    return Guarded(u"productShow"_s, u"Module"_s, kModule, 1, [&] {
        const std::optional<ProductRecord> found = ProductStore().load(code);
        if (!found) {
            out << "no product with code " << code << '\n';
            return 1;
        }
        const ProductRecord& p = *found;
        return PrintLabelled(out, {
            {u"코드"_s, p.code},
            {u"바코드"_s, p.bcode},
            {u"상품명"_s, p.name},
            {u"규격"_s, p.norm},
            {u"분류"_s, p.classname},
            {u"단위"_s, p.unit},
            {u"판매단가"_s, FormatNumber(p.saleprice, GetDecFormat(SharedOptions::current().priceDecimals, true, true))},
            {u"부가세"_s, TaxModeText(p.taxmode)},
            {u"등록일"_s, p.regdate},
            {u"메모"_s, p.bigo},
            {u"숨김"_s, YesNoText(p.hidden)},
        });
    });
}

} // namespace asv
