#pragma once

#include <QString>

class QComboBox;

namespace asv {

// The code lists of the AS dialogs: the general codes of a kind and, once a product is chosen,
// the product's own; each entry carries its code.
class AsCodeCombo {
public:
    // Refills the list; the previous choice is lost.
    static void fill(QComboBox* combo, int part, const QString& pcode);
    // The chosen code, 0 when none.
    static int chosen(const QComboBox* combo);
    static void choose(QComboBox* combo, int code);
};

} // namespace asv
