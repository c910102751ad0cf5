#include "modMain_SQL.h"
#include "AppError.h"
#include "Cp949.h"
#include "cMySQL.h"
#include "modBarCode.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kModule = u"modMain"_s;

template <typename T, typename F>
T guard(const QString& procedure, T fallback, F&& body)
{
    return Guarded(procedure, u"Module"_s, kModule, std::move(fallback), std::forward<F>(body));
}

QString quoted(const QString& text)
{
    return u"'"_s + SQLQuote(text) + u"'"_s;
}

// The options table answers with one message of its own instead of the standard error box, so its
// statements run silently.
void optionFailed()
{
    MsgWarn(u"프로그램 수행도중 오류가 발생했습니다."_s);
}

bool insertOption(const QString& name, const QString& value)
{
    DBExecute(u"INSERT INTO options (optname, optvalue) VALUES ("_s + quoted(name) + u","_s + quoted(value)
                  + u")"_s,
              true);
    return !DBLastFailed();
}

QString nameWithNorm(const QString& name, const QString& norm)
{
    return norm.isEmpty() ? name : name + u'(' + norm + u')';
}

double numberOf(const QString& sql)
{
    return DBGetValue(sql).toDouble(); // NULL (an empty sum) reads as "" and counts as 0
}

} // namespace

QString GetOption(const QString& name, const QString& defaultValue, bool* ok)
{
    auto result = [&](bool success, const QString& value) {
        if (ok)
            *ok = success;
        if (!success)
            optionFailed();
        return value;
    };
    try {
        RecordSetPtr rs;
        DBOpenRS(rs, u"SELECT optvalue FROM options WHERE optname = "_s + quoted(name), true);
        if (DBLastFailed() || !rs)
            return result(false, defaultValue);
        if (rs->rowCount() > 0)
            return result(true, rs->value(0, 0));
        return result(insertOption(name, defaultValue), defaultValue);
    } catch (const std::exception&) {
        return result(false, defaultValue);
    }
}

bool SetOption(const QString& name, const QString& value)
{
    if (const qsizetype bad = Cp949::firstUnencodable(value); bad >= 0) {
        MsgWarn(Cp949::unencodableMessage(value, bad));
        return false;
    }
    try {
        const QString where = u"optname = "_s + quoted(name);
        RecordSetPtr rs;
        DBOpenRS(rs, u"SELECT COUNT(*) FROM options WHERE "_s + where, true);
        bool done = !DBLastFailed() && rs && rs->rowCount() > 0;
        if (done && rs->value(0, 0).toLong() > 0) {
            DBExecute(u"UPDATE options SET optvalue = "_s + quoted(value) + u" WHERE "_s + where, true);
            done = !DBLastFailed();
        } else if (done) {
            done = insertOption(name, value);
        }
        if (!done)
            optionFailed();
        return done;
    } catch (const std::exception&) {
        optionFailed();
        return false;
    }
}

QString GetName_User(const QString& code)
{
    return guard(u"GetName_User"_s, QString(), [&] {
        return DBGetValue(u"SELECT name FROM local_user WHERE code = "_s + quoted(code));
    });
}

QString GetName_Cust(const QString& code, bool useAlias)
{
    return guard(u"GetName_Cust"_s, QString(), [&] {
        const QString column = useAlias ? u"compalias"_s : u"compname"_s;
        return DBGetValue(u"SELECT "_s + column + u" FROM customer WHERE code = "_s + quoted(code));
    });
}

QString GetName_Prod(const QString& code, bool withNorm)
{
    return guard(u"GetName_Prod"_s, QString(), [&] {
        RecordSetPtr rs;
        if (DBOpenRS(rs, u"SELECT name, norm FROM product WHERE code = "_s + quoted(code)) == 0 || !rs)
            return QString();
        const QString name = rs->field(u"name"_s);
        return withNorm ? nameWithNorm(name, rs->field(u"norm"_s)) : name;
    });
}

