#include "ShellScreens.h"

#include "AppScreens.h"
#include "CalldeskScreens.h"
#include "CustomerScreens.h"
#include "MessagingScreens.h"
#include "ProductScreens.h"
#include "ReportsScreens.h"
#include "SalesScreens.h"
#include "ServiceScreens.h"
#include "ToolsScreens.h"

namespace asv {

void RegisterScreens()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    AppScreens::registerAll();
    CalldeskScreens::registerAll();
    CustomerScreens::registerAll();
    MessagingScreens::registerAll();
    ProductScreens::registerAll();
    ReportsScreens::registerAll();
    SalesScreens::registerAll();
    ServiceScreens::registerAll();
    ToolsScreens::registerAll();
}

} // namespace asv
