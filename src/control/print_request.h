// AEM_PRINT: the control prints its text, or its selection, on a printer.
#pragma once

#include "control/control_record.h"

namespace scrivlet {

// Prints the text (or only the selection) with the job's settings. Sets
// the control error (0, AEE_WIN32API or AEE_MARGINS) and returns 1 when it
// is 0, else 0. An empty text or selection prints nothing and succeeds.
LResult PrintText(ControlRecord *record, const PrintJob *job);

} // namespace scrivlet
