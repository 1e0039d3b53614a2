// What the engine benchmarks share: streaming a text into a control, and a
// paint device that only counts the cells drawn.
#pragma once

#include "control/control_engine.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace scrivlet {

struct TextSource {
    const std::string *text;
    size_t position;
};

// An AESTREAM callback that hands out a TextSource's bytes.
inline DWORD CALLBACK FeedText(DWORD_PTR cookie, LPBYTE buffer, DWORD count, DWORD *done)
{
    auto *source = reinterpret_cast<TextSource *>(cookie);
    size_t rest = source->text->size() - source->position;
    *done = DWORD(std::min<size_t>(rest, count));
    std::memcpy(buffer, source->text->data() + source->position, *done);
    source->position += *done;
    return 0;
}

// Replaces a control's text through AEM_STREAMIN, as a file load does.
template <typename Control> void LoadText(Control *control, const std::string &text)
{
    TextSource source = {&text, 0};
    AESTREAM stream = {reinterpret_cast<DWORD_PTR>(&source), 0, FeedText};
    control->Send(AEM_STREAMIN, 0, reinterpret_cast<LParam>(&stream));
}

// Counts the cells a paint draws; the device does nothing else.
inline PaintDevice CountingDevice(uint64_t *cells)
{
    PaintDevice device{};
    device.context = cells;
    device.systemColour = [](void *, int) { return 0u; };
    device.setTextColour = [](void *, uint32_t) { return 0u; };
    device.setBackColour = [](void *, uint32_t) { return 0u; };
    device.moveTo = [](void *, int, int) {};
    device.drawText = [](void *c, const char *, int count) { *static_cast<uint64_t *>(c) += uint64_t(count); };
    return device;
}

} // namespace scrivlet
