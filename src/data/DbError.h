#pragma once

#include "AppError.h"

namespace asv {

// A client-library failure: number is the library's error number, source "cMysql::<operation>".
class DbError : public AppError {
public:
    using AppError::AppError;
};

} // namespace asv
