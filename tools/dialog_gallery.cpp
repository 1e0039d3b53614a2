// Draws every dialog of the program from its template, opened with the
// procedure and the parameter the program gives it, into BMP files in the
// folder named on the command line (scripts/dialog-screenshots turns them
// into PNG pictures for people to look at).
#include "shell/win32_app.h"

#include "config/file_types.h"
#include "core/id_list.h"
#include "dialogs/win32_dialogs.h"
#include "dialogs/win32_settings_dialogs.h"
#include "dialogs/win32_styles_dialogs.h"
#include "advancededit.h"
#include "resources/resource.h"
#include "support/window_capture.h"

#include <cstdio>
#include <string>

using namespace scrivlet;

namespace {

// A 24-bit BMP: the file header, the info header, then rows padded to 4 bytes.
bool SaveBitmap(const Capture &capture, const std::string &path)
{
    int stride = (capture.width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + DWORD(stride) * DWORD(capture.height);
    info.biSize = sizeof info;
    info.biWidth = capture.width;
    info.biHeight = -capture.height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::vector<unsigned char> row(size_t(stride), 0);
    FILE *out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        return false;
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info, sizeof info, 1, out);
    for (int y = 0; y < capture.height; ++y) {
        for (int x = 0; x < capture.width; ++x) {
            COLORREF c = capture.At(x, y);
            unsigned char *pixel = &row[size_t(x) * 3];
            pixel[0] = GetBValue(c), pixel[1] = GetGValue(c), pixel[2] = GetRValue(c);
        }
        std::fwrite(row.data(), 1, row.size(), out);
    }
    return std::fclose(out) == 0;
}

int Silent(HWND, const char *text, const char *, UINT)
{
    std::printf("message: %s\n", text);
    return IDCANCEL;
}

void Pump(DWORD milliseconds)
{
    DWORD until = GetTickCount() + milliseconds;
    while (GetTickCount() < until) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            ProcessMessage(&message);
        Sleep(10);
    }
}

struct Entry {
    const char *name;
    int templateId;
    DLGPROC procedure;
    LPARAM parameter;
};

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::printf("usage: dialog-gallery FOLDER\n");
        return 2;
    }
    std::string folder = argv[1];
    g_seams.messageBox = Silent;
    if (!StartScrivlet(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL))
        return 1;
    MoveWindow(g_app.mainWindow, 0, 0, 640, 480, TRUE);

    static char dateText[256];
    static Options options;
    GatherOptions(&options);
    FileType *firstType = static_cast<FileType *>(IterateValues(g_app.fileTypes));
    // The Styles dialog's sub-dialogs work on the style it is editing.
    DWORD style = DWORD(SendToEdit(AEM_FINDSTYLE, reinterpret_cast<WPARAM>("C/C++"), 0));
    g_stylesDialogs.app = &g_app;
    g_stylesDialogs.currentStyle = style;
    const Entry entries[] = {
        {"about", IDD_ABOUT, AboutDialogProc, 0},
        {"go-to", IDD_GOTO, GoToDialogProc, LPARAM(&g_app)},
        {"date-and-time", IDD_DATETIME, DateTimeDialogProc, LPARAM(dateText)},
        {"new-from-template", IDD_NEWFROMTEMPLATE, NewFromTemplateDialogProc, LPARAM(&g_app)},
        {"page-setup", IDD_PAGESETUP, PageSetupDialogProc, LPARAM(&g_app.pageSetup)},
        {"options", IDD_OPTIONS, OptionsDialogProc, LPARAM(&options)},
        {"file-types", IDD_FILETYPES, FileTypesDialogProc, LPARAM(&g_app)},
        {"edit-file-type", IDD_EDITFILETYPE, EditFileTypeDialogProc, LPARAM(firstType)},
        {"styles", IDD_STYLES, StylesDialogProc, LPARAM(&g_app)},
        {"add-style", IDD_ADDSTYLE, AddStyleDialogProc, 0},
        {"edit-style", IDD_EDITSTYLE, EditStyleDialogProc, LPARAM(style)},
        {"add-style-class", IDD_STYLECLASS, StyleClassDialogProc, 0},
        {"add-style-range", IDD_STYLERANGE, StyleRangeDialogProc, 0},
        {"add-style-symbol", IDD_STYLESYMBOL, StyleSymbolDialogProc, 0},
    };
    int saved = 0;
    for (const Entry &entry : entries) {
        HWND dialog = CreateDialogParamA(g_app.instance, MAKEINTRESOURCEA(entry.templateId), g_app.mainWindow,
                                         entry.procedure, entry.parameter);
        if (dialog == nullptr) {
            std::printf("%s: the dialog could not be created\n", entry.name);
            continue;
        }
        SetWindowPos(dialog, HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        Pump(400);
        if (SaveBitmap(CaptureWindow(dialog), folder + "\\" + entry.name + ".bmp"))
            ++saved;
        DestroyWindow(dialog);
        Pump(50);
    }
    std::printf("%d dialogs drawn\n", saved);
    SendMessageA(g_app.mainWindow, WM_CLOSE, 0, 0);
    Pump(100);
    return saved == int(sizeof entries / sizeof entries[0]) ? 0 : 1;
}
