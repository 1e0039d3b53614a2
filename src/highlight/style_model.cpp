#include "highlight/style_model.h"

#include "core/allocation.h"
#include "core/ascii_case.h"
#include "core/control_error.h"

#include <cstring>

namespace scrivlet {

namespace {

struct StyleSet {
    Style *first; // newest
    Style *last;  // oldest
};
StyleSet styleSet = {nullptr, nullptr};

// The key of a lookup for the symbol that stands at a word of a line: the
// word as a symbol without id, and the style whose class rules decide a
// match (the table's comparison gets the key alone). The word comes first,
// so the key reads as a symbol to the hash function.
struct WordKey {
    StyleSymbol word;
    const Style *style;
};

// Copies at most 79 characters and the NUL into a text field, clearing it first.
void CopyName(char (&field)[kStyleTextSize], const char *name)
{
    std::memset(field, 0, sizeof field);
    if (name != nullptr)
        std::strncpy(field, name, kStyleTextSize - 1);
}

// An owned NUL-terminated copy of `length` bytes, or null out of memory.
char *DuplicateText(const char *text, uint32_t length)
{
    char *copy = static_cast<char *>(EngineAllocate(size_t(length) + 1));
    if (copy == nullptr)
        return nullptr;
    if (length > 0)
        std::memcpy(copy, text, length);
    copy[length] = '\0';
    return copy;
}

// The style, or null with error 102.
Style *RequireStyle(uint32_t id)
{
    Style *style = FindStyle(id);
    if (style == nullptr)
        SetLastControlError(AEE_STYLENOTFOUND);
    return style;
}

// Grows an owned array by one element; false (array unchanged) out of memory.
template <typename T>
bool GrowByOne(T **array, uint32_t count)
{
    void *grown = EngineReallocate(*array, (size_t(count) + 1) * sizeof(T));
    if (grown == nullptr)
        return false;
    *array = static_cast<T *>(grown);
    return true;
}

// Removes element `index` of an array of `count`, moving the later ones down.
template <typename T>
void RemoveAt(T *array, uint32_t *count, uint32_t index)
{
    std::memmove(array + index, array + index + 1, (*count - index - 1) * sizeof(T));
    --*count;
}

// Class and range identifiers: one more than the last one in the array.
template <typename T>
uint32_t NextIdAfterLast(const T *array, uint32_t count)
{
    return count == 0 ? 1 : array[count - 1].id + 1;
}

// The symbol table's hash: the first letter of the text, case folded, gives
// buckets 1 to 26; anything else goes to bucket 0.
uint32_t SymbolHash(const void *symbolOrKey)
{
    const char *text = static_cast<const StyleSymbol *>(symbolOrKey)->text;
    unsigned char first = AsciiUpper(static_cast<unsigned char>(text[0]));
    return IsAsciiUpper(first) ? uint32_t(first - 'A' + 1) : 0;
}

// The symbol table's comparison. A key with an identifier finds that
// symbol; a key without one is a WordKey, whose word points into a line
// (its length is what is left of the line): it finds a symbol that stands
// there as a whole word under its style's rules.
int SymbolMatches(const void *item, const void *keyRecord)
{
    const auto *symbol = static_cast<const StyleSymbol *>(item);
    const auto *key = static_cast<const StyleSymbol *>(keyRecord);
    if (key->id != 0)
        return symbol->id == key->id;
    const Style *style = static_cast<const WordKey *>(keyRecord)->style;
    if (symbol->length > key->length)
        return 0;
    if (IsSymbolCharacter(style, static_cast<unsigned char>(key->text[symbol->length])))
        return 0;
    return MatchText(ResolveClass(style, symbol->classId), key->text, key->length, symbol->text,
                     symbol->length, true);
}

void FreeSymbol(StyleSymbol *symbol)
{
    EngineFree(symbol->text);
    EngineFree(symbol);
}

void FreeRangeTexts(StyleRange *range)
{
    EngineFree(range->startText);
    EngineFree(range->endText);
}

void ReleaseStyle(Style *style)
{
    void *item = HashIterate(style->symbols, nullptr);
    while (item != nullptr) {
        void *next = HashIterate(nullptr, nullptr);
        FreeSymbol(static_cast<StyleSymbol *>(item));
        item = next;
    }
    DestroyHashTable(&style->symbols);
    for (uint32_t i = 0; i < style->rangeCount; ++i)
        FreeRangeTexts(&style->ranges[i]);
    EngineFree(style->ranges);
    EngineFree(style->classes);
    EngineFree(style->extraSymbolChars);
    EngineFree(style);
}

void Unlink(Style *style)
{
    if (style->prev != nullptr)
        style->prev->next = style->next;
    else
        styleSet.first = style->next;
    if (style->next != nullptr)
        style->next->prev = style->prev;
    else
        styleSet.last = style->prev;
}

int32_t IndexOfRange(const Style *style, uint32_t rangeId)
{
    for (uint32_t i = 0; i < style->rangeCount; ++i) {
        if (style->ranges[i].id == rangeId)
            return int32_t(i);
    }
    return -1;
}

// Removes and frees every symbol of a class; the next symbol is fetched
// before the current one is removed, as the table's iteration requires.
void DeleteSymbolsOfClass(Style *style, uint32_t classId)
{
    void *item = HashIterate(style->symbols, nullptr);
    while (item != nullptr) {
        void *next = HashIterate(nullptr, nullptr);
        auto *symbol = static_cast<StyleSymbol *>(item);
        if (symbol->classId == classId) {
            HashRemove(style->symbols, symbol);
            FreeSymbol(symbol);
        }
        item = next;
    }
}

} // namespace

Style *FirstStyle()
{
    return styleSet.first;
}

Style *LastStyle()
{
    return styleSet.last;
}

uint32_t CreateStyle(const char *name, const char *extraSymbolChars)
{
    uint32_t largest = 0;
    for (const Style *style = styleSet.first; style != nullptr; style = style->next)
        largest = style->id > largest ? style->id : largest;
    if (largest == UINT32_MAX) {
        SetLastControlError(AEE_STYLELIMIT);
        return 0;
    }
    auto *style = static_cast<Style *>(EngineAllocateZeroed(sizeof(Style)));
    if (style == nullptr) {
        SetLastControlError(AEE_MEMORY);
        return 0;
    }
    style->id = largest + 1;
    CopyName(style->name, name);
    if (extraSymbolChars != nullptr && extraSymbolChars[0] != '\0')
        style->extraSymbolChars = DuplicateText(extraSymbolChars, uint32_t(std::strlen(extraSymbolChars)));
    style->nextSymbolId = 1;
    style->symbols = CreateHashTable(kSymbolBuckets, SymbolHash, SymbolMatches);
    if (style->symbols == nullptr) {
        EngineFree(style->extraSymbolChars);
        EngineFree(style);
        SetLastControlError(AEE_MEMORY);
        return 0;
    }
    style->next = styleSet.first;
    if (styleSet.first != nullptr)
        styleSet.first->prev = style;
    else
        styleSet.last = style;
    styleSet.first = style;
    return style->id;
}

void DeleteStyle(uint32_t id)
{
    Style *style = FindStyle(id);
    if (style == nullptr)
        return;
    Unlink(style);
    ReleaseStyle(style);
}

void ClearStyles()
{
    while (styleSet.first != nullptr) {
        Style *style = styleSet.first;
        Unlink(style);
        ReleaseStyle(style);
    }
}

uint32_t CountStyles()
{
    uint32_t count = 0;
    for (const Style *style = styleSet.first; style != nullptr; style = style->next)
        ++count;
    return count;
}

Style *FindStyle(uint32_t id)
{
    for (Style *style = styleSet.first; style != nullptr; style = style->next) {
        if (style->id == id)
            return style;
    }
    return nullptr;
}

uint32_t FindStyleByName(const char *name)
{
    if (name == nullptr || name[0] == '\0')
        return 0;
    for (const Style *style = styleSet.first; style != nullptr; style = style->next) {
        if (std::strcmp(style->name, name) == 0)
            return style->id;
    }
    return 0;
}

uint32_t AddClass(uint32_t styleId, const char *name, int32_t caseSensitive, uint8_t autocase,
                  uint32_t colour)
{
    Style *style = RequireStyle(styleId);
    if (style == nullptr)
        return 0;
    uint32_t id = NextIdAfterLast(style->classes, style->classCount);
    if (id == 0) {
        SetLastControlError(AEE_STYLELIMIT);
        return 0;
    }
    if (!GrowByOne(&style->classes, style->classCount)) {
        SetLastControlError(AEE_MEMORY);
        return 0;
    }
    StyleClass &added = style->classes[style->classCount++];
    added.id = id;
    CopyName(added.name, name);
    added.caseSensitive = caseSensitive;
    added.autocase = autocase;
    added.colour = colour;
    return id;
}

int ChangeClass(uint32_t styleId, uint32_t classId, const char *name, int32_t caseSensitive,
                uint8_t autocase, uint32_t colour)
{
    Style *style = RequireStyle(styleId);
    if (style == nullptr)
        return 0;
    auto *changed = const_cast<StyleClass *>(FindClass(style, classId));
    if (changed == nullptr) {
        SetLastControlError(AEE_CLASSNOTFOUND);
        return 0;
    }
    CopyName(changed->name, name);
    changed->caseSensitive = caseSensitive;
    changed->autocase = autocase;
    changed->colour = colour;
    return 1;
}

void DeleteClass(uint32_t styleId, uint32_t classId)
{
    Style *style = FindStyle(styleId);
    if (style == nullptr || FindClass(style, classId) == nullptr)
        return; // deletes nothing it was not asked for
    for (uint32_t i = 0; i < style->rangeCount;) {
        if (style->ranges[i].classId == classId) {
            FreeRangeTexts(&style->ranges[i]);
            RemoveAt(style->ranges, &style->rangeCount, i);
        } else {
            ++i;
        }
    }
    DeleteSymbolsOfClass(style, classId);
    uint32_t index = uint32_t(FindClass(style, classId) - style->classes);
    RemoveAt(style->classes, &style->classCount, index);
}

const StyleClass *FindClass(const Style *style, uint32_t classId)
{
    for (uint32_t i = 0; i < style->classCount; ++i) {
        if (style->classes[i].id == classId)
            return &style->classes[i];
    }
    return nullptr;
}

const StyleClass *ResolveClass(const Style *style, uint32_t classId)
{
    const StyleClass *found = FindClass(style, classId);
    if (found != nullptr || style->classCount == 0)
        return found;
    return &style->classes[style->classCount - 1];
}

namespace {

// What a new range needs before it can enter a style: a start text (an
// empty one would match at every column and never let a scan move on), an
// identifier, and copies of its two texts. False, with the error set and
// nothing kept, when one of them fails; a null end text counts as empty.
bool CopyRangeTexts(uint32_t id, const char *startText, uint32_t startLength, const char *endText,
                    uint32_t *endLength, char **start, char **end)
{
    if (startLength == 0 || startText == nullptr) {
        SetLastControlError(AEE_STYLEVALUES);
        return false;
    }
    if (id == 0) {
        SetLastControlError(AEE_STYLELIMIT);
        return false;
    }
    if (endText == nullptr)
        *endLength = 0;
    *start = DuplicateText(startText, startLength);
    *end = *start != nullptr ? DuplicateText(endText, *endLength) : nullptr;
    if (*end == nullptr) {
        EngineFree(*start);
        SetLastControlError(AEE_MEMORY);
        return false;
    }
    return true;
}

} // namespace

uint32_t AddRange(uint32_t styleId, const char *startText, uint32_t startLength, const char *endText,
                  uint32_t endLength, uint8_t flags, uint32_t nested, uint32_t classId)
{
    Style *style = RequireStyle(styleId);
    if (style == nullptr)
        return 0;
    uint32_t id = NextIdAfterLast(style->ranges, style->rangeCount);
    char *start, *end;
    if (!CopyRangeTexts(id, startText, startLength, endText, &endLength, &start, &end))
        return 0;
    if (!GrowByOne(&style->ranges, style->rangeCount)) {
        EngineFree(start);
        EngineFree(end);
        SetLastControlError(AEE_MEMORY);
        return 0;
    }
    style->ranges[style->rangeCount++] =
        StyleRange{id, startLength, start, endLength, end, flags, nested, classId};
    return id;
}

void DeleteRange(uint32_t styleId, uint32_t rangeId)
{
    Style *style = FindStyle(styleId);
    if (style == nullptr)
        return;
    int32_t index = IndexOfRange(style, rangeId);
    if (index < 0)
        return;
    FreeRangeTexts(&style->ranges[index]);
    RemoveAt(style->ranges, &style->rangeCount, uint32_t(index));
}

uint32_t ReplaceRange(uint32_t styleId, uint32_t rangeId, const char *startText,
                      uint32_t startLength, const char *endText, uint32_t endLength, uint8_t flags,
                      uint32_t nested, uint32_t classId)
{
    Style *style = RequireStyle(styleId);
    if (style == nullptr)
        return 0;
    int32_t index = IndexOfRange(style, rangeId);
    if (index < 0)
        return AddRange(styleId, startText, startLength, endText, endLength, flags, nested, classId);
    // Everything that can fail is done before the old range goes, so that a
    // refused replacement leaves the style as it was. The new range takes
    // the old one's slot at the end of the array, which needs no growth.
    uint32_t last = style->rangeCount - 1;
    const StyleRange *before = uint32_t(index) == last ? (last > 0 ? &style->ranges[last - 1] : nullptr)
                                                       : &style->ranges[last];
    uint32_t id = before != nullptr ? before->id + 1 : 1;
    char *start, *end;
    if (!CopyRangeTexts(id, startText, startLength, endText, &endLength, &start, &end))
        return 0;
    FreeRangeTexts(&style->ranges[index]);
    RemoveAt(style->ranges, &style->rangeCount, uint32_t(index));
    style->ranges[style->rangeCount++] =
        StyleRange{id, startLength, start, endLength, end, flags, nested, classId};
    return id;
}

const StyleRange *FindRange(const Style *style, uint32_t rangeId)
{
    int32_t index = IndexOfRange(style, rangeId);
    return index < 0 ? nullptr : &style->ranges[index];
}

const StyleRange *RangeOfState(const Style *style, uint32_t rangeId)
{
    const StyleRange *found = FindRange(style, rangeId);
    if (found != nullptr || style->rangeCount == 0)
        return found;
    return &style->ranges[style->rangeCount - 1];
}

uint32_t AddSymbol(uint32_t styleId, const char *text, uint32_t length, uint32_t classId)
{
    Style *style = RequireStyle(styleId);
    if (style == nullptr)
        return 0;
    for (uint32_t i = 0; i < length; ++i) {
        if (!IsSymbolCharacter(style, static_cast<unsigned char>(text[i]))) {
            SetLastControlError(AEE_SYMBOLCHARS);
            return 0;
        }
    }
    if (style->nextSymbolId == 0) {
        SetLastControlError(AEE_STYLELIMIT);
        return 0;
    }
    auto *symbol = static_cast<StyleSymbol *>(EngineAllocate(sizeof(StyleSymbol)));
    char *copy = symbol != nullptr ? DuplicateText(text, length) : nullptr;
    if (copy == nullptr) {
        EngineFree(symbol);
        SetLastControlError(AEE_MEMORY);
        return 0;
    }
    *symbol = StyleSymbol{style->nextSymbolId, length, copy, classId};
    if (!HashInsert(style->symbols, symbol)) {
        FreeSymbol(symbol);
        SetLastControlError(AEE_MEMORY);
        return 0;
    }
    return style->nextSymbolId++;
}

void DeleteSymbol(uint32_t styleId, uint32_t symbolId)
{
    Style *style = FindStyle(styleId);
    StyleSymbol *symbol = style != nullptr ? FindSymbol(style, symbolId) : nullptr;
    if (symbol == nullptr)
        return;
    HashRemove(style->symbols, symbol);
    FreeSymbol(symbol);
}

uint32_t ReplaceSymbol(uint32_t styleId, uint32_t symbolId, const char *text, uint32_t length,
                       uint32_t classId)
{
    // The new symbol goes in before the old one goes out, so that a refused
    // text, or no memory, leaves the old one in place. Either order gives
    // the table the same order: a new symbol stands first in its bucket.
    Style *style = FindStyle(styleId);
    StyleSymbol *old = style != nullptr ? FindSymbol(style, symbolId) : nullptr;
    uint32_t added = AddSymbol(styleId, text, length, classId);
    if (added != 0 && old != nullptr) {
        HashRemove(style->symbols, old);
        FreeSymbol(old);
    }
    return added;
}

uint32_t CountSymbols(uint32_t styleId)
{
    const Style *style = FindStyle(styleId);
    return style != nullptr ? HashCount(style->symbols) : 0;
}

StyleSymbol *FindSymbol(const Style *style, uint32_t symbolId)
{
    for (void *item = HashIterate(style->symbols, nullptr); item != nullptr;
         item = HashIterate(nullptr, nullptr)) {
        auto *symbol = static_cast<StyleSymbol *>(item);
        if (symbol->id == symbolId)
            return symbol;
    }
    return nullptr;
}

void ForEachSymbol(const Style *style, void (*visit)(const StyleSymbol *symbol, void *context),
                   void *context)
{
    void *item = HashIterate(style->symbols, nullptr);
    while (item != nullptr) {
        void *next = HashIterate(nullptr, nullptr);
        visit(static_cast<const StyleSymbol *>(item), context);
        item = next;
    }
}

bool StyleFileKeepsText(const char *text, uint32_t length, bool endsLine)
{
    for (uint32_t i = 0; i < length; ++i) {
        if (text[i] == ',' || text[i] == '\r' || text[i] == '\n')
            return false;
    }
    return !endsLine || length == 0 || (text[length - 1] != ' ' && text[length - 1] != '\t');
}

bool IsSymbolCharacter(const Style *style, unsigned char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')
        return true;
    return c != 0 && style->extraSymbolChars != nullptr &&
           std::strchr(style->extraSymbolChars, c) != nullptr;
}

bool MatchText(const StyleClass *cls, char *at, uint32_t rest, const char *pattern,
               uint32_t patternLength, bool rewrite)
{
    if (patternLength > rest)
        return false;
    bool exact = cls == nullptr || cls->caseSensitive != 0;
    for (uint32_t i = 0; i < patternLength; ++i) {
        unsigned char a = static_cast<unsigned char>(at[i]);
        unsigned char b = static_cast<unsigned char>(pattern[i]);
        if (exact ? a != b : !SameIgnoringAsciiCase(a, b))
            return false;
    }
    if (rewrite && cls != nullptr && cls->autocase != 0) {
        bool lower = cls->autocase == 1;
        for (uint32_t i = 0; i < patternLength; ++i) {
            unsigned char c = static_cast<unsigned char>(at[i]);
            at[i] = char(lower ? AsciiLower(c) : AsciiUpper(c));
        }
    }
    return true;
}

const StyleSymbol *FindSymbolAt(const Style *style, char *at, uint32_t rest)
{
    WordKey key = {{0, rest, at, 0}, style};
    return static_cast<const StyleSymbol *>(HashFind(style->symbols, &key));
}

} // namespace scrivlet
