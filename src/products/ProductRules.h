#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace asv {

// The free-text product: sale lines typed without a registered product carry its code. It is
// never listed, edited or deleted as a product.
inline const QString kFreeTextProduct = QStringLiteral("000000");
bool IsFreeTextProduct(const QString& code);

// The barcode with its GS1 mod-10 check digit appended, after the scanner's prefix is dropped: a
// 12-digit barcode gets the digit, a 13-character one is kept. Anything else is refused (nullopt)
// and the field keeps what was typed; the operator is shown CheckDigitExplanation().
std::optional<QString> BarcodeWithCheckDigit(const QString& typed);
// The check digit of a string of digits, weights 3 and 1 alternating from the rightmost digit.
int Gs1CheckDigit(const QString& digits);
QString CheckDigitExplanation();

// The unit column holds 10 code-page bytes: 10 Latin or 5 Hangul characters.
inline constexpr int kUnitBytes = 10;
bool UnitFits(const QString& unit);
QString UnitTooLongMessage();

// Generated barcodes are never shorter than 6 digits, whatever the option says.
int GeneratedBarcodeLength(const QString& option);

// The product as questions show it: its name, with the norm in parentheses when there is one.
QString NameWithNorm(const QString& name, const QString& norm);
// The warning on leaving the name or norm field of a name and norm already registered, with the
// norms registered under that name (at most 10, then "...").
QString NameNormTakenWarning(const QString& name, const QString& norm, const QStringList& registeredNorms);

// The refusal to delete a class, or an AS code, that is still in use.
QString ClassInUseMessage();

// VAT mode of a product as lists show it: "면세" for 0, "과세" otherwise.
QString TaxModeText(int taxmode);

} // namespace asv
