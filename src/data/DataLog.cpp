#include "DataLog.h"

Q_LOGGING_CATEGORY(lcData, "asv.data")
