// The protocol tests' one view of a control, native or a real window under Wine.
#pragma once

#ifdef _WIN32
#include <windows.h>
#include "advancededit.h"
#else
#include "core/message_types.h"
#endif

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

namespace scrivlet {

// The window messages the protocol tests send besides the AEM_ ones.
enum : unsigned {
    kWmKeyDown = 256, kWmChar = 258, kWmTimer = 275, kWmVScroll = 277, kWmMouseMove = 512, kWmButtonDown = 513,
    kWmButtonUp = 514, kWmDoubleClick = 515, kWmCut = 768, kWmCopy = 769, kWmPaste = 770, kWmClear = 771,
    kWmUndo = 772, kWmGetDlgCode = 135, kWmUser = 1024,
};

// As the parent receives it: AEN_SELCHANGE the selection, AEN_KEYDOWN key and data.
struct Notification { unsigned code; DWORD first, second; };
bool operator==(const Notification &a, const Notification &b);
std::ostream &operator<<(std::ostream &out, const Notification &n);
using Sequence = std::vector<Notification>;
inline Notification SelChange(DWORD start, DWORD end) { return {AEN_SELCHANGE, start, end}; }
inline Notification Change() { return {AEN_CHANGE, 0, 0}; }
inline Notification MaxText() { return {AEN_MAXTEXT, 0, 0}; }

inline intptr_t Param(const void *pointer) { return reinterpret_cast<intptr_t>(pointer); }
// MAKELPARAM(x, y) with signed coordinates, as mouse messages carry a point.
inline intptr_t Point(int x, int y) { return intptr_t(uint16_t(x)) | (intptr_t(uint16_t(y)) << 16); }

struct Step { unsigned message; uintptr_t wParam; intptr_t lParam, result; }; // a message and its result
constexpr intptr_t kAnyResult = -99; // a result not looked at

// The default font's cell is 8 × 13 pixels: 8 × c + 1 by 13 × l + 1 pixels show c columns and l lines.
struct ControlShape {
    DWORD style = AES_AUTOHSCROLL | AES_AUTOVSCROLL;
    int width = 8 * 80 + 1;
    int height = 13 * 25 + 1;
};

class ControlTest : public testing::Test {
protected:
    void SetUp() override { Recreate(ControlShape{}); }
    void TearDown() override; // destroys every control the test created
    void Recreate(const ControlShape &shape); // a new control (ID 1) in place of the old

    intptr_t Send(unsigned message, uintptr_t wParam = 0, intptr_t lParam = 0);
    intptr_t SendWithoutRecord(unsigned message, uintptr_t wParam = 0, intptr_t lParam = 0);
    void Run(const std::vector<Step> &steps, const std::string &where = "");

    std::string Text(); // through AEM_STREAMOUT, which notifies nothing
    void SetText(const std::string &text); // AEM_STREAMIN, an empty undo store, no notifications
    void Select(DWORD start, DWORD end); // AEM_SETSEL, then forgets the notifications
    AERANGE Sel();                       // through AEM_GETSEL
    std::string Selection();             // "start-end"

    Sequence Notifications(); // since the last ClearNotifications
    Notification LastNotification()       // code 0 when there was none
    {
        Sequence all = Notifications();
        return all.empty() ? Notification{0, 0, 0} : all.back();
    }
    void ClearNotifications();

    void HoldKeys(std::initializer_list<int> keys); // exactly these virtual keys read as held down
    void PointMouse(int x, int y);                  // the pointer where an auto-scroll reads it
    int Beeps(); // since creation; -1 where a beep cannot be seen
    static bool Native(); // true where the platform double stands in for Windows
#ifdef _WIN32
    static HWND Window(); // the control's window
#endif

    std::string ClipboardText(); // CF_TEXT up to its NUL, or "(none)"
    void PutClipboardText(const std::string &text, bool withNul = true); // as another program would ("": empty)
    bool FailClipboard(bool allocation); // OpenClipboard or the allocation fails; false where it cannot be made to
};

} // namespace scrivlet
