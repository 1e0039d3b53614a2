// The protocol fixture under Wine: a real AdvancedEdit window (control ID 1)
// in a real parent window whose procedure records every notification and
// checks that it names the control. Only the public header is used here, as
// an application would use it. Text, selection and the notification
// printing are shared with the native fixture (control_fixture_common.cpp).
#include "support/control_fixture.h"

#include <windows.h>

#include "advancededit.h"

namespace scrivlet {

namespace {

constexpr UINT kControlId = 1;
// An ID no control of the tests uses: the control wears it while a message
// is sent "without record".
constexpr LONG_PTR kUnusedControlId = 0x7ABC;
const char kParentClass[] = "ScrivletProtocolTestParent";

HWND parentWindow = nullptr;
HWND controlWindow = nullptr;
std::vector<Notification> received;

// Records WM_COMMAND (AEN_CHANGE … AEN_MAXTEXT) and WM_NOTIFY (AEN_KEYDOWN,
// AEN_SELCHANGE) from the test's control, and fails on any from elsewhere.
LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) {
        EXPECT_TRUE(LOWORD(wParam) == kControlId && reinterpret_cast<HWND>(lParam) == controlWindow)
            << "WM_COMMAND code " << HIWORD(wParam) << " names control " << LOWORD(wParam);
        received.push_back({HIWORD(wParam), 0, 0});
        return 0;
    }
    if (message != WM_NOTIFY)
        return DefWindowProcA(window, message, wParam, lParam);
    const NMHDR *header = reinterpret_cast<const NMHDR *>(lParam);
    EXPECT_TRUE(wParam == kControlId && header->hwndFrom == controlWindow && header->idFrom == kControlId)
        << "WM_NOTIFY code " << header->code << " names control " << wParam << "/" << header->idFrom;
    if (header->code == AEN_SELCHANGE) {
        const AENMSELCHANGE *change = reinterpret_cast<const AENMSELCHANGE *>(lParam);
        received.push_back({AEN_SELCHANGE, change->selStart, change->selEnd});
    } else {
        const AENMKEY *key = reinterpret_cast<const AENMKEY *>(lParam);
        EXPECT_EQ(key->message, static_cast<DWORD>(WM_KEYDOWN)) << "code " << header->code;
        received.push_back({AEN_KEYDOWN, key->wParam, key->lParam});
    }
    return 0;
}

// Both classes are registered once per test program (other tests of the
// program may have registered the control's class already).
bool RegisterClasses()
{
    static bool registered = false;
    if (registered)
        return true;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing;
    if (!GetClassInfoA(instance, ADVANCEDEDIT_CLASS, &existing) &&
        RegisterAdvancedEditClass(instance) != 1)
        return false;
    WNDCLASSA parentClass = {};
    parentClass.lpfnWndProc = ParentProc;
    parentClass.hInstance = instance;
    parentClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    parentClass.lpszClassName = kParentClass;
    registered = RegisterClassA(&parentClass) != 0;
    return registered;
}

} // namespace

