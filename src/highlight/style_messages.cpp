#include "highlight/style_messages.h"

#include "core/control_error.h"
#include "highlight/style_file.h"
#include "highlight/style_model.h"

#include <cstddef>
#include <cstring>

namespace scrivlet {

// The records carry no pointers, so they have one layout on every build;
// AESTYLECLASS is laid out exactly as the engine's class record.
static_assert(sizeof(AESTYLEREF) == 12, "AESTYLEREF layout");
static_assert(sizeof(AESTYLECLASS) == 96 && offsetof(AESTYLECLASS, caseSensitive) == 84 &&
                  offsetof(AESTYLECLASS, autocase) == 88 && offsetof(AESTYLECLASS, colour) == 92,
              "AESTYLECLASS layout");
static_assert(sizeof(AESTYLECLASS) == sizeof(StyleClass), "AESTYLECLASS mirrors the class record");
static_assert(sizeof(AESTYLERANGE) == 176 && offsetof(AESTYLERANGE, endText) == 84 &&
                  offsetof(AESTYLERANGE, flags) == 164 && offsetof(AESTYLERANGE, nested) == 168 &&
                  offsetof(AESTYLERANGE, classIdentifier) == 172,
              "AESTYLERANGE layout");
static_assert(sizeof(AESTYLESYMBOL) == 88 && offsetof(AESTYLESYMBOL, classIdentifier) == 84,
              "AESTYLESYMBOL layout");
static_assert(sizeof(AESTYLEINFO) == 164 && offsetof(AESTYLEINFO, additionalSymbolChars) == 84,
              "AESTYLEINFO layout");

namespace {

// Length of a record's text field: up to its NUL, never past the field.
uint32_t FieldLength(const char (&field)[AE_STYLETEXTSIZE])
{
    const void *nul = std::memchr(field, '\0', AE_STYLETEXTSIZE);
    return nul != nullptr ? uint32_t(static_cast<const char *>(nul) - field) : AE_STYLETEXTSIZE;
}

// Copies a text into a record field, cut to 79 characters.
void FillField(char (&field)[AE_STYLETEXTSIZE], const char *text)
{
    std::memset(field, 0, AE_STYLETEXTSIZE);
    size_t length = 0;
    while (text != nullptr && length < AE_STYLETEXTSIZE - 1 && text[length] != '\0')
        ++length;
    if (length > 0)
        std::memcpy(field, text, length);
}

void FillClass(AESTYLECLASS *out, const StyleClass &in)
{
    out->identifier = in.id;
    FillField(out->name, in.name);
    out->caseSensitive = in.caseSensitive;
    out->autocase = in.autocase;
    out->colour = in.colour;
}

void FillRange(AESTYLERANGE *out, const StyleRange &in)
{
    out->identifier = in.id;
    FillField(out->startText, in.startText);
    FillField(out->endText, in.endText);
    out->flags = in.flags;
    out->nested = in.nested;
    out->classIdentifier = in.classId;
}

void FillSymbol(AESTYLESYMBOL *out, const StyleSymbol &in)
{
    out->identifier = in.id;
    FillField(out->text, in.text);
    out->classIdentifier = in.classId;
}

// AEM_ADDSTYLE: a name or additional characters that the style file would
// not give back are refused with 103. The name is judged as the model keeps
// it, cut to 79 characters; the additional characters are kept whole.
LResult AddStyle(const char *name, const char *extraSymbolChars)
{
    uint32_t nameLength = 0;
    while (name != nullptr && nameLength < kStyleTextSize - 1 && name[nameLength] != '\0')
        ++nameLength;
    bool hasExtra = extraSymbolChars != nullptr && extraSymbolChars[0] != '\0';
    if (!StyleFileKeepsText(name, nameLength, !hasExtra) ||
        (hasExtra && !StyleFileKeepsText(extraSymbolChars, uint32_t(std::strlen(extraSymbolChars)), true))) {
        SetLastControlError(AEE_SYMBOLCHARS);
        return 0;
    }
    return CreateStyle(name, extraSymbolChars);
}

// Why the item that `record` describes may not enter its style, for
// AEM_ADDSTYLEITEM and AEM_SETSTYLEITEM alike: what the style file could
// not give back (see style_model.h). AEE_NOERROR lets the model judge the
// rest, a style that is not there included.
DWORD RefusalOf(const AESTYLEREF *ref, LParam record)
{
    const Style *style = FindStyle(ref->style);
    if (style == nullptr)
        return AEE_NOERROR;
    switch (ref->kind) {
    case AESK_CLASS: {
        const auto *in = reinterpret_cast<const AESTYLECLASS *>(record);
        uint32_t kept = FieldLength(in->name) < kStyleTextSize ? FieldLength(in->name) : kStyleTextSize - 1;
        if (!StyleFileKeepsText(in->name, kept, false))
            return AEE_SYMBOLCHARS;
        return in->caseSensitive < 0 || in->caseSensitive > 255 ? AEE_STYLEVALUES : AEE_NOERROR;
    }
    case AESK_RANGE: {
        const auto *in = reinterpret_cast<const AESTYLERANGE *>(record);
        if (FindClass(style, in->classIdentifier) == nullptr)
            return AEE_CLASSNOTFOUND;
        bool keeps = StyleFileKeepsText(in->startText, FieldLength(in->startText), false) &&
                     StyleFileKeepsText(in->endText, FieldLength(in->endText), false);
        return keeps ? AEE_NOERROR : AEE_SYMBOLCHARS;
    }
    case AESK_SYMBOL: {
        const auto *in = reinterpret_cast<const AESTYLESYMBOL *>(record);
        if (FindClass(style, in->classIdentifier) == nullptr)
            return AEE_CLASSNOTFOUND;
        return StyleFileKeepsText(in->text, FieldLength(in->text), true) ? AEE_NOERROR : AEE_SYMBOLCHARS;
    }
    default:
        return AEE_NOERROR;
    }
}

// Adds the item that `record` describes; the kind decides its type.
LResult AddItem(const AESTYLEREF *ref, LParam record)
{
    switch (ref->kind) {
    case AESK_CLASS: {
        const auto *in = reinterpret_cast<const AESTYLECLASS *>(record);
        char name[AE_STYLETEXTSIZE + 1] = {};
        std::memcpy(name, in->name, FieldLength(in->name));
        return AddClass(ref->style, name, in->caseSensitive, in->autocase, in->colour);
    }
    case AESK_RANGE: {
        const auto *in = reinterpret_cast<const AESTYLERANGE *>(record);
        return AddRange(ref->style, in->startText, FieldLength(in->startText), in->endText,
                        FieldLength(in->endText), in->flags, in->nested, in->classIdentifier);
    }
    case AESK_SYMBOL: {
        const auto *in = reinterpret_cast<const AESTYLESYMBOL *>(record);
        return AddSymbol(ref->style, in->text, FieldLength(in->text), in->classIdentifier);
    }
    default:
        return 0;
    }
}

// Changes a class in place, or replaces a range or symbol by a new one.
LResult SetItem(const AESTYLEREF *ref, LParam record)
{
    switch (ref->kind) {
    case AESK_CLASS: {
        const auto *in = reinterpret_cast<const AESTYLECLASS *>(record);
        char name[AE_STYLETEXTSIZE + 1] = {};
        std::memcpy(name, in->name, FieldLength(in->name));
        return ChangeClass(ref->style, ref->item, name, in->caseSensitive, in->autocase, in->colour);
    }
    case AESK_RANGE: {
        const auto *in = reinterpret_cast<const AESTYLERANGE *>(record);
        return ReplaceRange(ref->style, ref->item, in->startText, FieldLength(in->startText),
                            in->endText, FieldLength(in->endText), in->flags, in->nested,
                            in->classIdentifier);
    }
    case AESK_SYMBOL: {
        const auto *in = reinterpret_cast<const AESTYLESYMBOL *>(record);
        return ReplaceSymbol(ref->style, ref->item, in->text, FieldLength(in->text),
                             in->classIdentifier);
    }
    default:
        return 0;
    }
}

// AEM_ADDSTYLEITEM and AEM_SETSTYLEITEM: the record goes in unless it is refused.
LResult StoreItem(unsigned message, const AESTYLEREF *ref, LParam record)
{
    if (ref == nullptr || record == 0)
        return 0;
    DWORD code = RefusalOf(ref, record);
    if (code != AEE_NOERROR) {
        SetLastControlError(code);
        return 0;
    }
    return message == AEM_ADDSTYLEITEM ? AddItem(ref, record) : SetItem(ref, record);
}

void DeleteItem(const AESTYLEREF *ref)
{
    switch (ref->kind) {
    case AESK_CLASS:
        DeleteClass(ref->style, ref->item);
        break;
    case AESK_RANGE:
        DeleteRange(ref->style, ref->item);
        break;
    case AESK_SYMBOL:
        DeleteSymbol(ref->style, ref->item);
        break;
    default:
        break;
    }
}

// AEM_GETSTYLECLASSES: one class by identifier (1, or 0 when it is not
// there), or the count of them all, copied into `out` when it is given.
LResult GetClasses(const AESTYLEREF *ref, AESTYLECLASS *out)
{
    const Style *style = FindStyle(ref->style);
    if (ref->item != 0) {
        const StyleClass *found = style != nullptr ? FindClass(style, ref->item) : nullptr;
        if (found == nullptr || out == nullptr)
            return 0;
        FillClass(out, *found);
        return 1;
    }
    if (style == nullptr)
        return 0;
    for (uint32_t i = 0; out != nullptr && i < style->classCount; ++i)
        FillClass(&out[i], style->classes[i]);
    return style->classCount;
}

// AEM_GETSTYLERANGES, as GetClasses.
LResult GetRanges(const AESTYLEREF *ref, AESTYLERANGE *out)
{
    const Style *style = FindStyle(ref->style);
    if (ref->item != 0) {
        const StyleRange *found = style != nullptr ? FindRange(style, ref->item) : nullptr;
        if (found == nullptr || out == nullptr)
            return 0;
        FillRange(out, *found);
        return 1;
    }
    if (style == nullptr)
        return 0;
    for (uint32_t i = 0; out != nullptr && i < style->rangeCount; ++i)
        FillRange(&out[i], style->ranges[i]);
    return style->rangeCount;
}

// AEM_GETSTYLESYMBOLS, as GetClasses, in the symbol table's order.
LResult GetSymbols(const AESTYLEREF *ref, AESTYLESYMBOL *out)
{
    const Style *style = FindStyle(ref->style);
    if (ref->item != 0) {
        const StyleSymbol *found = style != nullptr ? FindSymbol(style, ref->item) : nullptr;
        if (found == nullptr || out == nullptr)
            return 0;
        FillSymbol(out, *found);
        return 1;
    }
    if (style == nullptr)
        return 0;
    if (out != nullptr) {
        AESTYLESYMBOL *next = out;
        ForEachSymbol(style, [](const StyleSymbol *symbol, void *context) {
            FillSymbol((*static_cast<AESTYLESYMBOL **>(context))++, *symbol);
        }, &next);
    }
    return CountSymbols(ref->style);
}

// AEM_GETSTYLES: at most `maximum` styles, newest first.
LResult GetStyles(WParam maximum, AESTYLEINFO *out)
{
    if (FirstStyle() == nullptr) {
        SetLastControlError(AEE_STYLELISTEMPTY);
        return 0;
    }
    LResult copied = 0;
    for (const Style *style = FirstStyle(); style != nullptr && WParam(copied) < maximum && out != nullptr;
         style = style->next, ++copied) {
        out[copied].handle = style->id;
        FillField(out[copied].name, style->name);
        FillField(out[copied].additionalSymbolChars, style->extraSymbolChars);
    }
    return copied;
}

// AEM_LOADSTYLES: 1 only when the file was read without a bad line.
LResult LoadStyles(WParam add, const char *path)
{
    if (path == nullptr) {
        SetLastControlError(AEE_STYLELOAD);
        return 0;
    }
    bool hadBadLine = false;
    int read = ReadStyleFile(path, add == 0, false, &hadBadLine);
    return read && !hadBadLine ? 1 : 0;
}

} // namespace

bool IsStyleMessage(unsigned message)
{
    return message >= AEM_ADDSTYLE && message <= AEM_SAVESTYLES;
}

LResult StyleMessage(unsigned message, WParam wParam, LParam lParam)
{
    const auto *ref = reinterpret_cast<const AESTYLEREF *>(wParam);
    switch (message) {
    case AEM_ADDSTYLE:
        return AddStyle(reinterpret_cast<const char *>(wParam), reinterpret_cast<const char *>(lParam));
    case AEM_ADDSTYLEITEM:
        return StoreItem(message, ref, lParam);
    case AEM_DELETESTYLEITEM:
        if (ref != nullptr)
            DeleteItem(ref);
        return 0;
    case AEM_DELETESTYLE:
        DeleteStyle(uint32_t(wParam));
        return 0;
    case AEM_GETSTYLECLASSES:
        return ref != nullptr ? GetClasses(ref, reinterpret_cast<AESTYLECLASS *>(lParam)) : 0;
    case AEM_GETSTYLECOUNT:
        return CountStyles();
    case AEM_FINDSTYLE:
        return FindStyleByName(reinterpret_cast<const char *>(wParam));
    case AEM_GETSTYLERANGES:
        return ref != nullptr ? GetRanges(ref, reinterpret_cast<AESTYLERANGE *>(lParam)) : 0;
    case AEM_GETSTYLES:
        return GetStyles(wParam, reinterpret_cast<AESTYLEINFO *>(lParam));
    case AEM_GETSTYLESYMBOLS:
        return ref != nullptr ? GetSymbols(ref, reinterpret_cast<AESTYLESYMBOL *>(lParam)) : 0;
    case AEM_LOADSTYLES:
        return LoadStyles(wParam, reinterpret_cast<const char *>(lParam));
    case AEM_SETSTYLEITEM:
        return StoreItem(message, ref, lParam);
    case AEM_SAVESTYLES:
        return WriteStyleFile(lParam != 0 ? reinterpret_cast<const char *>(lParam) : kStyleFileName);
    default:
        return 0;
    }
}

} // namespace scrivlet
