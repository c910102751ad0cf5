#pragma once

#include <QString>

namespace asv {

// The question asked before a second record with the same value is registered, and its title.
QString DuplicateQuestion(const QString& value, const QString& label);
QString DuplicateTitle(const QString& label);
// Asks it, No by default; true when the operator answered Yes.
bool AskRegisterAnyway(const QString& value, const QString& label);

} // namespace asv
