#pragma once

#include "SaleLineEdit.h"

namespace asv {

// The product facts a customer's sale lines are priced from, read from the shared database. The
// options are the caller's: the window reads them where it shows them.
SaleLineEdit::Catalogue SaleCatalogue(const QString& ccode, const VatOptions& vat, bool priceSetsProduct);

} // namespace asv
