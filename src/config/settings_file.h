// The settings file "Scrivlet.ini": the options, the font, the file types and
// the page setup as "Key=value" lines.
//
// Writing gives, with CR LF line ends:
//   [Options]
//   AutoSave=0 ... AutoIndent=0      (%d, in the order of the Options record)
//   DefaultDirectory=C:\Work
//   Font=0
//   <empty line>
//   [File Types]
//   Name=...                         for each type in list order:
//   Extensions=c,h                   joined by commas, empty when none
//   TabStops=4,8                     joined by commas, empty when none
//   KeepTabs=1
//   Template=...                     one line per used template slot
//   CodeStyle=...                    possibly empty
//   <empty line>
//   [Page Setup]
//   Header=&F
//   Footer=&P
//   MarginLeft=0.63 ... MarginBottom=0.00   (two decimals, C locale)
//
// Reading takes lines ending at LF (a CR right before the LF is dropped; the
// last line counts without an LF). Leading spaces (not tabs) are skipped;
// empty lines, lines starting with ";" or "[" and lines without "=" are
// skipped. The key is everything before the first "=", the value everything
// after it; neither is trimmed. Keys are matched ignoring ASCII case; unknown
// keys are ignored. Sections are not interpreted: every key counts wherever
// it stands. Integers and decimals read as settings_numbers.h says and are
// clamped: the 0/1 flags (AutoSave, BackupFiles, BracketHelp,
// StoreRecentFileSel, AutoIndent, KeepTabs) to 0..1, AutoSavePeriod to
// 1..1440, Font to 0..2, the margins to 0.0..5.0; UndoLevels is kept as read.
// A text value longer than its limit is ignored with error 18, and the field
// keeps its previous content: DefaultDirectory 259, Header and Footer 511,
// Name 63, Extensions 63, TabStops 63, CodeStyle 79 characters, and for
// Template the list joined with ";" 2609 characters.
//
// File types collect in a pending type. A Name line whose pending name is
// not empty first creates that type and inserts it (error 19 when that
// fails), then empties every pending field and sets keep tabs back to 1; the
// Name's value then becomes the pending name. Extensions, TabStops, KeepTabs
// and CodeStyle replace their pending field, Template appends to the pending
// list. At the end of the file a pending type with a name is created too. So
// lines before the first Name, and after a Name that is empty or too long,
// join the next named type.
//
// Decided here, beyond that format:
// - Lines of any length are read whole: a line is collected in a buffer that
//   grows as needed, and the value limits above then decide. A line whose
//   buffer cannot be grown (memory) is skipped up to its LF with error 18.
// - A NUL byte ends the line's content; the bytes after it up to the LF are
//   ignored (the values are C strings).
// - A CR is dropped only right before an LF: the last line of a file
//   without a final LF keeps a CR at its end.
// - Integers beyond 32 bits saturate (UndoLevels=99999999999 reads as
//   2147483647).
#pragma once

#include "config/options.h"

#include <cstddef>
#include <cstdint>

namespace scrivlet {

struct IdList;

// Application error codes that reading and writing the file lead to.
enum : int {
    kSettingsErrorOpen = 16,         // the file could not be opened for reading
    kSettingsErrorCreate = 17,       // the file could not be created (WriteSettings gave 0)
    kSettingsErrorValueTooLong = 18, // one or more values exceeded their limit and were ignored
    kSettingsErrorFileType = 19,     // one or more file types could not be created
};

// Template values of one type joined with ";": at most this many characters.
enum : uint32_t { kTemplateListLimit = 2609 };

extern const char kSettingsFileName[]; // "Scrivlet.ini", relative to the current directory

// Reads the file into the records the caller filled with defaults; values
// that are not in the file keep them. File types are inserted into the given
// list. Returns 0, kSettingsErrorOpen when the file cannot be opened (then
// nothing is changed), or else the last of errors 18 and 19 met.
int ReadSettings(const char *path, Options *options, uint32_t *font, PageSetup *pageSetup, IdList *fileTypes);

// The same over the bytes of a file held in memory.
int ReadSettingsText(const char *text, size_t length, Options *options, uint32_t *font, PageSetup *pageSetup,
                     IdList *fileTypes);

// Writes the records in place of the file, which is replaced only once the
// new one was written whole. Returns 1, or 0 with the old file untouched when
// the new one could not be created, written or put in its place.
int WriteSettings(const char *path, const Options *options, uint32_t font, const PageSetup *pageSetup,
                  const IdList *fileTypes);

} // namespace scrivlet
