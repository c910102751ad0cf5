#pragma once

#include <QString>

namespace asv {

// The mail settings of this user, as the settings panel shows them. The password is held in plain
// text only in memory; the store keeps it scrambled.
struct MailSettings {
    enum ServerKind { MakersServer = 0, OwnServer = 1 };
    enum Method { DirectSmtp = 0, SenderProgram = 1 };

    int serverKind = OwnServer;
    int method = DirectSmtp;
    bool webForm = false;
    QString host;
    QString port;
    QString user;
    QString password;
    bool ssl = false;
    QString senderAddress;
    QString webFormUrl;

    static MailSettings load();
    // The values stored for that server kind, as the panel shows them when the kind is chosen.
    static MailSettings load(int serverKind);
    void save() const;
    // With the maker's server the account is the service's own and not the operator's to choose.
    void applyServerKind();

    // The first thing wrong with the settings as the operator's message, empty when they can be used.
    QString problem(const QString& computerName) const;
    static bool isValidAddress(const QString& address);

    static QString scramble(const QString& plain);
    static QString unscramble(const QString& scrambled);
};

} // namespace asv
