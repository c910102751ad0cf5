#pragma once

#include "AsLineRecord.h"

#include <QString>
#include <functional>
#include <optional>

namespace asv {

// What the result line dialog makes of its fields: what saving refuses, the line it writes, and
// when a chosen product deserves a second look. No widgets and no database.
class AsLineEdit {
public:
    // The fields as the operator left them.
    struct Typed {
        QString pcode;
        QString productText;
        int cause = 0; // 0 while none is chosen
        int result = 0;
        QString memo;
        QString amount;
        bool free = false;
        QString senddate;
    };

    enum class Refusal { None, NoCause, NoResult, NoProduct };

    // The first missing field in the order the dialog asks for them.
    static Refusal refusal(const Typed& typed);
    // seq 0 stores a new line under the next number.
    static AsLineRecord line(int job, int seq, const Typed& typed);
    // While the job has fewer than two lines, its lines are about the product it was received for;
    // receivedProduct is asked only then, and answers nothing when the job is gone.
    static bool otherThanReceived(int lineCount, const std::function<std::optional<QString>()>& receivedProduct,
                                  const QString& chosen);
};

} // namespace asv
