#include "config/file_types.h"

#include "core/allocation.h"
#include "settings_test_support.h"

#include <cstring>

namespace scrivlet {

namespace {

using namespace std::string_literals;
using FileTypes = SettingsTest;

// A type of that name and extensions, inserted into the list.
FileType *Add(IdList *list, const char *name, const char *extensions = "")
{
    FileType *type = CreateFileType(nullptr, name, extensions, 1, "", "", "");
    EXPECT_NE(InsertFileType(list, type), 0u);
    return type;
}

// Each row rebuilds the same record in place from its texts.
TEST_F(FileTypes, ListsAreSplitAtCommasAndSemicolonsWithinTheirCounts)
{
    std::string seventeen, sixtyFive, eleven;
    for (int i = 0; i < 65; ++i) {
        seventeen += i < 17 ? "e" + std::to_string(i) + "," : "";
        sixtyFive += std::to_string(i + 1) + ";";
        eleven += i < 11 ? "p" + std::to_string(i) + ";" : "";
    }
    const std::string e255(255, 'e'), p259(259, 'p');
    const struct { std::string extensions, widths, templates, expected; } cases[] = {
        {"c;h", "4", "a,b", "T:c,h:4:1:a;b:|"},
        {",,c,;h;", ";;8,,", ";;a;", "T:c,h:8:1:a:|"},
        {"", "4,0,-2,x", "", "T::4,1,1,1:1::|"},
        {"", " 3;+5;99999999999", "", "T::3,5,2147483647:1::|"},
        {seventeen, "", "", "T:e0,e1,e2,e3,e4,e5,e6,e7,e8,e9,e10,e11,e12,e13,e14,e15::1::|"},
        {e255 + "," + e255 + "e,x", "", "", "T:" + e255 + ",x::1::|"}, // 256 characters are dropped
        {"", "", eleven, "T:::1:p0;p1;p2;p3;p4;p5;p6;p7;p8;p9:|"},
        {"", "", p259 + ";" + p259 + "p;q", "T:::1:" + p259 + ";q:|"}, // 260 take no slot
    };
    FileType *type = Add(types, "T");
    for (const auto &c : cases) {
        ASSERT_EQ(CreateFileType(type, "T", c.extensions.c_str(), 1, c.widths.c_str(), c.templates.c_str(), ""),
                  type);
        EXPECT_EQ(Types(), c.expected) << c.extensions << " / " << c.widths << " / " << c.templates;
    }
    CreateFileType(type, "T", "", 1, sixtyFive.c_str(), "", "");
    EXPECT_EQ(type->tabWidthCount, 64u);
    EXPECT_EQ(type->tabWidths[63], 64u);
}

TEST_F(FileTypes, RecordsAreCutToTheirFieldsAndRebuiltInPlace)
{
    FileType *cut = CreateFileType(nullptr, std::string(64, 'n').c_str(), nullptr, 7, nullptr, nullptr,
                                   std::string(80, 's').c_str()); // one more than each field holds
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(cut->name + " "s + cut->codeStyle, std::string(63, 'n') + " " + std::string(79, 's'));
    EXPECT_EQ(cut->keepTabs, 1u);
    EngineFree(cut);

    Add(types, "A");
    FileType *b = Add(types, "B", "b");
    Add(types, "C");
    ASSERT_EQ(CreateFileType(b, "Z", b->extensions[0], 0, "", "", b->name), b) << "its own fields as texts";
    EXPECT_EQ(b->id, 2u);
    EXPECT_EQ(Types(), "A:::1::|Z:b::0::B|C:::1::|") << "same id, same place";

    FailNthAllocation(1);
    EXPECT_EQ(CreateFileType(nullptr, "x", "", 1, "", "", ""), nullptr);
    FileType *orphan = CreateFileType(nullptr, "c", "", 1, "", "", "");
    FailNthAllocation(1);
    EXPECT_EQ(InsertFileType(types, orphan), 0u);
    FailNthAllocation(0);
    EXPECT_EQ(orphan->id, 0u);
    EngineFree(orphan);
}

TEST_F(FileTypes, NewTypeIsNamedAfterItsIdWhereFileTypeSorts)
{
    for (const char *name : {"A", "B", "Y", "Z"})
        Add(types, name);
    FileType *added = AddNewFileType(types);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->id, 5u);
    EXPECT_EQ(Types(), "A:::1::|B:::1::|File type 005:::1::|Y:::1::|Z:::1::|");
    for (unsigned long failing : {1ul, 2ul}) {
        FailNthAllocation(failing);
        EXPECT_EQ(AddNewFileType(types), nullptr) << failing;
    }
    EXPECT_EQ(CountIds(types), 5u);
}

TEST_F(FileTypes, ChoosingTakesTheFirstTypeListingTheExtensionInAnyCase)
{
    EXPECT_STREQ(ExtensionOf("C:\\dir.x\\File.TXT"), "TXT") << "without its dot";
    EXPECT_STREQ(ExtensionOf("dir.d/file"), "");

    Add(types, "Text notes", "md;TXT");
    Add(types, "Plain", "log,txt"); // sorts first
    Add(types, "Code", "c");
    const struct { const char *fileName, *chosen; } cases[] = {
        {"README.txt", "Plain"}, {"a.Md", "Text notes"}, {"x.C", "Code"},
                 {"Untitled", nullptr},   {"notes.", nullptr},     {"a.cc", nullptr}};
    for (const auto &c : cases) {
        const FileType *type = ChooseFileType(types, c.fileName);
        EXPECT_STREQ(type != nullptr ? type->name : nullptr, c.chosen) << c.fileName;
    }
}

// The filter up to its double NUL; the guard bytes after it stay untouched.
std::string FilterOf(const IdList *list, uint32_t *leftOut)
{
    struct { char filter[kFileFilterSize], guard[16]; } buffer;
    std::memset(&buffer, '#', sizeof buffer);
    *leftOut = BuildFileFilter(list, buffer.filter);
    EXPECT_EQ(std::string(buffer.guard, 16), std::string(16, '#'));
    std::string filter(buffer.filter, kFileFilterSize);
    size_t end = filter.find("\0\0"s);
    EXPECT_NE(end, std::string::npos);
    return filter.substr(0, end + 2);
}

TEST_F(FileTypes, FilterListsTypesWithExtensionsAndLeavesOutWhatDoesNotFit)
{
    uint32_t leftOut = 99;
    EXPECT_EQ(FilterOf(types, &leftOut), "All files (*.*)\0*.*\0\0"s);
    EXPECT_EQ(leftOut, 0u);
    Add(types, "Source", "c,h");
    Add(types, "None");
    Add(types, "", "x");
    EXPECT_EQ(FilterOf(types, &leftOut), "All files (*.*)\0*.*\0Source\0*.c;*.h\0\0"s);
    EXPECT_EQ(leftOut, 1u) << "the nameless type would end the filter";

    // 20 bytes of "All files", 491 of this entry (63 + 1 + 258 + 169) and the
    // final NUL fill the 512 bytes exactly; one byte more does not fit, and
    // then the short type after it does.
    for (size_t last : {166u, 167u}) {
        Reset();
        Add(types, std::string(63, 'n').c_str(), (std::string(255, '1') + ";" + std::string(last, '2')).c_str());
        Add(types, "short", "s");
        std::string filter = FilterOf(types, &leftOut);
        EXPECT_EQ(filter.size(), last == 166 ? 512u : 31u) << last;
        EXPECT_EQ(leftOut, 1u);
        EXPECT_EQ(filter.find("short\0*.s\0"s) != std::string::npos, last == 167);
    }
}

} // namespace

} // namespace scrivlet
