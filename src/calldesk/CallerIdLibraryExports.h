#pragma once

// What the caller-ID device library exports, as this program calls it. The library notifies
// through the function registered with LoadSetDll, possibly from a thread of its own; the
// notification names the line whose message SeeID4GetMsg then copies.
extern "C" {
typedef void (*CallerIdNotify)(void* context, long wParam);

typedef void (*LoadSetDllFunction)(CallerIdNotify notify, void* context);
typedef long (*SeeID4OpenFunction)(long port);  // non-zero when open
typedef long (*SeeID4CloseFunction)(long port); // non-zero when closed
typedef void (*SeeID4GetMsgFunction)(long wParam, char* buffer); // 256 bytes
}

namespace asv {
inline constexpr int kCallerIdMessageSize = 256;
}
