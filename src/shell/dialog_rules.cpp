// The rules of the program's dialogs: which field values they take, what
// they store, and the message each shows for a value it refuses.
#include "shell/dialog_rules.h"

#include "config/options.h"
#include "shell/settings_texts.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace scrivlet {

const char kUndoClearText[] = "Modifying the number undo levels will clear the undo buffer.";
const char kDirectoryText[] = "Invalid directory name !";

const char *ReadAutoSavePeriod(const char *text, uint32_t *period)
{
    if (ReadUnsignedNumber(text, period) && *period >= kMinAutoSavePeriod && *period <= kMaxAutoSavePeriod)
        return nullptr;
    return "Minute value must be between 1 and 1440 !";
}

// The record holds a signed number: a value beyond its range is no legal
// number of levels either.
const char *ReadUndoLevels(const char *text, int32_t *levels)
{
    uint32_t value = 0;
    if (!ReadUnsignedNumber(text, &value) || value > uint32_t(INT32_MAX))
        return "Illegal value for number of undo levels !";
    *levels = int32_t(value);
    return nullptr;
}

uint32_t AutoIndentOf(bool none, bool standard, uint32_t current)
{
    if (none)
        return 0;
    return standard ? 1 : current;
}

const double kMaxMarginInches = 5.0;

const char *ReadMargins(const char *const texts[4], double margins[4])
{
    bool legal = true;
    for (int i = 0; i < 4; ++i) {
        margins[i] = std::atof(texts[i]);
        legal = legal && margins[i] >= 0.0 && margins[i] <= kMaxMarginInches;
    }
    return legal ? nullptr : "One or more margin settings are illegal !";
}

GoToVerdict CheckGoTo(bool line, bool isNumber, uint32_t number, uint32_t limit)
{
    GoToVerdict verdict = {false, 0, std::string()};
    if (line && isNumber && number >= 1 && number <= limit)
        verdict = {true, number - 1, std::string()};
    else if (!line && isNumber && number <= limit)
        verdict = {true, number, std::string()};
    if (verdict.legal)
        return verdict;
    char text[96];
    std::snprintf(text, sizeof text,
                  line ? "Line number must be between 1 and %lu !" : "Offset must be between 0 and %lu !",
                  static_cast<unsigned long>(limit));
    verdict.message = text;
    return verdict;
}

const char kNoCodeStyle[] = "None";
const char kTemplatesFullText[] = "Maximum number of template files reached !";

FieldVerdict CheckFileTypeFields(const char *name, const char *extensions)
{
    if (name[0] == '\0')
        return {kFileTypeNameField, "File type name is required !"};
    if (!HasListPiece(extensions))
        return {kFileTypeExtensionsField, "At least one file extension must be given !"};
    return {0, nullptr};
}

const char *StoredCodeStyle(const char *chosen)
{
    return std::strcmp(chosen, kNoCodeStyle) == 0 ? "" : chosen;
}

// The separator counts too: OK reads 2,609 characters back, and a path cut
// there would name another file.
const char *AppendTemplateWithRoom(std::string &templates, const char *path)
{
    std::string longer = templates;
    AppendTemplatePath(longer, path);
    if (longer.size() >= kTemplatesTextSize)
        return kTemplatesFullText;
    templates = longer;
    return nullptr;
}

// Half intensity is 127, as the colour chooser's basic colours are.
const NamedColour kNamedColours[kNamedColourCount] = {
    {"Black", 0x00000000},  {"Maroon", 0x0000007F}, {"Red", 0x000000FF},  {"Purple", 0x007F007F},
    {"Fuchsia", 0x00FF00FF}, {"Green", 0x00007F00}, {"Lime", 0x0000FF00}, {"Olive", 0x00007F7F},
    {"Yellow", 0x0000FFFF}, {"Navy", 0x007F0000},   {"Blue", 0x00FF0000}, {"Teal", 0x007F7F00},
    {"Aqua", 0x00FFFF00},   {"Gray", 0x007F7F7F},   {"Silver", 0x00C0C0C0}, {"White", 0x00FFFFFF},
};

uint32_t ColourOfEntry(uint32_t entry, uint32_t custom)
{
    if (entry < uint32_t(kNamedColourCount))
        return kNamedColours[entry].value;
    return entry == uint32_t(kCustomColourEntry) ? custom : kNamedColours[0].value;
}

int EntryOfColour(uint32_t colour)
{
    for (int i = 0; i < kNamedColourCount; ++i) {
        if (kNamedColours[i].value == colour)
            return i;
    }
    return kCustomColourEntry;
}

uint8_t AutocaseOf(bool upper, bool lower)
{
    return upper ? 2 : lower ? 1 : 0;
}

const char *CheckStyleText(StyleText kind, const char *text)
{
    if (text[0] != '\0')
        return nullptr;
    switch (kind) {
    case kNewStyleName:
        return "You must specify a name for the new style !";
    case kClassName:
        return "You must specify a valid class name !";
    case kRangeStart:
        return "You must specify the start text of a range !";
    default:
        return "You must specify a symbol name !";
    }
}

const char kClassRefusedText[] = "A class name cannot contain a comma or a line break !";
const char kRangeRefusedText[] = "The start and end texts of a range cannot contain a comma or a line break !";
const char kStyleRefusedText[] =
    "A style name and its additional symbol characters cannot contain a comma or a line break, and the "
    "additional characters (or the name, when there are none) cannot end in a blank !";

std::string StyleErrorMessage(const char *format, const char *errorText, bool textRefused,
                              const char *refusedText)
{
    const char *reason = textRefused && refusedText != nullptr ? refusedText : errorText;
    if (format == nullptr)
        return reason;
    int length = std::snprintf(nullptr, 0, format, reason);
    std::string text(size_t(length > 0 ? length : 0) + 1, '\0');
    std::snprintf(&text[0], text.size(), format, reason);
    text.resize(text.size() - 1);
    return text;
}

std::string RangeEntryText(const char *start, const char *end)
{
    char entry[2 * 80 + 16];
    std::snprintf(entry, sizeof entry, "[%.79s] - [%.79s]", start, end[0] != '\0' ? end : "EOL");
    return entry;
}

} // namespace scrivlet
