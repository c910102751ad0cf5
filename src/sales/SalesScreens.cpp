#include "SalesScreens.h"

#include "FrmSlip_sale.h"
#include "FrmSlip_recv.h"
#include "FrmStatement.h"
#include "FrmTaxInvoice.h"
#include "ScreenRegistry.h"

using namespace Qt::StringLiterals;

namespace asv {

void SalesScreens::registerAll()
{
    ScreenRegistry::add(u"mnuSlip2"_s, {[](QWidget* parent) { return new FrmSlip_sale(parent); }, false});
    ScreenRegistry::add(u"mnuDeposite"_s, {[](QWidget* parent) { return new FrmSlip_recv(parent); }, false});
    ScreenRegistry::add(u"mnuSpecification"_s, {[](QWidget* parent) { return new FrmStatement(parent); }, false});
    ScreenRegistry::add(u"mnuTax"_s, {[](QWidget* parent) { return new FrmTaxInvoice(parent); }, false});
}

} // namespace asv
