#include "core/control_error.h"

#include <cstring>

namespace scrivlet {

namespace {
DWORD lastControlError = AEE_NOERROR;

struct ErrorText {
    DWORD code;
    const char *text;  // every text ends in "! "
};

const ErrorText errorTexts[] = {
    {AEE_NOERROR, "No error ! "},
    {AEE_NORECORD, "Control data not found ! "},
    {AEE_MEMORY, "Memory allocation error ! "},
    {AEE_NEGATIVECOORDS, "Negative coordinates in call to CharFromPos ! "},
    {AEE_CLIPBOARD, "Clipboard operation failed ! "},
    {AEE_UNDOMEMORY, "Not enough memory to store undo operation ! "},
    {AEE_READOPEN, "Read file open failed ! "},
    {AEE_WRITEOPEN, "Write file open failed ! "},
    {AEE_VARIABLEPITCH, "Variable pitch fonts not allowed ! "},
    {AEE_LINENOTFOUND, "Line not found ! "},
    {AEE_CALLBACK, "Error in callback function ! "},
    {AEE_WIN32API, "Error in Win32 API function ! "},
    {AEE_MARGINS, "Illegal margin settings ! "},
    {AEE_STYLELOAD, "Style file could not be loaded ! "},
    {AEE_STYLESAVE, "Style file could not be saved ! "},
    {AEE_STYLENOTFOUND, "Style not found ! "},
    {AEE_SYMBOLCHARS, "Symbol contains illegal characters ! "},
    {AEE_STYLELIMIT, "Maximum number of style objects reached ! "},
    {AEE_STYLEVALUES, "Missing values in style file ! "},
    {AEE_CLASSNOTFOUND, "Class not found ! "},
    {AEE_STYLELISTEMPTY, "Style list is empty ! "},
};

const char unknownErrorText[] = "Unknown error ! ";
} // namespace

DWORD SetLastControlError(DWORD code)
{
    lastControlError = code;
    return code;
}

} // namespace scrivlet

// The two functions of the public header keep C linkage outside the engine's
// namespace.
DWORD GetLastControlError(void)
{
    return scrivlet::lastControlError;
}

DWORD GetControlErrorText(DWORD code, char *buffer)
{
    using namespace scrivlet;
    const char *text = unknownErrorText;
    for (const ErrorText &entry : errorTexts) {
        if (entry.code == code) {
            text = entry.text;
            break;
        }
    }
    size_t length = std::strlen(text);
    std::memcpy(buffer, text, length + 1);
    return static_cast<DWORD>(length);
}
