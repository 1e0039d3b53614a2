// Page layout of print jobs and the header and footer codes, on a recording
// page device.
#include "print/header_footer.h"
#include "print/print_job.h"
#include "support/page_recorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace scrivlet {

namespace {

const PrintTime kMarch5 = {2001, 3, 5, 7, 4, 9};

std::string Expand(const char *format, uint32_t page = 3, const char *name = "report.txt")
{
    char expanded[kExpandedTextSize];
    ExpandHeaderFooter(format, page, kMarch5, name, expanded);
    return expanded;
}

TEST(HeaderFooter, CodesExpandAndOtherTextStays)
{
    EXPECT_EQ(Expand("Page &P of file &F"), "Page 3 of file report.txt");
    EXPECT_EQ(Expand("&d &t"), "05/03/2001 07:04:09");
    EXPECT_EQ(Expand("&D"), Expand("&d"));
    EXPECT_EQ(Expand("Q&A"), "Q&A");
    EXPECT_EQ(Expand("50&&"), "50&");
    EXPECT_EQ(Expand("end&"), "end&");
    EXPECT_EQ(Expand(""), "");
    EXPECT_EQ(Expand("&F", 1, nullptr), "");

    std::string plain(300, 'h');
    EXPECT_EQ(Expand(plain.c_str()), plain.substr(0, 255));
    std::string longName(300, 'n');
    EXPECT_EQ(Expand("x&F", 1, longName.c_str()), "x" + longName.substr(0, 254));
    EXPECT_EQ(Expand((std::string(254, 'a') + "&P").c_str(), 123).size(), 255u) << "a code is cut too";
}

// A page of 10 cells across and 5 lines down in the device's own font
// (cells 10 x 20), no margins and no bands unless a test sets them.
class PrintJobTest : public testing::Test {
protected:
    PrintJobTest()
    {
        recorder.deviceFont = {20, 10};
        recorder.width = 110;
        recorder.height = 101;
        job.copies = 1;
        job.printerFont = 1;
        job.pageSet = AEPS_ALL;
        job.documentName = "report.txt";
    }

    uint32_t Print(const std::string &text, TabStops tabs = {0, nullptr})
    {
        PageDevice device = recorder.Device();
        return RunPrintJob(text.c_str(), uint32_t(text.size()), tabs, job, device);
    }

    std::vector<std::string> Page(size_t index) const
    {
        return index < recorder.pages.size() ? recorder.pages[index].Lines(job.leftMargin, 10)
                                             : std::vector<std::string>{"<no page>"};
    }

