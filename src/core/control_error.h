// The control's error codes and their texts. One process-wide last error is
// kept; it is sticky: a successful operation leaves it alone unless it says
// otherwise. Touched only from the user-interface thread.
#pragma once

#include "core/message_types.h"

namespace scrivlet {

// The codes are the AEE_ constants of the public header.

// Stores the code as the last control error and returns it.
DWORD SetLastControlError(DWORD code);

// GetLastControlError and GetControlErrorText are declared in the public header.

} // namespace scrivlet
