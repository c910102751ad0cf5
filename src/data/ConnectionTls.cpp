#include "ConnectionTls.h"


#include <QFile>
#include <mysql.h>

using namespace Qt::StringLiterals;

namespace asv {

void ConnectionTls::apply(st_mysql* handle) const
{
    if (!required)
        return;
    const my_bool on = 1;
    mysql_options(handle, MYSQL_OPT_SSL_ENFORCE, &on);
    mysql_options(handle, MYSQL_OPT_SSL_VERIFY_SERVER_CERT, &on);
    if (!caFile.isEmpty()) {
        const QByteArray path = QFile::encodeName(caFile);
        mysql_options(handle, MYSQL_OPT_SSL_CA, path.constData());
    }
}

QString ConnectionTls::optionLines() const
{
    if (!required)
        return {};
    QString lines = u"ssl\nssl-verify-server-cert\n"_s;
    if (!caFile.isEmpty())
        lines += u"ssl-ca=\""_s + QString(caFile).replace(u"\\"_s, u"\\\\"_s).replace(u"\""_s, u"\\\""_s) + u"\"\n"_s;
    return lines;
}

} // namespace asv
