#include "ToolsScreens.h"

#include "FrmTool_Backup.h"
#include "FrmTool_ClearAll.h"
#include "FrmTool_ImpData.h"
#include "ScreenRegistry.h"
#include "ZipcodeLookup.h"
#include "frmZipcode.h"

using namespace Qt::StringLiterals;

namespace asv {

void ToolsScreens::registerAll()
{
    ScreenRegistry::add(u"mnuDataBackup"_s, {[](QWidget* parent) { return new FrmTool_Backup(parent); }, true});
    ScreenRegistry::add(u"mnuTool_ClearAll"_s, {[](QWidget* parent) { return new FrmTool_ClearAll(parent); }, true});
    ScreenRegistry::add(u"mnuTool_ImpData"_s, {[](QWidget* parent) { return new FrmTool_ImpData(parent); }, false});
    ZipcodeLookup::install(&frmZipcode::FindZipcode);
}

} // namespace asv
