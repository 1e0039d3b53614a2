// The protocol fixture under Wine: a real AdvancedEdit window (control ID 1)
// in a real parent window whose procedure records every notification and
// checks that it names the control. Only the public header is used, as an
// application would use it.
#include "support/control_fixture.h"

namespace scrivlet {

namespace {

constexpr UINT kControlId = 1;
constexpr LONG_PTR kUnusedControlId = 0x7ABC; // worn while a message is sent "without record"
const char kParentClass[] = "ScrivletProtocolTestParent";

HWND parentWindow = nullptr;
HWND controlWindow = nullptr;
Sequence received;

// WM_COMMAND (AEN_CHANGE … AEN_MAXTEXT) and WM_NOTIFY (AEN_KEYDOWN, AEN_SELCHANGE) from the control.
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

// Once per program: other tests may have registered the control's class already.
bool RegisterClasses()
{
    static bool registered = false;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing;
    if (registered || (!GetClassInfoA(instance, ADVANCEDEDIT_CLASS, &existing) &&
                       RegisterAdvancedEditClass(instance) != 1))
        return registered;
    WNDCLASSA parentClass = {};
    parentClass.lpfnWndProc = ParentProc;
    parentClass.hInstance = instance;
    parentClass.lpszClassName = kParentClass;
    return registered = RegisterClassA(&parentClass) != 0;
}

// The clipboard as another program of the session would open it.
bool OpenTheClipboard()
{
    bool opened = OpenClipboard(parentWindow);
    EXPECT_TRUE(opened) << "the test could not open the clipboard";
    return opened;
}

} // namespace

void ControlTest::SetUp()
{
    ASSERT_TRUE(RegisterClasses()) << "the window classes must register";
    // Visible, without caption or border, so that painting runs for real.
    parentWindow = CreateWindowExA(0, kParentClass, "Protocol test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                   1000, 800, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(parentWindow, nullptr) << "the parent window must open";
    Recreate(InitialShape());
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
    received.clear();
    controlWindow = CreateAdvancedEdit(0, WS_CHILD | WS_VISIBLE | shape.style, 0, 0, shape.width, shape.height,
                                       parentWindow, kControlId);
    ASSERT_NE(controlWindow, nullptr) << "CreateAdvancedEdit failed with error " << GetLastControlError();
    RECT client;
    GetClientRect(controlWindow, &client);
    EXPECT_EQ(client.right * 10000 + client.bottom, shape.width * 10000 + shape.height) << "the client area";
}

intptr_t ControlTest::Send(unsigned message, uintptr_t wParam, intptr_t lParam)
{
    return SendMessageA(controlWindow, message, wParam, lParam);
}

// The control wears an unused ID for the one message, so that its record is
// not found, and nothing is created or destroyed that would touch the last error.
intptr_t ControlTest::SendWithoutRecord(unsigned message, uintptr_t wParam, intptr_t lParam)
{
    SetWindowLongPtrA(controlWindow, GWLP_ID, kUnusedControlId);
    EXPECT_EQ(GetDlgCtrlID(controlWindow), kUnusedControlId) << "the control must change its ID";
    LRESULT result = SendMessageA(controlWindow, message, wParam, lParam);
    SetWindowLongPtrA(controlWindow, GWLP_ID, kControlId);
    return result;
}

Sequence ControlTest::Notifications() { return received; }
void ControlTest::ClearNotifications() { received.clear(); }

// What GetKeyState reads: every key released, then the given ones pressed.
void ControlTest::HoldKeys(std::initializer_list<int> keys)
{
    BYTE state[256] = {};
    for (int key : keys)
        state[key & 0xFF] = 0x80;
    SetKeyboardState(state);
}

// The parent moves away from the screen's corner, so that points above and left of the control are on it too.
void ControlTest::PointMouse(int x, int y)
{
    SetWindowPos(parentWindow, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    POINT at = {x, y};
    ClientToScreen(controlWindow, &at);
    EXPECT_TRUE(SetCursorPos(at.x, at.y)) << "the pointer must move";
}

int ControlTest::Beeps() { return -1; } // MessageBeep leaves no trace
bool ControlTest::Native() { return false; }
HWND ControlTest::Window() { return controlWindow; }
int ControlTest::ClipboardBlockSize() { return -1; } // the clipboard hands out a copy of its own size
bool ControlTest::FailClipboardOpen() { return false; }
bool ControlTest::FailClipboardAllocation() { return false; }

std::string ControlTest::ClipboardText()
{
    std::string text = "(none)";
    OpenTheClipboard();
    HANDLE data = GetClipboardData(CF_TEXT);
    if (const char *bytes = data != nullptr ? static_cast<const char *>(GlobalLock(data)) : nullptr) {
        text = bytes;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

void ControlTest::PutClipboardText(const std::string &text, bool withNul)
{
    if (!OpenTheClipboard())
        return;
    EmptyClipboard();
    size_t size = text.size() + (withNul ? 1 : 0);
    if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size)) {
        CopyMemory(GlobalLock(block), text.c_str(), size);
        GlobalUnlock(block);
        SetClipboardData(CF_TEXT, block);
    }
    CloseClipboard();
}

void ControlTest::EmptyTheClipboard()
{
    if (OpenTheClipboard())
        EmptyClipboard();
    CloseClipboard();
}

namespace {

// What the timer found in the open menu, and the key that chooses.
struct MenuVisit {
    int greyed = -1;
    char mnemonic = 0;
    int ticks = 0;
} menuVisit;

// Inside the menu's modal loop the first tick reads the greyed items and
// types the chosen mnemonic (or ends the menu); a later tick ends it, so that it never blocks.
void CALLBACK MenuTimer(HWND, UINT, UINT_PTR, DWORD)
{
    HWND menuWindow = FindWindowA("#32768", nullptr);
    if (menuVisit.ticks++ > 0 || menuWindow == nullptr) {
        EndMenu();
        return;
    }
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    if (menu != nullptr)
        menuVisit.greyed = 0;
    for (UINT id = 1; menu != nullptr && id <= 5; ++id)
        menuVisit.greyed |= (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) ? 1 << id : 0;
    if (menuVisit.mnemonic != 0)
        PostMessageA(menuWindow, WM_CHAR, static_cast<WPARAM>(menuVisit.mnemonic), 1);
    else
        EndMenu();
}

} // namespace

int ControlTest::ContextMenu(int command, intptr_t point)
{
    menuVisit = MenuVisit{};
    menuVisit.mnemonic = command >= 1 && command <= 5 ? " tcpdl"[command] : 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, MenuTimer);
    EXPECT_NE(timer, 0u) << "the timer that closes the menu must run";
    Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(controlWindow), point);
    KillTimer(nullptr, timer);
    return menuVisit.greyed;
}

} // namespace scrivlet
