// The control's error codes and their texts. One process-wide last error is
// kept; it is sticky: a successful operation leaves it alone unless it says
// otherwise. Touched only from the user-interface thread.
#pragma once

#include "control/message_types.h"

enum ControlError : DWORD {
    CE_NOERROR = 0,
    CE_NORECORD = 1,
    CE_MEMORY = 2,
    CE_NEGATIVECOORDS = 3,
    CE_CLIPBOARD = 4,
    CE_UNDOMEMORY = 5,
    CE_READOPEN = 6,
    CE_WRITEOPEN = 7,
    CE_VARIABLEPITCH = 8,
    CE_LINENOTFOUND = 9,
    CE_CALLBACK = 10,
    CE_WIN32API = 11,
    CE_MARGINS = 12,
    CE_STYLELOAD = 100,
    CE_STYLESAVE = 101,
    CE_STYLENOTFOUND = 102,
    CE_SYMBOLCHARS = 103,
    CE_STYLELIMIT = 104,
    CE_STYLEVALUES = 105,
    CE_CLASSNOTFOUND = 106,
    CE_STYLELISTEMPTY = 107,
};

// Every text fits in a buffer of this many bytes, NUL included.
constexpr DWORD kControlErrorTextSize = 48;

// Stores the code as the last control error and returns it.
DWORD SetLastControlError(DWORD code);

DWORD GetLastControlError(void);

// Copies the text of the code (or "Unknown error ! ") with its NUL into a
// buffer of at least kControlErrorTextSize bytes; returns the characters
// written, NUL not counted.
DWORD GetControlErrorText(DWORD code, char *buffer);
