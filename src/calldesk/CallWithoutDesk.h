#pragma once

#include <QString>

namespace asv {

// Tells the other desks of a caller's number as it came, before anything else looks at it.
void AnnounceCall(const QString& rawNumber);

// A device's call on a PC without a desk to take it (its operator takes no calls): announced,
// stored and linked as a desk would, and shown in a notice, so no call is lost.
void TakeCallWithoutDesk(const QString& rawNumber);

} // namespace asv
