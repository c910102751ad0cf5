#include "CalldeskScreens.h"

#include "ScreenRegistry.h"

using namespace Qt::StringLiterals;

namespace asv {

void CalldeskScreens::registerAll()
{
}

} // namespace asv
