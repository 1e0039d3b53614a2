// The one entry point of the control's portable engine, in the spirit of a
// window procedure: the Windows face (and the tests) hand it every message
// whose meaning does not depend on the window system.
#pragma once

#include "control/control_platform.h"
#include "control/control_record.h"
#include "core/message_types.h"

namespace scrivlet {

// Whether the window procedure handles the message itself or through the
// engine; every other message, WM_USER and WM_USER+51 included, belongs to
// the default window procedure.
bool IsControlMessage(unsigned message);

// WM_CREATE: sets the last error to 0 and creates the record; null when
// creation fails (the last error tells why).
ControlRecord *CreateControl(uint32_t id, uint32_t style, const ControlPlatform &platform);

// WM_DESTROY: releases the record. Also told when a window without record
// is destroyed (record null), so that a memory watch running on it ends.
void DestroyControl(ControlRecord *record, const ControlPlatform &platform);

// Every other message the control handles. `record` is null when the
// window has none: messages that need a record then set error 1 and return
// their failure value. `platform` serves the window the message was sent to.
LResult ControlMessage(ControlRecord *record, const ControlPlatform &platform, unsigned message,
                       WParam wParam, LParam lParam);

} // namespace scrivlet
