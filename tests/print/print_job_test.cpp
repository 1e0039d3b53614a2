#include "print/header_footer.h"
#include "print/print_job.h"
#include "support/page_recorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace scrivlet {

namespace {

using Pages = std::vector<std::vector<std::string>>;

TEST(HeaderFooter, CodesExpandInEitherCaseAndTheRestStaysUpTo255Characters)
{
    const std::string h300(300, 'h'), n300(300, 'n'), a254(254, 'a');
    const struct { std::string format; const char *name; std::string expanded; } cases[] = {
        {"&D|&T|&p|&f", "x", "05/03/2001|07:04:09|3|x"}, {"Q&A 50&& end&", "", "Q&A 50& end&"},
        {"&F", nullptr, ""}, {h300, "", h300.substr(0, 255)}, {"x&F", n300.c_str(), "x" + n300.substr(0, 254)},
        {a254 + "&P", "", a254 + "3"}, {a254 + "y&F", "n", a254 + "y"},
    };
    for (const auto &c : cases) {
        char expanded[kExpandedTextSize];
        ExpandHeaderFooter(c.format.c_str(), 3, PrintTime{2001, 3, 5, 7, 4, 9}, c.name, expanded);
        EXPECT_EQ(expanded, c.expanded) << c.format;
    }
}

// A page of 10 cells by 5 lines in the device's font, no margins or bands unless set.
struct PrintJobTest : testing::Test {
    PrintJobTest()
    {
        Reset();
        job.copies = job.printerFont = 1;
        job.pageSet = AEPS_ALL;
        job.documentName = "report.txt";
    }
    void Reset(int width = 110, int height = 101)
    {
        recorder = PageRecorder{};
        recorder.deviceFont = {20, 10};
        recorder.width = width, recorder.height = height;
    }
    uint32_t Print(const std::string &text, TabStops tabs = {0, nullptr})
    {
        return RunPrintJob(text.c_str(), uint32_t(text.size()), tabs, job, recorder.Device());
    }
    Pages All() const
    {
        Pages pages;
        for (const RecordedPage &page : recorder.pages)
            pages.push_back(page.Lines(job.leftMargin, 10));
        return pages;
    }
    PageRecorder recorder;
    PrintJob job{};
};

// Cells and lines end strictly inside the body; a tab cut by a page starts the next one whole.
TEST_F(PrintJobTest, LinesWrapAndPagesBreakAtTheBodysEdges)
{
    const uint32_t four[] = {4};
    const struct { int width, height; std::string text; Pages pages; } cases[] = {
        {110, 101, "abcdefghijklmnopqrstuvwxy\nz", {{"abcdefghij", "klmnopqrst", "uvwxy", "z"}}},
        {111, 101, "abcdefghijkl", {{"abcdefghijk", "l"}}},
        {110, 100, "1\n2\n3\n4\n5", {{"1", "2", "3", "4"}, {"5"}}},
        {110, 101, "a\n\n\n\n\n\n\nb", {{"a"}, {"b"}}}, // blank lines at a page's end are consumed
        {110, 101, std::string(48, 'x') + "\ty",
         {{"xxxxxxxxxx", "xxxxxxxxxx", "xxxxxxxxxx", "xxxxxxxxxx", "xxxxxxxx  "}, {"    y"}}},
    };
    job.footer = ""; // a band of 40 below the body, which is as high as the case says
    for (const auto &c : cases) {
        Reset(c.width, c.height + 40);
        ASSERT_EQ(Print(c.text, TabStops{1, four}), 0u) << c.text;
        EXPECT_EQ(recorder.fontsCreated + recorder.fontsDeleted, 0) << "the printer's own font";
        EXPECT_EQ(All(), c.pages) << c.text;
    }
}

TEST_F(PrintJobTest, PageSetsSkipPagesAndCopiesRestartWithTheirOwnTime)
{
    job.header = "&P";
    job.footer = "&T";
    std::string text;
    for (int i = 0; i < 25; ++i)
        text += std::string(1, char('A' + i)) + "\n"; // five pages of five lines, A to E first
    const struct { unsigned pageSet; int copies; std::vector<int> pages; } cases[] = { // which of the five, per copy
        {AEPS_ODD, 1, {1, 3, 5}}, {AEPS_EVEN, 1, {2, 4}}, {AEPS_ALL, 2, {1, 2, 3, 4, 5}}};
    for (const auto &c : cases) {
        Reset(110, 181);
        recorder.times = {{2001, 3, 5, 7, 4, 9}, {2001, 3, 5, 7, 5, 0}};
        job.pageSet = c.pageSet;
        job.copies = c.copies;
        ASSERT_EQ(Print(text), 0u);
        ASSERT_EQ(recorder.pages.size(), c.pages.size() * c.copies) << c.pageSet;
        for (size_t i = 0; i < recorder.pages.size(); ++i) {
            int page = c.pages[i % c.pages.size()];
            EXPECT_EQ(All()[i][0], std::string(1, char('A' + 5 * (page - 1))));
            EXPECT_EQ(recorder.pages[i].header, std::to_string(page)) << "skipped pages count";
            EXPECT_EQ(recorder.pages[i].footer, i < c.pages.size() ? "07:04:09" : "07:05:00");
        }
        EXPECT_EQ(recorder.events.size(), 2 + 2 * recorder.pages.size()) << "one document";
        EXPECT_EQ(recorder.events.front() + "|" + recorder.events.back(), "start doc report.txt|end doc");
    }
}

// Margins leave 10 cells across and 5 lines down; a failed bracket stops the job there.
TEST_F(PrintJobTest, MarginsWithoutRoomAndFailedBracketsStopTheJob)
{
    job.printerFont = 0; // cells 14 x 30 on the default device
    const struct { int left, right, top, bottom, failStartDocument, failEndDocument; uint32_t error; size_t pages;
                   const char *lastEvent; } cases[] = {
        {2400 - 140, 0, 0, 0, 0, 0, AEE_MARGINS, 0, ""},  {0, 2400 - 141, 0, 0, 0, 0, 0, 1, "end doc"},
        {0, 0, 3000 - 200, 0, 0, 0, AEE_MARGINS, 0, ""},  {0, 0, 0, 0, 1, 0, AEE_WIN32API, 0, "start doc report.txt"},
        {0, 0, 0, 0, 0, 1, AEE_WIN32API, 2, "end doc"},
    };
    for (const auto &c : cases) {
        recorder = PageRecorder{};
        job.leftMargin = c.left, job.rightMargin = c.right, job.topMargin = c.top, job.bottomMargin = c.bottom;
        recorder.failStartDocument = c.failStartDocument, recorder.failEndDocument = c.failEndDocument;
        EXPECT_EQ(Print(std::string(c.failEndDocument ? 30000 : 1, 'w')), c.error)
            << c.left << " " << c.right << " " << c.top << " " << c.bottom;
        EXPECT_EQ(recorder.pages.size(), c.pages);
        EXPECT_EQ(recorder.events.empty() ? "" : recorder.events.back(), c.lastEvent);
        EXPECT_EQ(recorder.fontsDeleted, 1) << "the created font is given back";
    }

    // A created font taller than the body holds no line: the job ends, no blank pages for ever.
    Reset();
    PageDevice device = recorder.Device();
    device.createFont = [](void *c, int, int) {
        static_cast<PageRecorder *>(c)->requestedHeight = 200, static_cast<PageRecorder *>(c)->requestedWidth = 6;
        return uintptr_t(2);
    };
    device.deleteFont = [](void *, uintptr_t) {};
    EXPECT_EQ(RunPrintJob("x", 1, TabStops{0, nullptr}, job, device), uint32_t(AEE_MARGINS));
    EXPECT_LE(recorder.pages.size(), 1u);
}

} // namespace

} // namespace scrivlet
