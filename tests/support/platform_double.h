// The window system under the engine: records what the control asks, keeps Win32's scroll bars.
#pragma once

#include "support/control_fixture.h"
#include "support/page_recorder.h"

#include "control/control_platform.h"

#include <map>
#include <set>
#include <vector>

namespace scrivlet {

// One in-memory clipboard for all doubles: its CF_TEXT block and failures to provoke.
struct DoubleClipboard {
    bool hasText = false;
    std::vector<char> block;             // the whole block, with its NUL when it has one
    uint32_t allocatedSize = 0;          // of the last block allocated
    bool open = false;
    bool failOpen = false;               // OpenClipboard fails
    bool failAllocation = false;         // GlobalAlloc fails
};
DoubleClipboard &TheDoubleClipboard();

struct PlatformDouble {
    uint32_t controlId = 1;              // the control that a re-layout resizes
    std::vector<Notification> notifications;
    int beeps = 0;
    std::set<int> heldKeys;              // virtual keys that are down
    int width = 8 * 80 + 1;              // client size in pixels
    int height = 13 * 25 + 1;
    int cellHeight = 13;                 // the stock fixed font under Wine: 8 × 13
    std::map<unsigned, unsigned> timers; // running timer id -> interval
    ScrollBarState bars[2] = {};         // horizontal, vertical
    struct Rect { int left, top, right, bottom; };
    std::vector<Rect> invalidated;       // every invalidated rectangle
    std::vector<Rect> scrolled;          // every blit's rectangle
    bool captured = false;               // the control holds the mouse capture
    int cursorX = 0;                     // the mouse pointer in client coordinates
    int cursorY = 0;
    PageRecorder printer;                // what every print job's device context stands for
};

ControlPlatform PlatformOf(PlatformDouble *platformDouble);

} // namespace scrivlet
