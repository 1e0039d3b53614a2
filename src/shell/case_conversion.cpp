#include "shell/case_conversion.h"

#include "core/ascii_case.h"

namespace scrivlet {

void ConvertCase(char *text, size_t length, CaseConversion conversion)
{
    for (size_t i = 0; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (IsAsciiUpper(c) && conversion != kUpperCase)
            text[i] = char(AsciiLower(c));
        else if (IsAsciiLower(c) && conversion != kLowerCase)
            text[i] = char(AsciiUpper(c));
    }
}

} // namespace scrivlet
