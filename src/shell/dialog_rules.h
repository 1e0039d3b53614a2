// The rules of the program's dialogs: which field values they take, what
// they store, and the message each shows for a value it refuses. The dialog
// procedures read their fields, apply these rules, show the message and
// store the value. Portable, so the rules are tested without windows.
#pragma once

#include <cstdint>
#include <string>

namespace scrivlet {

// What a rule made of the fields: `message` is null when they are legal,
// else the text the dialog shows, and `field` names the field at fault
// (each dialog's own numbering below; 0 when all are legal).
struct FieldVerdict {
    int field;
    const char *message;
};

// ---------------------------------------------------------------------------
// Options (the period's bounds are config/options.h's)

extern const char kUndoClearText[];  // the question before new undo levels are taken
extern const char kDirectoryText[];  // a default directory that does not exist

// The auto save period field: the number read (0 when it is none), stored
// even when refused; null when it is from 1 to 1440, else the message.
const char *ReadAutoSavePeriod(const char *text, uint32_t *period);
// The undo levels field: a number from 0 to the largest int32_t; null with
// the levels, else the message and the levels untouched.
const char *ReadUndoLevels(const char *text, int32_t *levels);
// The auto indent the radio buttons stand for: 0 for None, 1 for Default,
// `current` with neither checked.
uint32_t AutoIndentOf(bool none, bool standard, uint32_t current);

// ---------------------------------------------------------------------------
// Page Setup: four margins (left, right, top, bottom), in inches

extern const double kMaxMarginInches;

// Reads the four margin texts as numbers (atof); null when each is from 0.0
// to 5.0, else the message, and `margins` holds the numbers read either way.
const char *ReadMargins(const char *const texts[4], double margins[4]);

// ---------------------------------------------------------------------------
// Go To

struct GoToVerdict {
    bool legal;
    uint32_t target;     // a line's index (from 0) or an offset, when legal
    std::string message; // otherwise
};

// A line (from 1 to `limit`, the line count) or an offset (from 0 to
// `limit`, the text length); `isNumber` false when the field held no number.
GoToVerdict CheckGoTo(bool line, bool isNumber, uint32_t number, uint32_t limit);

// ---------------------------------------------------------------------------
// Edit File Type

enum : int { kFileTypeNameField = 1, kFileTypeExtensionsField = 2 };
enum : uint32_t {
    kTemplatesTextSize = 2610, // the template field as read back: 2,609 characters and the NUL
};
extern const char kNoCodeStyle[];       // the code style list's entry for no style
extern const char kTemplatesFullText[]; // Browse when the field has no room for a path

// A type needs a name and at least one extension.
FieldVerdict CheckFileTypeFields(const char *name, const char *extensions);
// The code style a type keeps for the list's choice: "" for "None".
const char *StoredCodeStyle(const char *chosen);
// Browse: the template field with `path` appended, when all of it can be
// read back; null then, else the message and `templates` untouched.
const char *AppendTemplateWithRoom(std::string &templates, const char *path);

// ---------------------------------------------------------------------------
// Styles

// The colours the class dialog offers, in list order; "Custom" follows them.
struct NamedColour {
    const char *name;
    uint32_t value;
};
constexpr int kNamedColourCount = 16;
constexpr int kCustomColourEntry = kNamedColourCount; // index of "Custom" in the colour box
extern const NamedColour kNamedColours[kNamedColourCount];

// The value of a colour box entry: a named colour, the custom colour, or
// the first colour for any other entry.
uint32_t ColourOfEntry(uint32_t entry, uint32_t custom);
// The entry that shows a colour: its name's, else kCustomColourEntry.
int EntryOfColour(uint32_t colour);
// The class's automatic case from its radio buttons: 2 upper, 1 lower, 0 none.
uint8_t AutocaseOf(bool upper, bool lower);

// The texts each styles dialog needs; the message for an empty one.
enum StyleText { kNewStyleName, kClassName, kRangeStart, kSymbolText };
const char *CheckStyleText(StyleText kind, const char *text);
// What the item dialogs show when the engine refused a text styles.dat
// could not keep (the symbol dialog shows the engine's own error).
extern const char kClassRefusedText[];
extern const char kRangeRefusedText[];
extern const char kStyleRefusedText[];

// The engine's refusal as a styles dialog shows it: `errorText` alone or
// put into `format`'s %s; `refusedText`, when given, stands in its place for
// a text that styles.dat could not keep.
std::string StyleErrorMessage(const char *format, const char *errorText, bool textRefused,
                              const char *refusedText);

// The Edit Style dialog's entry for a range: "[start] - [end]", with EOL
// for a range that ends with its line; at most 79 characters of each text.
std::string RangeEntryText(const char *start, const char *end);

} // namespace scrivlet
