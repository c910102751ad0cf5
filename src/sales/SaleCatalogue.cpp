#include "SaleCatalogue.h"

#include "ProductPrices.h"
#include "ProductStore.h"
#include "modMain_SQL.h"

namespace asv {

SaleLineEdit::Catalogue SaleCatalogue(const QString& ccode, const VatOptions& vat, bool priceSetsProduct)
{
    return {[ccode](const QString& pcode) { return ProductPrices().vatMode(ccode, pcode); },
            [](const QString& pcode) -> std::optional<SaleLineEdit::Product> {
                const std::optional<ProductRecord> p = ProductStore().load(pcode);
                if (!p)
                    return std::nullopt;
                return SaleLineEdit::Product{p->unit, p->bcode, p->saleprice, p->name, p->norm};
            },
            &GetPCodeByName, vat, priceSetsProduct};
}

} // namespace asv
