// The protocol fixture under Wine: a real AdvancedEdit window (control ID 1)
// in a real parent window whose procedure records every notification and
// checks that it names the control. Only the public header is used here, as
// an application would use it. Text, selection and the notification
// printing are shared with the native fixture (control_fixture_common.cpp).
#include "support/control_fixture.h"

#include <windows.h>

#include "advancededit.h"

namespace {

constexpr UINT kControlId = 1;
// An ID no control of the tests uses: the control wears it while a message
// is sent "without record".
constexpr LONG_PTR kUnusedControlId = 0x7ABC;
const char kParentClass[] = "ScrivletProtocolTestParent";

HWND parentWindow = nullptr;
HWND controlWindow = nullptr;
std::vector<Notification> received;

// WM_COMMAND from the control: AEN_CHANGE … AEN_MAXTEXT.
void OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) != kControlId || reinterpret_cast<HWND>(lParam) != controlWindow ||
        controlWindow == nullptr) {
        ADD_FAILURE() << "WM_COMMAND code " << HIWORD(wParam) << " names control "
                      << LOWORD(wParam) << ", not the test's control " << kControlId;
        return;
    }
    received.push_back({HIWORD(wParam), 0, 0});
}

// WM_NOTIFY from the control: AEN_KEYDOWN and AEN_SELCHANGE.
void OnNotify(WPARAM wParam, LPARAM lParam)
{
    const NMHDR *header = reinterpret_cast<const NMHDR *>(lParam);
    if (wParam != kControlId || header->hwndFrom != controlWindow || header->idFrom != kControlId ||
        controlWindow == nullptr) {
        ADD_FAILURE() << "WM_NOTIFY code " << header->code << " names control " << wParam << "/"
                      << header->idFrom << ", not the test's control " << kControlId;
        return;
    }
    switch (header->code) {
    case AEN_SELCHANGE: {
        const AENMSELCHANGE *change = reinterpret_cast<const AENMSELCHANGE *>(lParam);
        received.push_back({AEN_SELCHANGE, change->selStart, change->selEnd});
        break;
    }
    case AEN_KEYDOWN: {
        const AENMKEY *key = reinterpret_cast<const AENMKEY *>(lParam);
        EXPECT_EQ(key->message, static_cast<DWORD>(WM_KEYDOWN)) << "AEN_KEYDOWN carries WM_KEYDOWN";
        received.push_back({AEN_KEYDOWN, key->wParam, key->lParam});
        break;
    }
    default:
        ADD_FAILURE() << "unknown WM_NOTIFY code " << header->code;
        break;
    }
}

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        OnCommand(wParam, lParam);
        return 0;
    case WM_NOTIFY:
        OnNotify(wParam, lParam);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
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
    WNDCLASSA parentClass;
    ZeroMemory(&parentClass, sizeof parentClass);
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
    if (controlWindow != nullptr)
        DestroyWindow(controlWindow);
    controlWindow = nullptr;
    if (parentWindow != nullptr)
        DestroyWindow(parentWindow);
    parentWindow = nullptr;
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
    ASSERT_NE(created, nullptr) << "CreateAdvancedEdit must make the control, error "
                                << GetLastControlError();
    controlWindow = created;
    RECT client;
    GetClientRect(controlWindow, &client);
    EXPECT_EQ(client.right, shape.width) << "client width must be the window width";
    EXPECT_EQ(client.bottom, shape.height) << "client height must be the window height";
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
    BYTE state[256];
    GetKeyboardState(state);
    for (BYTE &key : state)
        key = 0;
    for (int key : keys)
        state[key & 0xFF] = 0x80;
    SetKeyboardState(state);
}

int ControlTest::Beeps()
{
    return -1; // MessageBeep leaves no trace a test could read
}

bool ControlTest::Native()
{
    return false;
}
