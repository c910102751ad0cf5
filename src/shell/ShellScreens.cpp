#include "ShellScreens.h"

#include "AppScreens.h"
#include "CustomerListScreens.h"
#include "CustomerRecordScreens.h"

namespace asv {

void RegisterScreens()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    AppScreens::registerAll();
    CustomerRecordScreens::registerAll();
    CustomerListScreens::registerAll();
}

} // namespace asv
