// The menu and accelerator commands of the main window, and the menu states
// set when a popup opens.
#include "shell/win32_app.h"

#include "advancededit.h"
#include "resources/resource.h"

void ShowHelpContents()
{
    g_seams.winHelp(g_app.mainWindow, kHelpFile, HELP_FINDER, 0);
}

void OnMenuCommand(UINT command)
{
    switch (command) {
    case IDM_EXIT:
        SendMessageA(g_app.mainWindow, WM_CLOSE, 0, 0);
        break;
    case IDM_NEW:
        NewDocument();
        break;
    case IDM_OPEN:
        OpenDocument(true);
        break;
    case IDM_SAVE:
        SaveDocument(false);
        break;
    case IDM_SAVEAS:
        SaveDocument(true);
        break;
    case IDM_REFRESH:
        RefreshDocument();
        break;
    case IDM_INSERTFILE:
        InsertFile();
        break;
    case IDM_CUT:
        SendToEdit(WM_CUT, 0, 0);
        break;
    case IDM_COPY:
        SendToEdit(WM_COPY, 0, 0);
        break;
    case IDM_PASTE:
        SendToEdit(WM_PASTE, 0, 0);
        break;
    case IDM_DELETE:
        SendToEdit(WM_CLEAR, 0, 0);
        break;
    case IDM_PRINT:
        PrintDocument();
        break;
    case IDM_PAGESETUP:
        EditPageSetup();
        break;
    case IDM_HELPCONTENTS:
        ShowHelpContents();
        break;
    default:
        if (command >= IDM_RECENTFIRST && command <= IDM_RECENTLAST)
            OpenRecent(command - IDM_RECENTFIRST + 1);
        break;
    }
}

// The File popup: Refresh only for a document with a name on disk, and the
// Recent Files submenu built afresh from the registry.
void OnInitMenuPopup(HMENU popup)
{
    HMENU menu = GetMenu(g_app.mainWindow);
    if (popup == GetSubMenu(menu, FILE_MENU_POSITION)) {
        EnableMenuItem(popup, IDM_REFRESH, MF_BYCOMMAND | (IsUntitled(g_app.fileName) ? MF_GRAYED : MF_ENABLED));
        BuildRecentMenu(popup);
    }
}
