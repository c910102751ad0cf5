#include "ShellScreens.h"

#include "AppScreens.h"

namespace asv {

void RegisterScreens()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    AppScreens::registerAll();
}

} // namespace asv
