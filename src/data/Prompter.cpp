#include "Prompter.h"

#include "ConsolePrompter.h"

namespace asv {

namespace {

Prompter* g_installed = nullptr;
Prompter* g_standard = nullptr;

// Without a screen or a console tool there is nobody to ask: the texts go to the terminal and
// questions take No.
Prompter& terminal()
{
    static ConsolePrompter console(MsgAnswer::No);
    // The console prompter installs itself; here it only stands in while nothing is installed.
    if (g_installed == &console)
        g_installed = nullptr;
    return console;
}

} // namespace

Prompter& Prompter::current()
{
    if (g_installed)
        return *g_installed;
    return g_standard ? *g_standard : terminal();
}

void Prompter::install(Prompter* prompter)
{
    g_installed = prompter;
}

void Prompter::setStandard(Prompter* prompter)
{
    g_standard = prompter;
}

} // namespace asv
