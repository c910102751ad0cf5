// A caller-ID device library for the tests: the exports the program calls, plus controls with
// which a test raises notifications (from a thread of the library's own, as a device would) and
// makes ports refuse to open or close.
#include "CallerIdLibraryExports.h"

#include <cstring>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>

#define EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::mutex g_mutex;
CallerIdNotify g_notify = nullptr;
void* g_context = nullptr;
std::map<long, std::string> g_messages;
std::set<long> g_open;
std::set<long> g_refuseOpen;
std::set<long> g_refuseClose;

} // namespace

EXPORT void LoadSetDll(CallerIdNotify notify, void* context)
{
    std::lock_guard lock(g_mutex);
    g_notify = notify;
    g_context = context;
}

EXPORT long SeeID4Open(long port)
{
    std::lock_guard lock(g_mutex);
    if (g_refuseOpen.count(port))
        return 0;
    g_open.insert(port);
    return 1;
}

EXPORT long SeeID4Close(long port)
{
    std::lock_guard lock(g_mutex);
    const bool wasOpen = g_open.erase(port) > 0;
    return wasOpen && !g_refuseClose.count(port) ? 1 : 0;
}

EXPORT void SeeID4GetMsg(long wParam, char* buffer)
{
    std::lock_guard lock(g_mutex);
    const std::string& m = g_messages[wParam];
    std::memcpy(buffer, m.data(), std::min<size_t>(m.size(), asv::kCallerIdMessageSize));
}

EXPORT void FakeRefuse(long port, int open, int close)
{
    std::lock_guard lock(g_mutex);
    if (open)
        g_refuseOpen.insert(port);
    if (close)
        g_refuseClose.insert(port);
}

// Returns 0 when nobody is registered to hear it.
EXPORT int FakeRaise(long wParam, const char* message, int size)
{
    CallerIdNotify notify;
    void* context;
    {
        std::lock_guard lock(g_mutex);
        g_messages[wParam] = std::string(message, static_cast<size_t>(size));
        notify = g_notify;
        context = g_context;
    }
    if (!notify)
        return 0;
    std::thread device([=] { notify(context, wParam); });
    device.join();
    return 1;
}
