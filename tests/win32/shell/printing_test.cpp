// The Print and Page Setup commands: the dialogs with their templates, the
// print job filled from them, and the printing errors, on the test printer.
#include "shell_fixture.h"

#include <dlgs.h>

#include "../print/test_printer.h"
#include "resources/resource.h"

#include <cstdio>
#include <fstream>

namespace scrivlet {

namespace {

class ShellPrinting : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        std::string why;
        ASSERT_TRUE(InstallTestPrinter(&why)) << why;
        output = std::string(SCRIVLET_BUILD_DIR) + "/print-output/shell.ps";
        CreateDirectoryA((std::string(SCRIVLET_BUILD_DIR) + "/print-output").c_str(), nullptr);
        std::remove(output.c_str());
        DirectPrintingTo(output);
    }

    // The "%%Title:" line of the printed file.
    std::string PrintedTitle() const
    {
        std::ifstream file(output);
        for (std::string line; std::getline(file, line);)
            if (line.rfind("%%Title:", 0) == 0)
                return line.substr(9);
        return "<none>";
    }

    std::string output;
};

TEST_F(ShellPrinting, PageSetupShowsTheRecordAndTakesOnlyLegalMargins)
{
    Start();
    dialogDriver = [this](HWND dialog) {
        EXPECT_EQ(ItemText(dialog, IDC_HEADER), "&F");
        EXPECT_EQ(ItemText(dialog, IDC_FOOTER), "&P");
        EXPECT_EQ(ItemText(dialog, IDC_MARGINLEFT), "0.63");
        EXPECT_EQ(ItemText(dialog, IDC_MARGINBOTTOM), "0.00");
        SetDlgItemTextA(dialog, IDC_HEADER, "Page &P");
        SetDlgItemTextA(dialog, IDC_MARGINLEFT, "5");
        SetDlgItemTextA(dialog, IDC_MARGINRIGHT, "abc");
        SetDlgItemTextA(dialog, IDC_MARGINTOP, "0.5");
        SetDlgItemTextA(dialog, IDC_MARGINBOTTOM, "1");
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    };
    Command(IDM_PAGESETUP);
    EXPECT_STREQ(g_app.pageSetup.header, "Page &P");
    EXPECT_EQ(g_app.pageSetup.marginLeft, 5.0);
    EXPECT_EQ(g_app.pageSetup.marginRight, 0.0) << "no number reads as 0";
    EXPECT_EQ(g_app.pageSetup.marginTop, 0.5);
    EXPECT_EQ(g_app.pageSetup.marginBottom, 1.0);
    EXPECT_TRUE(boxes.empty());

    for (const char *illegal : {"5.01", "-0.5"}) {
        boxes.clear();
        bool stayedOpen = false;
        dialogDriver = [&](HWND dialog) {
            EXPECT_EQ(ItemText(dialog, IDC_MARGINTOP), "0.50") << "two decimals";
            SetDlgItemTextA(dialog, IDC_FOOTER, illegal);
            SetDlgItemTextA(dialog, IDC_MARGINTOP, illegal);
            SendMessageA(dialog, WM_COMMAND, IDOK, 0);
            stayedOpen = IsWindowVisible(dialog) != FALSE;
            SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        };
        Command(IDM_PAGESETUP);
        ASSERT_EQ(boxes.size(), 1u) << illegal;
        EXPECT_EQ(boxes[0].text, "One or more margin settings are illegal !");
        EXPECT_EQ(boxes[0].title, "Scrivlet - Error");
        EXPECT_EQ(boxes[0].type, UINT(MB_OK | MB_ICONHAND));
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(g_app.pageSetup.marginTop, 0.5) << "the old margins stay";
        EXPECT_STREQ(g_app.pageSetup.footer, illegal) << "the texts were taken already";
    }
}

TEST_F(ShellPrinting, ThePrintDialogOffersTheSelectionAndReturnsTheChoices)
{
    WriteFile("listing.txt", "alpha\r\nbeta\r\ngamma\r\n");
    Start(Path("listing.txt"));
    Select(6, 10); // "beta"
    dialogDriver = [](HWND dialog) {
        EXPECT_EQ(IsDlgButtonChecked(dialog, rad2), UINT(BST_CHECKED)) << "the selection comes first";
        EXPECT_EQ(IsDlgButtonChecked(dialog, rad1), UINT(BST_UNCHECKED));
        EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_PAGESET, CB_GETCOUNT, 0, 0), 3);
        EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_PAGESET, CB_GETCURSEL, 0, 0), 0);
        char text[64] = "";
        SendDlgItemMessageA(dialog, IDC_PAGESET, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, "Odd pages");
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, chx1))) << "no printing to a file";
        SendDlgItemMessageA(dialog, IDC_PAGESET, CB_SETCURSEL, 1, 0);
        CheckDlgButton(dialog, IDC_PRINTERFONT, BST_CHECKED);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    };
    Command(IDM_PRINT);
    ASSERT_EQ(printDialogsShown.size(), 1u);
    EXPECT_EQ(printDialogsShown[0].Flags, DWORD(0x105100)) << "no PD_NOSELECTION with a selection";
    EXPECT_EQ(printDialogsShown[0].nCopies, 1);
    EXPECT_TRUE(boxes.empty()) << BoxTexts()[0];
    EXPECT_EQ(PostScriptPageCount(output), 1);
    EXPECT_EQ(PrintedTitle(), "listing.txt");

    // Without a selection the choice is not offered.
    Select(3, 3);
    dialogDriver = [](HWND dialog) {
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, rad2)));
        EXPECT_EQ(IsDlgButtonChecked(dialog, rad1), UINT(BST_CHECKED));
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    };
    Command(IDM_PRINT);
    EXPECT_EQ(printDialogsShown.back().Flags & PD_NOSELECTION, DWORD(PD_NOSELECTION));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ShellPrinting, TheJobFollowsTheDialogAndFailuresAreReported)
{
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    WriteFile("long.txt", text);
    Start(Path("long.txt"));

    printAnswers.push_back({true, true, 0, 2, 0});
    Command(IDM_PRINT);
    int twoCopies = PostScriptPageCount(output);
    EXPECT_GE(twoCopies, 4);
    EXPECT_EQ(twoCopies % 2, 0);

    std::remove(output.c_str());
    printAnswers.push_back({true, true, 0, 1, LPARAM(2 << 16)}); // even pages only
    Command(IDM_PRINT);
    EXPECT_EQ(PostScriptPageCount(output), twoCopies / 4) << "half the pages of one copy";

    printAnswers.push_back({true, false, 0, 1, 0});
    Command(IDM_PRINT);
    EXPECT_EQ(TakeBoxTexts(), std::vector<std::string>{"Printer device is not ready !"});

    g_app.pageSetup.marginLeft = 5.0;
    g_app.pageSetup.marginRight = 5.0; // wider than the paper
    printAnswers.push_back({});
    Command(IDM_PRINT);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "There was an error during printing !");
    EXPECT_EQ(boxes[0].status, "Printing file...");
    EXPECT_EQ(StatusPart(3), "") << "the message is cleared afterwards";

    printAnswers.push_back({false});
    Command(IDM_PRINT); // cancelled: nothing happens
    EXPECT_EQ(boxes.size(), 1u);
}

} // namespace

} // namespace scrivlet
