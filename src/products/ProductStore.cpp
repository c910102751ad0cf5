#include "ProductStore.h"

#include "Clock.h"
#include "ProductRules.h"
#include "StoreSql.h"
#include "modMain_SQL.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kTable = u"product"_s;

QString joined(const QString& condition, const QString& more)
{
    return more.isEmpty() ? condition : condition + u" AND "_s + more;
}

QString insertSql(const ProductRecord& product)
{
    ProductRecord p = product;
    p.regdate = Clock::today().toString(u"yyyy-MM-dd"_s);
    static const QStringList columns =
        StoreSql::columnList(u"code, bcode, name, norm, taxmode, classname, unit, regdate, bigo, hidden, saleprice"_s);
    return ProductRecord::fields().insertSql(kTable, columns, p);
}

} // namespace

ProductStore::ProductStore(cMySQL* db) : StoreSql(db, u"ProductStore"_s) {}

int ProductStore::renameSaleLines(const ProductRecord& p, const QString& loadedName, const QString& loadedNorm)
{
    const QString newName = u"UPDATE sale SET pname = "_s + StoreSql::quoted(p.name);
    const QString ofProduct = u" WHERE pcode = "_s + StoreSql::quoted(p.code);
    if (p.name != loadedName && p.norm == loadedNorm)
        return execute(newName + ofProduct);
    // Unchanged name and norm would set the lines to what they already hold.
    if (p.name == loadedName && p.norm == loadedNorm)
        return 0;
    return execute(newName + u",pnorm = "_s + StoreSql::quoted(p.norm) + ofProduct + u" AND pname = "_s
                             + StoreSql::quoted(loadedName) + u" AND pnorm = "_s + StoreSql::quoted(loadedNorm));
}

std::optional<ProductRecord> ProductStore::load(const QString& code)
{
    if (IsFreeTextProduct(code))
        return std::nullopt;
    return ProductRecord::fields().load(*this, kTable, code);
}

bool ProductStore::codeExists(const QString& code)
{
    return taken(kTable, u"code"_s, code, {}, u"codeExists"_s);
}

QString ProductStore::nextCode(const QString& prefix)
{
    const QString code = NextCode(m_db, kTable, u"code"_s, kCodeLength, prefix);
    throwIfFailed(u"nextCode"_s);
    return code;
}

QString ProductStore::nextBarcode(int length)
{
    const QString barcode = NextNumericCode(m_db, kTable, u"bcode"_s, length);
    throwIfFailed(u"nextBarcode"_s);
    return barcode;
}

bool ProductStore::nameNormTaken(const QString& name, const QString& norm, const QString& exceptCode)
{
    return taken(kTable, u"name"_s, name, joined(u"norm = "_s + StoreSql::quoted(norm), codeOtherThan(exceptCode)),
                 u"nameNormTaken"_s);
}

bool ProductStore::barcodeTaken(const QString& bcode, const QString& exceptCode)
{
    return !bcode.isEmpty() && taken(kTable, u"bcode"_s, bcode, codeOtherThan(exceptCode), u"barcodeTaken"_s);
}

QStringList ProductStore::normsOf(const QString& name)
{
    const QString sql = u"SELECT norm FROM product WHERE name = "_s + StoreSql::quoted(name) + u" ORDER BY norm"_s;
    return firstColumn(sql, u"normsOf"_s);
}

QStringList ProductStore::units()
{
    return firstColumn(u"SELECT DISTINCT unit FROM product"_s, u"units"_s);
}

int ProductStore::insert(const ProductRecord& product)
{
    return execute(insertSql(product));
}

int ProductStore::insertUnderNextCode(ProductRecord& product, const QString& prefix)
{
    return insertUnderFreeCode(
        product.code, [this, &prefix] { return nextCode(prefix); },
        [&product](const QString& code) {
            ProductRecord p = product;
            p.code = code;
            return insertSql(p);
        });
}

int ProductStore::update(const ProductRecord& product, const QString& loadedName, const QString& loadedNorm)
{
    if (IsFreeTextProduct(product.code))
        return 0;
    static const QStringList columns =
        StoreSql::columnList(u"bcode, name, norm, taxmode, classname, unit, bigo, hidden, saleprice"_s);
    const int rows = execute(ProductRecord::fields().updateSql(kTable, columns, product, u"code"_s));
    if (rows > 0)
        renameSaleLines(product, loadedName, loadedNorm);
    return rows;
}

const QList<CodeReference>& ProductStore::references()
{
    static const QList<CodeReference> refs{
        {u"sale"_s, u"pcode"_s, u"매출전표"_s},
        {u"rsvconsult"_s, u"pcode"_s, u"상담내역"_s},
        {u"aslist_m"_s, u"pcode"_s, u"AS 내역"_s},
        {u"aslist_d"_s, u"pcode"_s, u"AS 내역"_s},
    };
    return refs;
}

bool ProductStore::remove(const QString& code)
{
    if (IsFreeTextProduct(code)) {
        StoreSql::warnNotDeleted();
        return false;
    }
    return CodeReference::removeUnlessHeld(m_db, u"ProductStore"_s, kTable, code, references());
}

ProductStore::Hold ProductStore::holdFor(const QString& pcode)
{
    if (pcode.isEmpty() || IsFreeTextProduct(pcode))
        return Hold::Held;
    RecordSetPtr rs;
    const int found = DBOpenRS(m_db, rs,
                               u"SELECT code FROM "_s + kTable + u" WHERE code = "_s + StoreSql::quoted(pcode)
                                   + u" LOCK IN SHARE MODE"_s);
    return found == 1 ? Hold::Held : failed() ? Hold::Unreadable : Hold::Gone;
}

void ProductStore::sayGone()
{
    MsgWarn(u"선택한 품목이 다른 곳에서 삭제되어 저장하지 않았습니다."_s + vbCrLf + u"품목을 다시 선택하세요."_s);
}

} // namespace asv
