#pragma once

#include "RecordSetPtr.h"
#include "StoreSql.h"

#include <QList>
#include <QString>

namespace asv {

// Every statement on userstate, and the colleagues a desk lists.
class PresenceStore : private StoreSql {
public:
    struct Presence {
        QString code;
        QString state;
        QString address;
    };
    struct Colleague {
        QString code;
        QString name;
    };

    static inline const int kSilentSeconds = 21;

    // On db, or on the program's main connection.
    explicit PresenceStore(cMySQL* db = nullptr);

    // Writes the desk's heartbeat, inserting its row the first time.
    void heartbeat(const QString& user, const QString& state, const QString& address);
    // Desks silent for the seconds are offline.
    void purgeSilent(int seconds = kSilentSeconds);
    // The other desks online. Throws DbError when the read fails.
    QList<Presence> others(const QString& user);
    void remove(const QString& user);
    // The users who take calls, except this one. Throws DbError when the read fails.
    QList<Colleague> colleagues(const QString& user);

private:
    // The timers run these every few seconds: failures are thrown to the panel, which tells the
    // operator once instead of at every tick.
    void write(const QString& sql, const QString& operation);
    RecordSetPtr silentRead(const QString& sql, const QString& operation);
};

} // namespace asv
