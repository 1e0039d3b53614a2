#include "shell/case_conversion.h"

namespace {

bool IsUpper(char c)
{
    return c >= 'A' && c <= 'Z';
}

bool IsLower(char c)
{
    return c >= 'a' && c <= 'z';
}

} // namespace

void ConvertCase(char *text, size_t length, CaseConversion conversion)
{
    const char shift = 'a' - 'A';
    for (size_t i = 0; i < length; ++i) {
        char &c = text[i];
        bool lower = IsLower(c);
        bool upper = IsUpper(c);
        if (upper && conversion != kUpperCase)
            c = char(c + shift);
        else if (lower && conversion != kLowerCase)
            c = char(c - shift);
    }
}
