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

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

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

struct Source {
    const std::string *text;
    size_t position;
};

DWORD CALLBACK Feed(DWORD_PTR cookie, LPBYTE buffer, DWORD count, DWORD *done)
{
    auto *source = reinterpret_cast<Source *>(cookie);
    size_t rest = source->text->size() - source->position;
    *done = DWORD(std::min<size_t>(rest, count));
    std::memcpy(buffer, source->text->data() + source->position, *done);
    source->position += *done;
    return 0;
}

DWORD CALLBACK Drain(DWORD_PTR cookie, LPBYTE, DWORD count, DWORD *done)
{
    *reinterpret_cast<uint64_t *>(cookie) += count;
    *done = count;
    return 0;
}

void Load(Control *control, const std::string &text)
{
    Source source = {&text, 0};
    AESTREAM stream = {reinterpret_cast<DWORD_PTR>(&source), 0, Feed};
    control->Send(AEM_STREAMIN, 0, reinterpret_cast<LParam>(&stream));
}

// Source-code-like lines ending in `lineEnd`, about `size` bytes.
std::string SourceLines(uint32_t size, const char *lineEnd)
{
    std::string line = std::string("\tint total = values[index] + offset; // running sum") + lineEnd;
    std::string text;
    text.reserve(size + line.size());
    while (text.size() + line.size() <= size)
        text += line;
    return text;
}

// Prose lines with "cat" at `matches` evenly spaced places.
std::string TextWithMatches(uint32_t size, uint32_t matches)
{
    const std::string line = "the quick brown fox jumps over the lazy dog\n";
    std::string text;
    text.reserve(size + 64);
    uint32_t gap = size / matches, next = gap / 2;
    while (text.size() < size) {
        if (matches > 0 && text.size() >= next) {
            text += "cat ";
            next += gap;
            --matches;
        }
        text += line;
    }
    return text;
}

// `lines` lines of `lineSize` bytes of minified JavaScript.
std::string MinifiedLines(uint32_t lineSize, int lines)
{
    static const char *const pieces[] = {
        "function(e,t){var n=this._cache[e];", "if(n===void 0){n=t.call(this,e);this._cache[e]=n}",
        "return n.length>0?n:\"empty \\\"value\\\"\"}", "for(var i=0;i<a.length;i++){s+=a[i]/2|0}",
        "/* keep */", "case 1:r='single \\'q\\'';break;", "const m=`template ${x} text`;",
        "let o={key:\"v\",other:null,flag:true,n:NaN};", "while(k--)u.push(new Date(k));",
    };
    std::string line;
    for (size_t i = 0; line.size() < lineSize; ++i)
        line += pieces[(i * 7) % (sizeof pieces / sizeof pieces[0])];
    line.resize(lineSize);
    std::string text;
    for (int i = 0; i < lines; ++i)
        text += line + (i + 1 < lines ? "\n" : "");
    return text;
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
    double in = Median(5, [] {}, [&] { Control control; Load(&control, crlf); });
    double copy = Median(5, [] {}, [&] {
        char *block = static_cast<char *>(std::malloc(crlf.size() + 1));
        std::memcpy(block, crlf.data(), crlf.size() + 1);
        sink = uintptr_t(block[crlf.size() / 2]);
        std::free(block);
    });
    Report("stream in 100 MB, CR LF", in, copy);

    Control control;
    const std::string lf = SourceLines(100 * kMegabyte, "\n");
    Load(&control, lf);
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
        Load(&control, text);
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
            Load(control, text);
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
                Load(control, text);
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

PaintDevice CountingDevice(uint64_t *cells)
{
    PaintDevice device{};
    device.context = cells;
    device.systemColour = [](void *, int) { return 0u; };
    device.setTextColour = [](void *, uint32_t) { return 0u; };
    device.setBackColour = [](void *, uint32_t) { return 0u; };
    device.moveTo = [](void *, int, int) {};
    device.drawText = [](void *c, const char *, int count) { *static_cast<uint64_t *>(c) += uint64_t(count); };
    return device;
}

void Painting(const char *stylesPath)
{
    if (ReadStyleFile(stylesPath, true, false, nullptr) == 0 || FindStyleByName("JavaScript") == 0) {
        std::printf("paint: the styles at %s could not be read\n", stylesPath);
        return;
    }
    const std::string text = MinifiedLines(kMegabyte, 26);
    Control control;
    Load(&control, text);
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
