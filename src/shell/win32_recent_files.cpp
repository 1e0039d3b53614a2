// The recent-file list in the registry of the current user, and the Recent
// Files submenu built from it. The list is read again whenever it is shown
// or changed, so several running editors share it.
#include "shell/win32_app.h"

#include "advancededit.h"
#include "resources/resource.h"
#include "shell/document_paths.h"

#include <cstdio>
#include <cstring>

namespace scrivlet {

const char kRegistryKey[] = "SOFTWARE\\Brightmoor\\Scrivlet\\1.1";

RecentFileList g_recentMenuList;

namespace {

void RecentValueName(char (&name)[16], uint32_t index)
{
    std::snprintf(name, sizeof name, "RecentFile%u", unsigned(index + 1));
}

} // namespace

void ReadRecentList(RecentFileList *list)
{
    *list = RecentFileList{};
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRegistryKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return;
    for (uint32_t i = 0; i < kRecentFileCount; ++i) {
        char name[16];
        RecentValueName(name, i);
        char value[kRecentValueSize];
        DWORD type = 0;
        DWORD size = sizeof value - 1;
        LONG status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE *>(value), &size);
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
            continue;
        value[size] = '\0'; // a stored value need not end in a NUL
        ParseRecentValue(value, &list->entries[i]);
    }
    RegCloseKey(key);
}

// The key is created when it is missing, so that a fresh installation
// remembers its files too.
void WriteRecentList(const RecentFileList *list)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kRegistryKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    for (uint32_t i = 0; i < kRecentFileCount; ++i) {
        char name[16];
        RecentValueName(name, i);
        char value[kRecentValueSize];
        FormatRecentValue(&list->entries[i], value);
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(value),
                       DWORD(std::strlen(value) + 1));
    }
    RegCloseKey(key);
}

void AddDocumentToRecent()
{
    if (IsUntitled(g_app.fileName))
        return;
    char path[kPathSize];
    if (!JoinDocumentPath(path, g_app.documentDirectory, g_app.fileName))
        return;
    RecentFileList list;
    ReadRecentList(&list);
    AERANGE selection = g_app.storeRecentSelection ? EditSelection() : AERANGE{0, 0};
    if (AddRecentFile(&list, path, selection.start, selection.end))
        WriteRecentList(&list);
}

void BuildRecentMenu(HMENU filePopup)
{
    HMENU recent = GetSubMenu(filePopup, RECENT_FILES_POSITION);
    if (recent == nullptr)
        return;
    while (GetMenuItemCount(recent) > 0)
        DeleteMenu(recent, 0, MF_BYPOSITION);
    ReadRecentList(&g_recentMenuList);
    uint32_t count = CountRecentFiles(&g_recentMenuList);
    if (count == 0) {
        AppendMenuA(recent, MF_STRING | MF_GRAYED, IDM_RECENTFIRST, "empty");
        return;
    }
    for (uint32_t k = 1; k <= count; ++k) {
        char text[kRecentMenuTextSize];
        FormatRecentMenuItem(text, k, g_recentMenuList.entries[k - 1].path);
        AppendMenuA(recent, MF_STRING, IDM_RECENTFIRST + k - 1, text);
    }
}

void OpenRecent(uint32_t number)
{
    if (number < 1 || number > kRecentFileCount)
        return;
    RecentFile entry = g_recentMenuList.entries[number - 1];
    if (entry.path[0] == '\0')
        return; // the grayed "empty" item
    OpenByPath(entry.path);
    if (entry.selStart != 0)
        SelectInEdit(entry.selStart, entry.selEnd);
}

} // namespace scrivlet
