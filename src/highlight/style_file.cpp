#include "highlight/style_file.h"

#include "core/control_error.h"
#include "core/allocation.h"
#include "core/safe_write.h"
#include "highlight/style_model.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace scrivlet {

namespace {

constexpr size_t kShortLine = 256; // lines up to 255 characters need no heap block

// One line of the file. `text` is `shortText` until a line outgrows it, then
// an engine block of `capacity` bytes that is kept for the following lines.
struct LineReader {
    FILE *file;
    char shortText[kShortLine];
    char *text;      // the current line, NUL-terminated after ReadLine
    size_t capacity; // bytes at text
};

void ReleaseLineReader(LineReader *reader)
{
    if (reader->text != reader->shortText)
        EngineFree(reader->text);
}

// Doubles the line buffer; false when memory runs out (the buffer is kept).
bool GrowLine(LineReader *reader)
{
    if (reader->capacity > SIZE_MAX / 2)
        return false;
    size_t capacity = reader->capacity * 2;
    char *text;
    if (reader->text == reader->shortText) {
        text = static_cast<char *>(EngineAllocate(capacity));
        if (text != nullptr)
            std::memcpy(text, reader->shortText, reader->capacity);
    } else {
        text = static_cast<char *>(EngineReallocate(reader->text, capacity));
    }
    if (text == nullptr)
        return false;
    reader->text = text;
    reader->capacity = capacity;
    return true;
}

enum class LineResult { kLine, kEndOfFile, kNoMemory };

// Reads the bytes up to the next line feed, or to the end of the file, into
// reader->text without the line feed and without a CR right before it. At
// the end of the file with nothing read it gives kEndOfFile. When the buffer
// cannot grow, the rest of the line is consumed and kNoMemory is given.
LineResult ReadLine(LineReader *reader, size_t *length)
{
    size_t used = 0;
    bool outOfMemory = false;
    int c = std::getc(reader->file);
    if (c == EOF)
        return LineResult::kEndOfFile;
    for (; c != EOF && c != '\n'; c = std::getc(reader->file)) {
        if (outOfMemory)
            continue;
        if (used + 1 == reader->capacity && !GrowLine(reader)) {
            outOfMemory = true;
            continue;
        }
        reader->text[used++] = static_cast<char>(c);
    }
    if (outOfMemory)
        return LineResult::kNoMemory;
    if (c == '\n' && used > 0 && reader->text[used - 1] == '\r')
        --used;
    reader->text[used] = '\0';
    *length = std::strlen(reader->text); // a NUL byte ends the content
    return LineResult::kLine;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Splits the fields that begin at `from` at commas, terminating each in
// place. At most `wanted` fields are taken; the last one ends at the next
// comma and the rest of the line is ignored. Gives the number of fields found
// (at least 1: an empty rest is one empty field).
int SplitFields(char *from, char **fields, int wanted)
{
    int count = 0;
    char *field = from;
    while (count < wanted) {
        fields[count++] = field;
        char *comma = std::strchr(field, ',');
        if (comma == nullptr)
            break;
        *comma = '\0';
        field = comma + 1;
    }
    return count;
}

const char *SkipWhiteSpace(const char *text)
{
    while (*text == ' ' || *text == '\t' || *text == '\r' || *text == '\v' || *text == '\f'
           || *text == '\n')
        ++text;
    return text;
}

// A decimal number with an optional sign, modulo 2^32; 0 when there is none.
uint32_t ReadDecimal(const char *text)
{
    text = SkipWhiteSpace(text);
    bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    uint32_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        value = value * 10u + static_cast<uint32_t>(*text - '0');
    return negative ? 0u - value : value;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// A hexadecimal number with an optional 0x, modulo 2^32; 0 when there is none.
uint32_t ReadHexadecimal(const char *text)
{
    text = SkipWhiteSpace(text);
    if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X') && HexDigit(text[2]) >= 0)
        text += 2;
    uint32_t value = 0;
    for (int digit = HexDigit(*text); digit >= 0; digit = HexDigit(*++text))
        value = value * 16u + static_cast<uint32_t>(digit);
    return value;
}

// What the reader has built so far. A class is current only while its style is.
struct ReadPosition {
    uint32_t style;  // current style, 0 = none
    bool hasClass;   // whether classId names the current class
    uint32_t classId;
};

// Adds one record line (trimmed, at least two characters, no comment) to the
// set. Gives AEE_NOERROR, or the code that makes the line bad; the model's
// own failures leave their code as the last control error.
DWORD ReadRecord(char *line, ReadPosition *position)
{
    char *fields[4];
    char *from = line + 2;
    switch (line[0]) {
    case 'X': {
        int count = SplitFields(from, fields, 2);
        uint32_t style = CreateStyle(fields[0], count > 1 ? fields[1] : nullptr);
        // A style that cannot be made leaves no current style, so that the
        // records after it are not taken into the style before it.
        position->style = style;
        position->hasClass = false;
        if (style == 0)
            return GetLastControlError();
        return AEE_NOERROR;
    }
    case 'C': {
        if (position->style == 0)
            return SetLastControlError(AEE_STYLENOTFOUND);
        if (SplitFields(from, fields, 4) < 4)
            return SetLastControlError(AEE_STYLEVALUES);
        uint32_t classId = AddClass(position->style, fields[0],
                                    static_cast<uint8_t>(ReadDecimal(fields[1])),
                                    static_cast<uint8_t>(ReadDecimal(fields[2])),
                                    ReadHexadecimal(fields[3]));
        if (classId == 0)
            return GetLastControlError();
        position->hasClass = true;
        position->classId = classId;
        return AEE_NOERROR;
    }
    case 'R': {
        if (!position->hasClass)
            return SetLastControlError(AEE_CLASSNOTFOUND);
        if (SplitFields(from, fields, 4) < 4)
            return SetLastControlError(AEE_STYLEVALUES);
        uint32_t range = AddRange(position->style, fields[0],
                                  static_cast<uint32_t>(std::strlen(fields[0])), fields[1],
                                  static_cast<uint32_t>(std::strlen(fields[1])),
                                  static_cast<uint8_t>(ReadDecimal(fields[2])),
                                  ReadDecimal(fields[3]), position->classId);
        return range == 0 ? GetLastControlError() : AEE_NOERROR;
    }
    case 'S': {
        if (!position->hasClass)
            return SetLastControlError(AEE_CLASSNOTFOUND);
        SplitFields(from, fields, 1);
        uint32_t symbol = AddSymbol(position->style, fields[0],
                                    static_cast<uint32_t>(std::strlen(fields[0])),
                                    position->classId);
        return symbol == 0 ? GetLastControlError() : AEE_NOERROR;
    }
    default:
        return SetLastControlError(AEE_STYLEVALUES);
    }
}

struct SymbolWriter {
    SafeWrite *file;
    uint32_t classId; // only the symbols of this class are written
};

void WriteSymbolOfClass(const StyleSymbol *symbol, void *context)
{
    const SymbolWriter *writer = static_cast<const SymbolWriter *>(context);
    if (symbol->classId == writer->classId)
        SafeWriteFormatted(writer->file, "%c,%s\r\n", 'S', symbol->text);
}

void WriteStyle(SafeWrite *file, const Style *style)
{
    SafeWriteFormatted(file, "%c%s syntax highlighting\r\n", ';', style->name);
    if (style->extraSymbolChars != nullptr)
        SafeWriteFormatted(file, "%c,%s,%s\r\n", 'X', style->name, style->extraSymbolChars);
    else
        SafeWriteFormatted(file, "%c,%s\r\n", 'X', style->name);
    for (uint32_t i = 0; i < style->classCount; ++i) {
        const StyleClass &cls = style->classes[i];
        SafeWriteFormatted(file, "\r\n%c,%s,%d,%hu,%08X\r\n", 'C', cls.name,
                           static_cast<int>(cls.caseSensitive), static_cast<unsigned short>(cls.autocase),
                           static_cast<unsigned>(cls.colour));
        for (uint32_t r = 0; r < style->rangeCount; ++r) {
            const StyleRange &range = style->ranges[r];
            if (range.classId == cls.id)
                SafeWriteFormatted(file, "%c,%s,%s,%hu,%d\r\n", 'R', range.startText, range.endText,
                                   static_cast<unsigned short>(range.flags),
                                   static_cast<int>(static_cast<int32_t>(range.nested)));
        }
        SymbolWriter writer = {file, cls.id};
        ForEachSymbol(style, WriteSymbolOfClass, &writer);
    }
    SafeWriteText(file, "\r\n");
}

} // namespace

int ReadStyleFile(const char *path, bool replace, bool stopAtFirstError, bool *hadBadLine)
{
    if (hadBadLine != nullptr)
        *hadBadLine = false;
    FILE *file = std::fopen(path, "rb");
    // A file that opens but cannot be read (a folder, natively) counts as
    // not opened, so that the set stays as it is.
    int first = file != nullptr ? std::getc(file) : EOF;
    if (file == nullptr || (first == EOF && std::ferror(file))) {
        if (file != nullptr)
            std::fclose(file);
        SetLastControlError(AEE_STYLELOAD);
        return 0;
    }
    std::ungetc(first, file);
    if (replace)
        ClearStyles();

    LineReader reader;
    reader.file = file;
    reader.text = reader.shortText;
    reader.capacity = sizeof reader.shortText;
    ReadPosition position = {0, false, 0};
    DWORD lastBadCode = AEE_NOERROR;
    bool anyBad = false, stopped = false;
    for (;;) {
        size_t length = 0;
        LineResult result = ReadLine(&reader, &length);
        if (result == LineResult::kEndOfFile)
            break;
        DWORD code = AEE_NOERROR;
        if (result == LineResult::kNoMemory) {
            code = SetLastControlError(AEE_MEMORY);
        } else {
            char *line = reader.text;
            while (length > 0 && IsBlank(line[length - 1]))
                --length;
            line[length] = '\0';
            while (IsBlank(*line)) {
                ++line;
                --length;
            }
            if (length <= 1 || line[0] == ';')
                continue;
            code = ReadRecord(line, &position);
        }
        if (code == AEE_NOERROR)
            continue;
        anyBad = true;
        lastBadCode = code;
        if (stopAtFirstError) {
            stopped = true;
            break;
        }
    }
    ReleaseLineReader(&reader);
    std::fclose(file);
    if (anyBad)
        SetLastControlError(lastBadCode); // the last bad line's code stands
    if (hadBadLine != nullptr)
        *hadBadLine = anyBad;
    return stopped ? 0 : 1;
}

int WriteStyleFile(const char *path)
{
    SafeWrite file;
    BeginSafeWrite(&file, path);
    SafeWriteFormatted(&file, "%cSTYLE FILE - Do not edit manually\r\n\r\n", ';');
    for (const Style *style = LastStyle(); style != nullptr; style = style->prev)
        WriteStyle(&file, style);
    if (FinishSafeWrite(&file) != kSafeWriteDone) {
        SetLastControlError(AEE_STYLESAVE);
        return 0;
    }
    return 1;
}

} // namespace scrivlet
