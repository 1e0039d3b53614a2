// dialog_probe: the helper of scripts/e2e-dialogs, run in the editor's Wine
// prefix beside it, for what X cannot show of a Windows program.
//   dialog_probe file-types TITLE  prints the entries of the "Files of type"
//                                  box of the open file dialog titled TITLE
//   dialog_probe printer PATH      makes the test printer the default one,
//                                  printing into the Unix file PATH
#include "win32/print/test_printer.h"

#include <dlgs.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace scrivlet {
namespace {

int PrintFileTypes(const char *title)
{
    HWND dialog = nullptr;
    for (int i = 0; i < 50 && dialog == nullptr; ++i) { // the dialog may still be opening
        dialog = FindWindowA(nullptr, title);
        if (dialog == nullptr)
            Sleep(100);
    }
    HWND types = dialog != nullptr ? GetDlgItem(dialog, cmb1) : nullptr;
    if (types == nullptr) {
        std::printf("no %s \"%s\"\n", dialog == nullptr ? "window titled" : "file-type box in", title);
        return 1;
    }
    LRESULT count = SendMessageA(types, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        // Wide: Wine hands the ANSI text of another process's box on cut.
        wchar_t text[512] = L"";
        if (SendMessageW(types, CB_GETLBTEXTLEN, WPARAM(i), 0) < LRESULT(512))
            SendMessageW(types, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text));
        char line[1024] = "";
        WideCharToMultiByte(CP_ACP, 0, text, -1, line, sizeof line, nullptr, nullptr);
        std::printf("%s\n", line);
    }
    return 0;
}

int MakeTestPrinter(const char *unixPath)
{
    std::string why;
    if (!InstallTestPrinter(&why)) {
        std::printf("the test printer: %s\n", why.c_str());
        return 1;
    }
    DirectPrintingTo(unixPath);
    return 0;
}

} // namespace
} // namespace scrivlet

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "file-types") == 0)
        return scrivlet::PrintFileTypes(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "printer") == 0)
        return scrivlet::MakeTestPrinter(argv[2]);
    std::printf("usage: dialog_probe file-types TITLE | printer UNIX_PATH\n");
    return 2;
}
