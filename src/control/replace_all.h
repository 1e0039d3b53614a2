// AEM_REPLACEALL: every match from a point to the end of the text replaced
// in one pass, with the results of replacing them one by one.
#pragma once

#include "control/control_record.h"

namespace scrivlet {

// Replaces the matches of `pattern` (search flags as AEM_FINDTEXT takes
// them) from `start` on with `replacement`, exactly as searching from the
// selection end, selecting the match and replacing the selection with undo
// would, match after match: the same text, selection and undo groups. When
// the one-pass path cannot promise that (a replacement holding a CR, which
// is split as it is inserted; a text limit or window size that would refuse
// a replacement), it replaces match by match itself. Returns the count.
uint32_t ReplaceAllMatches(ControlRecord *record, uint32_t start, const char *pattern, const char *replacement,
                           uint32_t flags);

} // namespace scrivlet
