// A page device that records what a print job does: documents, pages,
// bands and every character with its position, with failures to provoke.
#pragma once

#include "print/page_device.h"

#include <map>
#include <string>
#include <vector>

namespace scrivlet {

struct RecordedPage {
    std::map<int, std::map<int, char>> cells; // y -> x -> character
    std::string header;                         // the expanded band texts drawn
    std::string footer;
    PrintRect headerRect{}, footerRect{};

    // The body's printed lines from the top, each character at its place
    // (gaps between cells show as spaces).
    std::vector<std::string> Lines(int left, int cellWidth) const;
};

struct PageRecorder {
    FontMetrics deviceFont = {40, 24}; // the device's own font
    int width = 2400;                  // printable area
    int height = 3000;
    std::vector<PrintTime> times;      // handed out in turn, the last repeating
    size_t timeCalls = 0;

    int failStartDocument = 0;         // > 0: that call returns 0
    int failStartPage = 0;             // > 0: the n-th StartPage returns 0
    int failEndDocument = 0;

    std::vector<std::string> events;   // "start doc NAME", "page", "end page", "end doc"
    std::vector<RecordedPage> pages;
    int fontsCreated = 0;
    int fontsDeleted = 0;
    int requestedHeight = 0;           // of the last created font
    int requestedWidth = 0;
    uintptr_t selected = 1;            // 1: the device font; others: created fonts

    PageDevice Device();
};

} // namespace scrivlet
