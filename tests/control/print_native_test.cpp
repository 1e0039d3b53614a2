// AEM_PRINT through the control, on the platform double's recording
// printer: the whole text or the selection, and the results and errors.
#include "control/control_engine.h"
#include "support/platform_double.h"

#include <gtest/gtest.h>

#include <string>

namespace scrivlet {

namespace {

constexpr uint32_t kId = 45;

struct PrintMessage : testing::Test {
    PlatformDouble screen;
    ControlRecord *record = nullptr;
    PrintJob job{};

    void SetUp() override
    {
        screen.controlId = kId;
        screen.printer.deviceFont = {20, 10}; // 10 cells across, 5 lines down
        screen.printer.width = 110;
        screen.printer.height = 101;
        record = CreateControl(kId, AES_AUTOHSCROLL | AES_AUTOVSCROLL, PlatformOf(&screen));
        ASSERT_NE(record, nullptr);
        job.printerDC = reinterpret_cast<HDC>(&screen); // any device: the double prints on its recorder
        job.copies = 1;
        job.printerFont = 1;
        job.pageSet = AEPS_ALL;
        job.documentName = "doc";
    }
    void TearDown() override { DestroyControl(record, PlatformOf(&screen)); }
    intptr_t Send(unsigned message, uintptr_t wParam = 0, intptr_t lParam = 0)
    {
        return ControlMessage(record, PlatformOf(&screen), message, wParam, lParam);
    }
    intptr_t Print() { return Send(AEM_PRINT, 0, reinterpret_cast<intptr_t>(&job)); }
    void Select(uint32_t start, uint32_t end)
    {
        AERANGE range = {start, end};
        Send(AEM_SETSEL, 0, reinterpret_cast<intptr_t>(&range));
    }
    std::vector<std::string> Page(size_t index) const
    {
        return screen.printer.pages.at(index).Lines(0, 10);
    }
};

TEST_F(PrintMessage, TheWholeTextOrOnlyTheSelectionWithItsOwnColumns)
{
    Send(AEM_REPLACESEL, 0, reinterpret_cast<intptr_t>("one\ntwo\tx\nthree"));
    EXPECT_EQ(Print(), 1);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_NOERROR));
    ASSERT_EQ(screen.printer.pages.size(), 1u);
    EXPECT_EQ(Page(0), (std::vector<std::string>{"one", "two x", "three"}));

    // From "o\tx" of the second line: its tab counts from the selection start.
    screen.printer.pages.clear();
    Select(6, 11);
    job.selectionOnly = 1;
    EXPECT_EQ(Print(), 1);
    ASSERT_EQ(screen.printer.pages.size(), 1u);
    EXPECT_EQ(Page(0), (std::vector<std::string>{"o   x", "t"}));
    EXPECT_EQ(Send(AEM_GETTEXTLENGTH), 15) << "the text is whole again";
    char line[16] = {};
    Send(AEM_GETLINE, 2, reinterpret_cast<intptr_t>(line));
    EXPECT_STREQ(line, "three");
}

TEST_F(PrintMessage, NothingToPrintSucceedsAndFailuresSetTheirErrors)
{
    EXPECT_EQ(Print(), 1) << "an empty text";
    EXPECT_TRUE(screen.printer.events.empty());
    Send(AEM_REPLACESEL, 0, reinterpret_cast<intptr_t>("text"));
    job.selectionOnly = 1;
    Select(2, 2);
    EXPECT_EQ(Print(), 1) << "an empty selection";
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_NOERROR));
    EXPECT_TRUE(screen.printer.events.empty());

    job.selectionOnly = 0;
    job.leftMargin = 50;
    EXPECT_EQ(Print(), 0);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_MARGINS));
    job.leftMargin = 0;
    screen.printer.failStartPage = 1;
    EXPECT_EQ(Print(), 0);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_WIN32API));
    job.printerDC = nullptr;
    EXPECT_EQ(Print(), 0);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_WIN32API));
    EXPECT_EQ(Send(AEM_PRINT, 0, 0), 0) << "no job";
    EXPECT_EQ(ControlMessage(nullptr, PlatformOf(&screen), AEM_PRINT, 0, reinterpret_cast<intptr_t>(&job)), 0);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_NORECORD));
}

} // namespace

} // namespace scrivlet
