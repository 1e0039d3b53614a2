// The shell's portable rules: texts, the untitled test, paths, the command
// line and the recent-file list.
#include "shell/app_texts.h"
#include "shell/case_conversion.h"
#include "shell/command_line.h"
#include "shell/document_paths.h"
#include "shell/recent_list.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace scrivlet {

TEST(AppTexts, ErrorsTitleStatusAndUntitled)
{
    EXPECT_STREQ(AppErrorText(1), "Class could not be registered !");
    EXPECT_STREQ(AppErrorText(5), "File could not be opened !");
    EXPECT_STREQ(AppErrorText(16), "INI file could not be opened !");
    EXPECT_STREQ(AppErrorText(19), "One or more file types could not be created !");
    EXPECT_STREQ(AppErrorText(0), "Unknown error !");
    EXPECT_STREQ(AppErrorText(20), "Unknown error !");
    EXPECT_STREQ(AppErrorText(-1), "Unknown error !");

    char title[kTitleSize];
    FormatTitle(title, "Untitled");
    EXPECT_STREQ(title, "Untitled - Scrivlet");
    std::string longName(400, 'n');
    FormatTitle(title, longName.c_str());
    EXPECT_EQ(std::string(title).size(), kTitleSize - 1);
    EXPECT_EQ(std::string(title).substr(kTitleSize - 12), " - Scrivlet") << "the name is cut, not the program";

    char prompt[kMessageTextSize];
    FormatSavePrompt(prompt, "a.txt");
    EXPECT_STREQ(prompt, "File a.txt has changed.\n\nDo you want to save the changes ?");
    char caret[32];
    FormatCaretPosition(caret, 3, 5);
    EXPECT_STREQ(caret, "Ln 3, Col 5");

    EXPECT_STREQ(DocumentStatusText("", false), "");
    EXPECT_STREQ(DocumentStatusText("", true), "Modified");
    EXPECT_STREQ(DocumentStatusText("Saving file...", true), "Saving file...");

    EXPECT_TRUE(IsUntitled("Untitled"));
    EXPECT_TRUE(IsUntitled("Untitled.c"));
    EXPECT_TRUE(IsUntitled("Untitled.txt"));
    EXPECT_TRUE(IsUntitled("Untitled.tar.gz") == false) << "the extension starts at the last dot";
    EXPECT_FALSE(IsUntitled("untitled.txt"));
    EXPECT_FALSE(IsUntitled("Untitled2.txt"));
    EXPECT_FALSE(IsUntitled("a.txt"));
}

TEST(DocumentPaths, JoinSplitAndBackup)
{
    char path[kPathSize];
    ASSERT_TRUE(JoinDocumentPath(path, "C:\\docs\\", "a.txt"));
    EXPECT_STREQ(path, "C:\\docs\\a.txt");
    ASSERT_TRUE(JoinDocumentPath(path, "C:\\docs", "a.txt"));
    EXPECT_STREQ(path, "C:\\docs\\a.txt");
    ASSERT_TRUE(JoinDocumentPath(path, "", "a.txt"));
    EXPECT_STREQ(path, "a.txt");
    std::string directory(250, 'd');
    EXPECT_TRUE(JoinDocumentPath(path, directory.c_str(), "12345678"));   // 259 characters
    EXPECT_FALSE(JoinDocumentPath(path, directory.c_str(), "123456789")); // 260: refused, not cut
    EXPECT_STREQ(path, "");

    char part[8] = "keep";
    EXPECT_TRUE(CopyDirectoryPart(part, sizeof part, "C:\\d\\a.txt", 5));
    EXPECT_STREQ(part, "C:\\d\\");
    EXPECT_TRUE(CopyDirectoryPart(part, sizeof part, "a.txt", 0));
    EXPECT_STREQ(part, "");
    std::strcpy(part, "keep");
    EXPECT_FALSE(CopyDirectoryPart(part, sizeof part, "C:\\d", 6)) << "beyond the path";
    EXPECT_FALSE(CopyDirectoryPart(part, sizeof part, "C:\\longer\\a", 10)) << "beyond the buffer";
    EXPECT_STREQ(part, "keep");

    char backup[kPathSize];
    ASSERT_TRUE(BackupPathFor(backup, "C:\\docs\\a.txt"));
    EXPECT_STREQ(backup, "C:\\docs\\a.bak");
    ASSERT_TRUE(BackupPathFor(backup, "C:\\d.x\\makefile"));
    EXPECT_STREQ(backup, "C:\\d.x\\makefile.bak");
    std::string full = std::string(254, 'p') + ".c"; // 256 characters, backup 258
    EXPECT_TRUE(BackupPathFor(backup, full.c_str()));
    full = std::string(256, 'p');                     // the backup would need 260
    EXPECT_FALSE(BackupPathFor(backup, full.c_str()));
}

