#include "FindRecord.h"

#include "PickerRegistry.h"
#include "modMsgBox.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kModule = u"modMain"_s;

struct Found {
    int matches = 0;
    Pick pick;
};

Found search(const QString& kind, const FindRequest& request)
{
    std::unique_ptr<RecordPicker> picker = PickerRegistry::createPicker(kind, request.parent);
    picker->setSearchState(request.fields, request.opText);
    Found found;
    found.matches = picker->FindRecords(request.text, request.extraCondition);
    if (found.matches == 1 || (found.matches > 1 && picker->pickModal()))
        found.pick = picker->Result();
    return found;
}

// particle: "이(가)" in the plain search, "가" in the register offers.
QString notFoundText(const QString& kind, const QString& text, const QString& particle)
{
    return text.trimmed().isEmpty() ? u"등록된 "_s + kind + particle + u" 없습니다."_s
                                    : u"검색한 "_s + kind + particle + u" 등록되어 있지 않습니다."_s;
}

QString titleOf(const QString& kind)
{
    return kind + u" 검색"_s;
}

Pick findOrRegister(const QString& procedure, const QString& kind, const FindRequest& request)
{
    return Guarded(procedure, u"Module"_s, kModule, Pick(), [&] {
        const Found found = search(kind, request);
        if (found.matches > 0)
            return found.pick;
        const QString question = notFoundText(kind, request.text, u"가"_s) + vbCrLf + u"신규 등록하겠습니까?"_s;
        if (MsgYesNo(question, titleOf(kind)) != MsgAnswer::Yes)
            return Pick();
        return PickerRegistry::registerNew(kind, request.parent, request.text);
    });
}

} // namespace

Pick FindRecord(const QString& kind, const FindRequest& request, bool silent)
{
    return Guarded(u"FindRecord"_s, u"Module"_s, kModule, Pick(), [&] {
        const Found found = search(kind, request);
        if (found.matches == 0 && !silent)
            MsgInfo(notFoundText(kind, request.text, u"이(가)"_s), titleOf(kind));
        return found.pick;
    });
}

Pick FindUser(const FindRequest& request)
{
    return findOrRegister(u"FindUser"_s, kFindKindUser, request);
}

Pick FindCust(const FindRequest& request)
{
    return findOrRegister(u"FindCust"_s, kFindKindCust, request);
}

Pick FindProd(const FindRequest& request, bool designatedProducts)
{
    return Guarded(u"FindProd"_s, u"Module"_s, kModule, Pick(), [&] {
        const Found found = search(kFindKindProd, request);
        if (found.matches > 0)
            return found.pick;

        QStringList lines;
        lines << (request.text.trimmed().isEmpty() ? u"등록된 상품이 없거나,"_s : u"검색한 상품이 등록되어 있지 않거나,"_s);
        if (designatedProducts)
            lines << u"해당거래처에 등록되지 않았거나,"_s;
        lines << u"숨김설정이 되어 있습니다."_s << QString() << u"신규 등록하겠습니까?"_s << QString()
              << u"상품 기초등록을 하고 전표를 등록하려면 [예]를"_s << u"기초등록을 하지 않고 전표를 등록하려면 [아니오]를"_s
              << u"등록을 취소하실려면 [취소]를 누르세요."_s;
        switch (MsgYesNoCancel(lines.join(vbCrLf), titleOf(kFindKindProd))) {
        case MsgAnswer::Yes:
            return PickerRegistry::registerNew(kFindKindProd, request.parent, request.text);
        case MsgAnswer::No:
            return Pick{u"000000"_s, request.text};
        default:
            return Pick();
        }
    });
}

} // namespace asv
