// The control fixture natively: the engine with a platform that records
// what the window system would have been asked to do.
#include "support/control_fixture.h"

#include "control/control_engine.h"
#include "support/platform_double.h"


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

int ControlTest::Beeps()
{
    return recorder.beeps;
}

bool ControlTest::Native()
{
    return true;
}