QString GetPCodeByName(const QString& name, const QString& norm)
{
    return guard(u"GetPCodeByName"_s, QString(), [&] {
        const QString code = DBGetValue(u"SELECT code FROM product WHERE name = "_s + quoted(name)
                                        + u" AND norm = "_s + quoted(norm));
        return code.isEmpty() ? u"000000"_s : code;
    });
}

double GetBalance(const QString& ccode, bool isSale, const QString& toDate, const QString& fromDate)
{
    return guard(u"GetBalance"_s, 0.0, [&] {
        const QString documents = isSale ? u"sale"_s : u"buy"_s;
        const QString payments = isSale ? u"receive"_s : u"payment"_s;
        double balance = 0;
        QString from = fromDate;
        if (from.isEmpty()) {
            from = u"0000-00-01"_s;
            balance = numberOf(u"SELECT basemoney FROM customer WHERE code = "_s + quoted(ccode));
        }
        const QString condition = u" WHERE dealdate BETWEEN "_s + quoted(from) + u" AND "_s + quoted(toDate)
            + u" AND ccode = "_s + quoted(ccode);
        balance += numberOf(u"SELECT SUM(total) FROM "_s + documents + condition);
        balance -= numberOf(u"SELECT SUM(amount+dc) FROM "_s + payments + condition);
        return balance;
    });
}

bool IsUsedData(cMySQL& db, const QString& table, const QString& field, const QString& value, bool isText,
                const QString& extraCondition, const QString& label, bool showMsg)
{
    return guard(u"IsUsedData"_s, true, [&] {
        QString literal = value;
        if (isText) {
            literal = quoted(value);
        } else {
            bool numeric = false;
            value.trimmed().toDouble(&numeric);
            if (!numeric)
                throw AppError(13, u"IsUsedData"_s, u"숫자가 아닌 값입니다: "_s + value);
        }
        QString where = field + u" = "_s + literal;
        if (!extraCondition.isEmpty())
            where += u" AND "_s + extraCondition;
        const long n = DBRecordCount(db, table, where);
        if (db.lastErrno() != 0)
            return true;
        if (n > 0 && showMsg)
            SayUsedIn(label);
        return n > 0;
    });
}

void SayUsedIn(const QString& label)
{
    MsgInfo(u"해당 데이터가 「"_s + label + u"」에서 사용중이기 때문에 삭제할 수 없습니다."_s);
}

QString GetProdByBarCode(const QString& barcode)
{
    return guard(u"GetProdByBarCode"_s, QString(), [&] {
        const QString code = ConvBarCode(barcode);
        if (code.isEmpty())
            return QString();
        RecordSetPtr rs;
        const int n = DBOpenRS(rs, u"SELECT m.code, m.name, m.norm, m.unit, m.saleprice, m.bcode FROM product AS m "
                                   u"WHERE m.hidden = 0 AND m.bcode = "_s
                                       + quoted(code) + u" ORDER BY m.code"_s);
        if (n == 0 || !rs)
            return QString();
        if (n == 1)
            return rs->value(0, u"code"_s);

        QStringList lines{u"동일한 바코드번호("_s + code + u")가 발견되었습니다."_s,
                          u"선택할 상품 번호를 입력하세요."_s, QString()};
        for (int row = 0; row < n; ++row)
            lines << u"%1. (%2) %3"_s.arg(QString::number(row + 1), rs->value(row, u"code"_s),
                                          nameWithNorm(rs->value(row, u"name"_s), rs->value(row, u"norm"_s)));
        const std::optional<QString> answer = InputBox(lines.join(vbCrLf));
        bool numeric = false;
        const int chosen = answer ? answer->trimmed().toInt(&numeric) : 0;
        if (!numeric || chosen == 0)
            return QString();
        if (chosen < 0 || chosen > n)
            throw AppError(9, u"GetProdByBarCode"_s, u"목록에 없는 번호입니다: "_s + QString::number(chosen));
        return rs->value(chosen - 1, u"code"_s);
    });
}

} // namespace asv
