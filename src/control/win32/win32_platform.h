// The Win32 face of the control: what its files share with each other.
// <windows.h> and the public header come before the engine's headers, so
// that the public records and functions are declared with the real Win32
// types (the engine's headers then find the public header already read).
#pragma once

#include <windows.h>

#include "advancededit.h"
#include "control/control_engine.h"

namespace scrivlet {

// The window-system services for one control window: every function takes
// the control's HWND as its context.
ControlPlatform Win32Platform(HWND window);

// Around the handling of every control message: scroll bars that change in
// between are drawn once, when the outermost message ends.
void BeginControlMessage();
void EndControlMessage();

// The page device over a print job's printer device context (the
// ControlPlatform's printerDevice).
int Win32PrinterDevice(void *context, const PrintJob *job, PageDevice *device);

} // namespace scrivlet
