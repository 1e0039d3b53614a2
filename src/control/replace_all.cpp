#include "control/replace_all.h"

#include "core/control_error.h"
#include "control/edit_operations.h"
#include "control/view_requests.h"
#include "core/allocation.h"
#include "core/search.h"
#include "core/text_store.h"
#include "core/undo.h"

#include <algorithm>
#include <cstring>

namespace scrivlet {

namespace {

// The next match at or after `from`, or -1: the search AEM_FINDTEXT makes
// from the selection end to the end of the text (the text changes between
// the searches of the match-by-match path).
int64_t NextMatch(const TextDocument &text, uint32_t from, const char *pattern, uint32_t patternLength,
                  uint32_t flags)
{
    int32_t found = FindInRange(text.bytes + from, text.length - from, pattern, patternLength, flags);
    return found < 0 ? -1 : int64_t(from) + found;
}

// Match by match, as the application's loop would do it with messages.
uint32_t ReplaceOneByOne(ControlRecord *record, uint32_t start, const char *pattern, uint32_t patternLength,
                         const char *replacement, uint32_t replacementLength, uint32_t flags)
{
    uint32_t count = 0;
    uint32_t from = start;
    for (;;) {
        int64_t match = NextMatch(record->text, std::min(from, record->text.length), pattern, patternLength, flags);
        if (match < 0)
            return count;
        SetSelection(record, uint32_t(match), uint32_t(match), false);
        ReplaceSelection(record, nullptr, 0, false, nullptr);
        SetSelection(record, uint32_t(match), uint32_t(match) + patternLength, false);
        ReplaceSelection(record, replacement, replacementLength, true, nullptr);
        ++count;
        from = record->selEnd;
    }
}

// The matches from `start`, with the lengths the text passes through.
struct MatchSurvey {
    uint32_t count;
    uint64_t longest;  // the longest the text is right after one replacement
    uint32_t *offsets; // where each match starts; null when the list could not be kept
};

// Collects the matches in one scan. Without memory for the list the count
// is still exact and `offsets` is null.
MatchSurvey SurveyMatches(const TextDocument &text, uint32_t start, const char *pattern, uint32_t patternLength,
                          uint32_t replacementLength, uint32_t flags)
{
    MatchSurvey survey = {0, 0, nullptr};
    uint32_t room = 0;
    bool keeping = true;
    MatchScanner scanner;
    StartMatchScan(&scanner, text.bytes, text.length, pattern, patternLength, flags);
    for (int64_t at = NextMatchFrom(&scanner, start); at >= 0;
         at = NextMatchFrom(&scanner, uint32_t(at) + patternLength)) {
        if (keeping && survey.count == room) {
            room = room == 0 ? 1024 : room * 2;
            void *grown = EngineReallocateArray(survey.offsets, room, sizeof(uint32_t));
            keeping = grown != nullptr;
            if (keeping)
                survey.offsets = static_cast<uint32_t *>(grown);
        }
        if (keeping)
            survey.offsets[survey.count] = uint32_t(at);
        ++survey.count;
    }
    if (!keeping) {
        EngineFree(survey.offsets);
        survey.offsets = nullptr;
    }
    int64_t step = int64_t(replacementLength) - patternLength;
    int64_t first = int64_t(text.length) + step;
    int64_t last = int64_t(text.length) + step * survey.count;
    survey.longest = uint64_t(std::max(first, last));
    return survey;
}

// Whether replacing one by one could refuse an insertion: beyond the text
// limit, or a single byte in a window that does not scroll.
bool OnePassCanMatch(const ControlRecord *record, const MatchSurvey &survey, const char *replacement,
                     uint32_t replacementLength)
{
    if (std::memchr(replacement, '\r', replacementLength) != nullptr)
        return false;
    if (survey.longest > record->limitText)
        return false;
    bool scrollsBothWays = (record->style & (AES_AUTOHSCROLL | AES_AUTOVSCROLL)) ==
                           (AES_AUTOHSCROLL | AES_AUTOVSCROLL);
    return replacementLength != 1 || scrollsBothWays;
}

// The widest line the replacements touched, in the final text: each line
// that holds the start or end of an inserted replacement, measured once.
// The offsets ascend, so an offset within the line measured last is skipped
// without a scan.
uint32_t WidestTouchedLine(const ControlRecord *record, const uint32_t *starts, uint32_t count,
                           uint32_t replacementLength)
{
    TabStops tabs = TabStopsOf(record);
    const char *text = record->text.bytes;
    uint32_t widest = 0;
    uint32_t measuredStart = 1, measuredEnd = 0; // no line measured yet
    auto measure = [&](uint32_t offset) {
        if (offset >= measuredStart && offset <= measuredEnd)
            return;
        uint32_t length = LineOf(record, offset, &measuredStart);
        measuredEnd = measuredStart + length;
        widest = std::max(widest, ColumnOfOffset(tabs, text, measuredEnd));
    };
    for (uint32_t i = 0; i < count; ++i) {
        measure(starts[i]);
        measure(starts[i] + replacementLength);
    }
    return widest;
}

} // namespace

uint32_t ReplaceAllMatches(ControlRecord *record, uint32_t start, const char *pattern, const char *replacement,
                           uint32_t flags)
{
    if (pattern == nullptr)
        return 0;
    if (replacement == nullptr)
        replacement = "";
    uint32_t patternLength = uint32_t(std::strlen(pattern));
    uint32_t replacementLength = uint32_t(std::strlen(replacement));
    TextDocument &text = record->text;
    start = std::min(start, text.length);
    MatchSurvey survey = SurveyMatches(text, start, pattern, patternLength, replacementLength, flags);
    if (survey.count == 0)
        return 0;
    int64_t shift = int64_t(replacementLength) - patternLength;
    uint64_t finalLength = uint64_t(int64_t(text.length) + shift * survey.count);
    if (survey.offsets == nullptr || !OnePassCanMatch(record, survey, replacement, replacementLength) ||
        !ReserveForLength(&text, finalLength)) {
        EngineFree(survey.offsets);
        return ReplaceOneByOne(record, start, pattern, patternLength, replacement, replacementLength, flags);
    }
    uint32_t *starts = survey.offsets;
    const uint32_t replaced = survey.count;

    // The first selection brings the first match into view from above; the
    // top line then lies before every change and stays valid.
    EnsureVisible(record, start);

    // One undo group per replacement, in the coordinates of its moment: the
    // match deleted where it stands once the ones before it are replaced,
    // the replacement inserted there; the matched bytes are still in place.
    // Only the groups the undo levels keep are made: earlier ones would be
    // pushed out by the later ones anyway.
    bool recorded = true;
    uint32_t levels = uint32_t(UndoLevels(&record->undo));
    for (uint32_t i = replaced > levels ? replaced - levels : 0; i < replaced; ++i) {
        uint32_t at = uint32_t(starts[i] + shift * i);
        UndoGroup *group = BeginGroup(&record->undo);
        recorded = AppendUndo(group, kUndoDeletion, at, text.bytes + starts[i], patternLength) &&
                   AppendUndo(group, kUndoInsertion, at, replacement, replacementLength) && recorded;
        CommitGroup(&record->undo);
    }
    if (!recorded) {
        EmptyUndo(&record->undo);
        SetLastControlError(AEE_UNDOMEMORY);
    }
    int32_t lineChange = 0;
    uint32_t replacementLines = CountLines(replacement, replacementLength);
    for (uint32_t i = 0; i < replaced; ++i)
        lineChange += int32_t(replacementLines) - int32_t(CountLines(text.bytes + starts[i], patternLength));

    // The top line lies before every change when the view could scroll to
    // the first match; where it could not, the replacements before it move
    // it, and its number is counted again.
    uint32_t top = std::min(record->topLineStart, text.length);
    uint32_t before = 0;
    while (before < replaced && starts[before] < top)
        ++before;
    ReplaceAtOffsets(&text, starts, replaced, patternLength, replacement, replacementLength);
    if (before > 0) {
        uint32_t last = starts[before - 1];
        uint32_t moved = last + patternLength <= top ? uint32_t(top + shift * before)
                                                    : uint32_t(last + shift * (before - 1));
        record->topLineStart = LineStartOf(text.bytes, std::min(moved, text.length));
        record->topLine = CountLines(text.bytes, record->topLineStart);
    }
    for (uint32_t i = 0; i < replaced; ++i)
        starts[i] = uint32_t(starts[i] + shift * i); // where each replacement now stands
    record->lineCount = uint32_t(int64_t(record->lineCount) + lineChange);
    record->widestLine = std::max(record->widestLine, WidestTouchedLine(record, starts, replaced, replacementLength));
    uint32_t caret = starts[replaced - 1] + replacementLength;
    EngineFree(starts);

    // The caret after the last replacement, as the last one leaves it.
    record->caret = std::min(record->caret, record->text.length);
    SetSelection(record, caret, caret, false);
    ReplaceSelection(record, nullptr, 0, false, nullptr);
    Relayout(record);
    RepaintRect(record, kRepaintWhole, 0, 0, false);
    Notify(record, AEN_CHANGE);
    return replaced;
}

} // namespace scrivlet
