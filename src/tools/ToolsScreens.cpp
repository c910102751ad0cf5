#include "ToolsScreens.h"

#include "FrmTool_ImpData.h"
#include "ScreenRegistry.h"

using namespace Qt::StringLiterals;

namespace asv {

void ToolsScreens::registerAll()
{
    ScreenRegistry::add(u"mnuTool_ImpData"_s, {[](QWidget* parent) { return new FrmTool_ImpData(parent); }, false});
}

} // namespace asv
