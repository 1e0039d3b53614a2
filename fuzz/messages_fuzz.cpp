// libFuzzer target for the control's engine as a whole. The input picks the
// control's scroll styles, then a sequence of messages with their
// parameters: selections, replacements, typed characters and keys with
// Shift and Ctrl, undo and redo, limits, tab stops, undo levels, short
// stream-ins, Replace All, searches, indenting, scrolling, resizing, the
// clipboard, the mouse and timers. The host keeps scroll bars, a client
// size, modifier keys, the capture and a clipboard, and lays the view out
// by sending WM_SIZE as a window would. Checked after every message:
// - the text's length is its NUL's offset, it holds no CR, and the line
//   count is 1 + its line feeds;
// - selStart <= selEnd <= length and caret <= length;
// - AEM_GETCARETCOLUMN is the caret's display column, and AEM_LINEFROMCHAR
//   gives the line of the caret, the selection's end and the text's end.
// And for the searching messages:
// - AEM_FINDTEXT finds the first match a plain search finds;
// - where no limit can refuse an insertion, AEM_REPLACEALL leaves the text
//   and count of a plain replace loop and an empty selection after the
//   last replacement.
#include "control/control_engine.h"
#include "control/window_messages.h"
#include "core/text_store.h"
#include "support/silent_platform.h"

#include "fuzz_input.h"
#include "fuzz_support.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

using namespace scrivlet;

