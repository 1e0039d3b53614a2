// AEM_STREAMIN and AEM_STREAMOUT: the text in and out through a caller's
// callback, in blocks of 65,536 bytes, with line ends converted.
#pragma once

#include "control/control_record.h"

namespace scrivlet {

constexpr uint32_t kStreamBlockSize = 65536;

// Reads blocks until the callback delivers nothing or fails. Mode 0
// replaces the whole text without undo; any other mode inserts at the
// selection as one undo group. Returns the bytes read, before conversion.
uint32_t StreamIn(ControlRecord *record, WParam mode, AESTREAM *stream);

// Hands the text to the callback with '\n' turned into CR LF. Returns the
// bytes the callback reports as taken.
uint32_t StreamOut(ControlRecord *record, AESTREAM *stream);

} // namespace scrivlet
