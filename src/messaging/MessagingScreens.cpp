#include "MessagingScreens.h"

#include "FrmSendMail.h"
#include "FrmSendMailMulti.h"
#include "FrmTool_SMS.h"
#include "GridPrinter.h"
#include "MailSettingsDialog.h"
#include "ScreenOpener.h"
#include "ScreenRegistry.h"

using namespace Qt::StringLiterals;

namespace asv {

void MessagingScreens::registerAll()
{
    ScreenRegistry::add(u"mnuSMS"_s, {[](QWidget* parent) { return new FrmTool_SMS(parent); }, false});
    ScreenRegistry::add(kMailScreen, {[](QWidget* parent) { return new FrmSendMail(parent); }, true});
    ScreenRegistry::add(kMailSettingsScreen, {[](QWidget* parent) { return new MailSettingsDialog(parent); }, true});
    GridPrinter::setMailer(&OpenMailScreen);
    ScreenRegistry::add(u"FrmSendMailMulti"_s, {[](QWidget* parent) { return new FrmSendMailMulti(parent); }, true});
}

} // namespace asv