namespace {

// Virtual keys, numbered as Win32 numbers them (the messages are the
// engine's own names, control/window_messages.h).
enum : unsigned {
    kKeyShift = 16,
    kKeyControl = 17,
};

const unsigned kKeys[] = {8, 9, 13, 33, 34, 35, 36, 37, 38, 39, 40, 45, 46, 65};

// What a window and its surroundings keep for the control.
struct Host {
    ControlPlatform platform;
    ControlRecord *record;
    ScrollBarState bars[2];
    int width, height; // client size in pixels
    bool shift, ctrl;  // modifier keys held
    bool capture;
    int mouseX, mouseY;
    std::vector<char> clipboard; // the CF_TEXT block; empty: no text there
    std::vector<char> pending;   // a block being filled before it is set
};

Host &HostOf(void *context)
{
    return *static_cast<Host *>(context);
}

LResult Send(Host *host, unsigned message, WParam wParam = 0, LParam lParam = 0)
{
    return ControlMessage(host->record, host->platform, message, wParam, lParam);
}

LParam Point(int x, int y)
{
    return LParam(uint32_t(uint16_t(int16_t(x))) | uint32_t(uint16_t(int16_t(y))) << 16);
}

// Scroll bars that hold what they are given, clamped as Windows clamps them.
void SetRange(void *c, ScrollBar which, int32_t minimum, int32_t maximum, uint32_t page)
{
    ScrollBarState &s = HostOf(c).bars[which];
    s.minimum = minimum, s.maximum = maximum, s.page = page;
    int64_t top = std::max<int64_t>(int64_t(maximum) - int64_t(page) + 1, minimum);
    s.position = int32_t(std::min<int64_t>(std::max<int64_t>(s.position, minimum), top));
}

void AddWindowServices(ControlPlatform *p)
{
    p->clientSize = [](void *c, int *w, int *h) { *w = HostOf(c).width, *h = HostOf(c).height; };
    p->relayout = [](void *c) {
        Host &host = HostOf(c);
        if (host.record != nullptr)
            Send(&host, WM_SIZE_, 0, Point(host.width, host.height));
    };
    p->keyDown = [](void *c, int key) {
        return int((key == kKeyShift && HostOf(c).shift) || (key == kKeyControl && HostOf(c).ctrl));
    };
    p->getScrollBar = [](void *c, ScrollBar which, ScrollBarState *state) {
        *state = HostOf(c).bars[which];
        return 1;
    };
    p->setScrollRange = SetRange;
    p->setScrollPosition = [](void *c, ScrollBar which, int32_t position) { HostOf(c).bars[which].position = position; };
    p->hasFocus = [](void *) { return 1; };
    p->setCapture = [](void *c) { HostOf(c).capture = true; };
    p->releaseCapture = [](void *c) { HostOf(c).capture = false; };
    p->captureHeld = [](void *c) { return int(HostOf(c).capture); };
    p->cursorPosition = [](void *c, int *x, int *y) { *x = HostOf(c).mouseX, *y = HostOf(c).mouseY; };
}

void AddClipboard(ControlPlatform *p)
{
    p->isTextAvailable = [](void *c) { return int(!HostOf(c).clipboard.empty()); };
    p->openClipboard = [](void *) { return 1; };
    p->emptyClipboard = [](void *c) { HostOf(c).clipboard.clear(); };
    p->allocateClipboardText = [](void *c, uint32_t size) {
        HostOf(c).pending.assign(size, '\x5A');
        return HostOf(c).pending.data();
    };
    p->setClipboardText = [](void *c, char *block) {
        Check(block == HostOf(c).pending.data(), "set a block that was not allocated");
        HostOf(c).clipboard.swap(HostOf(c).pending);
    };
    p->lockClipboardText = [](void *c, uint32_t *size) -> const char * {
        *size = uint32_t(HostOf(c).clipboard.size());
        return HostOf(c).clipboard.data();
    };
}

void InitHost(Host *host, uint32_t style)
{
    host->platform = SilentPlatform();
    host->platform.context = host;
    AddWindowServices(&host->platform);
    AddClipboard(&host->platform);
    host->width = 8 * 20 + 1, host->height = 13 * 6 + 1;
    host->record = CreateControl(1, style, host->platform);
    Check(host->record != nullptr, "no control");
    Send(host, WM_SIZE_, 0, Point(host->width, host->height));
}

std::string Text(const Host &host)
{
    return std::string(host.record->text.bytes, host.record->text.length);
}

// ---- The model's plain search and replace loop.

bool IsWordByte(char c)
{
    unsigned char u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_';
}

char Fold(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// Whether the pattern matches bytes[at …] of a range of `size` bytes.
bool MatchesAt(const char *bytes, size_t size, size_t at, const std::string &pattern, uint32_t flags)
{
    for (size_t i = 0; i < pattern.size(); ++i) {
        char a = bytes[at + i], b = pattern[i];
        if ((flags & AEFT_MATCHCASE) ? a != b : Fold(a) != Fold(b))
            return false;
    }
    if ((flags & AEFT_WHOLEWORD) == 0)
        return true;
    size_t end = at + pattern.size();
    return (at == 0 || !IsWordByte(bytes[at - 1])) && (end == size || !IsWordByte(bytes[end]));
}

// First match of the pattern in a range, as AEM_FINDTEXT defines it.
int64_t PlainFind(const char *bytes, size_t size, const std::string &pattern, uint32_t flags)
{
    if (pattern.empty() || pattern.size() > size)
        return -1;
    for (size_t at = 0; at + pattern.size() <= size; ++at)
        if (MatchesAt(bytes, size, at, pattern, flags))
            return int64_t(at);
    return -1;
}


struct ReplaceOutcome {
    std::string text;
    uint32_t count;
    size_t end;     // after the last replacement
    size_t longest; // the longest the text became
};

// The replace loop: search from `from`, replace, search on after the
// replacement. Each search starts where the match it replaced ended in the
// original text, so the loop is one pass over the original.
ReplaceOutcome PlainReplaceAll(const std::string &text, size_t from, const std::string &pattern,
                               const std::string &replacement, uint32_t flags)
{
    ReplaceOutcome out{"", 0, 0, text.size()};
    const std::string inserted = ToStore(replacement);
    from = std::min(from, text.size());
    out.text = text.substr(0, from);
    for (int64_t found; (found = PlainFind(text.data() + from, text.size() - from, pattern, flags)) >= 0;) {
        out.text.append(text, from, size_t(found));
        out.text += inserted;
        out.end = out.text.size();
        from += size_t(found) + pattern.size();
        out.longest = std::max(out.longest, out.text.size() + text.size() - from);
        ++out.count;
    }
    out.text.append(text, from, std::string::npos);
    return out;
}

// ---- Checks after every message.

uint32_t LineFeedsBefore(const ControlRecord *record, uint32_t offset)
{
    return uint32_t(std::count(record->text.bytes, record->text.bytes + offset, '\n'));
}

void CheckLineFromChar(Host *host, uint32_t offset)
{
    Check(Send(host, AEM_LINEFROMCHAR, offset) == LResult(LineFeedsBefore(host->record, offset)),
          "AEM_LINEFROMCHAR gives another line");
}

void CheckInvariants(Host *host)
{
    const ControlRecord *record = host->record;
    const char *bytes = record->text.bytes;
    const uint32_t length = record->text.length;
    Check(std::strlen(bytes) == length, "length is not the NUL's offset");
    Check(std::memchr(bytes, '\r', length) == nullptr, "a CR in the text");
    Check(record->lineCount == 1 + LineFeedsBefore(record, length), "line count is not 1 + line feeds");
    Check(record->selStart <= record->selEnd && record->selEnd <= length, "selection out of order or beyond the text");
    Check(record->caret <= length, "caret beyond the text");
    Check(Send(host, AEM_GETCARETCOLUMN) == LResult(ColumnOfOffset(TabStopsOf(record), bytes, record->caret)),
          "AEM_GETCARETCOLUMN is not the caret's column");
    Check(Send(host, AEM_LINEFROMCHAR, WParam(kNoOffset)) == LResult(LineFeedsBefore(record, record->caret)),
          "AEM_LINEFROMCHAR -1 is not the caret's line");
    CheckLineFromChar(host, record->selEnd);
    CheckLineFromChar(host, length);
}

// ---- The messages, each decoded from the input.

// An offset: 255 stands for -1 (the end, or the caret).
DWORD Offset(InputReader *in)
{
    uint8_t b = in->Byte();
    return b == 255 ? kNoOffset : b;
}

// A short text of 0 … 8 bytes, as a NUL-terminated string takes it.
std::string ShortText(InputReader *in)
{
    std::string bytes = in->Bytes(in->Byte() % 9);
    return bytes.substr(0, bytes.find('\0'));
}

void SetSel(Host *host, InputReader *in)
{
    AERANGE range{Offset(in), Offset(in)};
    Send(host, AEM_SETSEL, in->Byte() & 1, reinterpret_cast<LParam>(&range));
}

void ReplaceSel(Host *host, InputReader *in)
{
    uint8_t how = in->Byte();
    std::string text = ShortText(in);
    Send(host, AEM_REPLACESEL, how & 1, (how & 2) ? 0 : reinterpret_cast<LParam>(text.c_str()));
}

void TypeKey(Host *host, InputReader *in)
{
    uint8_t keys = in->Byte();
    host->shift = (keys & 1) != 0;
    host->ctrl = (keys & 2) != 0;
    Send(host, WM_KEYDOWN_, kKeys[(keys >> 2) % (sizeof kKeys / sizeof *kKeys)], 0);
    host->shift = host->ctrl = false;
}

void SetTabStops(Host *host, InputReader *in)
{
    uint8_t how = in->Byte();
    uint32_t widths[3];
    uint32_t count = how % 4;
    for (uint32_t i = 0; i < count; ++i)
        widths[i] = in->Byte() % 17; // 0 counts as 1
    WParam keepTabs = (how >> 2) & 1;
    Send(host, AEM_SETTABSTOPS, count | keepTabs << 16, count > 0 ? reinterpret_cast<LParam>(widths) : 0);
}

struct ShortSource {
    std::string bytes;
    bool delivered;
};

DWORD CALLBACK ReadOnce(DWORD_PTR cookie, LPBYTE buffer, DWORD count, DWORD *done)
{
    auto *source = reinterpret_cast<ShortSource *>(cookie);
    *done = source->delivered ? 0 : DWORD(std::min<size_t>(source->bytes.size(), count));
    std::memcpy(buffer, source->bytes.data(), *done);
    source->delivered = true;
    return 0;
}

void StreamIn(Host *host, InputReader *in)
{
    WParam mode = in->Byte() % 3;
    ShortSource source{in->Bytes(in->Byte() % 17), false};
    AESTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, ReadOnce};
    Send(host, AEM_STREAMIN, mode, reinterpret_cast<LParam>(&stream));
}

// The model applies only where nothing can refuse an insertion: both
// scroll styles and a limit the text never passes.
void ReplaceAll(Host *host, InputReader *in)
{
    uint8_t how = in->Byte();
    uint32_t flags = how % 4;
    AEREPLACEALL request{Offset(in), nullptr, nullptr};
    std::string pattern = ShortText(in), replacement = ShortText(in);
    request.pattern = pattern.c_str();
    request.replacement = (how & 4) && replacement.empty() ? nullptr : replacement.c_str();
    const ReplaceOutcome expected = PlainReplaceAll(Text(*host), request.start, pattern, replacement, flags);
    LResult count = Send(host, AEM_REPLACEALL, flags, reinterpret_cast<LParam>(&request));

    const uint32_t both = AES_AUTOHSCROLL | AES_AUTOVSCROLL;
    if ((host->record->style & both) != both || expected.longest > host->record->limitText)
        return;
    Check(count == LResult(expected.count), "Replace All count differs from a plain loop");
    Check(Text(*host) == expected.text, "Replace All text differs from a plain loop");
    if (expected.count > 0)
        Check(host->record->selStart == expected.end && host->record->selEnd == expected.end,
              "Replace All selection is not after the last replacement");
}

void FindText(Host *host, InputReader *in)
{
    uint32_t flags = in->Byte() % 4;
    std::string pattern = ShortText(in);
    AEFINDTEXT find{Offset(in), Offset(in), pattern.c_str(), 0, 0};
    const std::string text = Text(*host);
    const size_t hi = std::min<size_t>(std::max(find.rangeStart, find.rangeEnd), text.size());
    const size_t lo = std::min<size_t>(std::min(find.rangeStart, find.rangeEnd), hi);
    const int64_t expected = PlainFind(text.data() + lo, hi - lo, pattern, flags);
    LResult found = Send(host, AEM_FINDTEXT, flags, reinterpret_cast<LParam>(&find));
    Check(found == LResult(expected), "AEM_FINDTEXT differs from a plain search");
    if (expected >= 0)
        Check(find.foundStart == lo + size_t(expected) && find.foundEnd == find.foundStart + pattern.size(),
              "AEM_FINDTEXT found range is wrong");
}

void Scroll(Host *host, InputReader *in)
{
    uint8_t how = in->Byte();
    WParam request = WParam(how % 9) | WParam(in->Byte()) << 16;
    Send(host, (how & 0x80) ? WM_HSCROLL_ : WM_VSCROLL_, request, 0);
}

void Resize(Host *host, InputReader *in)
{
    host->width = in->Byte() % 32 * 8 + 1;
    host->height = in->Byte() % 16 * 13 + 1;
    Send(host, WM_SIZE_, 0, Point(host->width, host->height));
}

void SetClipboard(Host *host, InputReader *in)
{
    std::string bytes = in->Bytes(in->Byte() % 17); // another program's: maybe without a NUL
    host->clipboard.assign(bytes.begin(), bytes.end());
}

void Mouse(Host *host, InputReader *in)
{
    const unsigned messages[] = {WM_LBUTTONDOWN_, WM_MOUSEMOVE_, WM_LBUTTONUP_, WM_LBUTTONDBLCLK_};
    uint8_t how = in->Byte();
    host->mouseX = int8_t(in->Byte()) * 2;
    host->mouseY = int8_t(in->Byte()) * 2;
    WParam keys = (how >> 2) & 5; // MK_LBUTTON, MK_SHIFT
    Send(host, messages[how % 4], keys, Point(host->mouseX, host->mouseY));
}

void Misc(Host *host, InputReader *in)
{
    const unsigned messages[] = {AEM_EMPTYUNDOBUFFER, AEM_RECALCLINES, AEM_SCROLLCARET, WM_SETFOCUS_, WM_KILLFOCUS_,
                                 WM_CUT_, WM_COPY_, WM_PASTE_, WM_CLEAR_};
    Send(host, messages[in->Byte() % (sizeof messages / sizeof *messages)]);
}

void Step(Host *host, InputReader *in)
{
    switch (in->Byte() % 20) {
    case 0: return SetSel(host, in);
    case 1: return ReplaceSel(host, in);
    case 2: Send(host, WM_CHAR_, in->Byte()); return;
    case 3: return TypeKey(host, in);
    case 4: Send(host, AEM_UNDO); return;
    case 5: Send(host, AEM_REDO); return;
    case 6: Send(host, AEM_SETLIMITTEXT, 0, LParam(4u * in->Byte())); return; // 0: the default
    case 7: return SetTabStops(host, in);
    case 8: Send(host, AEM_SETUNDOLEVELS, WParam(uint32_t(int32_t(int8_t(in->Byte()))))); return;
    case 9: return StreamIn(host, in);
    case 10: return ReplaceAll(host, in);
    case 11: return FindText(host, in);
    case 12: Send(host, AEM_INDENTSEL, in->Byte() & 1); return;
    case 13: return Scroll(host, in);
    case 14: return Resize(host, in);
    case 15: Send(host, AEM_SETAUTOINDENT, in->Byte() % 3); return;
    case 16: return SetClipboard(host, in);
    case 17: return Mouse(host, in);
    case 18: Send(host, WM_TIMER_, 1 + in->Byte() % 2); return;
    default: return Misc(host, in);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    InputReader in{data, size, 0};
    Host host{};
    InitHost(&host, in.Byte() & (AES_AUTOHSCROLL | AES_AUTOVSCROLL));
    CheckInvariants(&host);
    while (!in.AtEnd()) {
        Step(&host, &in);
        CheckInvariants(&host);
    }
    DestroyControl(host.record, host.platform);
    return 0;
}
