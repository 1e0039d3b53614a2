// The control fixture natively: the engine with a platform that records
// what the window system would have been asked to do.
#include "support/control_fixture.h"

#include "control/control_engine.h"
#include "support/platform_double.h"

namespace scrivlet {

namespace {

constexpr DWORD kControlId = 1;
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

void ControlTest::SetUp() { Recreate(InitialShape()); }

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

int ControlTest::ClipboardBlockSize()
{
    return TheDoubleClipboard().hasText ? int(TheDoubleClipboard().block.size()) : -1;
}

void ControlTest::PutClipboardText(const std::string &text, bool withNul)
{
    TheDoubleClipboard().block.assign(text.c_str(), text.c_str() + text.size() + (withNul ? 1 : 0));
    TheDoubleClipboard().hasText = true;
}

void ControlTest::EmptyTheClipboard()
{
    TheDoubleClipboard().block.clear();
    TheDoubleClipboard().hasText = false;
}

bool ControlTest::FailClipboardOpen() { return TheDoubleClipboard().failOpen = true; }
bool ControlTest::FailClipboardAllocation() { return TheDoubleClipboard().failAllocation = true; }

// The menu must be owned by the window WM_CONTEXTMENU names, at its point, with the five commands.
int ControlTest::ContextMenu(int command, intptr_t point)
{
    recorder.menuChoice = command;
    recorder.menuItems.clear();
    Send(123, 0x4242, point);
    std::string shown = std::to_string(recorder.menuOwner) + " at " + std::to_string(recorder.menuX) + "," +
                        std::to_string(recorder.menuY) + ":";
    int greyed = 0;
    for (const MenuItem &item : recorder.menuItems) {
        shown += " " + std::to_string(item.id) + (item.text != nullptr ? item.text : "-");
        greyed |= item.greyed ? 1 << item.id : 0;
    }
    EXPECT_EQ(shown, std::to_string(0x4242) + " at " + std::to_string(int16_t(point & 0xFFFF)) + "," +
                         std::to_string(int16_t((point >> 16) & 0xFFFF)) +
                         ": 1Cu&t 2&Copy 3&Paste 0- 4&Delete 5Select A&ll");
    return greyed;
}

} // namespace scrivlet
