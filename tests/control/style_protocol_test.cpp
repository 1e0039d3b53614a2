// The style messages: the shared style set through the control's protocol.
#include "support/control_fixture.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace scrivlet {

namespace {

namespace fs = std::filesystem;

// Puts a text into a record's field: at most 80 bytes, without a NUL when it fills the field.
void Fill(char (&field)[AE_STYLETEXTSIZE], const std::string &text)
{
    std::memcpy(field, text.data(), std::min(text.size(), sizeof field));
}

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
        Fill(cls.name, name);
        cls.caseSensitive = caseSensitive;
        cls.colour = 0x00FF0000;
        return DWORD(Send(AEM_ADDSTYLEITEM, uintptr_t(&ref), Param(&cls)));
    }

    DWORD AddRange(DWORD style, const char *start, const char *end, DWORD cls)
    {
        AESTYLEREF ref = {style, 0, AESK_RANGE};
        AESTYLERANGE range = {};
        Fill(range.startText, start);
        Fill(range.endText, end);
        range.classIdentifier = cls;
        return DWORD(Send(AEM_ADDSTYLEITEM, uintptr_t(&ref), Param(&range)));
    }

    DWORD AddSymbol(DWORD style, const char *text, DWORD cls)
    {
        AESTYLEREF ref = {style, 0, AESK_SYMBOL};
        AESTYLESYMBOL symbol = {};
        Fill(symbol.text, text);
        symbol.classIdentifier = cls;
        return DWORD(Send(AEM_ADDSTYLEITEM, uintptr_t(&ref), Param(&symbol)));
    }

    // Every class, range or symbol of a style, as the get messages copy them.
    template <typename Record> std::vector<Record> Items(unsigned message, DWORD style)
    {
        AESTYLEREF all = {style, 0, 0};
        std::vector<Record> items(size_t(Send(message, uintptr_t(&all), 0)));
        if (!items.empty())
            Send(message, uintptr_t(&all), Param(items.data()));
        return items;
    }

    std::vector<DWORD> RangeIds(DWORD style)
    {
        std::vector<DWORD> ids;
        for (const AESTYLERANGE &range : Items<AESTYLERANGE>(AEM_GETSTYLERANGES, style))
            ids.push_back(range.identifier);
        return ids;
    }

    std::vector<AESTYLEINFO> StyleList()
    {
        std::vector<AESTYLEINFO> styles(size_t(Send(AEM_GETSTYLECOUNT)));
        if (!styles.empty())
            Send(AEM_GETSTYLES, styles.size(), Param(styles.data()));
        return styles;
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
    range.classIdentifier = cls;
    EXPECT_EQ(Send(AEM_SETSTYLEITEM, uintptr_t(&first), Param(&range)), 4);
    EXPECT_EQ(RangeIds(s), (std::vector<DWORD>{2, 3, 4}));
    AESTYLEREF last = {s, 4, AESK_RANGE};
    EXPECT_EQ(Send(AEM_SETSTYLEITEM, uintptr_t(&last), Param(&range)), 4);

    DWORD symbol = AddSymbol(s, "if", cls);
    AESTYLEREF ref = {s, symbol, AESK_SYMBOL};
    AESTYLESYMBOL bad = {};
    std::strcpy(bad.text, "i f");
    bad.classIdentifier = cls;
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

// A text as a failure message shows it: blanks, tabs and line breaks visible.
std::string Shown(const char *text)
{
    std::string shown = "[";
    for (; *text != '\0'; ++text)
        shown += *text == '\r' ? "\\r" : *text == '\n' ? "\\n" : *text == '\t' ? "\\t" : std::string(1, *text);
    return shown + "]";
}

// What styles.dat could not give back is refused where it enters: texts
// with a comma, CR or LF, a blank at the end of a text that ends its line,
// a range or symbol without its class, a case rule beyond 8 bits.
TEST_F(Styles, WhatTheStyleFileCannotKeepIsRefused)
{
    DWORD s = DWORD(Send(AEM_ADDSTYLE, uintptr_t("S"), Param(" -")));
    DWORD cls = AddClass(s, "K");
    enum Kind { kStyle, kClass, kRange, kSymbol };
    const struct {
        Kind kind;
        std::string text, other; // name and additional characters ("-" for none), or start and end
        DWORD refusal;           // AEE_NOERROR: taken
    } cases[] = {
        {kStyle, "a,b", "-", AEE_SYMBOLCHARS},
        {kStyle, "ab ", "-", AEE_SYMBOLCHARS},
        {kStyle, "ab\t", "", AEE_SYMBOLCHARS},
        {kStyle, "ab ", "$", AEE_NOERROR},
        {kStyle, "ab", "$\t", AEE_SYMBOLCHARS},
        {kStyle, "ab", "$,", AEE_SYMBOLCHARS},
        {kStyle, "ab", " $", AEE_NOERROR},
        {kStyle, std::string(79, 'n') + ", cut off", "-", AEE_NOERROR},
        {kStyle, std::string(78, 'n') + " cut off", "-", AEE_SYMBOLCHARS},
        {kClass, "Strings, chars", "", AEE_SYMBOLCHARS},
        {kClass, " K\t", "", AEE_NOERROR},
        {kClass, std::string(79, 'k') + ",", "", AEE_NOERROR},
        {kRange, ",", "", AEE_SYMBOLCHARS},
        {kRange, "<", "\r\n>", AEE_SYMBOLCHARS},
        {kRange, " ", " ", AEE_NOERROR},
        {kSymbol, " ab", "", AEE_NOERROR},
        {kSymbol, "ab ", "", AEE_SYMBOLCHARS},
    };
    for (const auto &c : cases) {
        Send(AEM_LINEINDEX, 99); // error 9 stands until a refusal sets its own
        intptr_t result = 0;
        if (c.kind == kStyle)
            result = Send(AEM_ADDSTYLE, uintptr_t(c.text.c_str()), c.other == "-" ? 0 : Param(c.other.c_str()));
        else if (c.kind == kClass)
            result = AddClass(s, c.text.c_str());
        else if (c.kind == kRange)
            result = AddRange(s, c.text.c_str(), c.other.c_str(), cls);
        else
            result = AddSymbol(s, c.text.c_str(), cls);
        EXPECT_EQ(result != 0, c.refusal == AEE_NOERROR) << Shown(c.text.c_str()) << Shown(c.other.c_str());
        EXPECT_EQ(GetLastControlError(), c.refusal != AEE_NOERROR ? c.refusal : DWORD(AEE_LINENOTFOUND))
            << Shown(c.text.c_str()) << Shown(c.other.c_str());
    }
    EXPECT_EQ(AddRange(s, "<", ">", 99), 0u);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_CLASSNOTFOUND));
    EXPECT_EQ(AddSymbol(s, "if", 99), 0u);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_CLASSNOTFOUND));
    EXPECT_NE(AddClass(s, "Any", 255), 0u);
    EXPECT_EQ(AddClass(s, "Wide", 256), 0u) << "the file would give 256 back as 0";
    EXPECT_EQ(AddClass(s, "Negative", -1), 0u);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_STYLEVALUES));
}

