// The texts of the settings dialogs: how the Options dialog reads its number
// fields and how the Edit File Type dialog shows a type's lists in its edit
// fields. Portable, so the rules are tested without windows.
#pragma once

#include "config/file_types.h"

#include <cstdint>
#include <string>

namespace scrivlet {

// Reads a number field the way the dialogs do (GetDlgItemInt-style, without
// a sign): optional blanks (spaces and tabs), decimal digits, optional
// blanks, nothing else. Anything else - an empty text, letters, a sign, a
// value beyond 32 bits - is not a number: false, and *value is 0.
bool ReadUnsignedNumber(const char *text, uint32_t *value);

// The extensions joined by ",": "c,h,cpp"; "" without extensions.
std::string JoinExtensions(const FileType &type);

// The tab widths as decimal numbers joined by ",": "4,8"; "" without any.
std::string JoinTabWidths(const FileType &type);

// Appends a template path to a ";"-separated list: a ";" first when the list
// is not empty and does not end with one, then the path (which may be empty).
void AppendTemplatePath(std::string &list, const char *path);

// All ten template slots in order, each appended as AppendTemplatePath does,
// so that fewer than ten templates leave a trailing ";" and none gives "".
std::string JoinTemplates(const FileType &type);

// True when splitting the text at "," and ";" leaves at least one non-empty
// piece, as CreateFileType splits an extension list.
bool HasListPiece(const char *text);

} // namespace scrivlet
