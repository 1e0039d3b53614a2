// Natively the engine on the platform double; under Wine a real window, public header only.
#include "support/control_fixture.h"

#ifndef _WIN32
#include "control/control_engine.h"
#include "support/platform_double.h"
#else
#include "support/clipboard_text.h"
#endif

#include <algorithm>
#include <iterator>

namespace scrivlet {

bool operator==(const Notification &a, const Notification &b)
{
    return a.code == b.code && a.first == b.first && a.second == b.second;
}

std::ostream &operator<<(std::ostream &out, const Notification &n)
{
    static const char *const names[] = {"?", "CHANGE", "ERRSPACE", "LOWMEMORY", "MAXTEXT", "KEYDOWN", "SELCHANGE"};
    return out << (n.code < 7 ? names[n.code] : "?") << "(" << n.first << "," << n.second << ")";
}

namespace {

constexpr unsigned kControlId = 1;

// Reads the text with its CRs dropped, or feeds the text from `position` on.
struct Transfer { std::string text; size_t position = 0; };

DWORD CALLBACK CollectText(DWORD_PTR cookie, LPBYTE buffer, DWORD count, DWORD *done)
{
    std::string &text = reinterpret_cast<Transfer *>(cookie)->text;
    std::remove_copy(buffer, buffer + count, std::back_inserter(text), '\r');
    *done = count;
    return 0;
}

DWORD CALLBACK FeedText(DWORD_PTR cookie, LPBYTE buffer, DWORD count, DWORD *done)
{
    auto *source = reinterpret_cast<Transfer *>(cookie);
    *done = DWORD(std::min<size_t>(source->text.size() - source->position, count));
    source->text.copy(reinterpret_cast<char *>(buffer), *done, source->position);
    source->position += *done;
    return 0;
}

} // namespace

void ControlTest::Run(const std::vector<Step> &steps, const std::string &where)
{
    for (size_t i = 0; i < steps.size(); ++i) {
        intptr_t result = Send(steps[i].message, steps[i].wParam, steps[i].lParam);
        EXPECT_TRUE(steps[i].result == kAnyResult || result == steps[i].result)
            << where << " step " << i << " (message " << steps[i].message << ") gave " << result;
    }
}

std::string ControlTest::Text()
{
    Transfer out;
    AESTREAM stream = {reinterpret_cast<DWORD_PTR>(&out), 0, CollectText};
    Send(AEM_STREAMOUT, 0, Param(&stream));
    EXPECT_EQ(stream.error, 0u);
    return out.text;
}

void ControlTest::SetText(const std::string &text)
{
    Transfer in = {text};
    AESTREAM stream = {reinterpret_cast<DWORD_PTR>(&in), 0, FeedText};
    Send(AEM_STREAMIN, 0, Param(&stream));
    EXPECT_EQ(stream.error, 0u);
    Send(AEM_EMPTYUNDOBUFFER);
    ClearNotifications();
}

void ControlTest::Select(DWORD start, DWORD end)
{
    AERANGE range = {start, end};
    Send(AEM_SETSEL, 0, Param(&range));
    ClearNotifications();
}

AERANGE ControlTest::Sel()
{
    AERANGE range = {0xDEAD, 0xDEAD};
    Send(AEM_GETSEL, 0, Param(&range));
    return range;
}

std::string ControlTest::Selection() { return std::to_string(Sel().start) + "-" + std::to_string(Sel().end); }

#ifndef _WIN32

namespace {

PlatformDouble recorder;

void DestroyTestControl()
{
    if (ControlRecord *record = FindControlRecord(kControlId))
        DestroyControl(record, PlatformOf(&recorder));
}

// The window procedure leaves other messages to DefWindowProcA, which answers 0.
intptr_t SendTo(ControlRecord *record, PlatformDouble *platform, unsigned message, uintptr_t wParam,
                intptr_t lParam)
{
    return IsControlMessage(message) ? ControlMessage(record, PlatformOf(platform), message, wParam, lParam) : 0;
}

} // namespace

void ControlTest::TearDown()
{
    DestroyTestControl();
    TheDoubleClipboard() = DoubleClipboard{}; // no failure outlives its test
}

void ControlTest::Recreate(const ControlShape &shape)
{
    DestroyTestControl();
    TheDoubleClipboard().failOpen = TheDoubleClipboard().failAllocation = false;
    recorder = PlatformDouble{};
    recorder.width = shape.width;
    recorder.height = shape.height;
    ASSERT_NE(CreateControl(kControlId, shape.style, PlatformOf(&recorder)), nullptr);
}

intptr_t ControlTest::Send(unsigned message, uintptr_t wParam, intptr_t lParam)
{
    return SendTo(FindControlRecord(kControlId), &recorder, message, wParam, lParam);
}

intptr_t ControlTest::SendWithoutRecord(unsigned message, uintptr_t wParam, intptr_t lParam)
{
    static PlatformDouble stranger;
    return SendTo(nullptr, &stranger, message, wParam, lParam);
}

Sequence ControlTest::Notifications() { return recorder.notifications; }
void ControlTest::ClearNotifications() { recorder.notifications.clear(); }
void ControlTest::HoldKeys(std::initializer_list<int> keys) { recorder.heldKeys = std::set<int>(keys); }
void ControlTest::PointMouse(int x, int y) { recorder.cursorX = x, recorder.cursorY = y; }
int ControlTest::Beeps() { return recorder.beeps; }
bool ControlTest::Native() { return true; }

std::string ControlTest::ClipboardText()
{
    return TheDoubleClipboard().hasText ? std::string(TheDoubleClipboard().block.data()) : "(none)";
}

void ControlTest::PutClipboardText(const std::string &text, bool withNul)
{
    TheDoubleClipboard().block.assign(text.c_str(), text.c_str() + text.size() + (withNul ? 1 : 0));
    TheDoubleClipboard().hasText = !text.empty();
}

bool ControlTest::FailClipboard(bool allocation)
{
    (allocation ? TheDoubleClipboard().failAllocation : TheDoubleClipboard().failOpen) = true;
    return true;
}

#else

namespace {

constexpr LONG_PTR kUnusedControlId = 0x7ABC; // worn while a message is sent "without record"
const char kParentClass[] = "ScrivletProtocolTestParent";

HWND parentWindow = nullptr;
HWND controlWindow = nullptr;
Sequence received;

// Records WM_COMMAND and WM_NOTIFY from the control, checking they name it.
LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_COMMAND && message != WM_NOTIFY)
        return DefWindowProcA(window, message, wParam, lParam);
    const NMHDR *header = reinterpret_cast<const NMHDR *>(lParam);
    if ((message == WM_NOTIFY ? header->hwndFrom : reinterpret_cast<HWND>(lParam)) != controlWindow)
        return 0;
    if (message == WM_COMMAND) {
        EXPECT_EQ(LOWORD(wParam), kControlId) << "WM_COMMAND code " << HIWORD(wParam);
        received.push_back({HIWORD(wParam), 0, 0});
        return 0;
    }
    EXPECT_TRUE(wParam == kControlId && header->idFrom == kControlId)
        << "WM_NOTIFY code " << header->code << " names control " << wParam << "/" << header->idFrom;
    const auto *change = reinterpret_cast<const AENMSELCHANGE *>(lParam);
    const auto *key = reinterpret_cast<const AENMKEY *>(lParam);
    EXPECT_TRUE(header->code == AEN_SELCHANGE || key->message == WM_KEYDOWN) << "code " << header->code;
    received.push_back(header->code == AEN_SELCHANGE ? Notification{AEN_SELCHANGE, change->selStart, change->selEnd}
                                                     : Notification{AEN_KEYDOWN, key->wParam, key->lParam});
    return 0;
}

