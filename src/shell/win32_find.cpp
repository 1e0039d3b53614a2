// Find and replace with the system's modeless Find and Replace dialogs on
// the one FINDREPLACEA record. Searches run forward from the selection to
// the end of the text and never wrap.
#include "shell/win32_app.h"

#include "advancededit.h"

#include <cstring>

namespace scrivlet {

namespace {

enum : WORD { kFindTextSize = 256 };

char findWhat[kFindTextSize];
char replaceWith[kFindTextSize];

DWORD SearchFlags()
{
    DWORD flags = g_app.findRecord.Flags;
    return ((flags & FR_MATCHCASE) != 0 ? AEFT_MATCHCASE : 0) | ((flags & FR_WHOLEWORD) != 0 ? AEFT_WHOLEWORD : 0);
}

// The end-of-search message, owned by the open dialog when there is one.
void ShowEndOfSearch()
{
    char text[kMessageTextSize];
    FormatEndOfSearch(text, findWhat);
    HWND owner = g_app.findDialog != nullptr ? g_app.findDialog : g_app.mainWindow;
    ShowMessage(owner, text, kInformationTitle, MB_OK | MB_ICONINFORMATION);
}

// Replace: the old selection collapses to its start and the next match is
// selected; when that is the old selection itself, it is replaced and the
// following match selected.
void ReplaceNext()
{
    AERANGE old = EditSelection();
    SelectInEdit(old.start, old.start);
    if (!FindNext())
        return;
    AERANGE found = EditSelection();
    if (found.start != old.start || found.end != old.end)
        return;
    SendToEdit(AEM_REPLACESEL, 1, reinterpret_cast<LPARAM>(replaceWith));
    FindNext();
}

// Replace All from the selection's start, repainting once at the end. The
// control replaces the matches in one pass with the results of the
// match-by-match loop; the search that finds nothing more ends it.
void ReplaceEverything()
{
    AERANGE old = EditSelection();
    SelectInEdit(old.start, old.start);
    LockWindowUpdate(g_app.editControl);
    unsigned long count = 0;
    if (findWhat[0] == '\0') {
        FindNext(); // nothing to look for: the dialog is brought forward
    } else {
        AEREPLACEALL request = {old.start, findWhat, replaceWith};
        count = static_cast<unsigned long>(SendToEdit(AEM_REPLACEALL, SearchFlags(), reinterpret_cast<LPARAM>(&request)));
        ShowEndOfSearch();
    }
    LockWindowUpdate(nullptr);
    InvalidateRect(g_app.editControl, nullptr, TRUE);
    char text[kMessageTextSize];
    FormatReplaceCount(text, count);
    ShowMessage(g_app.mainWindow, text, kInformationTitle, MB_OK | MB_ICONINFORMATION);
}

} // namespace

void InitFindRecord()
{
    std::memset(findWhat, 0, sizeof findWhat);
    std::memset(replaceWith, 0, sizeof replaceWith);
    FINDREPLACEA &record = g_app.findRecord;
    record = FINDREPLACEA{};
    record.lStructSize = sizeof record;
    record.hwndOwner = g_app.mainWindow;
    record.Flags = FR_HIDEUPDOWN;
    record.lpstrFindWhat = findWhat;
    record.wFindWhatLen = kFindTextSize;
    record.lpstrReplaceWith = replaceWith;
    record.wReplaceWithLen = kFindTextSize;
}

void OpenFindDialog(bool replace)
{
    if (g_app.findDialog != nullptr) {
        SetFocus(g_app.findDialog);
        return;
    }
    findWhat[0] = '\0';
    replaceWith[0] = '\0';
    FINDREPLACEA &record = g_app.findRecord;
    record.Flags = (record.Flags & (FR_MATCHCASE | FR_WHOLEWORD)) | FR_HIDEUPDOWN;
    AERANGE selection = EditSelection();
    if (selection.start != selection.end && selection.end - selection.start < kFindTextSize)
        SendToEdit(AEM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(findWhat));
    g_app.findDialog = replace ? ReplaceTextA(&record) : FindTextA(&record);
}

bool FindNext()
{
    if (findWhat[0] == '\0') {
        OpenFindDialog(false);
        return false;
    }
    AEFINDTEXT find = {EditSelection().end, 0xFFFFFFFF, findWhat, 0, 0};
    if (SendToEdit(AEM_FINDTEXT, SearchFlags(), reinterpret_cast<LPARAM>(&find)) >= 0) {
        SelectInEdit(find.foundStart, find.foundEnd);
        return true;
    }
    ShowEndOfSearch();
    return false;
}

void OnFindReplace(const FINDREPLACEA *record)
{
    DWORD flags = record->Flags;
    if (flags & FR_DIALOGTERM)
        g_app.findDialog = nullptr;
    else if (flags & FR_FINDNEXT)
        FindNext();
    else if (flags & FR_REPLACE)
        ReplaceNext();
    else if (flags & FR_REPLACEALL)
        ReplaceEverything();
}

} // namespace scrivlet
