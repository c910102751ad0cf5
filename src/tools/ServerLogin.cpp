#include "ServerLogin.h"

#include "AppState.h"

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// Option files end a value at an unquoted '#' and read backslash escapes inside quotes.
QString optionValue(const QString& value)
{
    QString escaped = value;
    escaped.replace(u"\\"_s, u"\\\\"_s).replace(u"\""_s, u"\\\""_s).replace(u"\n"_s, u"\\n"_s).replace(u"\r"_s, u"\\r"_s);
    return u"\""_s + escaped + u"\""_s;
}

} // namespace

ServerLogin ServerLogin::current()
{
    const AppState& app = App();
    return {app.DbHost, app.DbUser, app.DbPassword, app.DbName, app.DbTls};
}

QString ServerLogin::optionFileText() const
{
    QString text = u"[client]\n"_s;
    text += u"user="_s + optionValue(user) + u"\n"_s;
    text += u"password="_s + optionValue(password) + u"\n"_s;
    if (host.startsWith(u'/')) {
        text += u"socket="_s + optionValue(host) + u"\n"_s;
        return text;
    }
    text += tls.optionLines();
    const qsizetype colon = host.lastIndexOf(u':');
    if (colon > 0) {
        text += u"host="_s + optionValue(host.left(colon)) + u"\n"_s;
        text += u"port="_s + host.mid(colon + 1) + u"\n"_s;
    } else if (!host.isEmpty()) {
        text += u"host="_s + optionValue(host) + u"\n"_s;
    }
    return text;
}

} // namespace asv
