#pragma once

#include <QString>

class QTextStream;

namespace asv {

// "call NUMBER": records a received call as a desk whose device took it would (row, earlier name,
// customer link) and announces it to the open desks, so a telephone system's script can feed
// calls. announceOnly sends just the announcement. 0 done, 1 refused or failed.
int callCommand(QTextStream& out, const QString& number, bool announceOnly);

} // namespace asv
