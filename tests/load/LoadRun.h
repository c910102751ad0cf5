#pragma once

#include "BalanceRepair.h"
#include "LoadDocument.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>

namespace asv::test {

constexpr int kDesks = 10;

quint64 settingOr(const char* name, quint64 fallback);
// The shared customers and products the desks work on.
void setUpCustomersAndProducts(quint64 seed);

// What the desks wrote down, merged.
struct Journals {
    int operations = 0;
    int succeeded = 0;
    int finished = 0;
    QMap<int, int> failures; // by the error number shown, 0 when none was shown
    QStringList halves;
    QMap<QString, LoadDocument> documents; // the last expectation per key
    // Per key, the states either of which may be stored after a COMMIT of unknown outcome that the
    // desk did not follow with anything on the document.
    QMap<QString, QList<LoadDocument>> doubts;

    void read(const QString& path);
};

// The desks, started on the database (with the nodes nodesOf gives each, when it gives any) and
// watched until they end; faultsDue hears the milliseconds since the start meanwhile.
struct DeskRun {
    Journals journal;
    qint64 runMs = 0;
    int deadlocksLogged = 0;

    DeskRun(const QString& database, quint64 seed, int operations, const std::function<QString(int desk)>& nodesOf,
            const std::function<void(qint64 elapsedMs)>& faultsDue);
    // "number×count" of the failures by the error shown.
    QString failures() const;
};

// What every run must leave: each desk finished, every document as its desk last expected it,
// none half-written, every balance equal to its documents, and most of the work done.
struct Afterwards {
    QStringList documents;
    QList<BalanceRepair::Correction> corrections;
    QStringList formula;
    bool formulaRead;

    explicit Afterwards(const Journals& journal);
    void expectKept(const Journals& journal, int operations) const;
};

} // namespace asv::test
