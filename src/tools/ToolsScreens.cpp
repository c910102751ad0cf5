#include "ToolsScreens.h"

#include "ScreenRegistry.h"
#include "ZipcodeLookup.h"
#include "frmZipcode.h"

using namespace Qt::StringLiterals;

namespace asv {

void ToolsScreens::registerAll()
{
    ZipcodeLookup::install(&frmZipcode::FindZipcode);
}

} // namespace asv
