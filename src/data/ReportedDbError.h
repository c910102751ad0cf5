#pragma once

#include "DbError.h"

namespace asv {

// A failure the data layer has already explained to the operator (a character the code page
// cannot hold): the guard ends the procedure without a second, vaguer box.
class ReportedDbError : public DbError {
public:
    using DbError::DbError;
};

} // namespace asv
