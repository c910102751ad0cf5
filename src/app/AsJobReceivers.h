#pragma once

#include <QString>

namespace asv {

// What the AS screens take from screens of other families that open them through the screen
// registry, so that no family includes another's windows.

// The reception: the product the consultation was about, for the new job.
class AsProductReceiver {
public:
    virtual ~AsProductReceiver() = default;
    virtual void presetProduct(const QString& pcode) = 0;
};

// The result lines: the job they belong to, its customer and the caption that names it.
class AsJobResultReceiver {
public:
    virtual ~AsJobResultReceiver() = default;
    virtual void SetFormMode(int job, const QString& ccode, const QString& contents) = 0;
};

// Registry name of the result lines of one job.
inline const QString kAsResultScreen = QStringLiteral("FrmAS_Result");

} // namespace asv
