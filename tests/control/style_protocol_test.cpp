// The style messages: the shared style set through the control's protocol.
#include "support/control_fixture.h"

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Styles : ControlTest {
    void SetUp() override
    {
        ControlTest::SetUp();
        // Every test starts from an empty set: creating the only control
        // without AES_LOADSTYLES starts with no styles.
        EXPECT_EQ(Send(AEM_GETSTYLECOUNT), 0);
    }

    DWORD AddClass(DWORD style, const char *name, int caseSensitive = 1)
    {
        AESTYLEREF ref = {style, 0, AESK_CLASS};
        AESTYLECLASS cls = {};
        std::strcpy(cls.name, name);
        cls.caseSensitive = caseSensitive;
        cls.colour = 0x00FF0000;
        return DWORD(Send(AEM_ADDSTYLEITEM, uintptr_t(&ref), Param(&cls)));
    }

    DWORD AddRange(DWORD style, const char *start, const char *end, DWORD cls)
    {
        AESTYLEREF ref = {style, 0, AESK_RANGE};
        AESTYLERANGE range = {};
        std::strcpy(range.startText, start);
        std::strcpy(range.endText, end);
        range.classIdentifier = cls;
        return DWORD(Send(AEM_ADDSTYLEITEM, uintptr_t(&ref), Param(&range)));
    }

    DWORD AddSymbol(DWORD style, const char *text, DWORD cls)
    {
        AESTYLEREF ref = {style, 0, AESK_SYMBOL};
        AESTYLESYMBOL symbol = {};
        std::strcpy(symbol.text, text);
        symbol.classIdentifier = cls;
        return DWORD(Send(AEM_ADDSTYLEITEM, uintptr_t(&ref), Param(&symbol)));
    }

    std::vector<DWORD> RangeIds(DWORD style)
    {
        AESTYLEREF ref = {style, 0, 0};
        std::vector<AESTYLERANGE> ranges(size_t(Send(AEM_GETSTYLERANGES, uintptr_t(&ref), 0)));
        Send(AEM_GETSTYLERANGES, uintptr_t(&ref), Param(ranges.data()));
        std::vector<DWORD> ids;
        for (const AESTYLERANGE &range : ranges)
            ids.push_back(range.identifier);
        return ids;
    }
};

// Runs a test body in a fresh temporary folder as the current directory.
struct InTemporaryFolder {
    fs::path previous = fs::current_path();
    fs::path folder = fs::temp_directory_path() / ("scrivlet-styles-" + std::to_string(std::rand()));
    InTemporaryFolder()
    {
        fs::create_directories(folder);
        fs::current_path(folder);
    }
    ~InTemporaryFolder()
    {
        fs::current_path(previous);
        fs::remove_all(folder);
    }
};

TEST_F(Styles, StylesAreCreatedFoundAndListedNewestFirst)
{
    DWORD c = DWORD(Send(AEM_ADDSTYLE, uintptr_t("C"), Param("#")));
    DWORD longName = DWORD(Send(AEM_ADDSTYLE, uintptr_t(std::string(100, 'p').c_str()), 0));
    EXPECT_EQ(c, 1u);
    EXPECT_EQ(longName, 2u);
    EXPECT_EQ(Send(AEM_FINDSTYLE, uintptr_t("C")), 1);
    EXPECT_EQ(Send(AEM_FINDSTYLE, uintptr_t("c")), 0) << "names compare with case";
    EXPECT_EQ(Send(AEM_FINDSTYLE, uintptr_t("")), 0);

    AESTYLEINFO list[3];
    std::memset(list, 0x55, sizeof list);
    EXPECT_EQ(Send(AEM_GETSTYLES, 1, Param(list)), 1) << "no more than the maximum";
    EXPECT_EQ(list[0].handle, longName);
    EXPECT_EQ(std::string(list[0].name), std::string(79, 'p')) << "cut to 79 characters";
    EXPECT_EQ(list[1].handle, 0x55555555u) << "the record after the maximum stays untouched";
    EXPECT_EQ(Send(AEM_GETSTYLES, 3, Param(list)), 2);
    EXPECT_STREQ(list[1].additionalSymbolChars, "#");

    Send(AEM_DELETESTYLE, c);
    Send(AEM_DELETESTYLE, longName);
    EXPECT_EQ(Send(AEM_GETSTYLES, 3, Param(list)), 0);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_STYLELISTEMPTY));
}