namespace {

struct ParsedLine {
    std::string fileName;
    std::vector<CommandLineEvent> events;
};

ParsedLine Parse(const std::string &line)
{
    ParsedLine parsed;
    char fileName[kPathSize];
    ParseCommandLine(line.c_str(), fileName,
                     [](void *context, CommandLineEvent event) {
                         static_cast<ParsedLine *>(context)->events.push_back(event);
                     },
                     &parsed);
    parsed.fileName = fileName;
    return parsed;
}

} // namespace

TEST(CommandLine, PlainQuotedSwitchesAndLimits)
{
    EXPECT_EQ(Parse("").fileName, "");
    EXPECT_TRUE(Parse("").events.empty());

    // Without a leading quote the whole line is one name.
    EXPECT_EQ(Parse("two words").fileName, "two words");
    ParsedLine help = Parse("/?");
    EXPECT_EQ(help.fileName, "/?");
    EXPECT_TRUE(help.events.empty());

    ParsedLine unknown = Parse("\"C:\\my docs\\a.txt\" -x");
    EXPECT_EQ(unknown.fileName, "C:\\my docs\\a.txt");
    EXPECT_EQ(unknown.events, std::vector<CommandLineEvent>{kCommandLineUnknownSwitch});

    ParsedLine twoNames = Parse("\"a b.txt\" \"c.txt\"");
    EXPECT_EQ(twoNames.fileName, "a b.txt");
    EXPECT_EQ(twoNames.events, std::vector<CommandLineEvent>{kCommandLineExtraFile});

    ParsedLine helpAfterName = Parse("\"a.txt\" /?");
    EXPECT_EQ(helpAfterName.fileName, "a.txt");
    EXPECT_EQ(helpAfterName.events, std::vector<CommandLineEvent>{kCommandLineHelp});

    // Quotes end tokens wherever they stand; spaces only outside quotes.
    ParsedLine glued = Parse("\"a\"b  -?x /y");
    EXPECT_EQ(glued.fileName, "a");
    EXPECT_EQ(glued.events,
              (std::vector<CommandLineEvent>{kCommandLineExtraFile, kCommandLineHelp, kCommandLineUnknownSwitch}));
    EXPECT_EQ(Parse("\"unterminated name").fileName, "unterminated name");
    EXPECT_EQ(Parse("\"\" \"\" x").fileName, "x") << "empty quotes make no token";

    // A name that does not fit a path is refused, not cut; it still counts
    // as the name, so a later one is reported as extra.
    std::string tooLong(kPathSize, 'n');
    ParsedLine plainLong = Parse(tooLong);
    EXPECT_EQ(plainLong.fileName, "");
    EXPECT_EQ(plainLong.events, std::vector<CommandLineEvent>{kCommandLineNameTooLong});
    ParsedLine quotedLong = Parse("\"" + tooLong + "\" b");
    EXPECT_EQ(quotedLong.fileName, "");
    EXPECT_EQ(quotedLong.events,
              (std::vector<CommandLineEvent>{kCommandLineNameTooLong, kCommandLineExtraFile}));
    EXPECT_EQ(Parse("\"" + std::string(kPathSize - 1, 'n') + "\"").fileName.size(), kPathSize - 1);

    // Only the first 256 tokens count.
    std::string many = "\"a\"";
    for (int i = 0; i < 300; ++i)
        many += " -x";
    EXPECT_EQ(Parse(many).events.size(), size_t(kMaxCommandLineTokens - 1));
}

namespace {

std::vector<std::string> Paths(const RecentFileList &list)
{
    std::vector<std::string> paths;
    for (const RecentFile &entry : list.entries)
        paths.push_back(entry.path);
    return paths;
}

} // namespace

