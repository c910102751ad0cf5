#pragma once

namespace asv {

// Every library announces its screens and pickers here, once, before the main window is built.
void RegisterScreens();

} // namespace asv
