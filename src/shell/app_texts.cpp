#include "shell/app_texts.h"

#include <cstdio>
#include <cstring>

namespace scrivlet {

const char kAppName[] = "Scrivlet";
const char kErrorTitle[] = "Scrivlet - Error";
const char kWarningTitle[] = "Scrivlet - Warning";
const char kInformationTitle[] = "Scrivlet - Information";
const char kUntitledName[] = "Untitled";

const char kErrSpaceText[] = "Unable to allocate enough memory !";
const char kLowMemoryText[] =
    "Your system is low in memory. You should close other programs to free up memory.";
const char kMaxTextText[] = "You have exceeded the maximum size for a Scrivlet text !";

const char kStatusOpening[] = "Opening file...";
const char kStatusOpeningTemplate[] = "Opening template file...";
const char kStatusSaving[] = "Saving file...";
const char kStatusInserting[] = "Inserting file...";
const char kStatusPrinting[] = "Printing file...";
const char kStatusUndoing[] = "Undoing...";
const char kStatusRedoing[] = "Redoing...";
const char kLowMemoryRetryText[] =
    "Your system is low in memory. You should close other applications and retry the last operation !";

const char *AppErrorText(int code)
{
    static const char *const texts[] = {
        "Class could not be registered !",
        "Main window could not be created !",
        "One or more child windows could not be created !",
        "File could not be created !",
        "File could not be opened !",
        "Last write operation failed !",
        "Last read operation failed !",
        "The undo levels could not be initialized. You should try a smaller number !",
        "Timer could not be created !",
        "Multiple parameter ignored !",
        "Unknown parameter ignored !",
        "Memory allocation failed !",
        "Printer device is not ready !",
        "There was an error during printing !",
        "File system path could not be retrieved !",
        "INI file could not be opened !",
        "INI file could not be created !",
        "One or more INI file entries exceeded the allowed size and were ignored !",
        "One or more file types could not be created !",
    };
    const int count = int(sizeof texts / sizeof texts[0]);
    return code >= 1 && code <= count ? texts[code - 1] : "Unknown error !";
}

void FormatTitle(char (&title)[kTitleSize], const char *fileName)
{
    // Cut the name, not the program's name, when the two do not fit.
    const int room = int(kTitleSize) - 1 - int(std::strlen(" - ")) - int(std::strlen(kAppName));
    std::snprintf(title, sizeof title, "%.*s - %s", room, fileName, kAppName);
}

void FormatSavePrompt(char (&text)[kMessageTextSize], const char *fileName)
{
    std::snprintf(text, sizeof text, "File %s has changed.\n\nDo you want to save the changes ?", fileName);
}

void FormatNulFileText(char (&text)[kMessageTextSize], const char *fileName)
{
    std::snprintf(text, sizeof text,
                  "File %s contains NUL characters and cannot be edited as text !", fileName);
}

void FormatEndOfSearch(char (&text)[kMessageTextSize], const char *findWhat)
{
    std::snprintf(text, sizeof text, "Finished searching for \"%s\"", findWhat);
}

void FormatReplaceCount(char (&text)[kMessageTextSize], unsigned long count)
{
    std::snprintf(text, sizeof text, "%lu occurrence(s) replaced", count);
}

void FormatCaretPosition(char (&text)[32], uint32_t line, uint32_t column)
{
    std::snprintf(text, sizeof text, "Ln %u, Col %u", unsigned(line), unsigned(column));
}

const char *DocumentStatusText(const char *statusMessage, bool modified)
{
    if (statusMessage[0] != '\0')
        return statusMessage;
    return modified ? "Modified" : "";
}

bool IsUntitled(const char *fileName)
{
    const char *dot = std::strrchr(fileName, '.');
    size_t nameLength = dot != nullptr ? size_t(dot - fileName) : std::strlen(fileName);
    return nameLength == std::strlen(kUntitledName) && std::memcmp(fileName, kUntitledName, nameLength) == 0;
}

} // namespace scrivlet