TEST_F(Styles, ItemsAreAddedCountedAndCopied)
{
    DWORD s = DWORD(Send(AEM_ADDSTYLE, uintptr_t("S"), 0));
    DWORD comment = AddClass(s, "Comment");
    DWORD keyword = AddClass(s, "Keyword", 0);
    AddClass(s, "Number");
    EXPECT_EQ(AddRange(s, "/*", "*/", comment), 1u);
    EXPECT_EQ(AddRange(s, "", "x", comment), 0u) << "a range needs a start text";
    EXPECT_EQ(AddSymbol(s, "while", keyword), 1u);
    EXPECT_EQ(AddSymbol(s, "no-no", keyword), 0u);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_SYMBOLCHARS));

    AESTYLEREF all = {s, 0, 0};
    EXPECT_EQ(Send(AEM_GETSTYLECLASSES, uintptr_t(&all), 0), 3) << "count only, nothing written";
    AESTYLECLASS classes[3];
    EXPECT_EQ(Send(AEM_GETSTYLECLASSES, uintptr_t(&all), Param(classes)), 3);
    EXPECT_STREQ(classes[1].name, "Keyword");
    EXPECT_EQ(classes[1].caseSensitive, 0);
    AESTYLEREF one = {s, keyword, 0};
    AESTYLESYMBOL symbol = {};
    EXPECT_EQ(Send(AEM_GETSTYLESYMBOLS, uintptr_t(&one), Param(&symbol)), 0) << "no symbol has that id";
    one.item = 1;
    EXPECT_EQ(Send(AEM_GETSTYLESYMBOLS, uintptr_t(&one), Param(&symbol)), 1);
    EXPECT_STREQ(symbol.text, "while");

    AESTYLEREF other = {s, 0, 4};
    AESTYLECLASS unused = {};
    EXPECT_EQ(Send(AEM_ADDSTYLEITEM, uintptr_t(&other), Param(&unused)), 0) << "kind 4 adds nothing";
    EXPECT_EQ(Send(AEM_GETSTYLECLASSES, uintptr_t(&all), 0), 3);

    AESTYLEREF gone = {s, comment, AESK_CLASS};
    Send(AEM_DELETESTYLEITEM, uintptr_t(&gone));
    EXPECT_EQ(Send(AEM_GETSTYLERANGES, uintptr_t(&all), 0), 0) << "the class's ranges went with it";
    EXPECT_EQ(Send(AEM_GETSTYLESYMBOLS, uintptr_t(&all), 0), 1) << "other classes keep theirs";
}

TEST_F(Styles, ReplacingARangeMovesItLast)
{
    DWORD s = DWORD(Send(AEM_ADDSTYLE, uintptr_t("S"), 0));
    DWORD cls = AddClass(s, "K");
    for (const char *start : {"a", "b", "c"})
        AddRange(s, start, "z", cls);
    AESTYLEREF first = {s, 1, AESK_RANGE};
    AESTYLERANGE range = {};
    std::strcpy(range.startText, "A");
    EXPECT_EQ(Send(AEM_SETSTYLEITEM, uintptr_t(&first), Param(&range)), 4);
    EXPECT_EQ(RangeIds(s), (std::vector<DWORD>{2, 3, 4}));
    AESTYLEREF last = {s, 4, AESK_RANGE};
    EXPECT_EQ(Send(AEM_SETSTYLEITEM, uintptr_t(&last), Param(&range)), 4);

    DWORD symbol = AddSymbol(s, "if", cls);
    AESTYLEREF ref = {s, symbol, AESK_SYMBOL};
    AESTYLESYMBOL bad = {};
    std::strcpy(bad.text, "i f");
    EXPECT_EQ(Send(AEM_SETSTYLEITEM, uintptr_t(&ref), Param(&bad)), 0);
    AESTYLEREF all = {s, 0, 0};
    EXPECT_EQ(Send(AEM_GETSTYLESYMBOLS, uintptr_t(&all), 0), 1) << "a refused text keeps the old symbol";

    AESTYLEREF clsRef = {s, cls, AESK_CLASS};
    AESTYLECLASS changed = {};
    std::strcpy(changed.name, "Renamed");
    changed.colour = 0x123456;
    EXPECT_EQ(Send(AEM_SETSTYLEITEM, uintptr_t(&clsRef), Param(&changed)), 1);
    AESTYLECLASS read = {};
    EXPECT_EQ(Send(AEM_GETSTYLECLASSES, uintptr_t(&clsRef), Param(&read)), 1);
    EXPECT_STREQ(read.name, "Renamed");
    EXPECT_EQ(read.identifier, cls) << "a class keeps its identifier";
}

