// The parts of a file name, by the one rule every part of the program uses:
// the name begins after the path's last "\\" or "/", or after a drive "X:"
// at its start; its extension runs from the name's last dot.
#pragma once

#include <cstdint>

namespace scrivlet {

// Where the file name of a path begins ("C:\\t\\a.c" gives 5, "C:x.txt"
// gives 2, "a.c" gives 0).
uint32_t FileNameOffset(const char *path);

// The extension of a path's file name with its dot (".c"), or "" when the
// name has no dot; a dot in a folder's name is none. Points into the path.
const char *ExtensionWithDot(const char *path);

} // namespace scrivlet
