// Numbers as the settings texts hold them (settings file values and the tab
// widths of a file type). Both readers are lenient: they take the longest
// number at the start of the text and ignore what follows.
#pragma once

#include <cstdint>

namespace scrivlet {

// Optional leading white space, an optional sign and the decimal digits up
// to the first other character; 0 when there are no digits. A value beyond
// 32 bits saturates at INT32_MIN or INT32_MAX. Reading stops at a "," or ";"
// like at any other character, so a piece of a list is read in place.
int32_t ReadSettingsInteger(const char *text);

// The same with an optional fraction and exponent ("2", "-.5", "1.5e1"),
// in the C locale's notation; 0 when there are no digits. Only decimal
// notation counts: "0x1p3" reads as 0 and "inf" or "nan" as 0, so the result
// is finite unless the digits overflow (then it is +-HUGE_VAL).
double ReadSettingsDecimal(const char *text);

// The value limited to [low, high]; NaN gives low.
int32_t ClampInteger(int32_t value, int32_t low, int32_t high);
double ClampDecimal(double value, double low, double high);

} // namespace scrivlet
