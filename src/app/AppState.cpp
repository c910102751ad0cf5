#include "AppState.h"

namespace asv {

AppState& AppState::instance()
{
    static AppState state;
    return state;
}

} // namespace asv
