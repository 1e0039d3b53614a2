// The highlighter: divides the lines of a document into coloured runs under
// one style, carrying a two-word state from line to line. It keeps nothing
// between calls; the painter carries the state across the lines of a paint,
// the control keeps it for its top line, and scrolling moves it along.
//
// Texts are the document's bytes as the text store keeps them: lines
// separated by '\n', the whole text ending with a NUL. A line is given by a
// pointer to its first byte and its length without the '\n'; the byte at
// line[length] is the '\n' or the NUL and may be read (a keyword may end
// there), nothing after it is.
//
// Matching has one side effect: a match of a range's start or end text or of
// a keyword whose class has autocase rewrites the matched bytes of the
// document in place (lower or upper case, ASCII letters only). That is not an
// edit: no undo step, no modified flag, no notification.
//
// Nothing here allocates. User-interface thread only: keyword lookup uses the
// symbol table's process-wide style slot, so queries must not overlap.
//
// Decisions where the rules leave a choice:
// - A state that names a range in a style with no ranges at all (or whose
//   style is gone) is read as (0, 0), outside every range; the query then
//   answers with the state (0, 0). A stale range identifier in a style that
//   still has ranges stands for the style's last range, and the state after
//   the scan names that range by its current identifier.
// - A state whose range is nonzero but whose depth is 0 is read as depth 1
//   (inside the range, one start text open). Depths saturate at 0xFFFFFFFF
//   instead of wrapping, so a stale huge depth neither wraps to "outside" nor
//   misbehaves; it simply needs that many end texts to close.
// - A range with an empty start text (the model refuses them; a damaged
//   style could still hold one) never opens and is never counted inside a
//   range. An end length of 0 always means "ends at the end of its line".
//   Every step of every scan advances by at least one byte.
// - In a style without classes (ResolveClass gives null) texts match byte
//   for byte and nothing is rewritten; runs still carry their range's or
//   symbol's class identifier, and ClassColour gives null for them.
// - A range or symbol whose class identifier is 0 gives no run: a run exists
//   exactly when its class is nonzero, and a query without a run leaves the
//   state as it was and answers length 0.

#pragma once

#include "highlight/style_model.h"

#include <cstdint>

namespace scrivlet {

// The state at a position in the text; (0, 0) at the start of the text.
struct HighlightState {
    uint32_t range; // identifier of the range the position lies inside, 0 outside every range
    uint32_t depth; // start texts of that range still open (>= 1 inside, 0 outside)
};

// The answer of a run query.
struct HighlightRun {
    uint32_t classId; // class of the run; 0 = no run starts at the column
    uint32_t length;  // bytes of the run; 0 when there is none
};

// The coloured run that starts at `column` of the line, if any, under the
// style, from the state at that column; *state becomes the state after the
// run (unchanged when there is no run). A column at or past lineLength, or a
// style that is not there, gives no run and leaves the state alone.
// Outside a range: the first range in array order whose start text matches
// at the column opens a run (an earlier range wins over a longer start text);
// otherwise a keyword may start there, but only at the start of a word.
// Inside a range the run lasts until the range closes or the line ends.
HighlightRun QueryRun(uint32_t style, char *line, uint32_t lineLength, uint32_t column,
                      HighlightState *state);

// The painter's walk over the lines of one paint: the style found once, and
// the bytes where something can happen, so that columns where no run can
// start are passed over without asking. Valid while the style set is left
// alone.
struct RunWalk {
    const Style *style;     // null when the style is not there: no runs anywhere
    bool mayOpen[256];      // first bytes of the ranges' start texts, letters in both cases
    bool symbol[256];       // the style's symbol characters
    bool statesAlone;       // SkipRuns may carry the state without asking for the runs
};

// Sets the walk up for the style; false (and a walk that finds no runs)
// when the style is not there.
bool BeginRunWalk(uint32_t style, RunWalk *walk);

// The first run that starts at *column or after it on the line, exactly as
// QueryRun asked at *column, *column + 1, ... finds it, with the same
// effects on the state and the text. *column becomes the run's start, or
// lineLength when there is none (it is left alone when already past it).
HighlightRun NextRun(const RunWalk *walk, char *line, uint32_t lineLength, uint32_t *column,
                     HighlightState *state);

// Carries the walk from `column` (a column the walk asks at: not inside a
// run) towards `target` without reporting runs: the result is a column
// between the two that the walk asks at, with *state the state there, so
// that NextRun from it goes on exactly as the walk from `column` would. It
// lands at most one word before the target, or at the start of the range
// run that covers it; at lineLength when the target is there or past it.
// The state is scanned for the ranges alone, which is only exact when no
// match rewrites the text, every range has a class and no keyword can hide
// a range start; otherwise the result is `column`, and the caller walks.
uint32_t SkipRuns(const RunWalk *walk, char *line, uint32_t lineLength, uint32_t column,
                  uint32_t target, HighlightState *state);

// The class whose colour paints runs of classId: the first class with that
// identifier, else the style's last class; null when the style has no
// classes. Null with ControlError 102 when the style is not there.
const StyleClass *ClassColour(uint32_t style, uint32_t classId);

// The state at the start of the line after the one that holds `offset`,
// scanning that line from `state`. Range starts are looked for at every
// column, inside words too; keywords play no part. A range without end text
// closes at the end of its line. A style that is not there gives (0, 0).
HighlightState StateAfterLine(uint32_t style, char *text, uint32_t offset, HighlightState state);

// The state at the start of line `lineNumber` (counted from 1) of the
// NUL-terminated text: (0, 0) for lineNumber <= 1, else StateAfterLine over
// lines 1 to lineNumber - 1 from (0, 0). Past the last line the state after
// the last line is given; a style that is not there gives (0, 0). Linear in
// the text before the line.
HighlightState StateAtLine(uint32_t style, char *text, uint32_t lineNumber);

// Whether an edited character may change the highlighting of later lines.
// mode 0 tests the byte before `column` (just typed), any other mode the byte
// at `column` (about to be deleted). -1 when it is a backslash; the
// identifier of the first range in array order that has an end text and one
// of whose start or end texts, matched under its class's case rule (never
// rewritten), covers the byte; else 0. A column past lineLength, or a style
// that is not there, gives 0.
int32_t DelimiterTest(uint32_t style, const char *line, uint32_t column, uint32_t lineLength,
                      int mode);

} // namespace scrivlet
