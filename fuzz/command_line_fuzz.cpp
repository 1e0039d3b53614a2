// libFuzzer target for the command line parser. The input, up to its first
// NUL, is the command line; it sits in a buffer of exactly its size, so a
// read past the terminating NUL stops the run. Checked beyond the
// sanitizers, against a model written from the parser's contract:
// - the file name buffer always ends up NUL-terminated within its size;
// - a line that does not begin with a double quote names one file, the
//   whole line, or reports it too long and leaves the name empty;
// - otherwise the tokens (quotes toggle quoting and end a token, a space
//   ends one outside quotes, neither is kept, empty tokens do not count,
//   only the first 256 count) give the file name and the events, in token
//   order: "-?"/"/?" help, other switches unknown, a second name extra, a
//   first name of kPathSize bytes or more too long.
#include "shell/command_line.h"

#include "fuzz_support.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace scrivlet;

namespace {

struct Outcome {
    std::string fileName;
    std::vector<CommandLineEvent> events;
};

void Record(void *context, CommandLineEvent event)
{
    static_cast<Outcome *>(context)->events.push_back(event);
}

// The first name sets the file name (or is too long); later ones are extra.
void ModelName(Outcome *outcome, bool *nameTaken, const std::string &name)
{
    if (*nameTaken) {
        outcome->events.push_back(kCommandLineExtraFile);
        return;
    }
    *nameTaken = true;
    if (name.size() >= kPathSize)
        outcome->events.push_back(kCommandLineNameTooLong);
    else
        outcome->fileName = name;
}

void ModelToken(Outcome *outcome, bool *nameTaken, const std::string &token)
{
    if (token[0] == '-' || token[0] == '/')
        outcome->events.push_back(token.size() > 1 && token[1] == '?' ? kCommandLineHelp
                                                                      : kCommandLineUnknownSwitch);
    else
        ModelName(outcome, nameTaken, token);
}

// The tokens of a line that begins with a double quote.
std::vector<std::string> Tokens(const std::string &line)
{
    std::vector<std::string> tokens;
    std::string token;
    bool quoted = false;
    auto finish = [&] {
        if (!token.empty())
            tokens.push_back(token);
        token.clear();
    };
    for (char c : line) {
        if (c == '"') {
            finish();
            quoted = !quoted;
        } else if (c == ' ' && !quoted) {
            finish();
        } else {
            token += c;
        }
    }
    finish();
    return tokens;
}

Outcome Model(const std::string &line)
{
    Outcome outcome;
    bool nameTaken = false;
    if (line.empty())
        return outcome;
    if (line[0] != '"') {
        ModelName(&outcome, &nameTaken, line);
        return outcome;
    }
    std::vector<std::string> tokens = Tokens(line);
    if (tokens.size() > kMaxCommandLineTokens)
        tokens.resize(kMaxCommandLineTokens);
    for (const std::string &token : tokens)
        ModelToken(&outcome, &nameTaken, token);
    return outcome;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const size_t length = strnlen(reinterpret_cast<const char *>(data), size);
    char *line = static_cast<char *>(std::malloc(length + 1));
    Check(line != nullptr, "no memory for the line");
    std::memcpy(line, data, length);
    line[length] = '\0';

    // A stale name must not survive: the buffer starts full of non-NULs.
    char fileName[kPathSize];
    std::memset(fileName, 'x', sizeof fileName);
    Outcome parsed;
    ParseCommandLine(line, fileName, Record, &parsed);
    Check(std::memchr(fileName, '\0', sizeof fileName) != nullptr, "file name not terminated");
    parsed.fileName = fileName;

    const Outcome expected = Model(std::string(line, length));
    Check(parsed.fileName == expected.fileName, "file name differs from the model");
    Check(parsed.events == expected.events, "events differ from the model");
    std::free(line);
    return 0;
}