void ControlTest::SetUp()
{
    ASSERT_TRUE(RegisterClasses()) << "the window classes must register";
    // A visible pop-up without caption or border, so that painting runs for real.
    parentWindow = CreateWindowExA(0, kParentClass, "Protocol test", WS_POPUP | WS_VISIBLE, 0, 0,
                                   1000, 800, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(parentWindow, nullptr) << "the parent window must open";
    Recreate(ControlShape{});
}

void ControlTest::TearDown()
{
    HoldKeys({});
    DestroyWindow(parentWindow); // and the control with it
    controlWindow = parentWindow = nullptr;
    received.clear();
}

void ControlTest::Recreate(const ControlShape &shape)
{
    if (controlWindow != nullptr)
        DestroyWindow(controlWindow);
    controlWindow = nullptr;
    received.clear();
    // No border: the client area is exactly the given size.
    HWND created = CreateAdvancedEdit(0, WS_CHILD | WS_VISIBLE | shape.style, 0, 0, shape.width,
                                      shape.height, parentWindow, kControlId);
    ASSERT_NE(created, nullptr) << "CreateAdvancedEdit failed with error " << GetLastControlError();
    controlWindow = created;
    RECT client;
    GetClientRect(controlWindow, &client);
    EXPECT_EQ(client.right * 10000 + client.bottom, shape.width * 10000 + shape.height) << "the client area";
}

intptr_t ControlTest::Send(unsigned message, uintptr_t wParam, intptr_t lParam)
{
    return SendMessageA(controlWindow, message, wParam, lParam);
}

// The control itself wears an unused ID for the one message, so that its
// record is not found, and nothing is created or destroyed that would touch
// the last error or the record list.
intptr_t ControlTest::SendWithoutRecord(unsigned message, uintptr_t wParam, intptr_t lParam)
{
    SetWindowLongPtrA(controlWindow, GWLP_ID, kUnusedControlId);
    EXPECT_EQ(GetDlgCtrlID(controlWindow), kUnusedControlId) << "the control must change its ID";
    LRESULT result = SendMessageA(controlWindow, message, wParam, lParam);
    SetWindowLongPtrA(controlWindow, GWLP_ID, kControlId);
    return result;
}

std::vector<Notification> ControlTest::Notifications()
{
    return received;
}

void ControlTest::ClearNotifications()
{
    received.clear();
}

// The thread's keyboard state is what GetKeyState reads: every key is
// released, then the given ones are pressed.
void ControlTest::HoldKeys(std::initializer_list<int> keys)
{
    BYTE state[256] = {};
    for (int key : keys)
        state[key & 0xFF] = 0x80;
    SetKeyboardState(state);
}

// The parent moves away from the screen's corner first, so that points
// above and left of the control are on the screen too.
void ControlTest::PointMouse(int x, int y)
{
    SetWindowPos(parentWindow, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    POINT at = {x, y};
    ClientToScreen(controlWindow, &at);
    EXPECT_TRUE(SetCursorPos(at.x, at.y)) << "the pointer must move";
}

int ControlTest::Beeps()
{
    return -1; // MessageBeep leaves no trace a test could read
}

bool ControlTest::Native()
{
    return false;
}

// The clipboard is read and written as another program of the session
// would, owned by the parent window.
std::string ControlTest::ClipboardText()
{
    std::string text = "(none)";
    EXPECT_TRUE(OpenClipboard(parentWindow)) << "the test could not open the clipboard";
    HANDLE data = GetClipboardData(CF_TEXT);
    if (const char *bytes = data != nullptr ? static_cast<const char *>(GlobalLock(data)) : nullptr) {
        text = bytes;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// The clipboard hands out a copy of what was put there, whose size need
// not be the original block's.
int ControlTest::ClipboardBlockSize()
{
    return -1;
}

void ControlTest::PutClipboardText(const std::string &text, bool withNul)
{
    ASSERT_TRUE(OpenClipboard(parentWindow)) << "the test could not open the clipboard";
    EmptyClipboard();
    size_t size = text.size() + (withNul ? 1 : 0);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (block != nullptr) {
        CopyMemory(GlobalLock(block), text.c_str(), size);
        GlobalUnlock(block);
        SetClipboardData(CF_TEXT, block);
    }
    CloseClipboard();
}

void ControlTest::EmptyTheClipboard()
{
    ASSERT_TRUE(OpenClipboard(parentWindow)) << "the test could not open the clipboard";
    EmptyClipboard();
    CloseClipboard();
}

// Neither the clipboard's opening nor its block's allocation can be made
// to fail here.
bool ControlTest::FailClipboardOpen()
{
    return false;
}

bool ControlTest::FailClipboardAllocation()
{
    return false;
}

namespace {

// What the timer found in the open menu, and the key that chooses.
struct MenuVisit {
    int greyed = -1;
    char mnemonic = 0;
    int ticks = 0;
};
MenuVisit menuVisit;

// Runs inside the menu's modal loop: the first tick reads the greyed items
// and types the chosen item's mnemonic (or ends the menu); any later tick
// ends the menu, so that it never blocks the test.
void CALLBACK MenuTimer(HWND, UINT, UINT_PTR, DWORD)
{
    HWND menuWindow = FindWindowA("#32768", nullptr);
    if (menuVisit.ticks++ > 0 || menuWindow == nullptr) {
        EndMenu();
        return;
    }
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    if (menu != nullptr) {
        menuVisit.greyed = 0;
        for (UINT id = 1; id <= 5; ++id) {
            if (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED)
                menuVisit.greyed |= 1 << id;
        }
    }
    if (menuVisit.mnemonic != 0)
        PostMessageA(menuWindow, WM_CHAR, static_cast<WPARAM>(menuVisit.mnemonic), 1);
    else
        EndMenu();
}

} // namespace

int ControlTest::ContextMenu(int command, intptr_t point)
{
    const char mnemonics[] = {0, 't', 'c', 'p', 'd', 'l'};
    menuVisit = MenuVisit{};
    menuVisit.mnemonic = command >= 1 && command <= 5 ? mnemonics[command] : 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, MenuTimer);
    EXPECT_NE(timer, 0u) << "the timer that closes the menu must run";
    Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(controlWindow), point);
    KillTimer(nullptr, timer);
    return menuVisit.greyed;
}

} // namespace scrivlet
