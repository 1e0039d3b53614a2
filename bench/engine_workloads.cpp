// The same engine work, built natively and for Windows, so that one run of
// each shows what the Windows build costs under Wine against the native
// engine: the control's messages over a platform that keeps scroll bars and
// draws nothing. Prints one line per workload: its name, the median of its
// runs in milliseconds, and its floor (a bare memcpy or memchr of the same
// bytes) where it has one.
#include "control/control_engine.h"
#include "control/view_requests.h"
#include "highlight/style_file.h"
#include "highlight/style_model.h"
#include "support/silent_platform.h"

#include "bench_engine.h"
#include "bench_texts.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

using namespace scrivlet;

namespace {

constexpr uint32_t kMegabyte = 1024 * 1024;
constexpr unsigned kChar = 258, kSize = 5;

// Scroll bars that hold what they are given, clamped as Windows clamps them,
// and a layout that sends the control WM_SIZE with its client size.
struct Bars {
    ScrollBarState bar[2] = {};
    ControlRecord *record = nullptr;
    ControlPlatform platform = {};
};

ControlPlatform PlatformWithBars(Bars *bars)
{
    ControlPlatform platform = SilentPlatform();
    platform.context = bars;
    platform.getScrollBar = [](void *c, ScrollBar which, ScrollBarState *state) {
        *state = static_cast<Bars *>(c)->bar[which];
        return 1;
    };
    platform.setScrollRange = [](void *c, ScrollBar which, int32_t minimum, int32_t maximum, uint32_t page) {
        ScrollBarState &s = static_cast<Bars *>(c)->bar[which];
        s.minimum = minimum, s.maximum = maximum, s.page = page;
        int64_t top = std::max<int64_t>(int64_t(maximum) - int64_t(page) + 1, minimum);
        s.position = int32_t(std::min<int64_t>(std::max<int64_t>(s.position, minimum), top));
    };
    platform.setScrollPosition = [](void *c, ScrollBar which, int32_t position) {
        static_cast<Bars *>(c)->bar[which].position = position;
    };
    platform.relayout = [](void *c) {
        Bars *bars = static_cast<Bars *>(c);
        int width, height;
        bars->platform.clientSize(c, &width, &height);
        ControlMessage(bars->record, bars->platform, kSize, 0, LParam(uint32_t(width) | uint32_t(height) << 16));
    };
    return platform;
}

struct Control {
    Bars bars;
    ControlPlatform platform = PlatformWithBars(&bars);
    ControlRecord *record = CreateControl(7, AES_AUTOHSCROLL | AES_AUTOVSCROLL, platform);
    Control()
    {
        bars.record = record;
        bars.platform = platform;
        Send(AEM_SETLIMITTEXT, 0, LParam(0x7FFFFFFF));
    }
    ~Control() { DestroyControl(record, platform); }
    LResult Send(unsigned message, WParam wParam = 0, LParam lParam = 0)
    {
        return ControlMessage(record, platform, message, wParam, lParam);
    }
    void Select(uint32_t start, uint32_t end)
    {
        AERANGE range = {start, end};
        Send(AEM_SETSEL, 0, reinterpret_cast<LParam>(&range));
    }
};

// An AEM_STREAMOUT callback that takes every byte and counts them.
DWORD CALLBACK Drain(DWORD_PTR cookie, LPBYTE, DWORD count, DWORD *done)
{
    *reinterpret_cast<uint64_t *>(cookie) += count;
    *done = count;
    return 0;
}

double Milliseconds(const std::function<void()> &work)
{
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Median of `runs` timings of `work`, each after an untimed `prepare`.
double Median(int runs, const std::function<void()> &prepare, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        prepare();
        times.push_back(Milliseconds(work));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Report(const char *name, double ms, double floor = -1)
{
    if (floor >= 0)
        std::printf("%-46s %9.2f ms   floor %8.2f ms\n", name, ms, floor);
    else
        std::printf("%-46s %9.2f ms\n", name, ms);
    std::fflush(stdout);
}

volatile uintptr_t sink; // keeps the floors' results alive

double MemchrFloor(const std::string &text, int runs)
{
    return Median(runs, [] {}, [&] { sink = uintptr_t(std::memchr(text.data(), '\x01', text.size())); });
}

void StreamingAndSearching()
{
    const std::string crlf = SourceLines(100 * kMegabyte, "\r\n");
    double in = Median(5, [] {}, [&] { Control control; LoadText(&control, crlf); });
    double copy = Median(5, [] {}, [&] {
        char *block = static_cast<char *>(std::malloc(crlf.size() + 1));
        std::memcpy(block, crlf.data(), crlf.size() + 1);
        sink = uintptr_t(block[crlf.size() / 2]);
        std::free(block);
    });
    Report("stream in 100 MB, CR LF", in, copy);

    Control control;
    const std::string lf = SourceLines(100 * kMegabyte, "\n");
    LoadText(&control, lf);
    uint64_t drained = 0;
    double out = Median(5, [] {}, [&] {
        AESTREAM stream = {reinterpret_cast<DWORD_PTR>(&drained), 0, Drain};
        control.Send(AEM_STREAMOUT, 0, reinterpret_cast<LParam>(&stream));
    });
    Report("stream out 100 MB", out);
    double floor = MemchrFloor(lf, 9);
    for (DWORD flags : {DWORD(AEFT_MATCHCASE), DWORD(0)}) {
        AEFINDTEXT find = {0, 0xFFFFFFFF, "absent pattern", 0, 0};
        double ms = Median(9, [] {}, [&] { control.Send(AEM_FINDTEXT, flags, reinterpret_cast<LParam>(&find)); });
        Report(flags != 0 ? "find text 100 MB, match case" : "find text 100 MB, any case", ms, floor);
    }
}

void Pasting()
{
    const std::string text = SourceLines(20 * kMegabyte, "\n");
    for (const char *end : {"\n", "\r\n"}) {
        std::string lines;
        for (int line = 0; line < 4000; ++line)
            lines += "    pasted line of some code;" + std::string(end);
        Control control;
        LoadText(&control, text);
        const uint32_t length = uint32_t(control.Send(AEM_GETTEXTLENGTH));
        double ms = Median(
            21,
            [&] {
                control.Select(0, uint32_t(control.Send(AEM_GETTEXTLENGTH)) - length);
                control.Send(AEM_REPLACESEL, 0, reinterpret_cast<LParam>(""));
                control.Send(AEM_EMPTYUNDOBUFFER);
                control.Select(0, 0);
            },
            [&] { control.Send(AEM_REPLACESEL, 1, reinterpret_cast<LParam>(lines.c_str())); });
        Report(end[0] == '\r' ? "paste 4,000 CR LF lines atop 20 MB" : "paste 4,000 LF lines atop 20 MB", ms);
    }
}

void Typing()
{
    const std::string text = SourceLines(10 * kMegabyte, "\n");
    const char paragraph[] = "The quick brown fox jumps over the lazy dog, again and again. ";
    Control *control = nullptr;
    double ms = Median(
        3,
        [&] {
            delete control;
            control = new Control;
            LoadText(control, text);
            control->Select(uint32_t(text.size()), uint32_t(text.size()));
        },
        [&] {
            for (int key = 0; key < 10000; ++key) {
                control->Send(kChar, WParam(static_cast<unsigned char>(paragraph[key % (sizeof paragraph - 1)])));
                control->Send(AEM_LINEFROMCHAR, WParam(0xFFFFFFFF));
                control->Send(AEM_GETCARETCOLUMN);
            }
        });
    delete control;
    Report("type 10,000 characters at the end of 10 MB", ms);
}

void ReplacingAll()
{
    for (uint32_t megabytes : {10u, 20u}) {
        const std::string text = TextWithMatches(megabytes * kMegabyte, 100000);
        Control *control = nullptr;
        double ms = Median(
            5,
            [&] {
                delete control;
                control = new Control;
                LoadText(control, text);
            },
            [&] {
                AEREPLACEALL request = {0, "cat", "dog"};
                control->Send(AEM_REPLACEALL, AEFT_MATCHCASE, reinterpret_cast<LParam>(&request));
            });
        delete control;
        Report(megabytes == 10 ? "replace all, 100,000 matches in 10 MB" : "replace all, 100,000 matches in 20 MB",
               ms);
    }
}

void Painting(const char *stylesPath)
{
    if (ReadStyleFile(stylesPath, true, false, nullptr) == 0 || FindStyleByName("JavaScript") == 0) {
        std::printf("paint: the styles at %s could not be read\n", stylesPath);
        return;
    }
    const std::string text = MinifiedLines(kMegabyte, 26);
    Control control;
    LoadText(&control, text);
    control.Send(AEM_SETSTYLE, 0, LParam(FindStyleByName("JavaScript")));
    control.bars.bar[kHorizontalBar].position = 500000;
    uint64_t cells = 0;
    PaintDevice device = CountingDevice(&cells);
    double ms = Median(9, [] {}, [&] { Paint(control.record, TextArea(control.record), device); });
    std::string shown = text.substr(0, (text.size() / 26 + 1) * 25);
    Report("paint 25 x 80 at column 500,000 of 1 MB lines", ms, MemchrFloor(shown, 9));
    ClearStyles();
}

} // namespace

// engine_workloads [STYLES.DAT [PART]]: PART ("paint", "paste", "type",
// "replace", "stream") runs only that part.
int main(int argc, char **argv)
{
    auto chosen = [&](const char *part) { return argc < 3 || std::strstr(part, argv[2]) != nullptr; };
    if (chosen("paint"))
        Painting(argc > 1 ? argv[1] : "styles.dat");
    if (chosen("paste"))
        Pasting();
    if (chosen("type"))
        Typing();
    if (chosen("replace"))
        ReplacingAll();
    if (chosen("stream"))
        StreamingAndSearching();
    return 0;
}
