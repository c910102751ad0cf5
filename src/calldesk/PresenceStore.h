#pragma once

#include <QList>
#include <QString>

namespace asv {

// Every statement on userstate, and the colleagues a desk lists.
class PresenceStore {
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

    // Writes the desk's heartbeat, inserting its row the first time.
    static void heartbeat(const QString& user, const QString& state, const QString& address);
    // Desks silent for the seconds are offline.
    static void purgeSilent(int seconds = kSilentSeconds);
    // The other desks online. Throws DbError when the read fails.
    static QList<Presence> others(const QString& user);
    static void remove(const QString& user);
    // The users who take calls, except this one. Throws DbError when the read fails.
    static QList<Colleague> colleagues(const QString& user);
};

} // namespace asv