// The symbol table's bucket of a text: its first letter, else 0.
int Bucket(const char *text)
{
    int first = std::toupper(static_cast<unsigned char>(text[0]));
    return first >= 'A' && first <= 'Z' ? first - 'A' + 1 : 0;
}

// The property behind the refusals: a set built through the messages from
// random texts and values (whatever they take) is saved and loaded again
// (replacing the set) and lists the same. The order is the file's: ranges
// come back grouped by class, symbols grouped by class and, read in, the
// symbols of one bucket in reverse order; identifiers are numbered afresh,
// so a range or symbol names its class by its place.
TEST_F(Styles, WhatTheMessagesTakeTheStyleFileGivesBack)
{
    InTemporaryFolder folder;
    std::mt19937 random(20240611);
    auto pick = [&](size_t count) { return size_t(random() % count); };
    auto text = [&](const std::string &alphabet, size_t longest) {
        std::string made(pick(longest + 1), ' ');
        for (char &c : made)
            c = alphabet[pick(alphabet.size())];
        return made;
    };
    // Commas and line breaks rarer than the rest, so that most texts go in.
    const std::string alphabet = "aaZZ99__  ;;..--##$$//**\"\"''\t,\r\n";
    auto field = [&](char (&into)[AE_STYLETEXTSIZE]) { Fill(into, text(alphabet, pick(5) == 0 ? 85 : 6)); };
    // The set's lines; `asReadBack` puts them in the order a write and a read give.
    auto dump = [&](bool asReadBack) {
        std::vector<std::string> lines;
        for (const AESTYLEINFO &style : StyleList()) {
            lines.push_back("X " + Shown(style.name) + Shown(style.additionalSymbolChars));
            std::map<DWORD, size_t> place;
            for (const AESTYLECLASS &c : Items<AESTYLECLASS>(AEM_GETSTYLECLASSES, style.handle)) {
                size_t at = place.size();
                place[c.identifier] = at;
                lines.push_back("C " + Shown(c.name) + " " + std::to_string(c.caseSensitive) + " " +
                                std::to_string(c.autocase) + " " + std::to_string(c.colour));
            }
            auto placeOf = [&](DWORD id) { return place.count(id) != 0 ? place[id] : place.size(); };
            auto classOf = [&](DWORD id) { return std::to_string(placeOf(id)); };
            auto byClass = [&](const auto &a, const auto &b) {
                return placeOf(a.classIdentifier) < placeOf(b.classIdentifier);
            };
            auto ranges = Items<AESTYLERANGE>(AEM_GETSTYLERANGES, style.handle);
            auto symbols = Items<AESTYLESYMBOL>(AEM_GETSTYLESYMBOLS, style.handle);
            if (asReadBack) {
                std::stable_sort(ranges.begin(), ranges.end(), byClass);
                std::stable_sort(symbols.begin(), symbols.end(), byClass); // the order written
                std::reverse(symbols.begin(), symbols.end());
                std::stable_sort(symbols.begin(), symbols.end(), [](const auto &a, const auto &b) {
                    return Bucket(a.text) < Bucket(b.text);
                });
            }
            for (const AESTYLERANGE &r : ranges)
                lines.push_back("R " + Shown(r.startText) + Shown(r.endText) + " " + std::to_string(r.flags) + " " +
                                std::to_string(r.nested) + " " + classOf(r.classIdentifier));
            for (const AESTYLESYMBOL &symbol : symbols)
                lines.push_back("S " + Shown(symbol.text) + " " + classOf(symbol.classIdentifier));
        }
        return lines;
    };

    size_t taken = 0, refused = 0;
    auto count = [&](intptr_t result) { ++(result != 0 ? taken : refused); };
    for (int round = 0; round < 60; ++round) {
        for (const AESTYLEINFO &style : StyleList())
            Send(AEM_DELETESTYLE, style.handle);
        for (size_t made = 0, wanted = 1 + pick(3); made < wanted;) {
            std::string name = text(alphabet, pick(5) == 0 ? 85 : 6), extra = text(alphabet, 3);
            DWORD s = DWORD(Send(AEM_ADDSTYLE, uintptr_t(name.c_str()), pick(3) == 0 ? 0 : Param(extra.c_str())));
            count(s);
            if (s == 0)
                continue;
            ++made;
            const std::string symbolAlphabet = "aaZZ99__" + extra + extra + ", ;\r\n";
            std::vector<DWORD> classes = {99}; // no class of the style
            for (size_t n = 1 + pick(4); n > 0; --n) {
                AESTYLEREF ref = {s, 0, AESK_CLASS};
                AESTYLECLASS c = {};
                field(c.name);
                const int caseRules[] = {0, 1, int(pick(300)), -1};
                c.caseSensitive = caseRules[pick(4)];
                c.autocase = static_cast<unsigned char>(random());
                c.colour = DWORD(random());
                if (pick(4) == 0 && classes.size() > 1)
                    ref.item = classes[1 + pick(classes.size() - 1)];
                intptr_t id = Send(ref.item != 0 ? AEM_SETSTYLEITEM : AEM_ADDSTYLEITEM, uintptr_t(&ref), Param(&c));
                count(id);
                if (id != 0 && ref.item == 0)
                    classes.push_back(DWORD(id));
            }
            for (size_t n = pick(8); n > 0; --n) {
                AESTYLEREF ref = {s, pick(4) == 0 ? DWORD(1 + pick(3)) : 0, AESK_RANGE};
                AESTYLERANGE r = {};
                field(r.startText);
                field(r.endText);
                r.flags = static_cast<unsigned char>(random());
                r.nested = DWORD(random());
                r.classIdentifier = classes[pick(classes.size())];
                count(Send(ref.item != 0 ? AEM_SETSTYLEITEM : AEM_ADDSTYLEITEM, uintptr_t(&ref), Param(&r)));
            }
            for (size_t n = pick(10); n > 0; --n) {
                AESTYLEREF ref = {s, pick(4) == 0 ? DWORD(1 + pick(3)) : 0, AESK_SYMBOL};
                AESTYLESYMBOL symbol = {};
                Fill(symbol.text, text(symbolAlphabet, 4));
                symbol.classIdentifier = classes[pick(classes.size())];
                count(Send(ref.item != 0 ? AEM_SETSTYLEITEM : AEM_ADDSTYLEITEM, uintptr_t(&ref), Param(&symbol)));
            }
            if (classes.size() > 2 && pick(3) == 0) { // leaves a gap in the class identifiers
                AESTYLEREF gone = {s, classes[1], AESK_CLASS};
                Send(AEM_DELETESTYLEITEM, uintptr_t(&gone));
            }
        }
        std::vector<std::string> expected = dump(true);
        ASSERT_EQ(Send(AEM_SAVESTYLES, 0, Param("round.dat")), 1);
        EXPECT_EQ(Send(AEM_LOADSTYLES, 0, Param("round.dat")), 1) << "round " << round << ": no bad line";
        EXPECT_EQ(dump(false), expected) << "round " << round;
    }
    EXPECT_GT(taken, 300u) << "the set must hold enough to prove something; refused " << refused;
    EXPECT_GT(refused, 500u) << "and the generator must reach the refusals";
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

} // namespace scrivlet
