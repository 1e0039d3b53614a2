#include "support/platform_double.h"

#include "control/control_engine.h"
#include "support/silent_platform.h"

#include <algorithm>
#include <utility>

namespace scrivlet {

namespace {

PlatformDouble &Of(void *context) { return *static_cast<PlatformDouble *>(context); }

// Keeps a position inside its range as Win32's SetScrollInfo does.
void ClampPosition(ScrollBarState *bar)
{
    int64_t last = int64_t(bar->maximum) - std::max<int64_t>(int64_t(bar->page) - 1, 0);
    int64_t position = std::min<int64_t>(bar->position, std::max<int64_t>(last, bar->minimum));
    bar->position = int32_t(std::max<int64_t>(position, bar->minimum));
}

} // namespace

DoubleClipboard &TheDoubleClipboard()
{
    static DoubleClipboard clipboard;
    return clipboard;
}

ControlPlatform PlatformOf(PlatformDouble *platformDouble)
{
    ControlPlatform platform = SilentPlatform(); // for what the double need not record
    platform.context = platformDouble;
    platform.notify = [](void *c, unsigned code) { Of(c).notifications.push_back({code, 0, 0}); };
    platform.notifySelChange = [](void *c, DWORD a, DWORD b) { Of(c).notifications.push_back({AEN_SELCHANGE, a, b}); };
    platform.notifyKeyDown = [](void *c, DWORD k, DWORD d) { Of(c).notifications.push_back({AEN_KEYDOWN, k, d}); };
    platform.clientSize = [](void *c, int *w, int *h) { *w = Of(c).width, *h = Of(c).height; };
    platform.cellSize = [](void *c, int *w, int *h) { *w = 8, *h = Of(c).cellHeight; };
    platform.relayout = [](void *c) {
        PlatformDouble &d = Of(c);
        ControlMessage(FindControlRecord(d.controlId), PlatformOf(&d), 5, 0,
                       intptr_t((d.height << 16) | (d.width & 0xFFFF)));
    };
    platform.invalidate = [](void *c, int l, int t, int r, int b, int) { Of(c).invalidated.push_back({l, t, r, b}); };
    platform.beep = [](void *c) { ++Of(c).beeps; };
    platform.keyDown = [](void *c, int key) { return Of(c).heldKeys.count(key) != 0 ? 1 : 0; };
    platform.startTimer = [](void *c, unsigned id, unsigned ms) { return Of(c).timers[id] = ms, 1; };
    platform.stopTimer = [](void *c, unsigned id) { Of(c).timers.erase(id); };
    platform.getScrollBar = [](void *c, ScrollBar bar, ScrollBarState *state) { return *state = Of(c).bars[bar], 1; };
    platform.setScrollRange = [](void *c, ScrollBar bar, int32_t minimum, int32_t maximum, uint32_t page) {
        ScrollBarState &state = Of(c).bars[bar];
        state.minimum = minimum, state.maximum = maximum, state.page = page;
        ClampPosition(&state);
    };
    platform.setScrollPosition = [](void *c, ScrollBar bar, int32_t position) {
        Of(c).bars[bar].position = position;
        ClampPosition(&Of(c).bars[bar]);
    };
    platform.scrollWindow = [](void *c, int, int, int l, int t, int r, int b) {
        Of(c).scrolled.push_back({l, t, r, b});
    };
    platform.setCapture = [](void *c) { Of(c).captured = true; };
    platform.releaseCapture = [](void *c) { Of(c).captured = false; };
    platform.captureHeld = [](void *c) { return Of(c).captured ? 1 : 0; };
    platform.cursorPosition = [](void *c, int *x, int *y) { *x = Of(c).cursorX, *y = Of(c).cursorY; };
    // The letters of code page 1252 above ASCII: 0xC0 … 0xFF but × and ÷.
    platform.isAlphaNumeric = [](unsigned char c) { return c >= 0xC0 && c != 0xD7 && c != 0xF7 ? 1 : 0; };
    platform.printerDevice = [](void *c, const PrintJob *job, PageDevice *device) {
        *device = Of(c).printer.Device();
        return job->printerDC != nullptr ? 1 : 0;
    };
    platform.isTextAvailable = [](void *) { return TheDoubleClipboard().hasText ? 1 : 0; };
    platform.openClipboard = [](void *) {
        DoubleClipboard &clipboard = TheDoubleClipboard();
        return clipboard.failOpen || std::exchange(clipboard.open, true) ? 0 : 1;
    };
    platform.emptyClipboard = [](void *) { TheDoubleClipboard().hasText = false, TheDoubleClipboard().block.clear(); };
    // Exactly its size, so that the sanitizer catches a write beyond it; the clipboard keeps all of it.
    platform.allocateClipboardText = [](void *, uint32_t size) -> char * {
        DoubleClipboard &clipboard = TheDoubleClipboard();
        if (clipboard.failAllocation)
            return nullptr;
        clipboard.allocatedSize = size;
        return new char[size];
    };
    platform.setClipboardText = [](void *, char *block) {
        DoubleClipboard &clipboard = TheDoubleClipboard();
        clipboard.block.assign(block, block + clipboard.allocatedSize);
        clipboard.hasText = true;
        delete[] block;
    };
    platform.lockClipboardText = [](void *, uint32_t *size) -> const char * {
        DoubleClipboard &clipboard = TheDoubleClipboard();
        *size = clipboard.hasText ? uint32_t(clipboard.block.size()) : 0;
        return clipboard.hasText ? clipboard.block.data() : nullptr;
    };
    platform.closeClipboard = [](void *) { TheDoubleClipboard().open = false; };
    return platform;
}

} // namespace scrivlet
