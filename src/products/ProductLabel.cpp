#include "ProductLabel.h"

#include "ProductRules.h"
#include "StoreSql.h"
#include "RecordSet.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace asv {

BarcodeKind ProductLabel::barcodeKind(const QString& barcode)
{
    const bool digits = !barcode.isEmpty()
                        && std::all_of(barcode.begin(), barcode.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (digits && (barcode.size() == 13 || barcode.size() == 8)
        && Gs1CheckDigit(barcode.left(barcode.size() - 1)) == barcode.back().digitValue())
        return barcode.size() == 13 ? BarcodeKind::Ean13 : BarcodeKind::Ean8;
    return BarcodeKind::Code128;
}

QList<ProductLabel> ProductLabel::load(const QStringList& codes)
{
    if (codes.isEmpty())
        return {};
    const RecordSetPtr rs = StoreSql(nullptr, u"ProductLabel"_s)
                                .read(u"SELECT code, name, norm, saleprice, bcode FROM product WHERE code IN ("_s
                                          + StoreSql::quotedList(codes) + u')',
                                      u"load"_s);
    QHash<QString, ProductLabel> byCode;
    for (int row = 0; row < rs->rowCount(); ++row) {
        const QString code = rs->value(row, u"code"_s);
        byCode.insert(code, {code, rs->value(row, u"name"_s), rs->value(row, u"norm"_s),
                             rs->value(row, u"saleprice"_s).toDouble(), rs->value(row, u"bcode"_s).trimmed()});
    }
    QList<ProductLabel> out;
    for (const QString& code : codes) {
        if (byCode.contains(code))
            out.append(byCode.value(code));
    }
    return out;
}

} // namespace asv
