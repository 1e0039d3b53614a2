// The protocol tests see a control only through this fixture. Natively it
// drives the engine with a recording platform; under Wine it creates a real
// AdvancedEdit window in a parent window that records every notification.
// Tests written against it run both ways.
#pragma once

#ifdef _WIN32
#include <windows.h>
#include "advancededit.h"
#else
#include "core/message_types.h"
#endif

#include "support/notification.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

namespace scrivlet {

// The window messages the protocol tests send besides the AEM_ ones.
enum : unsigned {
    kWmClear = 771,
    kWmUndo = 772,
    kWmTimer = 275,
    kWmKeyDown = 256,
    kWmChar = 258,
    kWmGetDlgCode = 135,
    kWmUser = 1024,
};

// Geometry of a test control: the default font's cell is 8 × 13 pixels, so
// a client area of 8 × c + 1 by 13 × l + 1 pixels shows c columns and l lines.
struct ControlShape {
    DWORD style = AES_AUTOHSCROLL | AES_AUTOVSCROLL;
    int width = 8 * 80 + 1;
    int height = 13 * 25 + 1;
};

class ControlTest : public testing::Test {
protected:
    void SetUp() override;    // creates one control with the default shape
    void TearDown() override; // destroys every control the test created

    // Replaces the control by a new one of the given shape (control ID 1).
    void Recreate(const ControlShape &shape);

    // Sends a message to the control, or to a control window without record.
    intptr_t Send(unsigned message, uintptr_t wParam = 0, intptr_t lParam = 0);
    intptr_t SendWithoutRecord(unsigned message, uintptr_t wParam = 0, intptr_t lParam = 0);

    // The whole text, read through AEM_STREAMOUT (which notifies nothing).
    std::string Text();

    // Replaces the text through AEM_STREAMIN, empties the undo store and
    // forgets the notifications that caused.
    void SetText(const std::string &text);

    // The selection as AEM_GETSEL reports it.
    DWORD SelStart();
    DWORD SelEnd();

    // Notifications since the last call of ClearNotifications; the last of
    // them, or code 0 when there was none.
    std::vector<Notification> Notifications();
    Notification LastNotification();
    void ClearNotifications();

    // Makes exactly these virtual keys (e.g. 16 Shift, 17 Ctrl) read as
    // held down until the next call or the end of the test.
    void HoldKeys(std::initializer_list<int> keys);

    // Puts the mouse pointer at a client point of the control (which may lie
    // outside it), where the control reads it while it auto-scrolls.
    void PointMouse(int x, int y);

    // Beeps since the control was created, or -1 where a beep cannot be seen.
    int Beeps();

    // True natively: where the platform double stands in for Windows.
    static bool Native();

    // The clipboard's CF_TEXT data up to its NUL, or "(none)" when it holds
    // none; the size of its block, or -1 where it cannot be known.
    std::string ClipboardText();
    int ClipboardBlockSize();
    // Puts text on the clipboard as another program would, in a block that
    // ends with a NUL unless `withNul` is false, or empties it.
    void PutClipboardText(const std::string &text, bool withNul = true);
    void EmptyTheClipboard();
    // Makes OpenClipboard (or the block's allocation) fail from now on;
    // false where that cannot be arranged (under Wine).
    bool FailClipboardOpen();
    bool FailClipboardAllocation();

    // Sends WM_CONTEXTMENU with the screen point and has the user choose
    // `command` (0: dismiss the menu). Returns the greyed items as bits
    // 1 << id, or -1 where they cannot be seen. The menu never blocks.
    int ContextMenu(int command, intptr_t point);
};

} // namespace scrivlet
