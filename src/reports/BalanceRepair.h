#pragma once

#include "FixedMoney.h"

#include <QList>
#include <QStringList>
#include <QString>
#include <functional>

namespace asv {

// Brings every customer's running balance `nowmoney` back to what its documents say: opening
// balance + sales + charged AS lines − payments and discounts, all dates.
class BalanceRepair {
public:
    struct Correction {
        QString code;
        QString name;
        FixedMoney old;
        FixedMoney computed;
    };
    using Progress = std::function<void(int done, int total)>;

    // The customers whose running balance differs, in code order; throws when a read fails.
    static QList<Correction> check(const Progress& progress = {});
    // Writes the corrections; those actually written (the customers of a failed statement are left
    // out, and the data layer has shown why).
    static QList<Correction> repair(const QList<Correction>& corrections);

    // The repair log: a line per correction found, telling whether it was written.
    static QStringList logLines(const QList<Correction>& found, const QList<Correction>& written);
    static QString allCorrectLine();
};

} // namespace asv
