// The style messages (AEM_ADDSTYLE … AEM_SAVESTYLES): the shared style set
// through the control's protocol. They need no control record.
#pragma once

#include "core/message_types.h"

namespace scrivlet {

// Whether the message is one of the style messages.
bool IsStyleMessage(unsigned message);

LResult StyleMessage(unsigned message, WParam wParam, LParam lParam);

// The style file every first control with AES_LOADSTYLES reads.
constexpr const char *kStyleFileName = "styles.dat";

} // namespace scrivlet
