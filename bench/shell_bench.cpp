// Timings of the real editor under Wine: opening a large file through the
// Open command up to the first paint of the edit control, and saving it back.
// Prints the median of five runs of each.
#include "shell/win32_app.h"

#include "advancededit.h"
#include "resources/resource.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string chosenPath;

BOOL ChooseBenchFile(OPENFILENAMEA *record)
{
    std::snprintf(record->lpstrFile, record->nMaxFile, "%s", chosenPath.c_str());
    record->nFileOffset = WORD(chosenPath.find_last_of('\\') + 1);
    std::snprintf(record->lpstrFileTitle, record->nMaxFileTitle, "%s", chosenPath.c_str() + record->nFileOffset);
    return TRUE;
}

int Answer(HWND, const char *text, const char *, UINT)
{
    std::printf("unexpected message: %s\n", text);
    return IDNO;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Source-code-like lines with CR LF ends, `size` bytes in all.
void WriteSample(const std::string &path, size_t size)
{
    std::string line = "\tint total = values[index] + offset; // running sum\r\n";
    std::string block;
    while (block.size() + line.size() <= 1 << 20)
        block += line;
    FILE *file = std::fopen(path.c_str(), "wb");
    for (size_t written = 0; written < size; written += block.size())
        std::fwrite(block.data(), 1, std::min(block.size(), size - written), file);
    std::fclose(file);
}

void Measure(const char *label, size_t megabytes)
{
    chosenPath = "scrivlet-bench-" + std::to_string(megabytes) + "mb.c";
    char full[MAX_PATH];
    GetFullPathNameA(chosenPath.c_str(), sizeof full, full, nullptr);
    chosenPath = full;
    WriteSample(chosenPath, megabytes << 20);

    std::vector<double> opens, saves;
    for (int run = 0; run < 5; ++run) {
        LARGE_INTEGER openStart, painted, saveStart, saved;
        QueryPerformanceCounter(&openStart);
        SendMessageA(g_app.mainWindow, WM_COMMAND, IDM_OPEN, 0);
        UpdateWindow(g_app.editControl); // the first paint of the new text
        QueryPerformanceCounter(&painted);
        g_app.modified = 1;
        QueryPerformanceCounter(&saveStart);
        SendMessageA(g_app.mainWindow, WM_COMMAND, IDM_SAVE, 0);
        QueryPerformanceCounter(&saved);
        opens.push_back(Seconds(openStart, painted));
        saves.push_back(Seconds(saveStart, saved));
        if (SendMessageA(g_app.editControl, AEM_GETTEXTLENGTH, 0, 0) == 0)
            std::printf("the file did not load\n");
    }
    std::printf("%-8s open to first paint: median %.3f s   save: median %.3f s\n", label, Median(opens),
                Median(saves));
    SendMessageA(g_app.mainWindow, WM_COMMAND, IDM_NEW, 0);
    DeleteFileA(chosenPath.c_str());
}

} // namespace

int main()
{
    g_seams.getOpenFileName = ChooseBenchFile;
    g_seams.messageBox = Answer;
    if (!StartScrivlet(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL))
        return 1;
    Measure("10 MB", 10);
    Measure("100 MB", 100);
    SendMessageA(g_app.mainWindow, WM_CLOSE, 0, 0);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
