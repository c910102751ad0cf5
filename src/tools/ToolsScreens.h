#pragma once

namespace asv {

// The tool windows under the main window's menu entries: backup, clearing, customer import, and
// the zipcode finder the editors reach through ZipcodeLookup.
class ToolsScreens {
public:
    static void registerAll();
};

} // namespace asv
