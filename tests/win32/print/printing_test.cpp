// AEM_PRINT on a real printer under Wine: the PostScript driver writes print-output/pages.ps,
// whose pages are counted here (check-printing reads their texts; the page arithmetic: tests/print).
#include "test_printer.h"

#include <gtest/gtest.h>

#include "advancededit.h"

#include <cstdio>
#include <string>

namespace scrivlet {

namespace {

TEST(Printing, ATextOfTwoAndAHalfPagesReachesThePostScriptPrinter)
{
    std::string why;
    ASSERT_TRUE(InstallTestPrinter(&why)) << why;
    const std::string folder = std::string(SCRIVLET_BUILD_DIR) + "/print-output", output = folder + "/pages.ps";
    CreateDirectoryA(folder.c_str(), nullptr);
    RegisterAdvancedEditClass(GetModuleHandleA(nullptr));
    HWND parent = CreateWindowA("STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    HWND control = CreateAdvancedEdit(0, WS_CHILD | AES_AUTOHSCROLL | AES_AUTOVSCROLL, 0, 0, 300, 200, parent, 1);
    ASSERT_NE(control, nullptr);
    SendMessageA(control, AEM_SETLIMITTEXT, 0, -1);

    // Lines "Line 001" ... filling two and a half bodies of the created font.
    HDC dc = CreateTestPrinterDC();
    ASSERT_NE(dc, nullptr);
    TEXTMETRICA device;
    GetTextMetricsA(dc, &device);
    const int linesPerPage = (GetDeviceCaps(dc, VERTRES) - 4 * device.tmHeight - 1) / (3 * device.tmHeight / 4);
    ASSERT_GT(linesPerPage, 10);
    std::string text;
    for (int i = 1; i <= linesPerPage * 5 / 2; ++i)
        text += "Line " + std::string(i < 10 ? "00" : i < 100 ? "0" : "") + std::to_string(i) + "\r\n";
    SendMessageA(control, AEM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text.c_str()));

    PrintJob job = {};
    job.printerDC = dc;
    job.header = "Page &P of &F";
    job.footer = "Printed &D";
    job.documentName = "report.txt";
    job.copies = 1;
    job.pageSet = AEPS_ALL;
    std::remove(output.c_str());
    DirectPrintingTo(output);
    EXPECT_EQ(SendMessageA(control, AEM_PRINT, 0, reinterpret_cast<LPARAM>(&job)), 1);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_NOERROR));
    DeleteDC(dc);
    DestroyWindow(parent);
    EXPECT_EQ(PostScriptPageCount(output), 3);
}

} // namespace

} // namespace scrivlet
