#include "ToolsScreens.h"

#include "ScreenRegistry.h"

using namespace Qt::StringLiterals;

namespace asv {

void ToolsScreens::registerAll()
{
}

} // namespace asv
