#pragma once

#include <QString>

namespace asv {

class cMySQL;

// The shared look-ups every screen calls. Each guards itself: a failure shows the error box and
// the procedure returns its empty result ("" or 0) so the caller goes on.

// Reading an option also creates it with its default. ok (when given) is false after a failure,
// in which case the default is returned.
QString GetOption(const QString& name, const QString& defaultValue, bool* ok = nullptr);
bool SetOption(const QString& name, const QString& value);

QString GetName_User(const QString& code);
QString GetName_Cust(const QString& code, bool useAlias = false);
QString GetName_Prod(const QString& code, bool withNorm = false);
// "000000" (the free-text product) when no product has this name and norm.
QString GetPCodeByName(const QString& name, const QString& norm);

// The customer's balance at the end of toDate; with an empty fromDate it starts from the opening
// balance, otherwise from 0. isSale chooses sale/receive, else the purchase side buy/payment.
double GetBalance(const QString& ccode, bool isSale, const QString& toDate, const QString& fromDate = {});

// Delete guard: is value still referred to from table.field? Says where with showMsg. A failed
// look-up counts as in use, so that nothing is deleted on a guess.
bool IsUsedData(cMySQL& db, const QString& table, const QString& field, const QString& value, bool isText,
                const QString& extraCondition, const QString& label, bool showMsg = true);
// The delete guard's message: the record is in use in label's documents.
void SayUsedIn(const QString& label);

// The code of the visible product with this barcode; several matches are offered by number.
QString GetProdByBarCode(const QString& barcode);

} // namespace asv
