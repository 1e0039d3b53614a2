#include "core/file_names.h"

#include <gtest/gtest.h>

namespace scrivlet {

namespace {

// The one rule for the parts of a file name: the name after the last "\" or
// "/" or a leading drive; the extension from the name's last dot.
TEST(FileNames, NameAndExtensionByTheOneRule)
{
    const struct {
        const char *path;
        uint32_t nameOffset;
        const char *extension;
    } cases[] = {
        {"C:\\docs\\a.txt", 8, ".txt"}, {"C:/docs/a.txt", 8, ".txt"},  {"C:a.txt", 2, ".txt"},
        {"a.tar.gz", 0, ".gz"},         {"C:\\t.d\\readme", 7, ""},    {"dir.d/file", 6, ""},
        {"Untitled", 0, ""},            {"name.", 0, "."},             {".bashrc", 0, ".bashrc"},
        {"a.b:c", 0, ".b:c"},           {"\\\\server\\share\\x.c", 15, ".c"}, {"", 0, ""},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(FileNameOffset(c.path), c.nameOffset) << c.path;
        EXPECT_STREQ(ExtensionWithDot(c.path), c.extension) << c.path;
    }
}

} // namespace

} // namespace scrivlet
