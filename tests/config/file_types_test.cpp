#include "config/file_types.h"

#include "core/allocation.h"
#include "settings_test_support.h"

#include <cstring>

namespace scrivlet {

namespace {

using namespace std::string_literals;
using FileTypes = SettingsTest;

FileType *Add(IdList *list, const char *name, const char *extensions = "")
{
    FileType *type = CreateFileType(nullptr, name, extensions, 1, "", "", "");
    EXPECT_NE(InsertFileType(list, type), 0u);
    return type;
}

// Each row rebuilds the record in place; fields are cut to their size, lists to their counts.
TEST_F(FileTypes, ListsAreSplitAtCommasAndSemicolonsWithinTheirCounts)
{
    std::string seventeen, sixtyFive;
    for (int i = 0; i < 65; ++i) {
        seventeen += i < 17 ? "e" + std::to_string(i) + "," : "";
        sixtyFive += std::to_string(i + 1) + ";";
    }
    const std::string e255(255, 'e'), p259(259, 'p');
    const struct { std::string name, extensions, widths, templates, expected; } cases[] = {
        {"T", ",,c,;h;", ";;8,,", ";;a;", "T:c,h:8:1:a:|"},
        {"T", "", "4,0,-2,x", "", "T::4,1,1,1:1::|"},
        {"T", seventeen, "", "", "T:e0,e1,e2,e3,e4,e5,e6,e7,e8,e9,e10,e11,e12,e13,e14,e15::1::|"},
        {"T", e255 + "," + e255 + "e,x", "", "", "T:" + e255 + ",x::1::|"}, // 256 characters are dropped
        {"T", "", "", p259 + ";" + p259 + "p;q", "T:::1:" + p259 + ";q:|"},   // 260 take no slot
        {std::string(64, 'n'), "", "", "", std::string(63, 'n') + ":::1::|"},
    };
    FileType *type = Add(types, "T");
    for (const auto &c : cases) {
        ASSERT_EQ(CreateFileType(type, c.name.c_str(), c.extensions.c_str(), 1, c.widths.c_str(),
                                 c.templates.c_str(), ""), type);
        EXPECT_EQ(Types(), c.expected) << c.extensions << " / " << c.widths << " / " << c.templates;
    }
    CreateFileType(type, "T", "", 1, sixtyFive.c_str(), "", "");
    EXPECT_EQ(type->tabWidthCount * 100 + type->tabWidths[63], 6464u);
    ASSERT_EQ(CreateFileType(type, "Z", type->name, 0, "", "", type->name), type) << "its own fields as texts";
    EXPECT_EQ(Types(), "Z:T::0::T|");
}

// A new type sorts by its name, made of its id; memory failures add nothing.
TEST_F(FileTypes, NewTypeIsNamedAfterItsIdWhereFileTypeSorts)
{
    for (const char *name : {"A", "Z"})
        Add(types, name);
    ASSERT_NE(AddNewFileType(types), nullptr);
    EXPECT_EQ(Types(), "A:::1::|File type 003:::1::|Z:::1::|");
    FailNthAllocation(1);
    EXPECT_EQ(AddNewFileType(types), nullptr);
    EXPECT_EQ(CountIds(types), 3u);
}

// The filter up to its double NUL; the guard bytes after it stay untouched.
std::string FilterOf(const IdList *list, uint32_t *leftOut)
{
    struct { char filter[kFileFilterSize], guard[16]; } buffer;
    std::memset(&buffer, '#', sizeof buffer);
    *leftOut = BuildFileFilter(list, buffer.filter);
    EXPECT_EQ(std::string(buffer.guard, 16), std::string(16, '#'));
    std::string filter(buffer.filter, kFileFilterSize);
    return filter.substr(0, filter.find("\0\0"s) + 2);
}

// "All files" (20), the long entry (491) and a NUL fill 512 bytes; one more does not fit.
TEST_F(FileTypes, FilterListsTypesWithExtensionsAndLeavesOutWhatDoesNotFit)
{
    uint32_t leftOut = 99;
    Add(types, "Source", "c,h");
    Add(types, "None");
    Add(types, "", "x");
    EXPECT_EQ(FilterOf(types, &leftOut), "All files (*.*)\0*.*\0Source\0*.c;*.h\0\0"s);
    EXPECT_EQ(leftOut, 1u);
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
