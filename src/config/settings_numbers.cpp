#include "config/settings_numbers.h"

#include <cstdlib>

namespace scrivlet {

namespace {

// White space as the C locale's isspace has it.
bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

int32_t ReadSettingsInteger(const char *text)
{
    while (IsSpace(*text))
        ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    // Accumulates the magnitude and stops growing past the 32-bit range, so
    // any number of digits is read without overflow.
    int64_t magnitude = 0;
    for (; IsDigit(*text); ++text) {
        if (magnitude <= INT64_C(0x80000000))
            magnitude = magnitude * 10 + (*text - '0');
    }
    if (negative)
        return magnitude >= INT64_C(0x80000000) ? INT32_MIN : int32_t(-magnitude);
    return magnitude > INT32_MAX ? INT32_MAX : int32_t(magnitude);
}

double ReadSettingsDecimal(const char *text)
{
    while (IsSpace(*text))
        ++text;
    const char *number = text;
    if (*number == '-' || *number == '+')
        ++number;
    // strtod would also take hexadecimal, "inf" and "nan"; with those ruled
    // out it reads exactly the decimal form.
    bool startsDecimal = IsDigit(number[0]) || (number[0] == '.' && IsDigit(number[1]));
    if (!startsDecimal || (number[0] == '0' && (number[1] == 'x' || number[1] == 'X')))
        return 0.0;
    return std::strtod(text, nullptr);
}

int32_t ClampInteger(int32_t value, int32_t low, int32_t high)
{
    return value < low ? low : value > high ? high : value;
}

double ClampDecimal(double value, double low, double high)
{
    if (!(value > low)) // also NaN, and -0.0 against a low of 0.0
        return low;
    return value > high ? high : value;
}

} // namespace scrivlet
