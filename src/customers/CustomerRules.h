#pragma once

#include "DuplicateQuestion.h"

#include <QString>

namespace asv {

// The short name a customer gets from its name: "(주)", "(유)" and "㈜" left out; a name that is
// nothing but those keeps itself.
QString ShortNameOf(const QString& name);

// The zipcode as its column takes it: at most 7 code-page bytes.
QString ZipcodeForStorage(const QString& zipcode);
// Enter in the zipcode field searches only when there is a zipcode to search and no address yet.
bool ZipcodeEnterSearches(const QString& zipcode, const QString& address);

} // namespace asv
