#include "SlipLineEntry.h"

#include "Clock.h"
#include "SaleCatalogue.h"
#include "SaleStore.h"
#include "modMain_SQL.h"

using namespace Qt::StringLiterals;
using namespace asv;

SlipLineEntry::SlipLineEntry(const QString& ccode, const QString& month)
    : m_ccode(ccode),
      m_month(month),
      m_charge(SaleStore().customerInfo(ccode).charge),
      m_catalogue(SaleCatalogue(ccode, VatOptions::current(), false))
{
}

bool SlipLineEntry::enter(const QString& day, const QString& barcode)
{
    const QString date = SaleLineEdit::dateOfDay(m_month, day);
    if (!SaleLineEdit::isDate(date))
        return false;
    const QString pcode = GetProdByBarCode(barcode);
    if (pcode.isEmpty())
        return false;
    SaleLineEdit::Cells typed;
    typed.bcode = barcode;
    const std::optional<SaleLineEdit::Cells> cells = SaleLineEdit::chosen(typed, pcode, {}, m_charge, m_catalogue);
    if (!cells)
        return false;
    SaleLine line;
    line.ccode = m_ccode;
    line.pcode = cells->pcode;
    line.pname = cells->pname;
    line.pnorm = cells->pnorm;
    line.qnt = cells->qnt;
    line.dealdate = date;
    line.dealtime = Clock::now().toString(u"HH:mm"_s);
    line.charge = cells->charge;
    SaleLineEdit::NewLine entered = SaleLineEdit::insert(line, m_catalogue);
    if (entered.refusal != SaleLineEdit::Refusal::None || SaleStore().insert(entered.line) == 0)
        return false;
    SaleStore().monthSums(m_ccode, m_month);
    return true;
}
