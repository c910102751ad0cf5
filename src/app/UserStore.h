#pragma once

#include "CodeReference.h"
#include "RecordSetPtr.h"
#include "StoreSql.h"
#include "UserRecord.h"

#include <QList>
#include <QString>
#include <optional>

namespace asv {

// Every statement on local_user.
class UserStore : private StoreSql {
public:
    static QString administratorCode() { return QStringLiteral("00"); }

    // On db, or on the program's main connection.
    explicit UserStore(cMySQL* db = nullptr);

    // "" for an unknown id as for a user without password.
    QString loginPassword(const QString& loginId);
    // code and name of the user with this login id; nullopt when there is none.
    std::optional<UserRecord> byLoginId(const QString& loginId);
    std::optional<UserRecord> load(const QString& code);
    bool isConsultant(const QString& code);

    bool codeExists(const QString& code);
    // Another user (not exceptCode) already has this login id.
    bool loginIdTaken(const QString& loginId, const QString& exceptCode);
    QString nextCode(const QString& prefix);

    // Rows changed; 0 when nothing changed or the statement failed.
    int insert(const UserRecord& user);
    int update(const UserRecord& user);
    int remove(const QString& code);

    // The user list: a non-administrator sees only himself.
    static QString listSql(const QString& operatorCode, const QString& condition);
    static QString pickerSql(const QString& condition);

    // Where a user code is referred to; a referred user is not deleted.
    static const QList<CodeReference>& references();
    // Whether a document or customer still names the user (the first that does says so).
    bool inUse(const QString& code);
};

} // namespace asv
