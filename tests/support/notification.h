// A notification as the parent of a control receives it, as both the
// platform double and the Win32 parent window record it.
#pragma once

#ifdef _WIN32
#include <windows.h>
#include "advancededit.h"
#else
#include "core/message_types.h"
#endif

#include <cstdint>
#include <ostream>

namespace scrivlet {

struct Notification {
    unsigned code;  // AEN_ code
    DWORD first;    // AEN_SELCHANGE: selStart; AEN_KEYDOWN: virtual key; else 0
    DWORD second;   // AEN_SELCHANGE: selEnd; AEN_KEYDOWN: key data; else 0
};
bool operator==(const Notification &a, const Notification &b);
std::ostream &operator<<(std::ostream &out, const Notification &n);

inline intptr_t Param(const void *pointer) { return reinterpret_cast<intptr_t>(pointer); }
inline Notification SelChange(DWORD start, DWORD end) { return {AEN_SELCHANGE, start, end}; }
inline Notification Change() { return {AEN_CHANGE, 0, 0}; }
inline Notification MaxText() { return {AEN_MAXTEXT, 0, 0}; }
inline Notification LowMemory() { return {AEN_LOWMEMORY, 0, 0}; }

} // namespace scrivlet
