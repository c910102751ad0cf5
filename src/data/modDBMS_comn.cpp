#include "modDBMS_comn.h"

#include "modMsgBox.h"
#include "modMySQL_Func.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace asv {

QString MakeFindWhere(const QString& fields, const QString& text, const QString& opText, bool ignoreSpaces)
{
    QString value = text;
    value.remove(vbCrLf);
    const QString op = opText.left(3).trimmed();

    QString tail;
    if (op == u"*s*"_s)
        tail = u" LIKE '%"_s + SQLQuoteLike(value) + u"%'"_s;
    else if (op == u"s*"_s)
        tail = u" LIKE '"_s + SQLQuoteLike(value) + u"%'"_s;
    else if (op == u"*s"_s)
        tail = u" LIKE '%"_s + SQLQuoteLike(value) + u"'"_s;
    else if (op == u"="_s)
        tail = u" = '"_s + SQLQuote(value) + u"'"_s;
    else {
        MsgInfo(u"fixme"_s);
        return {};
    }

    QStringList parts;
    for (const QString& field : fields.split(u',')) {
        const QString f = field.trimmed();
        if (f.isEmpty())
            continue;
        parts << (ignoreSpaces ? u" REPLACE("_s + f + u", ' ', '') "_s + tail : f + tail);
    }
    if (parts.size() <= 1)
        return parts.value(0);
    return u"("_s + parts.join(u" OR "_s) + u")"_s;
}

} // namespace asv
