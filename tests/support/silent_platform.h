// A platform for the control's engine that does nothing and reports a
// client area of 80 × 25 cells of 8 × 13 pixels: for tests and benchmarks
// that look only at the text.
#pragma once

#include "control/control_platform.h"

namespace scrivlet {

inline ControlPlatform SilentPlatform()
{
    ControlPlatform platform{};
    platform.notify = [](void *, unsigned) {};
    platform.notifySelChange = [](void *, DWORD, DWORD) {};
    platform.notifyKeyDown = [](void *, DWORD, DWORD) {};
    platform.clientSize = [](void *, int *w, int *h) { *w = 8 * 80 + 1, *h = 13 * 25 + 1; };
    platform.cellSize = [](void *, int *w, int *h) { *w = 8, *h = 13; };
    platform.relayout = [](void *) {};
    platform.invalidate = [](void *, int, int, int, int, int) {};
    platform.setRedraw = [](void *, int) {};
    platform.beep = [](void *) {};
    platform.keyDown = [](void *, int) { return 0; };
    platform.showWaitCursor = [](void *, int) {};
    platform.sleep = [](void *, unsigned) {};
    platform.startTimer = [](void *, unsigned, unsigned) { return 1; };
    platform.stopTimer = [](void *, unsigned) {};
    platform.getScrollBar = [](void *, ScrollBar, ScrollBarState *state) {
        *state = ScrollBarState{};
        return 1;
    };
    platform.setScrollRange = [](void *, ScrollBar, int32_t, int32_t, uint32_t) {};
    platform.setScrollPosition = [](void *, ScrollBar, int32_t) {};
    platform.scrollWindow = [](void *, int, int, int, int, int, int) {};
    platform.hasFocus = [](void *) { return 0; };
    platform.createCaret = [](void *, int, int) {};
    platform.destroyCaret = [](void *) {};
    platform.setCaretPosition = [](void *, int, int) {};
    platform.showCaret = [](void *, int) {};
    platform.setCapture = [](void *) {};
    platform.releaseCapture = [](void *) {};
    platform.captureHeld = [](void *) { return 0; };
    platform.cursorPosition = [](void *, int *x, int *y) { *x = 0, *y = 0; };
    platform.isAlphaNumeric = [](unsigned char) { return 0; };
    platform.printerDevice = [](void *, const PrintJob *, PageDevice *) { return 0; };
    platform.isTextAvailable = [](void *) { return 0; };
    platform.openClipboard = [](void *) { return 0; };
    platform.emptyClipboard = [](void *) {};
    platform.allocateClipboardText = [](void *, uint32_t) -> char * { return nullptr; };
    platform.setClipboardText = [](void *, char *) {};
    platform.lockClipboardText = [](void *, uint32_t *) -> const char * { return nullptr; };
    platform.unlockClipboardText = [](void *, const char *) {};
    platform.closeClipboard = [](void *) {};
    platform.showContextMenu = [](void *, uintptr_t, int, int, const MenuItem *, int) { return 0; };
    return platform;
}

} // namespace scrivlet