TEST(RecentList, ValuesRoundTripAndMalformedValuesReadSafely)
{
    RecentFile entry;
    ParseRecentValue("C:\\a.txt;10;20", &entry);
    EXPECT_STREQ(entry.path, "C:\\a.txt");
    EXPECT_EQ(entry.selStart, 10u);
    EXPECT_EQ(entry.selEnd, 20u);
    char value[kRecentValueSize];
    FormatRecentValue(&entry, value);
    EXPECT_STREQ(value, "C:\\a.txt;10;20");

    ParseRecentValue("C:\\a.txt", &entry);
    EXPECT_EQ(entry.selStart, 0u);
    EXPECT_EQ(entry.selEnd, 0u);
    ParseRecentValue("C:\\a.txt;7", &entry);
    EXPECT_EQ(entry.selStart, 7u);
    EXPECT_EQ(entry.selEnd, 7u);
    ParseRecentValue(";;C:\\a.txt;;5;;9;", &entry);
    EXPECT_STREQ(entry.path, "C:\\a.txt");
    EXPECT_EQ(entry.selStart, 5u);
    EXPECT_EQ(entry.selEnd, 9u);
    ParseRecentValue("C:\\x;y.txt;3;4", &entry);
    EXPECT_STREQ(entry.path, "C:\\x") << "a path is cut at a semicolon";
    EXPECT_EQ(entry.selStart, 0u) << "\"y.txt\" reads as 0";

    ParseRecentValue("", &entry);
    EXPECT_STREQ(entry.path, "");
    FormatRecentValue(&entry, value);
    EXPECT_STREQ(value, "");
    std::string tooLong = std::string(kPathSize, 'p') + ";1;2";
    ParseRecentValue(tooLong.c_str(), &entry);
    EXPECT_STREQ(entry.path, "") << "a path that does not fit is dropped";

    char item[kRecentMenuTextSize];
    FormatRecentMenuItem(item, 3, "C:\\a.txt");
    EXPECT_STREQ(item, "&3 C:\\a.txt");
}

TEST(RecentList, AddKeepsOrderSkipsTheNewestAndDropsTheOldest)
{
    RecentFileList list{};
    EXPECT_TRUE(AddRecentFile(&list, "a", 1, 2));
    EXPECT_TRUE(AddRecentFile(&list, "b", 0, 0));
    EXPECT_FALSE(AddRecentFile(&list, "b", 5, 5)) << "the newest entry is not added again";
    EXPECT_TRUE(AddRecentFile(&list, "B", 0, 0)) << "letter case counts";
    EXPECT_TRUE(AddRecentFile(&list, "a", 3, 4)) << "only the newest entry is compared";
    EXPECT_EQ(CountRecentFiles(&list), 4u);
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"a", "b", "B", "a", ""}));
    EXPECT_EQ(list.entries[3].selStart, 3u);

    EXPECT_TRUE(AddRecentFile(&list, "e", 0, 0));
    EXPECT_TRUE(AddRecentFile(&list, "f", 8, 9));
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"b", "B", "a", "e", "f"}));
    EXPECT_EQ(list.entries[2].selStart, 3u) << "selections move with their paths";
    EXPECT_EQ(list.entries[4].selEnd, 9u);

    std::string tooLong(kPathSize, 'p');
    EXPECT_FALSE(AddRecentFile(&list, tooLong.c_str(), 0, 0));
    EXPECT_EQ(Paths(list)[4], "f");
}

TEST(CaseConversion, AsciiLettersOnly)
{
    auto converted = [](std::string text, CaseConversion conversion) {
        ConvertCase(&text[0], text.size(), conversion);
        return text;
    };
    const std::string mixed = "aB1 z_Z\xE9\xC9@[`{";
    EXPECT_EQ(converted(mixed, kLowerCase), "ab1 z_z\xE9\xC9@[`{");
    EXPECT_EQ(converted(mixed, kUpperCase), "AB1 Z_Z\xE9\xC9@[`{");
    EXPECT_EQ(converted(mixed, kInvertCase), "Ab1 Z_z\xE9\xC9@[`{");

    char texts[kMessageTextSize];
    FormatEndOfSearch(texts, "cat");
    EXPECT_STREQ(texts, "Finished searching for \"cat\"");
    FormatReplaceCount(texts, 3);
    EXPECT_STREQ(texts, "3 occurrence(s) replaced");
}

} // namespace scrivlet
