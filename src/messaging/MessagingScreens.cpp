#include "MessagingScreens.h"

#include "FrmTool_SMS.h"
#include "ScreenRegistry.h"

using namespace Qt::StringLiterals;

namespace asv {

void MessagingScreens::registerAll()
{
    ScreenRegistry::add(u"mnuSMS"_s, {[](QWidget* parent) { return new FrmTool_SMS(parent); }, false});
}

} // namespace asv
