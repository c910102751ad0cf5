#pragma once

#include <QString>

namespace asv {

// "mail test ADDRESS": the settings panel's test mail with this user's mail settings; messages go
// through the prompter. 0 sent, 1 refused settings or a failed mail.
int mailTest(const QString& address);

} // namespace asv
