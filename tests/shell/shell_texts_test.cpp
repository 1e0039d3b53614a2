// The shell's portable rules: texts, the untitled test, paths, the command
// line, the recent-file list and case conversion.
#include "shell/app_texts.h"
#include "shell/case_conversion.h"
#include "shell/command_line.h"
#include "shell/document_paths.h"
#include "shell/recent_list.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace scrivlet {

TEST(AppTexts, ErrorsTitlesPromptsAndUntitledNames)
{
    std::set<std::string> texts;
    for (int code = 0; code <= kAppErrorIniFileType + 1; ++code)
        texts.insert(AppErrorText(code));
    EXPECT_EQ(texts.size(), size_t(kAppErrorIniFileType + 1)) << "one text for each code, one for the rest";
    EXPECT_STREQ(AppErrorText(-1), AppErrorText(0));
    EXPECT_STREQ(AppErrorText(kAppErrorIniFileType + 1), "Unknown error !");
    EXPECT_STREQ(AppErrorText(kAppErrorOpenFile), "File could not be opened !");

    char title[kTitleSize], prompt[kMessageTextSize], caret[32];
    FormatTitle(title, "Untitled");
    EXPECT_STREQ(title, "Untitled - Scrivlet");
    FormatTitle(title, std::string(400, 'n').c_str());
    EXPECT_EQ(std::string(title).substr(kTitleSize - 12), " - Scrivlet") << "the name is cut, not the program";
    FormatSavePrompt(prompt, "a.txt");
    EXPECT_STREQ(prompt, "File a.txt has changed.\n\nDo you want to save the changes ?");
    FormatCaretPosition(caret, 3, 15);
    EXPECT_STREQ(caret, "Ln 3, Col 15");
    FormatEndOfSearch(prompt, "cat");
    EXPECT_STREQ(prompt, "Finished searching for \"cat\"");
    FormatReplaceCount(prompt, 3);
    EXPECT_STREQ(prompt, "3 occurrence(s) replaced");
    EXPECT_EQ(std::string(DocumentStatusText("", false)) + "|" + DocumentStatusText("", true) + "|" +
                  DocumentStatusText("Saving file...", true), "|Modified|Saving file...");
    for (auto [name, untitled] : {std::pair<const char *, bool>{"Untitled", true}, {"Untitled.c", true},
                                  {"Untitled.tar.gz", false}, {"untitled.txt", false}, {"Untitled2.txt", false}})
        EXPECT_EQ(IsUntitled(name), untitled) << name;
}

TEST(DocumentPaths, JoinSplitAndBackup)
{
    char path[kPathSize], part[8] = "keep";
    const std::string directory(250, 'd');
    for (auto [folder, name, joined] : {std::tuple<const char *, const char *, const char *>{"C:\\d\\", "a", "C:\\d\\a"},
                                        {"C:\\d", "a", "C:\\d\\a"}, {"", "a", "a"}}) {
        ASSERT_TRUE(JoinDocumentPath(path, folder, name));
        EXPECT_STREQ(path, joined);
    }
    EXPECT_TRUE(JoinDocumentPath(path, directory.c_str(), "12345678"));   // 259 characters
    EXPECT_FALSE(JoinDocumentPath(path, directory.c_str(), "123456789")); // 260: refused, not cut
    EXPECT_STREQ(path, "");
    EXPECT_TRUE(CopyDirectoryPart(part, sizeof part, "C:\\d\\a.txt", 5));
    EXPECT_STREQ(part, "C:\\d\\");
    EXPECT_TRUE(CopyDirectoryPart(part, sizeof part, "C:\\d\\", 5)) << "the whole path";
    EXPECT_STREQ(part, "C:\\d\\");
    EXPECT_FALSE(CopyDirectoryPart(part, sizeof part, "C:\\d", 6)) << "beyond the path";
    EXPECT_FALSE(CopyDirectoryPart(part, sizeof part, "C:\\longer\\a", 10)) << "beyond the buffer";
    EXPECT_STREQ(part, "C:\\d\\");
    EXPECT_TRUE(CopyDirectoryPart(part, sizeof part, "a.txt", 0));
    EXPECT_STREQ(part, "");
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
        {"", "", {}},
        {"two words", "two words", {}}, // without a leading quote the whole line is one name
        {"/?", "/?", {}},
        {"\"C:\\my docs\\a.txt\" -x", "C:\\my docs\\a.txt", {unknown}},
        {"\"a b.txt\" \"c.txt\"", "a b.txt", {extra}},
        {"\"a.txt\" /?", "a.txt", {help}},
        {"\"a\"b  -?x /y", "a", {extra, help, unknown}}, // quotes end tokens wherever they stand
        {"\"unterminated name", "unterminated name", {}},
        {"\"\" \"\" x", "x", {}}, // empty quotes make no token
        {longName, "", {tooLong}}, // refused, not cut; still the name, so a later one is extra
        {"\"" + longName + "\" b", "", {tooLong, extra}},
        {"\"" + longName.substr(1) + "\"", longName.substr(1), {}},
        {many, "a", Events(kMaxCommandLineTokens - 1, unknown)}, // only the first 256 tokens count
    };
    for (const auto &c : cases) {
        std::pair<std::string, Events> parsed;
        char fileName[kPathSize];
        ParseCommandLine(c.line.c_str(), fileName,
                         [](void *context, CommandLineEvent event) {
                             static_cast<std::pair<std::string, Events> *>(context)->second.push_back(event);
                         },
                         &parsed);
        EXPECT_EQ(fileName, c.fileName) << c.line;
        EXPECT_EQ(parsed.second, c.events) << c.line;
    }
}

