#include "AsLineEdit.h"

namespace asv {

AsLineEdit::Refusal AsLineEdit::refusal(const Typed& typed)
{
    if (typed.cause == 0)
        return Refusal::NoCause;
    if (typed.result == 0)
        return Refusal::NoResult;
    if (typed.productText.trimmed().isEmpty())
        return Refusal::NoProduct;
    return Refusal::None;
}

AsLineRecord AsLineEdit::line(int job, int seq, const Typed& typed)
{
    AsLineRecord line;
    line.code = job;
    line.seq = seq;
    line.pcode = typed.pcode;
    line.typecode1 = typed.cause;
    line.typecode2 = typed.result;
    line.workbigo = typed.memo;
    line.amount = typed.amount.toDouble();
    line.isfree = typed.free;
    line.senddate = typed.senddate;
    return line;
}

bool AsLineEdit::otherThanReceived(int lineCount, const std::function<std::optional<QString>()>& receivedProduct,
                                   const QString& chosen)
{
    if (lineCount >= 2)
        return false;
    const std::optional<QString> received = receivedProduct();
    return received && *received != chosen;
}

} // namespace asv
