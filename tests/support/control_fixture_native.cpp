// The control fixture natively: the engine with a platform that records
// what the window system would have been asked to do.
#include "support/control_fixture.h"

#include "control/control_engine.h"

#include <map>

namespace {

constexpr DWORD kControlId = 1;

// What the platform double saw; one control at a time.
struct Recorder {
    std::vector<Notification> notifications;
    int beeps = 0;
    int width = 0;
    int height = 0;
    std::map<unsigned, unsigned> timers; // running timer id -> interval
};
Recorder recorder;

Recorder &Of(void *context)
{
    return *static_cast<Recorder *>(context);
}

ControlPlatform RecordingPlatform(Recorder *target)
{
    ControlPlatform platform{};
    platform.context = target;
    platform.notify = [](void *c, unsigned code) { Of(c).notifications.push_back({code, 0, 0}); };
    platform.notifySelChange = [](void *c, DWORD start, DWORD end) {
        Of(c).notifications.push_back({AEN_SELCHANGE, start, end});
    };
    platform.notifyKeyDown = [](void *c, DWORD key, DWORD data) {
        Of(c).notifications.push_back({AEN_KEYDOWN, key, data});
    };
    platform.clientSize = [](void *c, int *w, int *h) {
        *w = Of(c).width;
        *h = Of(c).height;
    };
    platform.cellSize = [](void *, int *w, int *h) {
        *w = 8; // the stock fixed font under Wine: 8 × 13
        *h = 13;
    };
    platform.relayout = [](void *) {};
    platform.invalidate = [](void *, int, int, int, int, int) {};
    platform.setRedraw = [](void *, int) {};
    platform.beep = [](void *c) { ++Of(c).beeps; };
    platform.showWaitCursor = [](void *, int) {};
    platform.sleep = [](void *, unsigned) {};
    platform.startTimer = [](void *c, unsigned id, unsigned ms) {
        Of(c).timers[id] = ms;
        return 1;
    };
    platform.stopTimer = [](void *c, unsigned id) { Of(c).timers.erase(id); };
    return platform;
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
    recorder = Recorder{};
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
    static Recorder stranger;
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

int ControlTest::Beeps()
{
    return recorder.beeps;
}

bool ControlTest::Native()
{
    return true;
}