TEST(RecentList, ValuesRoundTripAndTheListKeepsFiveNewestLast)
{
    const struct {
        const char *value, *path;
        uint32_t start, end;
        const char *formatted;
    } values[] = {{"C:\\a.txt;10;20", "C:\\a.txt", 10, 20, "C:\\a.txt;10;20"}, {"C:\\a.txt", "C:\\a.txt", 0, 0, nullptr},
                  {"C:\\a.txt;7", "C:\\a.txt", 7, 7, nullptr}, {";;C:\\a.txt;;5;;9;", "C:\\a.txt", 5, 9, nullptr},
                  {"C:\\x;y.txt;3;4", "C:\\x", 0, 3, nullptr}, // cut at a semicolon; "y.txt" reads as 0
                  {"", "", 0, 0, ""}};
    for (const auto &v : values) {
        RecentFile entry;
        char value[kRecentValueSize];
        ParseRecentValue(v.value, &entry);
        EXPECT_STREQ(entry.path, v.path) << v.value;
        EXPECT_EQ(entry.selStart * 1000 + entry.selEnd, v.start * 1000 + v.end) << v.value;
        FormatRecentValue(&entry, value);
        EXPECT_STREQ(value, v.formatted ? v.formatted : value);
    }
    RecentFile entry;
    ParseRecentValue((std::string(kPathSize, 'p') + ";1;2").c_str(), &entry);
    EXPECT_STREQ(entry.path, "") << "a path that does not fit is dropped";
    char item[kRecentMenuTextSize];
    FormatRecentMenuItem(item, 3, "C:\\a.txt");
    EXPECT_STREQ(item, "&3 C:\\a.txt");

    RecentFileList list{};
    auto paths = [&list] {
        std::string joined;
        for (const RecentFile &e : list.entries)
            joined += std::string(e.path) + ":" + std::to_string(e.selStart) + "-" + std::to_string(e.selEnd) + " ";
        return joined;
    };
    for (auto [path, added] : {std::pair<const char *, bool>{"a", true}, {"b", true}, {"b", false}, {"B", true}, {"a", true}})
        EXPECT_EQ(AddRecentFile(&list, path, 3, 4), added) << path << " (only the newest entry is compared)";
    EXPECT_EQ(CountRecentFiles(&list), 4u);
    EXPECT_TRUE(AddRecentFile(&list, "e", 0, 0));
    EXPECT_TRUE(AddRecentFile(&list, "f", 8, 9));
    EXPECT_FALSE(AddRecentFile(&list, std::string(kPathSize, 'p').c_str(), 0, 0));
    EXPECT_EQ(paths(), "b:3-4 B:3-4 a:3-4 e:0-0 f:8-9 ");
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
