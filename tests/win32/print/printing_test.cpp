// AEM_PRINT on a real printer under Wine: Wine's PostScript driver writes
// each job to a file of build/.../print-output, whose pages are counted
// here; check-printing then reads their texts with ps2ascii.
#include "test_printer.h"

#include <gtest/gtest.h>

#include "advancededit.h"

#include <cstdio>
#include <string>

namespace scrivlet {

namespace {

std::string OutputPath(const std::string &name)
{
    return std::string(SCRIVLET_BUILD_DIR) + "/print-output/" + name + ".ps";
}

class Printing : public testing::Test {
protected:
    void SetUp() override
    {
        std::string why;
        ASSERT_TRUE(InstallTestPrinter(&why)) << why;
        CreateDirectoryA((std::string(SCRIVLET_BUILD_DIR) + "/print-output").c_str(), nullptr);
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "ScrivletPrintTestParent";
        RegisterClassA(&windowClass);
        RegisterAdvancedEditClass(GetModuleHandleA(nullptr));
        parent = CreateWindowA("ScrivletPrintTestParent", "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
        control = CreateAdvancedEdit(0, WS_CHILD | WS_VISIBLE | AES_AUTOHSCROLL | AES_AUTOVSCROLL, 0, 0, 300, 200, parent, 1);
        ASSERT_NE(control, nullptr);
        SendMessageA(control, AEM_SETLIMITTEXT, 0, -1);
        job.header = "Page &P of &F";
        job.footer = "Printed &D";
        job.documentName = "report.txt";
        job.copies = 1;
        job.pageSet = AEPS_ALL;
    }
    void TearDown() override { DestroyWindow(parent); }

    // Prints into print-output/NAME.ps; returns AEM_PRINT's answer.
    LRESULT PrintTo(const std::string &name)
    {
        std::remove(OutputPath(name).c_str());
        DirectPrintingTo(OutputPath(name));
        job.printerDC = CreateTestPrinterDC();
        EXPECT_NE(job.printerDC, nullptr);
        LRESULT result = SendMessageA(control, AEM_PRINT, 0, reinterpret_cast<LPARAM>(&job));
        DeleteDC(job.printerDC);
        return result;
    }

    // Lines "Line 001" ... filling two and a half pages of the body.
    void SetLongText()
    {
        HDC dc = CreateTestPrinterDC();
        TEXTMETRICA device;
        GetTextMetricsA(dc, &device);
        int height = GetDeviceCaps(dc, VERTRES);
        DeleteDC(dc);
        int lineHeight = 3 * device.tmHeight / 4; // the created font asks for this height
        int body = height - 4 * device.tmHeight;  // header and footer bands, no margins
        linesPerPage = (body - 1) / lineHeight;
        std::string text;
        for (int i = 1; i <= linesPerPage * 5 / 2; ++i) {
            char line[32];
            std::snprintf(line, sizeof line, "Line %03d\r\n", i);
            text += line;
        }
        SendMessageA(control, AEM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }

    HWND parent = nullptr;
    HWND control = nullptr;
    PrintJob job = {};
    int linesPerPage = 0;
};

TEST_F(Printing, JobsReachThePostScriptPrinterPageByPage)
{
    SetLongText();
    ASSERT_GT(linesPerPage, 10);
    EXPECT_EQ(PrintTo("all-pages"), 1);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_NOERROR));
    EXPECT_EQ(PostScriptPageCount(OutputPath("all-pages")), 3);

    job.pageSet = AEPS_ODD;
    EXPECT_EQ(PrintTo("odd-pages"), 1);
    EXPECT_EQ(PostScriptPageCount(OutputPath("odd-pages")), 2) << "pages 1 and 3";

    job.pageSet = AEPS_ALL;
    job.copies = 2;
    EXPECT_EQ(PrintTo("two-copies"), 1);
    EXPECT_EQ(PostScriptPageCount(OutputPath("two-copies")), 6);

    job.copies = 1;
    job.selectionOnly = 1;
    AERANGE lines = {9 * 9, 12 * 9}; // "Line 010" to "Line 012": 9 bytes a line in the store
    SendMessageA(control, AEM_SETSEL, 0, reinterpret_cast<LPARAM>(&lines));
    EXPECT_EQ(PrintTo("selection"), 1);
    EXPECT_EQ(PostScriptPageCount(OutputPath("selection")), 1);
}

TEST_F(Printing, MarginsWithoutRoomAreRefusedBeforeAnythingIsPrinted)
{
    SendMessageA(control, AEM_REPLACESEL, 0, reinterpret_cast<LPARAM>("text"));
    job.leftMargin = 1300;
    job.rightMargin = 1300; // more than the page is wide
    EXPECT_EQ(PrintTo("refused"), 0);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_MARGINS));
    EXPECT_EQ(PostScriptPageCount(OutputPath("refused")), -1) << "no document was started";
}

} // namespace

} // namespace scrivlet
