// libFuzzer target for the style file reader. The input is a style file: it
// is read in both modes, then the set is written and read back until the
// writer's output settles. Checked beyond the sanitizers:
// - stop mode gives 0 exactly when a line was bad, skip mode always 1;
// - from the second write on, the writer's output reads back without a bad
//   line. The first may not: trimming the ends of lines can drop blanks that
//   a read text ended in (additional characters " " vanish, and symbols that
//   needed them turn bad);
// - from the third write on, two write-read cycles give the same bytes (one
//   cycle reverses the symbols that share a first letter, two restore them).
//   The third, not the second: "X,Name , " loses its additional characters
//   " " in one cycle, which leaves "X,Name " to lose the name's blank in the
//   next.
#include "core/allocation.h"
#include "highlight/style_file.h"
#include "highlight/style_model.h"

#include "fuzz_support.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

using namespace scrivlet;

namespace {

namespace fs = std::filesystem;


// Writes the set to `name`, reads it back in replace mode and gives the bytes.
std::string WriteAndReadBack(const char *name, bool mustBeClean)
{
    const std::string path = PathOf(name);
    Check(WriteStyleFile(path.c_str()) == 1, "writing failed");
    bool bad = false;
    int result = ReadStyleFile(path.c_str(), true, mustBeClean, &bad);
    Check(!mustBeClean || (result == 1 && !bad), "the writer's output has a bad line");
    return Contents(path);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string input = PathOf("input.dat");
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
    }
    bool bad = false;
    int stopped = ReadStyleFile(input.c_str(), true, true, &bad);
    Check(stopped == (bad ? 0 : 1), "stop mode: result and bad-line flag disagree");
    Check(ReadStyleFile(input.c_str(), false, false, &bad) == 1, "skip mode must give 1");
    Check(ReadStyleFile(input.c_str(), true, false, &bad) == 1, "skip mode must give 1");

    WriteAndReadBack("first.dat", false);
    WriteAndReadBack("second.dat", true);
    const std::string third = WriteAndReadBack("third.dat", true);
    WriteAndReadBack("fourth.dat", true);
    Check(WriteAndReadBack("fifth.dat", true) == third, "two write-read cycles changed the file");

    // The out-of-memory paths, at an allocation chosen by the input.
    FailNthAllocation(1 + size % 64);
    ReadStyleFile(input.c_str(), false, false, &bad);
    FailNthAllocation(0);
    ClearStyles();
    return 0;
}
