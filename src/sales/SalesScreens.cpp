#include "SalesScreens.h"

#include "ScreenRegistry.h"

using namespace Qt::StringLiterals;

namespace asv {

void SalesScreens::registerAll()
{
}

} // namespace asv
