// Context help in the program's dialogs: the help file's topic for the
// control under the question mark.
#include "dialogs/win32_dialogs.h"

#include "shell/win32_app.h"

namespace scrivlet {

bool ShowDialogHelp(const HELPINFO *help, const DWORD *topics)
{
    if (help->iContextType != HELPINFO_WINDOW)
        return false;
    for (const DWORD *pair = topics; pair[0] != 0; pair += 2) {
        if (pair[0] == DWORD(help->iCtrlId)) {
            g_seams.winHelp(static_cast<HWND>(help->hItemHandle), kHelpFile, HELP_WM_HELP,
                            reinterpret_cast<ULONG_PTR>(topics));
            return true;
        }
    }
    return false;
}

} // namespace scrivlet
