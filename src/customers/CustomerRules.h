#pragma once

#include <QString>

namespace asv {

// The short name a customer gets from its name: "(주)", "(유)" and "㈜" left out; a name that is
// nothing but those keeps itself.
QString ShortNameOf(const QString& name);

// The zipcode as its column takes it: at most 7 code-page bytes.
QString ZipcodeForStorage(const QString& zipcode);
// Enter in the zipcode field searches only when there is a zipcode to search and no address yet.
bool ZipcodeEnterSearches(const QString& zipcode, const QString& address);

// The question asked before a second customer with the same value is registered, and its title.
QString DuplicateQuestion(const QString& value, const QString& label);
QString DuplicateTitle(const QString& label);

} // namespace asv
