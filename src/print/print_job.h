// Printing a text on pages: a fixed-pitch font, lines wrapped at the body's
// right edge, a new page when the body is full, header and footer bands
// with their codes, odd or even pages only, and several copies.
#pragma once

#include "core/message_types.h"
#include "core/text_store.h"
#include "print/page_device.h"

#include <cstdint>

namespace scrivlet {

// Prints `length` bytes of `text` (lines end in '\n'; the text holds no
// NUL) with the job's margins, bands, copies and pages, on the device.
// Tabs expand to the control's stops, columns counting from each line's
// start (from `text` for its first line). Returns the control error: 0,
// AEE_MARGINS when the margins leave fewer than 10 cells across or 5
// default lines down, or AEE_WIN32API when a document or page bracket
// failed (printing stops there).
uint32_t RunPrintJob(const char *text, uint32_t length, TabStops tabs, const PrintJob &job,
                     const PageDevice &device);

} // namespace scrivlet
