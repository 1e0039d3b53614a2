// The About dialog: the program's name and version, and the machine's
// memory in whole kilobytes.
#include "dialogs/win32_dialogs.h"

#include "resources/resource.h"
#include "scrivlet_version.h"

#include <cstdio>

namespace scrivlet {

namespace {

void SetNumberText(HWND dialog, int id, const char *format, unsigned long value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    SetDlgItemTextA(dialog, id, text);
}

BOOL OnInitDialog(HWND dialog)
{
    SetDlgItemTextA(dialog, IDC_ABOUT_NAME, "Scrivlet");
    SetDlgItemTextA(dialog, IDC_ABOUT_VERSION, "Version " SCRIVLET_VERSION_SHORT);
    SetDlgItemTextA(dialog, IDC_ABOUT_NOTE, "A programmer's text editor");
    MEMORYSTATUS memory = {};
    memory.dwLength = sizeof memory;
    GlobalMemoryStatus(&memory);
    SetNumberText(dialog, IDC_ABOUT_MEMORYLOAD, "%lu %%", memory.dwMemoryLoad);
    SetNumberText(dialog, IDC_ABOUT_TOTALMEMORY, "%lu KB", static_cast<unsigned long>(memory.dwTotalPhys / 1024));
    SetNumberText(dialog, IDC_ABOUT_FREEMEMORY, "%lu KB", static_cast<unsigned long>(memory.dwAvailPhys / 1024));
    return TRUE;
}

// Escape (Cancel) does nothing here: only OK closes the dialog.
BOOL OnCommand(HWND dialog, WORD command)
{
    if (command != IDOK)
        return FALSE;
    EndDialog(dialog, 0);
    return TRUE;
}

} // namespace

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam));
    default:
        return 0;
    }
}

} // namespace scrivlet
