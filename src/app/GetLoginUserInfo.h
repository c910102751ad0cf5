#pragma once

#include <QString>

namespace asv {

// Loads the operator of this login id and the company name into the application state; a login
// id without a user row is the administrator "00".
void GetLoginUserInfo(const QString& loginId);

} // namespace asv
