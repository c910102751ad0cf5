#include "AsJobWindows.h"

namespace asv {

AsJobWindows::Reception& AsJobWindows::reception()
{
    static Reception open;
    return open;
}

AsJobWindows::Results& AsJobWindows::results()
{
    static Results open;
    return open;
}

AsJobWindows::ResultLine& AsJobWindows::resultLine()
{
    static ResultLine open;
    return open;
}

} // namespace asv
