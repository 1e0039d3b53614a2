#include "shell/command_line.h"

#include <cstring>

namespace scrivlet {

namespace {

struct TokenHandler {
    char (&fileName)[kPathSize];
    CommandLineEventHandler onEvent;
    void *context;
    bool nameTaken;
};

void TakeFileName(TokenHandler *handler, const char *token, size_t length)
{
    if (handler->nameTaken) {
        handler->onEvent(handler->context, kCommandLineExtraFile);
        return;
    }
    handler->nameTaken = true;
    if (length >= kPathSize) {
        handler->onEvent(handler->context, kCommandLineNameTooLong);
        return;
    }
    std::memcpy(handler->fileName, token, length);
    handler->fileName[length] = '\0';
}

void HandleToken(TokenHandler *handler, const char *token, size_t length)
{
    if (token[0] == '-' || token[0] == '/')
        handler->onEvent(handler->context, length > 1 && token[1] == '?' ? kCommandLineHelp
                                                                         : kCommandLineUnknownSwitch);
    else
        TakeFileName(handler, token, length);
}

} // namespace

void ParseCommandLine(const char *commandLine, char (&fileName)[kPathSize], CommandLineEventHandler onEvent,
                      void *context)
{
    fileName[0] = '\0';
    TokenHandler handler{fileName, onEvent, context, false};
    if (commandLine[0] != '"') {
        if (commandLine[0] != '\0')
            TakeFileName(&handler, commandLine, std::strlen(commandLine));
        return;
    }

    bool quoted = false;
    const char *tokenStart = nullptr;
    unsigned tokens = 0;
    for (const char *p = commandLine;; ++p) {
        bool ends = *p == '\0' || *p == '"' || (*p == ' ' && !quoted);
        if (ends && tokenStart != nullptr) {
            if (++tokens > kMaxCommandLineTokens)
                return;
            HandleToken(&handler, tokenStart, size_t(p - tokenStart));
            tokenStart = nullptr;
        }
        if (*p == '\0')
            return;
        if (*p == '"')
            quoted = !quoted;
        else if (!ends && tokenStart == nullptr)
            tokenStart = p;
    }
}

} // namespace scrivlet
