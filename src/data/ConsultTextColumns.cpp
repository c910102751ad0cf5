#include "ConsultTextColumns.h"

#include "cMySQL.h"
#include "modMySQL_Func.h"

#include <QRegularExpression>
#include <QVersionNumber>

using namespace Qt::StringLiterals;

namespace asv::ConsultTextColumns {

namespace {

const QStringList kColumns{u"pname"_s, u"refernote"_s, u"connote"_s};

} // namespace

QString definition(const QString& serverVersion)
{
    if (serverVersion.contains(u"MariaDB"_s, Qt::CaseInsensitive))
        return u"text NOT NULL default ''"_s;
    static const QRegularExpression kNumber(u"^\\d+(\\.\\d+)*"_s);
    const QVersionNumber version = QVersionNumber::fromString(kNumber.match(serverVersion).captured(0));
    if (version >= QVersionNumber(8, 0, 13))
        return u"text NOT NULL default ('')"_s;
    return u"text"_s;
}

QString definition()
{
    const cMySQL* c = DBConnection(0);
    return definition(c ? c->get_server_info() : QString());
}

QStringList missingStatements()
{
    const QString wanted = definition();
    if (!wanted.contains(u"NOT NULL"_s))
        return {};
    const QString nullable =
        DBGetValue(u"SELECT COUNT(*) FROM information_schema.COLUMNS WHERE TABLE_SCHEMA = DATABASE() AND TABLE_NAME = "
                   u"'rsvconsult' AND IS_NULLABLE = 'YES' AND COLUMN_NAME IN ('"_s
                   + kColumns.join(u"', '"_s) + u"')"_s);
    if (DBLastFailed() || nullable.toInt() == 0)
        return {};
    QStringList nulls;
    QStringList filled;
    QStringList modified;
    for (const QString& column : kColumns) {
        nulls << column + u" IS NULL"_s;
        filled << column + u" = IFNULL("_s + column + u", '')"_s;
        modified << u"MODIFY "_s + column + u' ' + wanted;
    }
    // A NULL an older desk writes in between makes the change fail; the next run tries again.
    return {u"UPDATE rsvconsult SET "_s + filled.join(u", "_s) + u" WHERE "_s + nulls.join(u" OR "_s),
            u"ALTER TABLE rsvconsult "_s + modified.join(u", "_s)};
}

} // namespace asv::ConsultTextColumns
