#include "CustomerCommands.h"

#include "CustomerSearch.h"
#include "CustomerStore.h"
#include "LabelledLines.h"
#include "SharedOptions.h"
#include "mdlCommonOstra.h"
#include "modMain_SQL.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QTextStream>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kModule = u"CustomerCommands"_s;

QString vatText(int taxmode)
{
    switch (taxmode) {
    case 1:
        return u"부가세포함"_s;
    case 2:
        return u"부가세별도"_s;
    default:
        return u"계산안합"_s;
    }
}

} // namespace

int customerFind(QTextStream& out, const QString& text)
{
    return Guarded(u"customerFind"_s, u"Module"_s, kModule, 1, [&] {
        // The picker's own first choice: the name contains the text (digits also match telephones).
        const FindKey key = CustomerSearch::pickerKeys().at(1);
        CustomerSearch::Query query;
        query.fields = key.fields;
        query.opText = key.op;
        query.text = text;
        RecordSetPtr rs;
        const int rows = DBOpenRS(rs, CustomerSearch::pickerSql(query));
        if (DBLastFailed())
            return 1;
        for (int r = 0; r < rows; ++r) {
            out << rs->value(r, u"code"_s) << '\t' << rs->value(r, u"compname"_s) << '\t'
                << rs->value(r, u"compalias"_s) << '\t' << rs->value(r, u"telno1"_s) << '\n';
        }
        CloseRS(rs);
        return rows > 0 ? 0 : 1;
    });
}

int customerShow(QTextStream& out, const QString& code)
{
    return Guarded(u"customerShow"_s, u"Module"_s, kModule, 1, [&] {
        const std::optional<CustomerRecord> found = CustomerStore().load(code);
        if (!found) {
            out << "no customer with code " << code << '\n';
            return 1;
        }
        const CustomerRecord& c = *found;
        const QString money = GetDecFormat(SharedOptions::current().amountDecimals, true, true);
        const QString charge = c.charge.isEmpty() ? QString() : c.charge + u' ' + GetName_User(c.charge);
        QStringList telephones{c.telno1, c.telno2, c.telno3, c.telno4};
        telephones.removeAll(QString());
        return PrintLabelled(out, {
            {u"코드"_s, c.code},
            {u"상호"_s, c.compname},
            {u"약칭"_s, c.compalias},
            {u"대표자"_s, c.ceoname},
            {u"사업자번호"_s, c.compsn},
            {u"전화번호"_s, telephones.join(u", "_s)},
            {u"팩스"_s, c.fax},
            {u"휴대폰"_s, c.hpno},
            {u"담당자"_s, charge},
            {u"부가세"_s, vatText(c.taxmode)},
            {u"주소"_s, (c.zipcode + u' ' + c.addr1 + u' ' + c.addr2).trimmed()},
            {u"업태/종목"_s, c.status + u" / "_s + c.item},
            {u"이메일"_s, c.email},
            {u"등록일"_s, c.regdate},
            {u"기초잔액"_s, FormatNumber(c.basemoney, money)},
            {u"현미수"_s, FormatNumber(c.nowmoney, money)},
            {u"메모"_s, c.bigo},
            {u"숨김"_s, YesNoText(c.hidden)},
        });
    });
}

} // namespace asv
