// The New From Template dialog: the template files of every file type with
// their small shell icons; the chosen path goes to the open record's file
// buffer, from which the new document is made.
#include "dialogs/win32_dialogs.h"

#include "dialogs/win32_dialog_fields.h"

#include <commctrl.h>
#include <shellapi.h>

#include "config/file_types.h"
#include "core/id_list.h"
#include "resources/resource.h"
#include "shell/document_paths.h"
#include "shell/win32_app.h"

#include <cstdio>
#include <cstring>

namespace scrivlet {

namespace {

const DWORD kHelpTopics[] = {IDC_TEMPLATE_LIST, 33, IDOK, 11, IDCANCEL, 4, 0, 0};

// Calls `visit(type, path)` for every used template slot, types in list
// order and slots in order.
template <typename Visit> void ForEachTemplate(const IdList *types, Visit visit)
{
    if (types == nullptr)
        return;
    for (void *value = IterateValues(types); value != nullptr; value = IterateValues(nullptr)) {
        const FileType *type = static_cast<const FileType *>(value);
        for (const char(&path)[kTemplateSize] : type->templates)
            if (path[0] != '\0')
                visit(type, path);
    }
}

// The file name without directory and extension.
void TemplateTitle(char (&title)[kPathSize], const char *path)
{
    const char *name = path + FileNameOffset(path);
    size_t length = size_t(ExtensionWithDot(name) - name);
    std::snprintf(title, sizeof title, "%.*s", int(length), name);
}

// The icon the shell shows for such a file; it need not exist.
void AddIcon(HIMAGELIST images, const char *path)
{
    SHFILEINFOA info = {};
    if (SHGetFileInfoA(path, FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                       SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES) != 0 &&
        info.hIcon != nullptr) {
        ImageList_AddIcon(images, info.hIcon);
        DestroyIcon(info.hIcon);
    } else {
        ImageList_AddIcon(images, LoadIcon(nullptr, IDI_APPLICATION)); // keeps the indexes in step
    }
}

BOOL OnInitDialog(HWND dialog, AppState *app)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(app));
    HWND list = GetDlgItem(dialog, IDC_TEMPLATE_LIST);
    HIMAGELIST images = ImageList_Create(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                         ILC_COLOR32 | ILC_MASK, 8, 8);
    ForEachTemplate(app->fileTypes, [&](const FileType *, const char *path) { AddIcon(images, path); });
    ListView_SetImageList(list, images, LVSIL_SMALL);

    int index = 0;
    ForEachTemplate(app->fileTypes, [&](const FileType *type, const char *path) {
        char title[kPathSize];
        TemplateTitle(title, path);
        char text[kFileTypeNameSize + kPathSize + 16];
        std::snprintf(text, sizeof text, "%s template - %s", type->name, title);
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = index;
        item.iImage = index;
        item.pszText = text;
        item.lParam = reinterpret_cast<LPARAM>(path);
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        ++index;
    });
    EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
    return TRUE;
}

int SelectedItem(HWND dialog)
{
    return ListView_GetNextItem(GetDlgItem(dialog, IDC_TEMPLATE_LIST), -1, LVNI_SELECTED);
}

void OnOk(HWND dialog)
{
    int selected = SelectedItem(dialog);
    if (selected < 0)
        return;
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = selected;
    SendMessageA(GetDlgItem(dialog, IDC_TEMPLATE_LIST), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    auto *app = reinterpret_cast<AppState *>(GetWindowLongPtrA(dialog, DWLP_USER));
    std::snprintf(app->openDialog.lpstrFile, app->openDialog.nMaxFile, "%s",
                  reinterpret_cast<const char *>(item.lParam));
    EndDialog(dialog, 1);
}

// OK is enabled exactly while an item is selected; a double click is OK.
BOOL OnNotify(HWND dialog, const NMHDR *header)
{
    if (header->idFrom != IDC_TEMPLATE_LIST)
        return FALSE;
    if (header->code == LVN_ITEMCHANGED)
        EnableWindow(GetDlgItem(dialog, IDOK), SelectedItem(dialog) >= 0);
    else if (header->code == NM_DBLCLK)
        OnOk(dialog);
    return FALSE;
}

} // namespace

INT_PTR CALLBACK NewFromTemplateDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, reinterpret_cast<AppState *>(lParam));
    case WM_COMMAND:
        return OnOkOrCancel(dialog, LOWORD(wParam), OnOk);
    case WM_NOTIFY:
        return OnNotify(dialog, reinterpret_cast<const NMHDR *>(lParam));
    case WM_HELP:
        return ShowDialogHelp(reinterpret_cast<const HELPINFO *>(lParam), kHelpTopics);
    default:
        return 0;
    }
}

} // namespace scrivlet
