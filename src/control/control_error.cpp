#include "control/control_error.h"

#include <cstring>

namespace {
DWORD lastControlError = CE_NOERROR;

struct ErrorText {
    DWORD code;
    const char *text;  // every text ends in "! "
};

const ErrorText errorTexts[] = {
    {CE_NOERROR, "No error ! "},
    {CE_NORECORD, "Control data not found ! "},
    {CE_MEMORY, "Memory allocation error ! "},
    {CE_NEGATIVECOORDS, "Negative coordinates in call to CharFromPos ! "},
    {CE_CLIPBOARD, "Clipboard operation failed ! "},
    {CE_UNDOMEMORY, "Not enough memory to store undo operation ! "},
    {CE_READOPEN, "Read file open failed ! "},
    {CE_WRITEOPEN, "Write file open failed ! "},
    {CE_VARIABLEPITCH, "Variable pitch fonts not allowed ! "},
    {CE_LINENOTFOUND, "Line not found ! "},
    {CE_CALLBACK, "Error in callback function ! "},
    {CE_WIN32API, "Error in Win32 API function ! "},
    {CE_MARGINS, "Illegal margin settings ! "},
    {CE_STYLELOAD, "Style file could not be loaded ! "},
    {CE_STYLESAVE, "Style file could not be saved ! "},
    {CE_STYLENOTFOUND, "Style not found ! "},
    {CE_SYMBOLCHARS, "Symbol contains illegal characters ! "},
    {CE_STYLELIMIT, "Maximum number of style objects reached ! "},
    {CE_STYLEVALUES, "Missing values in style file ! "},
    {CE_CLASSNOTFOUND, "Class not found ! "},
    {CE_STYLELISTEMPTY, "Style list is empty ! "},
};

const char unknownErrorText[] = "Unknown error ! ";
} // namespace

DWORD SetLastControlError(DWORD code)
{
    lastControlError = code;
    return code;
}

DWORD GetLastControlError(void)
{
    return lastControlError;
}

DWORD GetControlErrorText(DWORD code, char *buffer)
{
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
