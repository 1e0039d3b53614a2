#include "control/replace_all.h"

#include "control/control_error.h"
#include "control/edit_operations.h"
#include "control/view_requests.h"
#include "core/allocation.h"
#include "core/search.h"
#include "core/text_store.h"
#include "core/undo.h"

#include <algorithm>
#include <cstring>

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

// Counts the matches from `start`, with the lengths the text passes through.
struct MatchSurvey {
    uint32_t count;
    uint64_t longest; // the longest the text is right after one replacement
};

MatchSurvey SurveyMatches(const TextDocument &text, uint32_t start, const char *pattern, uint32_t patternLength,
                          uint32_t replacementLength, uint32_t flags)
{
    MatchSurvey survey = {0, 0};
    MatchScanner scanner;
    StartMatchScan(&scanner, text.bytes, text.length, pattern, patternLength, flags);
    for (int64_t at = NextMatchFrom(&scanner, start); at >= 0;
         at = NextMatchFrom(&scanner, uint32_t(at) + patternLength))
        ++survey.count;
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
uint32_t WidestTouchedLine(const ControlRecord *record, const uint32_t *starts, uint32_t count,
                           uint32_t replacementLength)
{
    TabStops tabs = TabStopsOf(record);
    const char *text = record->text.bytes;
    uint32_t widest = 0;
    uint32_t measuredLine = UINT32_MAX;
    auto measure = [&](uint32_t offset) {
        uint32_t lineStart;
        uint32_t length = LineOf(record, offset, &lineStart);
        if (lineStart == measuredLine)
            return;
        measuredLine = lineStart;
        widest = std::max(widest, ColumnOfOffset(tabs, text, lineStart + length));
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
    const TextDocument &old = record->text;
    start = std::min(start, old.length);
    MatchSurvey survey = SurveyMatches(old, start, pattern, patternLength, replacementLength, flags);
    if (survey.count == 0)
        return 0;
    if (!OnePassCanMatch(record, survey, replacement, replacementLength))
        return ReplaceOneByOne(record, start, pattern, patternLength, replacement, replacementLength, flags);

    // The first selection brings the first match into view from above; the
    // top line then lies before every change and stays valid.
    EnsureVisible(record, start);

    TextDocument result;
    uint32_t *starts = static_cast<uint32_t *>(EngineAllocateArray(survey.count, sizeof(uint32_t)));
    if (starts == nullptr || !CreateTextDocument(&result)) {
        EngineFree(starts);
        return ReplaceOneByOne(record, start, pattern, patternLength, replacement, replacementLength, flags);
    }
    bool built = InsertBytes(&result, 0, old.bytes, start) != 0;
    uint32_t from = start;
    uint32_t replaced = 0;
    int32_t lineChange = 0;
    uint32_t replacementLines = CountLines(replacement, replacementLength);
    MatchScanner scanner;
    StartMatchScan(&scanner, old.bytes, old.length, pattern, patternLength, flags);
    for (int64_t at = NextMatchFrom(&scanner, from); built && at >= 0; at = NextMatchFrom(&scanner, from)) {
        uint32_t match = uint32_t(at);
        built = InsertBytes(&result, result.length, old.bytes + from, match - from) &&
                InsertBytes(&result, result.length, replacement, replacementLength);
        starts[replaced++] = result.length - replacementLength;
        lineChange += int32_t(replacementLines) - int32_t(CountLines(old.bytes + match, patternLength));
        from = match + patternLength;
    }
    built = built && InsertBytes(&result, result.length, old.bytes + from, old.length - from);
    if (!built) {
        FreeTextDocument(&result);
        EngineFree(starts);
        return ReplaceOneByOne(record, start, pattern, patternLength, replacement, replacementLength, flags);
    }

    // One undo group per replacement, in the coordinates of its moment:
    // the match deleted where it stood, the replacement inserted there.
    bool recorded = true;
    int64_t shift = int64_t(replacementLength) - patternLength;
    for (uint32_t i = 0; i < replaced; ++i) {
        uint32_t match = uint32_t(starts[i] - shift * i); // where it stood in the old text
        UndoGroup *group = BeginGroup(&record->undo);
        recorded = AppendUndo(group, kUndoDeletion, starts[i], old.bytes + match, patternLength) &&
                   AppendUndo(group, kUndoInsertion, starts[i], replacement, replacementLength) && recorded;
        CommitGroup(&record->undo);
    }
    if (!recorded) {
        EmptyUndo(&record->undo);
        SetLastControlError(AEE_UNDOMEMORY);
    }

    FreeTextDocument(&record->text);
    record->text = result;
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
