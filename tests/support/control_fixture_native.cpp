// The control fixture natively: the engine with a platform that records
// what the window system would have been asked to do.
#include "support/control_fixture.h"

#include "control/control_engine.h"
#include "support/platform_double.h"

namespace scrivlet {

namespace {

constexpr DWORD kControlId = 1;

PlatformDouble recorder;

ControlPlatform RecordingPlatform(PlatformDouble *target)
{
    return PlatformOf(target);
}

void DestroyTestControl()
{
    if (ControlRecord *record = FindControlRecord(kControlId))
        DestroyControl(record, RecordingPlatform(&recorder));
}

} // namespace

void ControlTest::SetUp()
{
    Recreate(ControlShape{});
}

void ControlTest::TearDown()
{
    DestroyTestControl();
    TheDoubleClipboard() = DoubleClipboard{}; // no failure outlives its test
}

void ControlTest::Recreate(const ControlShape &shape)
{
    DestroyTestControl();
    recorder = PlatformDouble{};
    recorder.width = shape.width;
    recorder.height = shape.height;
    ASSERT_NE(CreateControl(kControlId, shape.style, RecordingPlatform(&recorder)), nullptr);
}

intptr_t ControlTest::Send(unsigned message, uintptr_t wParam, intptr_t lParam)
{
    if (!IsControlMessage(message))
        return 0; // the window procedure leaves it to DefWindowProcA, which answers 0
    return ControlMessage(FindControlRecord(kControlId), RecordingPlatform(&recorder), message, wParam,
                          lParam);
}

intptr_t ControlTest::SendWithoutRecord(unsigned message, uintptr_t wParam, intptr_t lParam)
{
    static PlatformDouble stranger;
    if (!IsControlMessage(message))
        return 0; // the window procedure leaves it to DefWindowProcA, which answers 0
    return ControlMessage(nullptr, RecordingPlatform(&stranger), message, wParam, lParam);
}

std::vector<Notification> ControlTest::Notifications()
{
    return recorder.notifications;
}

void ControlTest::ClearNotifications()
{
    recorder.notifications.clear();
}

void ControlTest::HoldKeys(std::initializer_list<int> keys)
{
    recorder.heldKeys = std::set<int>(keys);
}

void ControlTest::PointMouse(int x, int y)
{
    recorder.cursorX = x;
    recorder.cursorY = y;
}

int ControlTest::Beeps()
{
    return recorder.beeps;
}

bool ControlTest::Native()
{
    return true;
}

std::string ControlTest::ClipboardText()
{
    const DoubleClipboard &clipboard = TheDoubleClipboard();
    return clipboard.hasText ? std::string(clipboard.block.data()) : "(none)";
}

int ControlTest::ClipboardBlockSize()
{
    const DoubleClipboard &clipboard = TheDoubleClipboard();
    return clipboard.hasText ? int(clipboard.block.size()) : -1;
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

bool ControlTest::FailClipboardOpen()
{
    TheDoubleClipboard().failOpen = true;
    return true;
}

bool ControlTest::FailClipboardAllocation()
{
    TheDoubleClipboard().failAllocation = true;
    return true;
}

int ControlTest::ContextMenu(int command, intptr_t point)
{
    recorder.menuChoice = command;
    recorder.menuItems.clear();
    Send(123, 0x4242, point); // WM_CONTEXTMENU from a window the test names
    EXPECT_EQ(recorder.menuOwner, uintptr_t(0x4242)) << "the menu belongs to the window in wParam";
    EXPECT_EQ(recorder.menuX, int16_t(point & 0xFFFF)) << "menu x";
    EXPECT_EQ(recorder.menuY, int16_t((point >> 16) & 0xFFFF)) << "menu y";
    const char *const texts[] = {"Cu&t", "&Copy", "&Paste", nullptr, "&Delete", "Select A&ll"};
    const unsigned ids[] = {1, 2, 3, 0, 4, 5};
    EXPECT_EQ(recorder.menuItems.size(), 6u) << "five items and a separator";
    int greyed = 0;
    for (size_t i = 0; i < recorder.menuItems.size() && i < 6; ++i) {
        const MenuItem &item = recorder.menuItems[i];
        EXPECT_EQ(item.id, ids[i]) << "item " << i;
        EXPECT_EQ(std::string(item.text ? item.text : "-"), std::string(texts[i] ? texts[i] : "-"));
        if (item.greyed)
            greyed |= 1 << item.id;
    }
    return greyed;
}

} // namespace scrivlet
