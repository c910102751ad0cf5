#include "ReportsScreens.h"

#include "ScreenRegistry.h"

using namespace Qt::StringLiterals;

namespace asv {

void ReportsScreens::registerAll()
{
}

} // namespace asv
