#include "highlight/highlighter.h"

#include "core/ascii_case.h"
#include "core/control_error.h"

#include <cstring>

namespace scrivlet {

namespace {

constexpr uint32_t kDeepest = 0xFFFFFFFF; // depths saturate here instead of wrapping to 0

// AsciiLower is the weakest equality any matching rule demands of two
// bytes: byte for byte implies it, and so does "without regard to the case
// of ASCII letters".

// Whether the pattern matches at line[at] under the class of `range`, with
// the autocase rewrite when `rewrite` is set. An empty pattern never
// matches (it would match everywhere and stop a scan from advancing). The
// length and first-byte checks only skip work MatchText would refuse anyway;
// they spare resolving the class at the many columns where nothing matches.
bool RangeTextMatches(const Style *style, const StyleRange *range, const char *pattern,
                      uint32_t patternLength, char *line, uint32_t at, uint32_t lineLength,
                      bool rewrite)
{
    uint32_t rest = lineLength - at;
    if (patternLength == 0 || patternLength > rest)
        return false;
    if (AsciiLower(static_cast<unsigned char>(line[at])) != AsciiLower(static_cast<unsigned char>(pattern[0])))
        return false;
    return MatchText(ResolveClass(style, range->classId), line + at, rest, pattern, patternLength,
                     rewrite);
}

// The first range in array order whose start text matches at `at`, or null.
// The match rewrites under autocase.
const StyleRange *OpeningRange(const Style *style, char *line, uint32_t at, uint32_t lineLength)
{
    for (uint32_t i = 0; i < style->rangeCount; ++i) {
        const StyleRange *range = &style->ranges[i];
        if (RangeTextMatches(style, range, range->startText, range->startLength, line, at,
                             lineLength, true))
            return range;
    }
    return nullptr;
}

// The range a carried state puts the scan inside, with the depth it starts
// from; null when the state is outside every range or the style has none to
// stand in for the one it names.
const StyleRange *RangeOfCarriedState(const Style *style, HighlightState state, uint32_t *depth)
{
    if (state.range == 0)
        return nullptr;
    const StyleRange *range = RangeOfState(style, state.range);
    *depth = state.depth != 0 ? state.depth : 1; // a named range means inside it
    return range;
}

// One step of the scan inside `range` at *at (< lineLength). An end text
// either is escaped by a backslash and skipped, or closes one level (every
// level when the range is not nested); failing that a start text opens one
// more level; failing that one byte is passed over. *at grows by at least
// one. Returns true when the depth has reached 0 (the range is closed).
bool ScanStep(const Style *style, const StyleRange *range, char *line, uint32_t lineLength,
              uint32_t *at, uint32_t *depth)
{
    uint32_t p = *at;
    if (range->endLength != 0) {
        // A backslash that is not itself backslashed escapes an end text
        // right after it.
        bool backslashed = (range->flags & kRangeBackslash) != 0 && line[p] == '\\' &&
                           (p == 0 || line[p - 1] != '\\');
        bool found =
            RangeTextMatches(style, range, range->endText, range->endLength, line, p, lineLength,
                             true) ||
            (backslashed && p + 1 < lineLength &&
             RangeTextMatches(style, range, range->endText, range->endLength, line, p + 1,
                              lineLength, true));
        if (found) {
            if (backslashed) {
                *at = p + range->endLength + 1;
                return false;
            }
            *at = p + range->endLength;
            *depth = range->nested != 0 ? *depth - 1 : 0;
            return *depth == 0;
        }
    }
    if (RangeTextMatches(style, range, range->startText, range->startLength, line, p, lineLength,
                         true)) {
        *at = p + range->startLength;
        if (*depth != kDeepest)
            ++*depth;
    } else {
        *at = p + 1;
    }
    return false;
}

// The bytes at which some range's start text may match: the first byte of
// every non-empty start text, letters in both cases. At any other byte
// OpeningRange finds nothing (its first-byte check fails for every range),
// so the line scan passes over it without trying the ranges.
struct OpeningBytes {
    bool possible[256];
};

void CollectOpeningBytes(const Style *style, OpeningBytes *bytes)
{
    std::memset(bytes->possible, 0, sizeof bytes->possible);
    for (uint32_t i = 0; i < style->rangeCount; ++i) {
        if (style->ranges[i].startLength == 0)
            continue;
        unsigned char first = AsciiLower(static_cast<unsigned char>(style->ranges[i].startText[0]));
        bytes->possible[first] = true;
        bytes->possible[AsciiUpper(first)] = true;
    }
}

// The state after the line, scanned from `state`: ranges open wherever a
// start text matches (inside words too), and one without end text closes at
// the end of the line.
HighlightState ScanLine(const Style *style, const OpeningBytes *opening, char *line,
                        uint32_t lineLength, HighlightState state)
{
    uint32_t depth = 0;
    const StyleRange *range = RangeOfCarriedState(style, state, &depth);
    uint32_t p = 0;
    while (p < lineLength) {
        if (range == nullptr) {
            if (!opening->possible[static_cast<unsigned char>(line[p])]) {
                ++p;
                continue;
            }
            range = OpeningRange(style, line, p, lineLength);
            if (range != nullptr) {
                depth = 1;
                p += range->startLength;
            } else {
                ++p;
            }
        } else if (ScanStep(style, range, line, lineLength, &p, &depth)) {
            range = nullptr;
        }
    }
    if (range == nullptr || range->endLength == 0)
        return HighlightState{0, 0};
    return HighlightState{range->id, depth};
}

// The keyword run at `column` outside every range: only at the start of a
// word, and only for a whole word of the symbol table.
HighlightRun KeywordRun(const Style *style, char *line, uint32_t lineLength, uint32_t column)
{
    if (!IsSymbolCharacter(style, static_cast<unsigned char>(line[column])))
        return HighlightRun{0, 0};
    if (column > 0 && IsSymbolCharacter(style, static_cast<unsigned char>(line[column - 1])))
        return HighlightRun{0, 0};
    const StyleSymbol *symbol = FindSymbolAt(style, line + column, lineLength - column);
    // An empty or overlong symbol never stands as a run (an empty run would
    // keep the painter at the same column for ever).
    if (symbol == nullptr || symbol->classId == 0 || symbol->length == 0 ||
        symbol->length > lineLength - column)
        return HighlightRun{0, 0};
    return HighlightRun{symbol->classId, symbol->length};
}

// The bytes at which a step inside the range can do more than pass over
// one byte: the first bytes of its end and start texts (letters in both
// cases) and, with the backslash flag, the backslash. Duplicates fill the
// unused places.
struct ActiveBytes {
    unsigned char bytes[5];
};

ActiveBytes ActiveBytesOf(const StyleRange *range)
{
    unsigned char end = range->endLength != 0 ? AsciiLower(static_cast<unsigned char>(range->endText[0])) : 0;
    unsigned char start = AsciiLower(static_cast<unsigned char>(range->startText[0]));
    unsigned char backslash = (range->flags & kRangeBackslash) != 0 ? '\\' : start;
    if (range->endLength == 0)
        end = start;
    return ActiveBytes{{end, AsciiUpper(end), start, AsciiUpper(start), backslash}};
}

// Scans inside `range` from *at until it closes or the line ends (*at
// becomes at most lineLength), passing over the bytes where no step can do
// anything but move on.
void ScanRange(const Style *style, const StyleRange *range, char *line, uint32_t lineLength,
               uint32_t *at, uint32_t *depth)
{
    ActiveBytes active = ActiveBytesOf(range);
    uint32_t p = *at;
    while (p < lineLength) {
        unsigned char b = static_cast<unsigned char>(line[p]);
        if (b != active.bytes[0] && b != active.bytes[1] && b != active.bytes[2] &&
            b != active.bytes[3] && b != active.bytes[4]) {
            ++p;
            continue;
        }
        if (ScanStep(style, range, line, lineLength, &p, depth))
            break;
    }
    *at = p > lineLength ? lineLength : p;
}

// The run query under a style already found (column < lineLength).
HighlightRun RunAt(const Style *style, char *line, uint32_t lineLength, uint32_t column,
                   HighlightState *state)
{
    uint32_t depth = 0;
    uint32_t p = column;
    const StyleRange *range = RangeOfCarriedState(style, *state, &depth);
    if (range == nullptr) {
        if (state->range != 0) // names a range in a style that has none
            *state = HighlightState{0, 0};
        range = OpeningRange(style, line, column, lineLength);
        if (range == nullptr)
            return KeywordRun(style, line, lineLength, column);
        depth = 1;
        p = column + range->startLength;
    }
    if (range->classId == 0)
        return HighlightRun{0, 0};

    ScanRange(style, range, line, lineLength, &p, &depth);
    if (depth != 0 && range->endLength == 0) // the scan reached the end of the line
        depth = 0;
    *state = depth != 0 ? HighlightState{range->id, depth} : HighlightState{0, 0};
    return HighlightRun{range->classId, p - column};
}

// ForEachSymbol visitor of BeginRunWalk: clears statesAlone for a symbol
// that could hide a range start or span a byte that is no symbol character.
void CheckSymbolForStateScan(const StyleSymbol *symbol, void *context)
{
    auto *walk = static_cast<RunWalk *>(context);
    for (uint32_t i = 0; i < symbol->length; ++i) {
        unsigned char b = static_cast<unsigned char>(symbol->text[i]);
        if (!walk->symbol[b] || (i > 0 && walk->mayOpen[b]))
            walk->statesAlone = false;
    }
}

// The first index in [p, end) whose byte may start a range, or end. Eight
// bytes are tested per branch: most bytes of a text start nothing.
uint32_t NextOpening(const RunWalk *walk, const char *line, uint32_t p, uint32_t end)
{
    const bool *may = walk->mayOpen;
    auto at = [line](uint32_t i) { return static_cast<unsigned char>(line[i]); };
    // Added as numbers, not or-ed as truth values: no branch per byte.
    while (end - p >= 8 && (may[at(p)] + may[at(p + 1)] + may[at(p + 2)] + may[at(p + 3)] + may[at(p + 4)] +
                            may[at(p + 5)] + may[at(p + 6)] + may[at(p + 7)]) == 0)
        p += 8;
    while (p < end && !may[at(p)])
        ++p;
    return p;
}

} // namespace

HighlightRun QueryRun(uint32_t styleId, char *line, uint32_t lineLength, uint32_t column,
                      HighlightState *state)
{
    if (column >= lineLength)
        return HighlightRun{0, 0};
    const Style *style = FindStyle(styleId);
    if (style == nullptr)
        return HighlightRun{0, 0};
    return RunAt(style, line, lineLength, column, state);
}

bool BeginRunWalk(uint32_t styleId, RunWalk *walk)
{
    std::memset(walk, 0, sizeof *walk);
    walk->style = FindStyle(styleId);
    if (walk->style == nullptr)
        return false;
    const Style *style = walk->style;
    OpeningBytes opening;
    CollectOpeningBytes(style, &opening);
    for (int c = 0; c < 256; ++c) {
        walk->mayOpen[c] = opening.possible[c];
        walk->symbol[c] = IsSymbolCharacter(style, static_cast<unsigned char>(c));
    }
    // Keywords may be left out of the state when they cannot hide a range
    // start: every byte of every symbol is a symbol character (so a keyword
    // run never spans a non-symbol byte) and none after the first can start
    // a range (the walk tries the ranges before the keywords at a word's
    // first byte). Rewriting matches and runs without class would make the
    // walk differ from a scan of the states alone.
    bool statesAlone = true;
    for (uint32_t i = 0; i < style->classCount; ++i)
        statesAlone = statesAlone && style->classes[i].autocase == 0;
    for (uint32_t i = 0; i < style->rangeCount; ++i)
        statesAlone = statesAlone && style->ranges[i].classId != 0;
    walk->statesAlone = statesAlone;
    if (statesAlone)
        ForEachSymbol(style, CheckSymbolForStateScan, walk);
    return true;
}

HighlightRun NextRun(const RunWalk *walk, char *line, uint32_t lineLength, uint32_t *column,
                     HighlightState *state)
{
    uint32_t c = *column;
    if (walk->style == nullptr) {
        *column = c < lineLength ? lineLength : c;
        return HighlightRun{0, 0};
    }
    for (; c < lineLength; ++c) {
        // Outside a range a run starts only where a range start text may
        // match or at a word's first byte; QueryRun finds nothing elsewhere
        // and changes nothing there.
        if (state->range == 0) {
            unsigned char b = static_cast<unsigned char>(line[c]);
            bool wordStart =
                walk->symbol[b] && (c == 0 || !walk->symbol[static_cast<unsigned char>(line[c - 1])]);
            if (!walk->mayOpen[b] && !wordStart)
                continue;
        }
        HighlightRun run = RunAt(walk->style, line, lineLength, c, state);
        if (run.classId != 0) {
            *column = c;
            return run;
        }
    }
    *column = c;
    return HighlightRun{0, 0};
}

uint32_t SkipRuns(const RunWalk *walk, char *line, uint32_t lineLength, uint32_t column,
                  uint32_t target, HighlightState *state)
{
    if (target > lineLength)
        target = lineLength;
    if (!walk->statesAlone || walk->style == nullptr || column >= target)
        return column;
    const Style *style = walk->style;
    uint32_t depth = 0;
    const StyleRange *range = RangeOfCarriedState(style, *state, &depth);
    if (range == nullptr)
        *state = HighlightState{0, 0}; // what the first query makes of a range the style lacks
    uint32_t left = column; // the last place the scan left a range (or began): a stop
    uint32_t p = column;
    for (;;) {
        uint32_t runStart = p;
        if (range == nullptr) {
            p = NextOpening(walk, line, p, target);
            if (p >= target) {
                // No range covers the target. A keyword may: step back to the
                // start of the word that holds it (a keyword run covers
                // symbol bytes only), but not before the last stop.
                if (target == lineLength)
                    return target;
                uint32_t stop = target;
                while (stop > left && walk->symbol[static_cast<unsigned char>(line[stop - 1])])
                    --stop;
                return stop;
            }
            range = OpeningRange(style, line, p, lineLength);
            if (range == nullptr) {
                ++p;
                continue;
            }
            runStart = p;
            depth = 1;
            p += range->startLength;
        }
        ScanRange(style, range, line, lineLength, &p, &depth);
        if (p > target)
            return runStart; // the run covers the target: stop where it starts
        if (depth != 0 && range->endLength == 0)
            depth = 0;
        *state = depth != 0 ? HighlightState{range->id, depth} : HighlightState{0, 0};
        if (p == target)
            return p; // also where a range still open has reached the end of the line
        range = nullptr;
        left = p;
    }
}

const StyleClass *ClassColour(uint32_t styleId, uint32_t classId)
{
    const Style *style = FindStyle(styleId);
    if (style == nullptr) {
        SetLastControlError(AEE_STYLENOTFOUND);
        return nullptr;
    }
    return ResolveClass(style, classId);
}

HighlightState StateAfterLine(uint32_t styleId, char *text, uint32_t offset, HighlightState state)
{
    const Style *style = FindStyle(styleId);
    if (style == nullptr || style->rangeCount == 0)
        return HighlightState{0, 0};
    uint32_t start = offset;
    while (start > 0 && text[start - 1] != '\n')
        --start;
    uint32_t end = offset;
    while (text[end] != '\n' && text[end] != '\0')
        ++end;
    OpeningBytes opening;
    CollectOpeningBytes(style, &opening);
    return ScanLine(style, &opening, text + start, end - start, state);
}

HighlightState StateAtLine(uint32_t styleId, char *text, uint32_t lineNumber)
{
    HighlightState state{0, 0};
    const Style *style = FindStyle(styleId);
    // Without ranges every line leaves the state at (0, 0) and rewrites nothing.
    if (lineNumber <= 1 || style == nullptr || style->rangeCount == 0)
        return state;
    OpeningBytes opening;
    CollectOpeningBytes(style, &opening);
    char *line = text;
    for (uint32_t number = 1; number < lineNumber; ++number) {
        size_t length = std::strcspn(line, "\n"); // up to the '\n' or the NUL
        state = ScanLine(style, &opening, line, static_cast<uint32_t>(length), state);
        if (line[length] == '\0')
            break; // no further line: the state after the last line stands
        line += length + 1;
    }
    return state;
}

int32_t DelimiterTest(uint32_t styleId, const char *line, uint32_t column, uint32_t lineLength,
                      int mode)
{
    const Style *style = FindStyle(styleId);
    if (style == nullptr || column > lineLength)
        return 0;
    if (mode != 0 ? line[column] == '\\' : (column > 0 && line[column - 1] == '\\'))
        return -1;
    // Matching without rewrite never writes, so the line may stay const.
    char *bytes = const_cast<char *>(line);
    uint32_t first = mode == 0 ? 1 : 0; // distance back from the column to the tested byte
    for (uint32_t i = 0; i < style->rangeCount; ++i) {
        const StyleRange *range = &style->ranges[i];
        if (range->endLength == 0) // cannot reach another line
            continue;
        // An occurrence starting k bytes before the column covers the tested
        // byte when first <= k < first + length.
        const char *texts[2] = {range->startText, range->endText};
        uint32_t lengths[2] = {range->startLength, range->endLength};
        for (int t = 0; t < 2; ++t) {
            for (uint32_t k = first; k - first < lengths[t] && k <= column; ++k) {
                if (RangeTextMatches(style, range, texts[t], lengths[t], bytes, column - k,
                                     lineLength, false))
                    return static_cast<int32_t>(range->id);
            }
        }
    }
    return 0;
}

} // namespace scrivlet
