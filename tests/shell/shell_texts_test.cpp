// The shell's portable rules; the literal texts are pinned where the program shows them (tests/win32/shell).
#include "shell/app_texts.h"
#include "shell/case_conversion.h"
#include "shell/command_line.h"
#include "shell/document_paths.h"
#include "shell/recent_list.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace scrivlet {

TEST(AppTexts, OneTextPerErrorCutTitlesAndUntitledNames)
{
    std::set<std::string> texts;
    for (int code = -1; code <= kAppErrorIniFileType + 1; ++code)
        texts.insert(AppErrorText(code));
    EXPECT_EQ(texts.size(), size_t(kAppErrorIniFileType + 1)) << "one text for each code, one for the rest";
    char title[kTitleSize];
    FormatTitle(title, std::string(400, 'n').c_str());
    EXPECT_EQ(std::string(title).substr(kTitleSize - 12), " - Scrivlet") << "the name is cut, not the program";
    for (auto [name, untitled] : {std::pair<const char *, bool>{"Untitled", true}, {"Untitled.c", true},
                                  {"Untitled.tar.gz", false}, {"untitled.txt", false}})
        EXPECT_EQ(IsUntitled(name), untitled) << name;
}

TEST(DocumentPaths, JoinSplitAndBackup)
{
    char path[kPathSize], part[8] = "keep";
    const std::string directory(250, 'd');
    for (auto [folder, joined] : {std::pair<const char *, const char *>{"C:\\d\\", "C:\\d\\a"}, {"", "a"}}) {
        ASSERT_TRUE(JoinDocumentPath(path, folder, "a"));
        EXPECT_STREQ(path, joined);
    }
    EXPECT_TRUE(JoinDocumentPath(path, directory.c_str(), "12345678"));   // 259 characters
    EXPECT_FALSE(JoinDocumentPath(path, directory.c_str(), "123456789")); // 260: refused, not cut
    EXPECT_STREQ(path, "");
    // Path, offset of the name, whether it is taken, the part left: a refusal keeps the old one.
    for (auto [from, offset, taken, left] :
         {std::tuple<const char *, size_t, bool, const char *>{"C:\\d\\a.txt", 5, true, "C:\\d\\"},
          {"C:\\d\\", 5, true, "C:\\d\\"}, {"C:\\longer\\a", 10, false, "C:\\d\\"}, {"a.txt", 0, true, ""}}) {
        EXPECT_EQ(CopyDirectoryPart(part, sizeof part, from, offset), taken) << from << " " << offset;
        EXPECT_STREQ(part, left);
    }
    for (auto [file, backup] : {std::pair<const char *, const char *>{"C:\\d\\a.txt", "C:\\d\\a.bak"},
                                {"C:\\d.x\\makefile", "C:\\d.x\\makefile.bak"}}) {
        ASSERT_TRUE(BackupPathFor(path, file));
        EXPECT_STREQ(path, backup);
    }
    EXPECT_TRUE(BackupPathFor(path, (std::string(254, 'p') + ".c").c_str())); // the backup: 258 characters
    EXPECT_FALSE(BackupPathFor(path, std::string(256, 'p').c_str()));         // 260
}

TEST(CommandLine, NamesQuotesSwitchesAndLimits)
{
    using Events = std::vector<CommandLineEvent>;
    const CommandLineEvent extra = kCommandLineExtraFile, help = kCommandLineHelp, unknown = kCommandLineUnknownSwitch,
                           tooLong = kCommandLineNameTooLong;
    std::string longName(kPathSize, 'n'), many = "\"a\"";
    for (int i = 0; i < 300; ++i)
        many += " -x";
    const struct {
        std::string line, fileName;
        Events events;
    } cases[] = {
        {"two words", "two words", {}}, // without a leading quote the whole line is one name
        {"\"a\"b  -?x /y", "a", {extra, help, unknown}}, // quotes end tokens wherever they stand
        {"\"unterminated name", "unterminated name", {}},
        {"\"\" \"\" x", "x", {}}, // empty quotes make no token
        {longName, "", {tooLong}}, // refused, not cut; still the name, so a later one is extra
        {"\"" + longName.substr(1) + "\"", longName.substr(1), {}},
        {many, "a", Events(kMaxCommandLineTokens - 1, unknown)}, // only the first 256 tokens count
    };
    for (const auto &c : cases) {
        Events events;
        char fileName[kPathSize];
        ParseCommandLine(c.line.c_str(), fileName,
                         [](void *context, CommandLineEvent event) { static_cast<Events *>(context)->push_back(event); },
                         &events);
        EXPECT_EQ(fileName, c.fileName) << c.line;
        EXPECT_EQ(events, c.events) << c.line;
    }
}

TEST(RecentList, ValuesRoundTripAndTheListKeepsFiveNewestLast)
{
    const std::string tooLong = std::string(kPathSize, 'p') + ";1;2"; // a path that does not fit: all dropped
    const struct {
        const char *value, *path;
        uint32_t start, end;
        const char *formatted;
    } values[] = {{"C:\\a.txt;10;20", "C:\\a.txt", 10, 20, "C:\\a.txt;10;20"}, {"C:\\a.txt", "C:\\a.txt", 0, 0, nullptr},
                  {"C:\\x;y.txt;3;4", "C:\\x", 0, 3, nullptr}, // cut at a semicolon; "y.txt" reads as 0
                  {tooLong.c_str(), "", 0, 0, nullptr},
                  {"", "", 0, 0, ""}};
    for (const auto &v : values) {
        RecentFile entry;
        char value[kRecentValueSize];
        ParseRecentValue(v.value, &entry);
        EXPECT_EQ(entry.path + (";" + std::to_string(entry.selStart) + ";" + std::to_string(entry.selEnd)),
                  v.path + (";" + std::to_string(v.start) + ";" + std::to_string(v.end))) << v.value;
        FormatRecentValue(&entry, value);
        EXPECT_STREQ(value, v.formatted ? v.formatted : value);
    }
    RecentFileList list{};
    for (auto [path, added] :
         {std::pair<const char *, bool>{"a", true}, {"b", true}, {"b", false}, {"B", true}, {"a", true}})
        EXPECT_EQ(AddRecentFile(&list, path, 3, 4), added) << path << " (only the newest entry is compared)";
    EXPECT_EQ(CountRecentFiles(&list), 4u);
    EXPECT_TRUE(AddRecentFile(&list, "e", 0, 0));
    EXPECT_TRUE(AddRecentFile(&list, "f", 8, 9));
    EXPECT_FALSE(AddRecentFile(&list, std::string(kPathSize, 'p').c_str(), 0, 0));
    std::string paths;
    for (const RecentFile &e : list.entries)
        paths += std::string(e.path) + ":" + std::to_string(e.selStart) + "-" + std::to_string(e.selEnd) + " ";
    EXPECT_EQ(paths, "b:3-4 B:3-4 a:3-4 e:0-0 f:8-9 ");
}

TEST(CaseConversion, AsciiLettersOnly)
{
    for (auto [conversion, converted] : {std::pair<CaseConversion, const char *>{kLowerCase, "ab1 z_z\xE9\xC9@[`{"},
                                         {kUpperCase, "AB1 Z_Z\xE9\xC9@[`{"}, {kInvertCase, "Ab1 Z_z\xE9\xC9@[`{"}}) {
        std::string text = "aB1 z_Z\xE9\xC9@[`{";
        ConvertCase(&text[0], text.size(), conversion);
        EXPECT_EQ(text, converted);
    }
}

} // namespace scrivlet
