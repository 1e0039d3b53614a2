// AEM_PRINT through the control, on the platform double's recording
// printer: the whole text or the selection, and the results and errors.
#include "control/control_engine.h"
#include "core/control_error.h"
#include "support/platform_double.h"

#include <gtest/gtest.h>

#include <string>

namespace scrivlet {

namespace {

TEST(PrintMessage, PrintsTheTextOrTheSelectionAndSetsTheLastError)
{
    PlatformDouble screen;
    screen.controlId = 45;
    ControlRecord *record = CreateControl(45, AES_AUTOHSCROLL | AES_AUTOVSCROLL, PlatformOf(&screen));
    ASSERT_NE(record, nullptr);
    auto send = [&](unsigned message, uintptr_t wParam, intptr_t lParam) {
        return ControlMessage(record, PlatformOf(&screen), message, wParam, lParam);
    };
    PrintJob job{}; // any device: the double prints on its recorder
    job.copies = job.printerFont = 1;
    job.pageSet = AEPS_ALL;
    send(AEM_REPLACESEL, 0, reinterpret_cast<intptr_t>("one\ntwo\tx\nthree"));
    // Selections from "o\tx": its tab counts from the selection start.
    const struct {
        uint32_t selectionOnly, start, end;
        int left, withDevice, failStartPage;
        intptr_t result;
        DWORD error;
        std::vector<std::string> lines; // of the one page printed
    } cases[] = {
        {0, 0, 0, 0, 1, 0, 1, AEE_NOERROR, {"one", "two x", "three"}},
        {1, 6, 11, 0, 1, 0, 1, AEE_NOERROR, {"o   x", "t"}},
        {1, 2, 2, 50, 0, 1, 1, AEE_NOERROR, {}}, // an empty selection prints nothing
        {0, 2, 2, 50, 1, 0, 0, AEE_MARGINS, {}},
        {0, 2, 2, 0, 1, 1, 0, AEE_WIN32API, {}},
        {0, 2, 2, 0, 0, 0, 0, AEE_WIN32API, {}},
    };
    for (const auto &c : cases) {
        screen.printer = PageRecorder{};
        screen.printer.deviceFont = {20, 10}; // 10 cells across, 5 lines down
        screen.printer.width = 110, screen.printer.height = 101;
        screen.printer.failStartPage = c.failStartPage;
        AERANGE range = {c.start, c.end};
        send(AEM_SETSEL, 0, reinterpret_cast<intptr_t>(&range));
        job.selectionOnly = c.selectionOnly;
        job.leftMargin = c.left;
        job.printerDC = c.withDevice ? reinterpret_cast<HDC>(&screen) : nullptr;
        SetLastControlError(AEE_STYLELOAD);
        EXPECT_EQ(send(AEM_PRINT, 0, reinterpret_cast<intptr_t>(&job)), c.result) << c.start << "-" << c.end;
        EXPECT_EQ(GetLastControlError(), c.error) << c.start << "-" << c.end;
        if (c.lines.empty()) {
            EXPECT_TRUE(screen.printer.pages.empty());
        } else {
            ASSERT_EQ(screen.printer.pages.size(), 1u);
            EXPECT_EQ(screen.printer.pages[0].Lines(0, 10), c.lines);
        }
    }
    EXPECT_EQ(send(AEM_GETTEXTLENGTH, 0, 0), 15) << "the text is whole again";
    EXPECT_EQ(send(AEM_PRINT, 0, 0), 0) << "no job";
    EXPECT_EQ(ControlMessage(nullptr, PlatformOf(&screen), AEM_PRINT, 0, reinterpret_cast<intptr_t>(&job)), 0);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_NORECORD));
    DestroyControl(record, PlatformOf(&screen));
}

} // namespace

} // namespace scrivlet
