#include "MailScreens.h"

#include "FrmSendMail.h"
#include "FrmSendMailMulti.h"
#include "ScreenRegistry.h"

using namespace Qt::StringLiterals;

namespace asv {

void MailScreens::registerAll()
{
    ScreenRegistry::add(u"FrmSendMail"_s, {[](QWidget* parent) { return new FrmSendMail(parent); }, true});
    ScreenRegistry::add(u"FrmSendMailMulti"_s, {[](QWidget* parent) { return new FrmSendMailMulti(parent); }, true});
}

} // namespace asv
