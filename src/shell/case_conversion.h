// The case conversions of the Edit menu over ASCII letters.
#pragma once

#include <cstddef>

namespace scrivlet {

enum CaseConversion { kLowerCase, kUpperCase, kInvertCase };

// Lower: A-Z become a-z. Upper: a-z become A-Z. Invert: A-Z become a-z and
// a-z become A-Z. Other bytes stay as they are.
void ConvertCase(char *text, size_t length, CaseConversion conversion);

} // namespace scrivlet
