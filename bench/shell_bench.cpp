// Timings of the real editor under Wine: opening a large file through the
// Open command up to the first paint of the edit control, and saving it back.
// Prints the median of five runs of each.
#include "shell/win32_app.h"

#include "advancededit.h"
#include "resources/resource.h"

#include "bench_texts.h"

#include <algorithm>
#include <cstring>
#include <cstdio>
#include <string>
#include <vector>

using namespace scrivlet;

namespace {

std::string chosenPath;

BOOL ChooseBenchFile(OPENFILENAMEA *record)
{
    std::snprintf(record->lpstrFile, record->nMaxFile, "%s", chosenPath.c_str());
    record->nFileOffset = WORD(chosenPath.find_last_of('\\') + 1);
    std::snprintf(record->lpstrFileTitle, record->nMaxFileTitle, "%s", chosenPath.c_str() + record->nFileOffset);
    return TRUE;
}

LARGE_INTEGER countShown; // when the count of a Replace All was shown

int Answer(HWND, const char *text, const char *, UINT)
{
    if (std::strstr(text, "occurrence(s) replaced") != nullptr)
        QueryPerformanceCounter(&countShown);
    else if (std::strncmp(text, "Finished searching", 18) != 0)
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

// A text of `size` bytes of prose lines with "cat" at `matches` evenly
// spaced places, written to a file and opened.
void OpenTextWithMatches(size_t size, size_t matches)
{
    std::string text = TextWithMatches(size, matches, "\r\n");
    chosenPath = "scrivlet-bench-matches.txt";
    FILE *file = std::fopen(chosenPath.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    g_app.modified = 0;
    OpenByPath(chosenPath.c_str());
    DeleteFileA(chosenPath.c_str());
}

void SetFindText(const char *findWhat, const char *replaceWith)
{
    FINDREPLACEA &record = g_app.findRecord;
    std::snprintf(record.lpstrFindWhat, record.wFindWhatLen, "%s", findWhat);
    std::snprintf(record.lpstrReplaceWith, record.wReplaceWithLen, "%s", replaceWith);
}

// Replace All from the start, from the notification to the count message.
double ReplaceAllSeconds(size_t size, size_t matches)
{
    OpenTextWithMatches(size, matches);
    SetFindText("cat", "dog");
    AERANGE start = {0, 0};
    SendMessageA(g_app.editControl, AEM_SETSEL, 1, reinterpret_cast<LPARAM>(&start));
    g_app.findRecord.Flags = FR_HIDEUPDOWN | FR_REPLACEALL;
    LARGE_INTEGER begin;
    QueryPerformanceCounter(&begin);
    SendMessageA(g_app.mainWindow, g_findReplaceMessage, 0, reinterpret_cast<LPARAM>(&g_app.findRecord));
    return Seconds(begin, countShown);
}

// The same replacements match by match through the control's messages, as
// a loop of AEM_FINDTEXT, AEM_SETSEL and AEM_REPLACESEL does them.
double StepByStepSeconds(size_t size, size_t matches)
{
    OpenTextWithMatches(size, matches);
    LARGE_INTEGER begin, end;
    QueryPerformanceCounter(&begin);
    LockWindowUpdate(g_app.editControl);
    DWORD from = 0;
    for (;;) {
        AEFINDTEXT find = {from, 0xFFFFFFFF, "cat", 0, 0};
        if (SendMessageA(g_app.editControl, AEM_FINDTEXT, 0, reinterpret_cast<LPARAM>(&find)) < 0)
            break;
        AERANGE match = {find.foundStart, find.foundEnd};
        SendMessageA(g_app.editControl, AEM_SETSEL, 1, reinterpret_cast<LPARAM>(&match));
        SendMessageA(g_app.editControl, AEM_REPLACESEL, 1, reinterpret_cast<LPARAM>("dog"));
        from = find.foundStart + 3;
    }
    LockWindowUpdate(nullptr);
    QueryPerformanceCounter(&end);
    return Seconds(begin, end);
}

void MeasureReplaceAll()
{
    const size_t kTen = size_t(10) << 20;
    for (size_t matches : {size_t(10000), size_t(100000)}) {
        std::vector<double> runs;
        for (int run = 0; run < 5; ++run)
            runs.push_back(ReplaceAllSeconds(kTen, matches));
        std::printf("Replace All, 10 MB, %6zu matches: median %.3f s\n", matches, Median(runs));
    }
    std::vector<double> runs;
    for (int run = 0; run < 5; ++run)
        runs.push_back(ReplaceAllSeconds(kTen * 2, 100000));
    std::printf("Replace All, 20 MB, %6d matches: median %.3f s\n", 100000, Median(runs));
}

void MeasureMatchByMatch()
{
    const size_t kTen = size_t(10) << 20;
    for (size_t matches : {size_t(250), size_t(1000)}) {
        std::vector<double> loop;
        for (int run = 0; run < 3; ++run)
            loop.push_back(StepByStepSeconds(kTen, matches));
        std::printf("match by match, 10 MB, %5zu matches: median %.3f s (for comparison)\n", matches, Median(loop));
    }
}

// Find Next from the start to the one match at the end of a 100 MB text.
void MeasureFindNext()
{
    OpenTextWithMatches(size_t(100) << 20, 0);
    AERANGE end = {0xFFFFFFFF, 0xFFFFFFFF};
    SendMessageA(g_app.editControl, AEM_SETSEL, 0, reinterpret_cast<LPARAM>(&end));
    SendMessageA(g_app.editControl, AEM_REPLACESEL, 0, reinterpret_cast<LPARAM>("cat"));
    SetFindText("cat", "");
    g_app.findRecord.Flags = FR_HIDEUPDOWN | FR_FINDNEXT;
    std::vector<double> runs;
    for (int run = 0; run < 5; ++run) {
        AERANGE start = {0, 0};
        SendMessageA(g_app.editControl, AEM_SETSEL, 0, reinterpret_cast<LPARAM>(&start));
        LARGE_INTEGER begin, found;
        QueryPerformanceCounter(&begin);
        SendMessageA(g_app.mainWindow, g_findReplaceMessage, 0, reinterpret_cast<LPARAM>(&g_app.findRecord));
        QueryPerformanceCounter(&found);
        runs.push_back(Seconds(begin, found));
    }
    std::printf("Find Next, 100 MB, to the last match: median %.3f s\n", Median(runs));
}

// One line of `size` bytes of minified JavaScript, as bundlers leave it.
void WriteMinifiedLine(const std::string &path, uint32_t size)
{
    std::string line = MinifiedLines(size, 1);
    FILE *file = std::fopen(path.c_str(), "wb");
    std::fwrite(line.data(), 1, line.size(), file);
    std::fclose(file);
}

// Sends one key to the control and waits for the paint it causes.
double KeySeconds(UINT message, WPARAM key)
{
    LARGE_INTEGER begin, end;
    QueryPerformanceCounter(&begin);
    SendMessageA(g_app.editControl, message, key, 1);
    if (message == WM_KEYDOWN)
        SendMessageA(g_app.editControl, WM_KEYUP, key, 0xC0000001);
    UpdateWindow(g_app.editControl);
    QueryPerformanceCounter(&end);
    return Seconds(begin, end);
}

// A 2 MB one-line minified JavaScript file: Open to the first paint, then
// four rounds of End, Home, a typed character and Backspace at the line's
// end (the first character also marks the document modified).
void MeasureMinifiedLine()
{
    char full[MAX_PATH];
    GetFullPathNameA("scrivlet-bench-minified.js", sizeof full, full, nullptr);
    chosenPath = full;
    WriteMinifiedLine(chosenPath, uint32_t(2) << 20);
    std::vector<double> opens, ends, homes, typed, backspaces;
    for (int run = 0; run < 5; ++run) {
        g_app.modified = 0;
        LARGE_INTEGER openStart, painted;
        QueryPerformanceCounter(&openStart);
        SendMessageA(g_app.mainWindow, WM_COMMAND, IDM_OPEN, 0);
        UpdateWindow(g_app.editControl);
        QueryPerformanceCounter(&painted);
        opens.push_back(Seconds(openStart, painted));
        for (int round = 0; round < 4; ++round) {
            ends.push_back(KeySeconds(WM_KEYDOWN, VK_END));
            homes.push_back(KeySeconds(WM_KEYDOWN, VK_HOME));
            KeySeconds(WM_KEYDOWN, VK_END);
            typed.push_back(KeySeconds(WM_CHAR, 'x'));
            backspaces.push_back(KeySeconds(WM_KEYDOWN, VK_BACK));
            KeySeconds(WM_CHAR, 'y'); // the line grows from round to round, as typing makes it
            KeySeconds(WM_CHAR, 'z');
            KeySeconds(WM_KEYDOWN, VK_HOME);
        }
    }
    std::printf("2 MB one-line JavaScript: open to first paint median %.3f s; End %.1f ms, Home %.1f ms, "
                "a character %.1f ms, Backspace %.1f ms\n",
                Median(opens), 1000 * Median(ends), 1000 * Median(homes), 1000 * Median(typed),
                1000 * Median(backspaces));
    g_app.modified = 0;
    SendMessageA(g_app.mainWindow, WM_COMMAND, IDM_NEW, 0);
    DeleteFileA(chosenPath.c_str());
}

} // namespace

// With an argument, runs only the parts whose name holds it ("open",
// "minified", "replace", "stepwise", "find").
int main(int argc, char **argv)
{
    g_seams.getOpenFileName = ChooseBenchFile;
    g_seams.messageBox = Answer;
    if (!StartScrivlet(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL))
        return 1;
    auto chosen = [&](const char *part) { return argc < 2 || std::strstr(part, argv[1]) != nullptr; };
    if (chosen("minified"))
        MeasureMinifiedLine();
    if (chosen("open")) {
        Measure("10 MB", 10);
        Measure("100 MB", 100);
    }
    if (chosen("replace"))
        MeasureReplaceAll();
    if (chosen("stepwise"))
        MeasureMatchByMatch();
    if (chosen("find"))
        MeasureFindNext();
    g_app.modified = 0;
    SendMessageA(g_app.mainWindow, WM_CLOSE, 0, 0);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