TEST_F(Styles, AControlSelectsAStyleByHandle)
{
    EXPECT_EQ(Send(AEM_GETSTYLE), 0);
    DWORD s = DWORD(Send(AEM_ADDSTYLE, uintptr_t("S"), 0));
    EXPECT_EQ(Send(AEM_SETSTYLE, 0, s), 1);
    EXPECT_EQ(Send(AEM_GETSTYLE), intptr_t(s));
    EXPECT_EQ(Send(AEM_SETSTYLE, 0, 77), 1) << "a handle that names no style paints plainly";
    EXPECT_EQ(SendWithoutRecord(AEM_SETSTYLE, 0, s), 0);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_NORECORD));
}

TEST_F(Styles, SavedStylesLoadAgainAndWithTheFirstControl)
{
    InTemporaryFolder folder;
    DWORD s = DWORD(Send(AEM_ADDSTYLE, uintptr_t("Demo"), Param("$")));
    AddSymbol(s, "if", AddClass(s, "Keyword"));
    EXPECT_EQ(Send(AEM_SAVESTYLES), 1) << "no path: styles.dat in the current directory";
    EXPECT_TRUE(fs::exists("styles.dat"));
    EXPECT_EQ(Send(AEM_LOADSTYLES, 1, Param("styles.dat")), 1);
    EXPECT_EQ(Send(AEM_GETSTYLECOUNT), 2) << "adding gives a second style of that name";
    EXPECT_EQ(Send(AEM_FINDSTYLE, uintptr_t("Demo")), 2) << "the new one is found";
    EXPECT_EQ(Send(AEM_LOADSTYLES, 0, Param("missing.dat")), 0);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_STYLELOAD));
    EXPECT_EQ(Send(AEM_GETSTYLECOUNT), 2) << "a file that cannot be opened changes nothing";

    ControlShape loading;
    loading.style |= AES_LOADSTYLES;
    Recreate(loading); // the last control went: the styles went with it, then styles.dat came back
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_NOERROR));
    EXPECT_EQ(Send(AEM_GETSTYLECOUNT), 1);
    EXPECT_EQ(Send(AEM_FINDSTYLE, uintptr_t("Demo")), 1) << "identifiers are numbered afresh";

    fs::remove("styles.dat");
    Recreate(loading);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_STYLELOAD)) << "the control exists, the error stays";
    EXPECT_EQ(Send(AEM_GETSTYLECOUNT), 0);
}

TEST_F(Styles, TheShippedStyleFileLoadsWithoutError)
{
    InTemporaryFolder folder;
    fs::copy_file(fs::path(SCRIVLET_DATA_DIR) / "styles.dat", "styles.dat");
    ControlShape loading;
    loading.style |= AES_LOADSTYLES;
    Recreate(loading);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_NOERROR));
    EXPECT_EQ(Send(AEM_GETSTYLECOUNT), 11);
    for (const char *name : {"C/C++", "C#", "Java", "JavaScript", "Python", "SQL", "HTML/XML", "INI",
                             "Shell", "Batch", "Pascal"})
        EXPECT_NE(Send(AEM_FINDSTYLE, uintptr_t(name)), 0) << name;
}

} // namespace
