#include "ShellScreens.h"

#include "AppScreens.h"
#include "CustomerScreens.h"
#include "MailScreens.h"
#include "ProductScreens.h"
#include "ServiceScreens.h"

namespace asv {

void RegisterScreens()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    AppScreens::registerAll();
    CustomerScreens::registerAll();
    MailScreens::registerAll();
    ProductScreens::registerAll();
    ServiceScreens::registerAll();
}

} // namespace asv
