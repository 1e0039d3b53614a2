// Paths of documents as the shell keeps them: a directory (ending in a
// backslash when it came from a path, or empty) and a file name. Every
// result must fit a path buffer; a path that would not is refused, never cut
// into the name of some other file. Portable.
#pragma once

#include "core/file_names.h" // FileNameOffset, ExtensionWithDot
#include "shell/app_texts.h"

#include <cstddef>
#include <cstdint>

namespace scrivlet {

// Joins a directory and a file name, with a backslash between them unless
// the directory is empty or already ends in one. False when the path would
// not fit (the buffer is then empty).
bool JoinDocumentPath(char (&path)[kPathSize], const char *directory, const char *fileName);


// Copies the first `offset` characters of the path (its directory, up to
// the file-name offset a file dialog reports) into a buffer of `size`
// bytes. False, leaving the buffer alone, when the offset lies beyond the
// path or the buffer.
bool CopyDirectoryPart(char *directory, size_t size, const char *path, uint32_t offset);

// The path with its extension (from the last dot of the file name)
// replaced by "bak", or "bak" added after a dot when it has none: a.txt
// gives a.bak, a gives a.bak. False when it would not fit.
bool BackupPathFor(char (&backup)[kPathSize], const char *path);

} // namespace scrivlet
