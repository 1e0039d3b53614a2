// The program's command line: one document name, quoted names, and
// switches. Portable; the main window turns the events into help and
// messages.
#pragma once

#include "shell/app_texts.h"

namespace scrivlet {

enum CommandLineEvent {
    kCommandLineHelp,            // a switch whose second character is "?"
    kCommandLineUnknownSwitch,   // any other switch: "Unknown parameter ignored !"
    kCommandLineExtraFile,       // a second or later name: "Multiple parameter ignored !"
    kCommandLineNameTooLong,     // the name does not fit a path: "File could not be opened !"
};

typedef void (*CommandLineEventHandler)(void *context, CommandLineEvent event);

enum : unsigned { kMaxCommandLineTokens = 256 };

// Parses the command line as the platform gives it, without the program's
// name, and reports events in the order of the tokens. The file name is
// empty when none was named (or the one named was too long).
//
// A line that does not begin with a double quote is one file name, spaces
// and all. Otherwise the line is split into tokens: every double quote
// toggles quoting and ends a token, as does a space outside quotes; neither
// is kept. A token beginning with "-" or "/" is a switch; the first other
// token is the file name and each later one is ignored. Tokens after the
// 256th are ignored.
void ParseCommandLine(const char *commandLine, char (&fileName)[kPathSize], CommandLineEventHandler onEvent,
                      void *context);

} // namespace scrivlet
