// What the control's engine needs from the window system, as one record of
// function pointers with a context. The Win32 face fills it with real calls;
// tests fill it with a recorder. Every function must be set.
#pragma once

#include "core/message_types.h"
#include "print/page_device.h"

namespace scrivlet {

// The two scroll bars, numbered as Win32 numbers them.
enum ScrollBar {
    kHorizontalBar = 0, // SB_HORZ: positions are display columns
    kVerticalBar = 1,   // SB_VERT: position p shows line p + 1 at the top
};

// What a scroll bar holds (SCROLLINFO with SIF_ALL).
struct ScrollBarState {
    int32_t minimum;
    int32_t maximum;
    uint32_t page;
    int32_t position;
    int32_t trackPosition; // where the thumb is being dragged
};

// One item of a popup menu.
struct MenuItem {
    unsigned id;      // the command returned when chosen; 0 for a separator
    const char *text; // with its & mnemonic; null for a separator
    int greyed;       // shown but not selectable
};

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
    // Nonzero while the virtual key is down (GetKeyState's high bit).
    int (*keyDown)(void *context, int virtualKey);
    void (*showWaitCursor)(void *context, int on); // hourglass during long operations
    void (*sleep)(void *context, unsigned milliseconds);

    // Timer 1 (drag scroll) and 2 (memory watch) on the control's window;
    // startTimer returns nonzero when the timer runs.
    int (*startTimer)(void *context, unsigned id, unsigned milliseconds);
    void (*stopTimer)(void *context, unsigned id);

    // Scroll bars: reading fails (returns 0) when the bar cannot be read.
    // Setting the range clamps the position as the platform does.
    int (*getScrollBar)(void *context, ScrollBar bar, ScrollBarState *state);
    void (*setScrollRange)(void *context, ScrollBar bar, int32_t minimum, int32_t maximum, uint32_t page);
    void (*setScrollPosition)(void *context, ScrollBar bar, int32_t position);
    // Moves the pixels of the rectangle by (dx, dy), clipped to it.
    void (*scrollWindow)(void *context, int dx, int dy, int left, int top, int right, int bottom);

    // The system caret: it exists only while the control has the focus.
    int (*hasFocus)(void *context);
    void (*createCaret)(void *context, int width, int height);
    void (*destroyCaret)(void *context);
    void (*setCaretPosition)(void *context, int x, int y);
    void (*showCaret)(void *context, int show); // ShowCaret / HideCaret

    // The clipboard, in the CF_TEXT format only, call by call as Win32 has it.
    int (*isTextAvailable)(void *context); // IsClipboardFormatAvailable(CF_TEXT)
    int (*openClipboard)(void *context);   // owned by the control; 0 on failure
    void (*emptyClipboard)(void *context);
    // GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size) and GlobalLock: the
    // block's bytes, or null when the memory is not there.
    char *(*allocateClipboardText)(void *context, uint32_t size);
    // GlobalUnlock of the block allocateClipboardText gave, then
    // SetClipboardData(CF_TEXT): the clipboard owns the block from now on.
    void (*setClipboardText)(void *context, char *block);
    // GetClipboardData(CF_TEXT) and GlobalLock: its bytes, or null, and in
    // *size the block's size (GlobalSize). Another program's block need not
    // hold a NUL within that size.
    const char *(*lockClipboardText)(void *context, uint32_t *size);
    void (*unlockClipboardText)(void *context, const char *bytes); // GlobalUnlock
    void (*closeClipboard)(void *context);

    // A popup menu of `count` items (id 0: a separator) at a screen point,
    // owned by the window `owner`, tracked with TPM_RETURNCMD | TPM_NONOTIFY
    // | TPM_RIGHTBUTTON; returns the chosen item's id, 0 when dismissed.
    int (*showContextMenu)(void *context, uintptr_t owner, int x, int y, const MenuItem *items,
                           int count);

    // The mouse capture: setCapture gives it to the control, releaseCapture
    // frees it; captureHeld is nonzero while any window has it.
    void (*setCapture)(void *context);
    void (*releaseCapture)(void *context);
    int (*captureHeld)(void *context);
    // The mouse pointer's position in the control's client coordinates
    // (GetCursorPos and ScreenToClient).
    void (*cursorPosition)(void *context, int *x, int *y);
    // Letters and digits of the system code page beyond ASCII
    // (IsCharAlphaNumericA), for the word a double click selects. A pure
    // function of the byte: it alone takes no context.
    int (*isAlphaNumeric)(unsigned char c);

    // The page device over the job's printer device context; 0 when there
    // is none to print on.
    int (*printerDevice)(void *context, const PrintJob *job, PageDevice *device);
};

// Where the painter draws: a device with a text colour, a background colour
// and a pen position that each drawn cell advances by one cell width.
struct PaintDevice {
    void *context;
    uint32_t (*systemColour)(void *context, int index);     // GetSysColor
    uint32_t (*setTextColour)(void *context, uint32_t colour); // returns the previous one
    uint32_t (*setBackColour)(void *context, uint32_t colour); // returns the previous one
    void (*moveTo)(void *context, int x, int y);
    // Draws the bytes at the pen, which moves on by their width.
    void (*drawText)(void *context, const char *bytes, int count);
};

constexpr int kColourWindow = 5;     // COLOR_WINDOW
constexpr int kColourWindowText = 8; // COLOR_WINDOWTEXT

} // namespace scrivlet
