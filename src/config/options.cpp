#include "config/options.h"

#include <cstring>

namespace scrivlet {

void OptionsDefaults(Options *options, const char *currentDirectory)
{
    *options = Options{};
    options->autoSave = 0;
    options->autoSavePeriod = 15;
    options->backupFiles = 0;
    options->bracketHelp = 0;
    options->storeRecentFileSel = 0;
    options->undoLevels = 100;
    options->autoIndent = 0;
    if (currentDirectory != nullptr && std::strlen(currentDirectory) < kDirectorySize)
        std::strcpy(options->defaultDirectory, currentDirectory);
}

void PageSetupDefaults(PageSetup *pageSetup)
{
    *pageSetup = PageSetup{};
    std::strcpy(pageSetup->header, "&F");
    std::strcpy(pageSetup->footer, "&P");
    pageSetup->marginLeft = 0.63;
    pageSetup->marginRight = 0.63;
    pageSetup->marginTop = 0.0;
    pageSetup->marginBottom = 0.0;
}

} // namespace scrivlet
