// File types: each ties a set of file extensions to the editing settings
// that suit them (tab widths, tab handling, a highlighting style) and to
// template files. The application keeps them in one IdList, sorted by name,
// whose values are FileType records owned through that list.
//
// This header needs nothing from the engine: the application's code that
// sends a type's settings to a control (shell/apply_options.h) includes it too.
#pragma once

#include <cstdint>

namespace scrivlet {

struct IdList;

enum : uint32_t {
    kFileTypeNameSize = 64,  // at most 63 characters and the NUL
    kMaxExtensions = 16,
    kExtensionSize = 256,    // at most 255 characters and the NUL
    kMaxTabWidths = 64,
    kMaxTemplates = 10,
    kTemplateSize = 260,     // a path: at most 259 characters and the NUL
    kCodeStyleSize = 80,     // a style name: at most 79 characters and the NUL
    kFileFilterSize = 512,   // the filter buffer of the Open and Save As dialogs
};

struct FileType {
    uint32_t id;                                    // given by the list on insertion; 0 before
    char name[kFileTypeNameSize];                   // display name
    uint32_t extensionCount;                        // 0..16
    char extensions[kMaxExtensions][kExtensionSize]; // without the dot, never empty; case ignored
    uint32_t keepTabs;                              // 0 or 1: the control keeps tab characters
    uint32_t tabWidthCount;                         // 0..64
    uint32_t tabWidths[kMaxTabWidths];              // in columns, each >= 1
    char templates[kMaxTemplates][kTemplateSize];   // full paths; the used slots come first
    char codeStyle[kCodeStyleSize];                 // highlighting style name; empty for none
};

// Builds a type from texts. With `existing` that record is rebuilt in place
// (its id stays, so its place in the list does not change); otherwise a new
// record is allocated. Null texts count as empty. Returns the record, or
// null when memory ran out (an existing record is then unchanged).
// - name and codeStyle are cut to 63 and 79 characters;
// - the lists are split at every "," and ";", empty pieces skipped;
// - extensions: the first 16 pieces; a piece over 255 characters is dropped;
// - tab widths: the first 64 pieces, each read as an integer (sign and
//   digits, 0 without digits) and raised to at least 1;
// - templates: the first 10 pieces fill the slots in order, the rest are
//   emptied; a piece over 259 characters cannot be a path and is dropped
//   without taking a slot.
// keepTabs is stored as 0 or 1.
FileType *CreateFileType(FileType *existing, const char *name, const char *extensions, uint32_t keepTabs,
                         const char *tabWidths, const char *templates, const char *codeStyle);

// Inserts the record in name order: after every type whose name is less
// than or equal to its name, comparing bytes as unsigned values, so equal
// names keep their insertion order. Stores the new id in the record and
// returns it, or returns 0 (the record is neither inserted nor freed) when
// memory runs out.
uint32_t InsertFileType(IdList *list, FileType *type);

// The File Types dialog's new type: named "File type", all lists empty,
// keep tabs 1, inserted under that name and then renamed "File type %03u"
// with its id in place (id 5 gives "File type 005"). Renaming does not move
// it, so it can stand out of name order until the list is read back. Null
// when memory runs out (nothing is left behind).
FileType *AddNewFileType(IdList *list);

// Frees every record and the list, and sets *list to null.
void FreeFileTypes(IdList **list);

// The extension of a file name without its dot (ExtensionWithDot of
// core/file_names.h); "" when there is none. Points into fileName.
const char *ExtensionOf(const char *fileName);

// The first type in list order that lists the file name's extension,
// ignoring ASCII letter case; null when none does. None lists the empty
// extension, so a name without one chooses no type.
const FileType *ChooseFileType(const IdList *list, const char *fileName);

// Writes the filter of the Open and Save As dialogs: "All files (*.*)" and
// "*.*", then for each type with extensions, in list order, its name and its
// patterns ("*.c;*.h"), each string ending in a NUL, and one more NUL at the
// end. The buffer is never overrun: a type whose whole entry would not fit
// (keeping room for the final NUL) is left out entirely, and the types after
// it are still tried. A type with an empty name is left out too, because its
// empty display text would end the filter there. Returns the number of types
// with extensions that were left out.
uint32_t BuildFileFilter(const IdList *list, char (&filter)[kFileFilterSize]);

} // namespace scrivlet
