// Print and Page Setup on the test printer: the dialogs, the job filled from them, the errors.
#include "shell_fixture.h"

#include <dlgs.h>

#include "../print/test_printer.h"
#include "resources/resource.h"

#include <cstdio>

namespace scrivlet {

TEST_F(ShellTest, PageSetupShowsTheRecordAndTakesOnlyLegalMargins)
{
    Start();
    for (const char *top : {"0.5", "-0.5"}) {
        bool stayedOpen = false;
        dialogDriver = [&](HWND dialog) {
            EXPECT_EQ(FieldText(dialog, IDC_FOOTER) + "|" + FieldText(dialog, IDC_MARGINLEFT) + "|" +
                          FieldText(dialog, IDC_MARGINTOP), *top == '0' ? "&P|0.63|0.00" : "Page &P|5.00|0.50")
                << "two decimals";
            SetDlgItemTextA(dialog, IDC_FOOTER, "Page &P");
            SetDlgItemTextA(dialog, IDC_MARGINLEFT, "5");
            SetDlgItemTextA(dialog, IDC_MARGINRIGHT, "abc");
            SetDlgItemTextA(dialog, IDC_MARGINTOP, top);
            SendMessageA(dialog, WM_COMMAND, IDOK, 0);
            if ((stayedOpen = IsWindowVisible(dialog) != FALSE))
                SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        };
        Command(IDM_PAGESETUP);
        EXPECT_EQ(stayedOpen, *top != '0') << top;
        const PageSetup &taken = g_app.pageSetup; // illegal margins leave the old ones; no number reads as 0
        EXPECT_EQ(std::to_string(taken.marginTop) + std::to_string(taken.marginLeft) + std::to_string(taken.marginRight),
                  "0.5000005.0000000.000000");
        EXPECT_STREQ(taken.footer, "Page &P");
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title + "|" + boxes[0].text, "Scrivlet - Error|One or more margin settings are illegal !");
    EXPECT_EQ(boxes[0].type, UINT(MB_OK | MB_ICONHAND));
}

TEST_F(ShellTest, PrintingFollowsTheDialogAndReportsFailures)
{
    std::string why, output = std::string(SCRIVLET_BUILD_DIR) + "/print-output/shell.ps";
    ASSERT_TRUE(InstallTestPrinter(&why)) << why;
    CreateDirectoryA((std::string(SCRIVLET_BUILD_DIR) + "/print-output").c_str(), nullptr);
    std::remove(output.c_str());
    DirectPrintingTo(output);
    WriteFile("listing.txt", "alpha\r\nbeta\r\n" + std::string(200, '\n'));
    Start(Path("listing.txt"));
    Select(6, 10); // "beta"
    dialogDriver = [](HWND dialog) {
        EXPECT_TRUE(Checked(dialog, rad2) && !Checked(dialog, rad1)) << "the selection comes first";
        EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_PAGESET, CB_GETCOUNT, 0, 0), 3);
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, chx1))) << "no printing to a file";
        SendDlgItemMessageA(dialog, IDC_PAGESET, CB_SETCURSEL, 1, 0);
        CheckDlgButton(dialog, IDC_PRINTERFONT, BST_CHECKED);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    };
    Command(IDM_PRINT);
    EXPECT_EQ(printDialogFlags[0], DWORD(0x105100)) << "no PD_NOSELECTION with a selection";
    EXPECT_EQ(printDialogData, (1 << 16) + 1) << "odd pages, the printer's font";
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(PostScriptPageCount(output), 1);

    Select(3, 3);
    printAnswers = {{true, false}, {}, {false}};
    Command(IDM_PRINT);
    EXPECT_EQ(printDialogFlags.back() & PD_NOSELECTION, DWORD(PD_NOSELECTION));
    EXPECT_EQ(TakeBoxTexts(), std::vector<std::string>{"Printer device is not ready !"});
    g_app.pageSetup.marginLeft = g_app.pageSetup.marginRight = 5.0; // wider than the paper
    Command(IDM_PRINT);
    Command(IDM_PRINT); // cancelled: nothing happens
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text + "|" + boxes[0].status, "There was an error during printing !|Printing file...");
    EXPECT_EQ(StatusPart(3), "") << "the message is cleared afterwards";
}

} // namespace scrivlet
