#include "support/page_recorder.h"

#include <gtest/gtest.h>

namespace scrivlet {

namespace {

PageRecorder &Of(void *context) { return *static_cast<PageRecorder *>(context); }

constexpr uintptr_t kDeviceFont = 1, kCreatedFont = 2; // a created font has exactly the cell asked for

} // namespace

std::vector<std::string> RecordedPage::Lines(int left, int cellWidth) const
{
    std::vector<std::string> lines;
    for (const auto &row : cells) {
        std::string line;
        for (const auto &cell : row.second) {
            size_t column = size_t((cell.first - left) / cellWidth);
            if (line.size() < column)
                line.append(column - line.size(), ' ');
            line += cell.second;
        }
        lines.push_back(line);
    }
    return lines;
}

PageDevice PageRecorder::Device()
{
    PageDevice device{};
    device.context = this;
    device.metrics = [](void *c, FontMetrics *metrics) {
        PageRecorder &r = Of(c);
        *metrics = r.selected == kDeviceFont ? r.deviceFont : FontMetrics{r.requestedHeight, r.requestedWidth};
    };
    device.currentFont = [](void *c) { return Of(c).selected; };
    device.createFont = [](void *c, int height, int width) {
        PageRecorder &r = Of(c);
        ++r.fontsCreated, r.requestedHeight = height, r.requestedWidth = width;
        return kCreatedFont;
    };
    device.deleteFont = [](void *c, uintptr_t font) {
        EXPECT_EQ(font, kCreatedFont) << "only a created font is deleted";
        ++Of(c).fontsDeleted;
    };
    device.selectFont = [](void *c, uintptr_t font) {
        uintptr_t previous = Of(c).selected;
        Of(c).selected = font;
        return previous;
    };
    device.pageSize = [](void *c, int *width, int *height) { *width = Of(c).width, *height = Of(c).height; };
    device.startDocument = [](void *c, const char *name) {
        PageRecorder &r = Of(c);
        r.events.push_back(std::string("start doc ") + (name != nullptr ? name : "(null)"));
        return r.failStartDocument ? 0 : 1;
    };
    device.startPage = [](void *c) {
        PageRecorder &r = Of(c);
        r.events.push_back("page");
        if (r.failStartPage != 0 && int(r.pages.size()) + 1 == r.failStartPage)
            return 0;
        r.pages.emplace_back();
        return 1;
    };
    device.endPage = [](void *c) { return Of(c).events.push_back("end page"), 1; };
    device.endDocument = [](void *c) {
        Of(c).events.push_back("end doc");
        return Of(c).failEndDocument ? -1 : 1;
    };
    device.drawCharacter = [](void *c, int x, int y, char character) {
        PageRecorder &r = Of(c);
        ASSERT_FALSE(r.pages.empty()) << "a character drawn outside a page";
        r.pages.back().cells[y][x] = character;
    };
    device.drawCentredLine = [](void *c, PrintRect rect, const char *text) {
        PageRecorder &r = Of(c);
        ASSERT_FALSE(r.pages.empty()) << "a band drawn outside a page";
        EXPECT_EQ(r.selected, kDeviceFont) << "bands are drawn in the device's font";
        RecordedPage &page = r.pages.back();
        (rect.top < r.height / 2 ? page.header : page.footer) = text;
        (rect.top < r.height / 2 ? page.headerRect : page.footerRect) = rect;
    };
    device.localTime = [](void *c, PrintTime *time) {
        PageRecorder &r = Of(c);
        *time = r.times.empty() ? PrintTime{2001, 3, 5, 7, 4, 9}
                                : r.times[std::min(r.timeCalls, r.times.size() - 1)];
        ++r.timeCalls;
    };
    return device;
}

} // namespace scrivlet
