#pragma once

#include <QString>

namespace asv {

// What a server or client-library error number means to the operator, in Korean and without the
// server's own text, which may quote a statement.
QString OperatorErrorText(unsigned int error);

} // namespace asv
