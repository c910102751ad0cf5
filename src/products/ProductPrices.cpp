#include "ProductPrices.h"

#include "ProductRules.h"
#include "SqlNumber.h"
#include "modMySQL_Func.h"

using namespace Qt::StringLiterals;

namespace asv {

ProductPrices::ProductPrices(cMySQL* db) : StoreSql(db, u"ProductPrices"_s) {}

double ProductPrices::salePrice(const QString& pcode) const
{
    return DBGetValue(m_db, u"SELECT saleprice FROM product WHERE code = "_s + quoted(pcode)).toDouble();
}

int ProductPrices::vatMode(const QString& ccode, const QString& pcode) const
{
    if (!IsFreeTextProduct(pcode)) {
        const QString productMode = DBGetValue(m_db, u"SELECT taxmode FROM product WHERE code = "_s + quoted(pcode));
        if (!productMode.isEmpty() && productMode.toInt() == 0)
            return 0;
    }
    return DBGetValue(m_db, u"SELECT taxmode FROM customer WHERE code = "_s + quoted(ccode)).toInt();
}

bool ProductPrices::setSalePrice(const QString& pcode, double price) const
{
    execute(u"UPDATE product SET saleprice = "_s + SqlNumber(price) + u" WHERE code = "_s + quoted(pcode));
    return !failed();
}

} // namespace asv
