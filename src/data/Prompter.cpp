#include "Prompter.h"

#include "GuiPrompter.h"

namespace asv {

namespace {
Prompter* g_installed = nullptr;
}

Prompter& Prompter::current()
{
    static GuiPrompter gui;
    return g_installed ? *g_installed : gui;
}

void Prompter::install(Prompter* prompter)
{
    g_installed = prompter;
}

} // namespace asv
