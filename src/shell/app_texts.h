// The application's own texts: the numbered application errors, the other
// message boxes, the window title, the status bar's parts and the test for
// an untitled document. Portable, so the rules are tested without windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace scrivlet {

enum : uint32_t {
    kPathSize = 260,          // every path and file name buffer of the shell
    kTitleSize = 256,         // the main window's title
    kStatusMessageSize = 256, // the fourth part of the status bar
    kMessageTextSize = 512,   // a formatted message box text
};

// The application errors; every other code reads as "Unknown error !".
enum : int {
    kAppErrorClass = 1,
    kAppErrorMainWindow = 2,
    kAppErrorChildWindows = 3,
    kAppErrorCreateFile = 4,
    kAppErrorOpenFile = 5,
    kAppErrorWrite = 6,
    kAppErrorRead = 7,
    kAppErrorUndoLevels = 8,
    kAppErrorTimer = 9,
    kAppErrorMultipleParameter = 10,
    kAppErrorUnknownParameter = 11,
    kAppErrorMemory = 12,
    kAppErrorPrinterNotReady = 13,
    kAppErrorPrinting = 14,
    kAppErrorFolderPath = 15,
    kAppErrorIniOpen = 16,
    kAppErrorIniCreate = 17,
    kAppErrorIniValueTooLong = 18,
    kAppErrorIniFileType = 19,
};

const char *AppErrorText(int code);

extern const char kAppName[];           // "Scrivlet": class name, save prompt title
extern const char kErrorTitle[];        // "Scrivlet - Error"
extern const char kWarningTitle[];      // "Scrivlet - Warning"
extern const char kInformationTitle[];  // "Scrivlet - Information"
extern const char kUntitledName[];      // "Untitled"

// Texts of the shell's other message boxes.
extern const char kErrSpaceText[];      // the control could not allocate
extern const char kLowMemoryText[];     // the control's memory watch failed
extern const char kMaxTextText[];       // a limit refused an insertion

// The status messages of long operations.
extern const char kStatusOpening[];
extern const char kStatusOpeningTemplate[];
extern const char kStatusSaving[];
extern const char kStatusInserting[];
extern const char kStatusPrinting[];

// "%s - %s" with the file name and "Scrivlet"; a name too long for the
// title is cut so that the whole title fits.
void FormatTitle(char (&title)[kTitleSize], const char *fileName);

// "File %s has changed.\n\nDo you want to save the changes ?"
void FormatSavePrompt(char (&text)[kMessageTextSize], const char *fileName);

// The refusal of a file that holds a NUL byte, naming the file.
void FormatNulFileText(char (&text)[kMessageTextSize], const char *fileName);

// "Finished searching for \"%s\"" with the text searched for.
void FormatEndOfSearch(char (&text)[kMessageTextSize], const char *findWhat);

// "%lu occurrence(s) replaced"
void FormatReplaceCount(char (&text)[kMessageTextSize], unsigned long count);

extern const char kLowMemoryRetryText[]; // case conversion without memory
extern const char kStatusUndoing[];
extern const char kStatusRedoing[];

// "Ln %u, Col %u"
void FormatCaretPosition(char (&text)[32], uint32_t line, uint32_t column);

// The fourth part: the status message while one runs, else "Modified" for a
// modified document, else empty.
const char *DocumentStatusText(const char *statusMessage, bool modified);

// A document is untitled when its file name without the extension (from the
// last dot) is exactly "Untitled": a new document, one made from a template
// ("Untitled.c") and a file on disk called Untitled.txt.
bool IsUntitled(const char *fileName);

// Copies a text into a fixed buffer, cut to fit with its NUL.
template <size_t N> void CopyText(char (&target)[N], const char *text)
{
    size_t length = strnlen(text, N - 1);
    std::memcpy(target, text, length);
    target[length] = '\0';
}

} // namespace scrivlet