// Once per program: other tests may have registered the control's class already.
bool RegisterClasses()
{
    static bool registered = false;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing;
    if (registered || (!GetClassInfoA(instance, ADVANCEDEDIT_CLASS, &existing) && !RegisterAdvancedEditClass(instance)))
        return registered;
    WNDCLASSA parentClass = {0, ParentProc, 0, 0, instance, nullptr, nullptr, nullptr, nullptr, kParentClass};
    return registered = RegisterClassA(&parentClass) != 0;
}

} // namespace

void ControlTest::TearDown()
{
    HoldKeys({});
    DestroyWindow(parentWindow); // and the control with it
    controlWindow = parentWindow = nullptr;
    received.clear();
}

void ControlTest::Recreate(const ControlShape &shape)
{
    if (parentWindow == nullptr) {
        ASSERT_TRUE(RegisterClasses()) << "the window classes must register";
        // Visible, without caption or border, so that painting runs for real.
        parentWindow = CreateWindowExA(0, kParentClass, "Protocol test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                                       0, 1000, 800, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(parentWindow, nullptr) << "the parent window must open";
    }
    if (controlWindow != nullptr)
        DestroyWindow(controlWindow);
    received.clear();
    controlWindow = CreateAdvancedEdit(0, WS_CHILD | WS_VISIBLE | shape.style, 0, 0, shape.width, shape.height,
                                       parentWindow, kControlId);
    ASSERT_NE(controlWindow, nullptr) << "CreateAdvancedEdit failed with error " << GetLastControlError();
}

intptr_t ControlTest::Send(unsigned message, uintptr_t wParam, intptr_t lParam)
{
    return SendMessageA(controlWindow, message, wParam, lParam);
}

// An unused ID for one message: no record is found, nothing touches the last error.
intptr_t ControlTest::SendWithoutRecord(unsigned message, uintptr_t wParam, intptr_t lParam)
{
    SetWindowLongPtrA(controlWindow, GWLP_ID, kUnusedControlId);
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
bool ControlTest::FailClipboard(bool) { return false; }

std::string ControlTest::ClipboardText() { return ReadClipboardText(parentWindow); }

void ControlTest::PutClipboardText(const std::string &text, bool withNul)
{
    ASSERT_TRUE(WriteClipboardText(parentWindow, text, withNul)) << "the test could not open the clipboard";
}

#endif

} // namespace scrivlet
