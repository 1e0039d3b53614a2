// The codes of page headers and footers: "&P" the page number, "&D" and
// "&T" the date and time of the copy, "&F" the document name, "&&" an '&'.
#pragma once

#include "print/page_device.h"

#include <cstdint>

namespace scrivlet {

enum : uint32_t { kExpandedTextSize = 256 }; // at most 255 characters and the NUL

// Expands the format for one page. The letter after '&' counts in either
// case; '&' before any other character (or ending the format) stays as it
// is. Expansion stops at 255 characters; what follows is dropped.
void ExpandHeaderFooter(const char *format, uint32_t page, const PrintTime &time, const char *documentName,
                        char (&expanded)[kExpandedTextSize]);

} // namespace scrivlet
