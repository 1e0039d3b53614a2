#include "print/header_footer.h"

#include "core/ascii_case.h"

#include <cstdio>
#include <cstring>

namespace scrivlet {

namespace {

// Appends text to the expansion as far as the 255 characters allow.
void Append(char (&expanded)[kExpandedTextSize], uint32_t *length, const char *text)
{
    while (*text != '\0' && *length < kExpandedTextSize - 1)
        expanded[(*length)++] = *text++;
}

} // namespace

void ExpandHeaderFooter(const char *format, uint32_t page, const PrintTime &time, const char *documentName,
                        char (&expanded)[kExpandedTextSize])
{
    uint32_t length = 0;
    for (const char *p = format; *p != '\0' && length < kExpandedTextSize - 1; ++p) {
        if (*p != '&') {
            expanded[length++] = *p;
            continue;
        }
        char code = p[1];
        char upper = char(AsciiUpper(static_cast<unsigned char>(code)));
        char piece[64];
        switch (upper) {
        case '&':
            std::strcpy(piece, "&");
            break;
        case 'D':
            std::snprintf(piece, sizeof piece, "%02d/%02d/%d", time.day, time.month, time.year);
            break;
        case 'T':
            std::snprintf(piece, sizeof piece, "%02d:%02d:%02d", time.hour, time.minute, time.second);
            break;
        case 'P':
            std::snprintf(piece, sizeof piece, "%u", unsigned(page));
            break;
        case 'F':
            Append(expanded, &length, documentName != nullptr ? documentName : "");
            piece[0] = '\0';
            break;
        default: // the two characters as they are; a trailing '&' alone
            piece[0] = '&';
            piece[1] = code;
            piece[2] = '\0';
            break;
        }
        Append(expanded, &length, piece);
        if (code == '\0')
            break;
        ++p;
    }
    expanded[length] = '\0';
}

} // namespace scrivlet
