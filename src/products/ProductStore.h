#pragma once

#include "CodeReference.h"
#include "ProductRecord.h"
#include "StoreSql.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace asv {

// Every statement of the product record on table product, and the sale-line renames that follow a
// product's rename. The free-text product is never loaded, updated or deleted here. Reads that
// fail throw DbError; writes report 0 rows when they failed.
class ProductStore : private StoreSql {
public:
    // On db, or on the program's main connection.
    explicit ProductStore(cMySQL* db = nullptr);

    static constexpr int kCodeLength = 6;

    // nullopt when there is no such product, or for the free-text product.
    std::optional<ProductRecord> load(const QString& code);
    bool codeExists(const QString& code);
    // The next free code with the typed prefix (normally empty), or "" after the message that the
    // sequence is exhausted.
    QString nextCode(const QString& prefix = {});
    // The next numeric barcode of length digits (GeneratedBarcodeLength).
    QString nextBarcode(int length);

    // Another product (not exceptCode; exceptCode empty = any) already has the name and norm, or
    // the barcode; an empty barcode is never taken.
    bool nameNormTaken(const QString& name, const QString& norm, const QString& exceptCode);
    bool barcodeTaken(const QString& bcode, const QString& exceptCode);
    // The norms registered under name, in order.
    QStringList normsOf(const QString& name);
    // Every unit in use, for the unit combo.
    QStringList units();

    // Rows changed; 0 when nothing changed or the statement failed. insert sets regdate to today.
    int insert(const ProductRecord& product);
    // The same under a code generated after prefix: when another desk stored the product's code
    // first, under the next free one. The product's code becomes the code stored.
    int insertUnderNextCode(ProductRecord& product, const QString& prefix);
    // The sale lines follow the new name: all lines of the product when only the name changed,
    // else only those still carrying the loaded name and norm (a norm typed by hand on a line
    // is kept).
    int update(const ProductRecord& product, const QString& loadedName, const QString& loadedNorm);

    // Where a product is in use, in the order the delete asks: an AS job or line that lost its
    // product would drop out of the lists while its charge stayed in the balance.
    static const QList<CodeReference>& references();

    // The list's delete of one product: refused (with the message saying where) while any of the
    // references holds it. True when the row was deleted.
    bool remove(const QString& code);

    // Inside the transaction storing a document line for pcode: holds the product's row (shared, so
    // sales of one product do not queue) until the commit, so a delete waits for the line and then
    // finds it. Gone: deleted, the line is not to be stored (tell the operator with sayGone once
    // the transaction is over). No product, or the free-text one, needs no hold.
    enum class Hold { Held, Gone, Unreadable };
    Hold holdFor(const QString& pcode);
    static void sayGone();

private:
    int renameSaleLines(const ProductRecord& p, const QString& loadedName, const QString& loadedNorm);
};

} // namespace asv
