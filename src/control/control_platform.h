// What the control's engine needs from the window system, as one record of
// function pointers with a context. The Win32 face fills it with real calls;
// tests fill it with a recorder. Every function must be set.
#pragma once

#include "control/message_types.h"

struct ControlPlatform {
    void *context; // passed back to every function

    // WM_COMMAND to the parent with MAKEWPARAM(id, code) (AEN_CHANGE …
    // AEN_MAXTEXT) and the control's window.
    void (*notify)(void *context, unsigned code);
    // WM_NOTIFY AEN_SELCHANGE with the ordered selection.
    void (*notifySelChange)(void *context, DWORD selStart, DWORD selEnd);
    // WM_NOTIFY AEN_KEYDOWN with the virtual key and key data.
    void (*notifyKeyDown)(void *context, DWORD key, DWORD keyData);

    // Client size in pixels and the cell of the control's font.
    void (*clientSize)(void *context, int *width, int *height);
    void (*cellSize)(void *context, int *width, int *height);

    // Re-lays the view out: WM_SIZE to the control with its client size.
    void (*relayout)(void *context);
    // Marks a client rectangle for repainting; updateNow paints it at once.
    void (*invalidate)(void *context, int left, int top, int right, int bottom, int updateNow);
    // WM_SETREDRAW to the control.
    void (*setRedraw)(void *context, int on);

    void (*beep)(void *context);                // MessageBeep(0xFFFFFFFF)
    void (*showWaitCursor)(void *context, int on); // hourglass during long operations
    void (*sleep)(void *context, unsigned milliseconds);

    // Timer 1 (drag scroll) and 2 (memory watch) on the control's window;
    // startTimer returns nonzero when the timer runs.
    int (*startTimer)(void *context, unsigned id, unsigned milliseconds);
    void (*stopTimer)(void *context, unsigned id);
};
