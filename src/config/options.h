// The general options and the page setup: what the settings file keeps
// besides the file types. Plain records with their defaults; no platform
// header, so the application and the tests share them.
#pragma once

#include <cstdint>

namespace scrivlet {

enum : uint32_t {
    kDirectorySize = 260,   // a path buffer: at most 259 characters and the NUL
    kPageTextSize = 512,    // a header or footer: at most 511 characters and the NUL
    kMinAutoSavePeriod = 1, // minutes
    kMaxAutoSavePeriod = 1440,
};

// The editor's font (kept with the application's state, not in Options).
enum : uint32_t { kFontAnsi = 0, kFontOem = 1, kFontSystem = 2 };

// A transient record: filled from the defaults, the settings file or the
// running program before it is written or shown, and applied afterwards.
struct Options {
    uint32_t autoSave;                     // 0 or 1: save the document every autoSavePeriod minutes
    uint32_t autoSavePeriod;               // minutes, 1..1440
    uint32_t backupFiles;                  // 0 or 1: keep the previous file as a .bak copy
    uint32_t bracketHelp;                  // 0 or 1: the control's bracket flash (AEO_BRACKETFLASH)
    uint32_t storeRecentFileSel;           // 0 or 1: recent files remember their selection
    int32_t undoLevels;                    // as read, never range-checked: the control decides
    uint32_t autoIndent;                   // 0 or 1
    char defaultDirectory[kDirectorySize]; // NUL-terminated
};

// How pages are printed; part of the application's state.
struct PageSetup {
    char header[kPageTextSize]; // header codes (&F, &P, ...), NUL-terminated
    char footer[kPageTextSize];
    double marginLeft;          // inches, 0.0..5.0 once read from the settings file
    double marginRight;
    double marginTop;
    double marginBottom;
};

// Auto save off every 15 minutes, no backups, no bracket help, no recent
// selection, 100 undo levels, no auto indent, and the given directory (the
// current directory at start-up). A directory that does not fit the field
// leaves it empty rather than cut into another path.
void OptionsDefaults(Options *options, const char *currentDirectory);

// Header "&F" (the file name), footer "&P" (the page number), left and right
// margins 0.63 inches, top and bottom 0.
void PageSetupDefaults(PageSetup *pageSetup);

} // namespace scrivlet
