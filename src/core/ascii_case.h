// The case of ASCII letters: the one rule behind every case-blind comparison
// and every case conversion of the editor (search, highlighting, style and
// settings names, file extensions, the Change Case commands). Only A-Z and
// a-z have a case; every other byte, including those above 0x7F, has none
// and stays what it is.
#pragma once

namespace scrivlet {

constexpr bool IsAsciiUpper(unsigned char c)
{
    return c >= 'A' && c <= 'Z';
}

constexpr bool IsAsciiLower(unsigned char c)
{
    return c >= 'a' && c <= 'z';
}

constexpr unsigned char AsciiLower(unsigned char c)
{
    return IsAsciiUpper(c) ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

constexpr unsigned char AsciiUpper(unsigned char c)
{
    return IsAsciiLower(c) ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

// Whether two bytes are equal without regard to the case of ASCII letters.
constexpr bool SameIgnoringAsciiCase(unsigned char a, unsigned char b)
{
    return AsciiLower(a) == AsciiLower(b);
}

} // namespace scrivlet