    PageRecorder recorder;
    PrintJob job{};
};

TEST_F(PrintJobTest, LinesWrapStrictlyLeftOfTheRightEdgeAndPagesBreakAboveTheBottom)
{
    ASSERT_EQ(Print("abcdefghijklmnopqrstuvwxy\nz"), 0u); // the 11th cell would end on the edge
    ASSERT_EQ(recorder.pages.size(), 1u);
    EXPECT_EQ(Page(0), (std::vector<std::string>{"abcdefghij", "klmnopqrst", "uvwxy", "z"}));

    recorder = PageRecorder{};
    recorder.deviceFont = {20, 10};
    recorder.width = 111; // one pixel more: the eleventh cell ends left of the edge
    recorder.height = 101;
    ASSERT_EQ(Print("abcdefghijkl"), 0u);
    EXPECT_EQ(Page(0), (std::vector<std::string>{"abcdefghijk", "l"}));
}

TEST_F(PrintJobTest, ALongLineContinuesAtTheLeftEdgeOverPages)
{
    std::string line;
    for (int i = 0; i < 200; ++i)
        line += char('a' + i % 26);
    ASSERT_EQ(Print(line), 0u);
    ASSERT_EQ(recorder.pages.size(), 4u) << "20 printed lines of 10, 5 to a page";
    std::string printed;
    for (size_t page = 0; page < 4; ++page)
        for (const std::string &row : Page(page)) {
            EXPECT_EQ(row.size(), 10u);
            printed += row;
        }
    EXPECT_EQ(printed, line);
    EXPECT_EQ(recorder.events.front(), "start doc report.txt");
    EXPECT_EQ(recorder.events.back(), "end doc");
}

TEST_F(PrintJobTest, ABodyFullAfterALineBreakStartsTheNextPageWithTheNextLine)
{
    std::string text;
    for (int i = 0; i < 6; ++i)
        text += std::string(10, char('0' + i)) + "\n";
    ASSERT_EQ(Print(text), 0u);
    ASSERT_EQ(recorder.pages.size(), 2u);
    EXPECT_EQ(Page(1), std::vector<std::string>{"5555555555"});

    recorder.pages.clear();
    ASSERT_EQ(Print("a\n\n\n\n\n\n\nb"), 0u);
    ASSERT_EQ(recorder.pages.size(), 2u);
    EXPECT_EQ(Page(1), std::vector<std::string>{"b"}) << "blank lines at a page's end are consumed";
}

TEST_F(PrintJobTest, TabsExpandToTheStopsAndATabCutByAPageRepeatsWhole)
{
    const uint32_t widths[] = {4};
    ASSERT_EQ(Print("a\tb\n\tc", TabStops{1, widths}), 0u);
    EXPECT_EQ(Page(0), (std::vector<std::string>{"a   b", "    c"}));

    recorder.pages.clear();
    ASSERT_EQ(Print(std::string(48, 'x') + "\ty", TabStops{1, widths}), 0u);
    ASSERT_EQ(recorder.pages.size(), 2u);
    EXPECT_EQ(Page(0).back(), "xxxxxxxx  ") << "two of the tab's four spaces fit";
    EXPECT_EQ(Page(1), std::vector<std::string>{"    y"}) << "the whole tab again, from its column";
}

TEST_F(PrintJobTest, OddPagesSkipTheEvenOnesWithoutMovingWhereTheOthersStart)
{
    job.header = "&P";
    recorder.height = 101 + 40; // room for the header band
    std::string text;
    for (int i = 0; i < 25; ++i)
        text += std::string(1, char('A' + i)) + "\n"; // five pages of five lines
    ASSERT_EQ(Print(text), 0u);
    ASSERT_EQ(recorder.pages.size(), 5u);
    std::vector<std::vector<std::string>> all = {Page(0), Page(1), Page(2), Page(3), Page(4)};

    recorder.pages.clear();
    recorder.events.clear();
    job.pageSet = AEPS_ODD;
    ASSERT_EQ(Print(text), 0u);
    ASSERT_EQ(recorder.pages.size(), 3u);
    EXPECT_EQ(Page(0), all[0]);
    EXPECT_EQ(Page(1), all[2]);
    EXPECT_EQ(Page(2), all[4]);
    EXPECT_EQ(recorder.pages[1].header, "3") << "skipped pages count";
    EXPECT_EQ(recorder.events.size(), 2u + 3u * 2u);

    recorder.pages.clear();
    job.pageSet = AEPS_EVEN;
    ASSERT_EQ(Print(text), 0u);
    ASSERT_EQ(recorder.pages.size(), 2u);
    EXPECT_EQ(Page(1), all[3]);
}

TEST_F(PrintJobTest, EachCopyStartsAtPageOneWithItsOwnTime)
{
    job.copies = 2;
    job.footer = "&P &T";
    recorder.height = 101 + 40;
    recorder.times = {kMarch5, {2001, 3, 5, 7, 5, 0}};
    ASSERT_EQ(Print(std::string(60, 'z')), 0u); // two pages a copy
    ASSERT_EQ(recorder.pages.size(), 4u);
    EXPECT_EQ(recorder.pages[0].footer, "1 07:04:09");
    EXPECT_EQ(recorder.pages[1].footer, "2 07:04:09");
    EXPECT_EQ(recorder.pages[2].footer, "1 07:05:00");
    EXPECT_EQ(Page(2), Page(0));
    EXPECT_EQ(std::count(recorder.events.begin(), recorder.events.end(), "end doc"), 1) << "one document";
}

TEST_F(PrintJobTest, BandsAndBodyShareThePageInsideTheMargins)
{
    recorder = PageRecorder{}; // 2400 x 3000, device font 40 x 24
    job.printerFont = 0;
    job.leftMargin = 100;
    job.rightMargin = 200;
    job.topMargin = 50;
    job.bottomMargin = 60;
    job.header = "&F";
    job.footer = "Page &P";
    ASSERT_EQ(Print("x"), 0u);
    EXPECT_EQ(recorder.requestedHeight, 30) << "3/4 of the device font's height";
    EXPECT_EQ(recorder.requestedWidth, 14) << "3/5 of its widest character";
    EXPECT_EQ(recorder.fontsCreated, 1);
    EXPECT_EQ(recorder.fontsDeleted, 1);
    ASSERT_EQ(recorder.pages.size(), 1u);
    const RecordedPage &page = recorder.pages[0];
    EXPECT_EQ(page.header, "report.txt");
    EXPECT_EQ(page.footer, "Page 1");
    EXPECT_EQ(page.headerRect.left, 100);
    EXPECT_EQ(page.headerRect.top, 50);
    EXPECT_EQ(page.headerRect.right, 2200);
    EXPECT_EQ(page.headerRect.bottom, 130) << "two lines of the device font";
    EXPECT_EQ(page.footerRect.top, 3000 - 60 - 80);
    EXPECT_EQ(page.footerRect.bottom, 2940);
    ASSERT_EQ(page.cells.size(), 1u);
    EXPECT_EQ(page.cells.begin()->first, 130) << "the body starts under the header";
    EXPECT_EQ(page.cells.begin()->second.begin()->first, 100);

    recorder = PageRecorder{};
    job.header = nullptr;
    ASSERT_EQ(Print("x"), 0u);
    EXPECT_EQ(recorder.pages[0].header, "");
    EXPECT_EQ(recorder.pages[0].cells.begin()->first, 50) << "no header, no band";
}

TEST_F(PrintJobTest, MarginsWithoutRoomAndFailedBracketsStopTheJob)
{
    recorder = PageRecorder{};
    job.printerFont = 0;
    job.leftMargin = 2400 - 140; // 10 cells of 14 would be needed
    EXPECT_EQ(Print("x"), uint32_t(AEE_MARGINS));
    EXPECT_TRUE(recorder.events.empty()) << "no document is started";
    EXPECT_EQ(recorder.fontsDeleted, 1);
    job.leftMargin = 2400 - 141;
    EXPECT_EQ(Print("x"), 0u);
    job.leftMargin = 0;
    job.topMargin = 3000 - 200; // 5 lines of 40
    EXPECT_EQ(Print("x"), uint32_t(AEE_MARGINS));
    job.topMargin = 0;

    recorder.events.clear();
    recorder.failStartDocument = 1;
    EXPECT_EQ(Print("x"), uint32_t(AEE_WIN32API));
    EXPECT_EQ(recorder.events, std::vector<std::string>{"start doc report.txt"});

    recorder = PageRecorder{};
    recorder.failStartPage = 2;
    EXPECT_EQ(Print(std::string(30000, 'w')), uint32_t(AEE_WIN32API));
    EXPECT_EQ(recorder.pages.size(), 1u);
    EXPECT_EQ(recorder.events.back(), "page") << "no EndDoc after a failure";

    recorder = PageRecorder{};
    recorder.failEndDocument = 1;
    EXPECT_EQ(Print("x"), uint32_t(AEE_WIN32API));
}

TEST_F(PrintJobTest, APageThatHoldsNothingEndsTheJobInsteadOfLooping)
{
    recorder.deviceFont = {20, 10};
    job.printerFont = 0; // the created font is 15 x 6 ...
    recorder.height = 101;
    PageDevice device = recorder.Device();
    // ... but a device whose created font is taller than the body can
    // still pass the margin test; it must not print blank pages for ever.
    device.createFont = [](void *c, int, int) {
        static_cast<PageRecorder *>(c)->requestedHeight = 200;
        static_cast<PageRecorder *>(c)->requestedWidth = 6;
        return uintptr_t(2);
    };
    device.deleteFont = [](void *, uintptr_t) {};
    EXPECT_EQ(RunPrintJob("x", 1, TabStops{0, nullptr}, job, device), uint32_t(AEE_MARGINS));
    EXPECT_LE(recorder.pages.size(), 1u);
}

} // namespace

} // namespace scrivlet
