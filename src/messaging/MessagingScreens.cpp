#include "MessagingScreens.h"

#include "FrmSendMail.h"
#include "FrmSendMailMulti.h"
#include "FrmTool_SMS.h"
#include "ScreenRegistry.h"

using namespace Qt::StringLiterals;

namespace asv {

void MessagingScreens::registerAll()
{
    ScreenRegistry::add(u"mnuSMS"_s, {[](QWidget* parent) { return new FrmTool_SMS(parent); }, false});
    ScreenRegistry::add(u"FrmSendMail"_s, {[](QWidget* parent) { return new FrmSendMail(parent); }, true});
    ScreenRegistry::add(u"FrmSendMailMulti"_s, {[](QWidget* parent) { return new FrmSendMailMulti(parent); }, true});
}

} // namespace asv
