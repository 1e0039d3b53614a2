// The style messages, and options applied to a control through apply_options.h.
#include "support/control_fixture.h"
#include "core/scratch_folder.h"
#include "shell/apply_options.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>

namespace scrivlet {

namespace {

namespace fs = std::filesystem;

// Puts a text into a record's field: at most 80 bytes, without a NUL when it fills the field.
void Fill(char (&field)[AE_STYLETEXTSIZE], const std::string &text)
{
    std::memcpy(field, text.data(), std::min(text.size(), sizeof field));
}

struct Styles : ControlTest {
    // Adds a class, a range (start and end texts) or a symbol of class `cls`; its identifier or 0.
    DWORD Add(DWORD style, DWORD kind, const std::string &text, const std::string &end = "", DWORD cls = 1,
              int caseSensitive = 1)
    {
        AESTYLEREF ref = {style, 0, kind};
        AESTYLECLASS c = {};
        AESTYLERANGE r = {};
        AESTYLESYMBOL s = {};
        Fill(c.name, text);
        c.caseSensitive = caseSensitive;
        Fill(r.startText, text);
        Fill(r.endText, end);
        Fill(s.text, text);
        r.classIdentifier = s.classIdentifier = cls;
        const void *item = kind == AESK_CLASS ? static_cast<const void *>(&c)
                           : kind == AESK_RANGE ? static_cast<const void *>(&r) : &s;
        return DWORD(Send(AEM_ADDSTYLEITEM, uintptr_t(&ref), Param(item)));
    }
};

struct InTemporaryFolder : ScratchFolder { // a fresh scratch folder as the current directory while it lasts
    fs::path previous = fs::current_path();
    InTemporaryFolder() { fs::current_path(folder); }
    ~InTemporaryFolder() { fs::current_path(previous); } // before the folder goes
};

TEST_F(Styles, StylesAndItemsAreAddedFoundListedAndCopied)
{
    AESTYLEINFO list[3];
    std::memset(list, 0x55, sizeof list);
    Run({{AEM_GETSTYLECOUNT, 0, 0, 0}, // a control without AES_LOADSTYLES starts with no styles
         {AEM_ADDSTYLE, uintptr_t("C"), Param("#"), 1}, {AEM_ADDSTYLE, uintptr_t("D"), 0, 2},
         {AEM_FINDSTYLE, uintptr_t("C"), 0, 1}, {AEM_FINDSTYLE, uintptr_t("c"), 0, 0}, // names compare with case
         {AEM_GETSTYLES, 1, Param(list), 1}}); // no more than the maximum
    EXPECT_EQ(std::to_string(list[0].handle) + list[0].name, "2D") << "newest first";
    EXPECT_EQ(list[1].handle, 0x55555555u) << "the record after the maximum stays untouched";
    EXPECT_EQ(Send(AEM_GETSTYLES, 3, Param(list)), 2);

    const DWORD c = 1, comment = Add(c, AESK_CLASS, "Comment"), keyword = Add(c, AESK_CLASS, "Keyword", "", 1, 0);
    AESTYLEREF all = {c, 0, 0}, one = {c, keyword, 0}, first = {c, 1, 0}, gone = {c, comment, AESK_CLASS};
    AESTYLEREF clsRef = {c, keyword, AESK_CLASS};
    AESTYLECLASS classes[2], renamed = {0, "Renamed", 1, 0, 0};
    AESTYLESYMBOL symbol = {};
    EXPECT_EQ(Add(c, AESK_RANGE, "/*", "*/", comment), 1u);
    EXPECT_EQ(Add(c, AESK_SYMBOL, "while", "", keyword), 1u);
    EXPECT_EQ(Add(c, 4, "x"), 0u) << "kind 4 adds nothing";
    Run({{AEM_GETSTYLECLASSES, uintptr_t(&all), 0, 2}, // count only, nothing written
         {AEM_GETSTYLECLASSES, uintptr_t(&all), Param(classes), 2},
         {AEM_GETSTYLESYMBOLS, uintptr_t(&one), Param(&symbol), 0}, // no symbol has that id
         {AEM_GETSTYLESYMBOLS, uintptr_t(&first), Param(&symbol), 1}});
    EXPECT_EQ(std::string(classes[1].name) + " " + std::to_string(classes[1].caseSensitive) + " " + symbol.text,
              "Keyword 0 while");
    Run({{AEM_DELETESTYLEITEM, uintptr_t(&gone), 0, kAnyResult},
         {AEM_GETSTYLERANGES, uintptr_t(&all), 0, 0},  // the class's ranges went with it
         {AEM_GETSTYLESYMBOLS, uintptr_t(&all), 0, 1}, // other classes keep theirs
         {AEM_SETSTYLEITEM, uintptr_t(&clsRef), Param(&renamed), 1},
         {AEM_GETSTYLECLASSES, uintptr_t(&clsRef), Param(classes), 1}});
    EXPECT_EQ(std::string(classes[0].name) + std::to_string(classes[0].identifier), "Renamed" + std::to_string(keyword));
    Run({{AEM_DELETESTYLE, c, 0, kAnyResult}, {AEM_DELETESTYLE, 2, 0, kAnyResult}, {AEM_GETSTYLES, 3, Param(list), 0}});
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_STYLELISTEMPTY));
}

// What styles.dat could not give back is refused where it enters.
TEST_F(Styles, WhatTheStyleFileCannotKeepIsRefused)
{
    DWORD s = DWORD(Send(AEM_ADDSTYLE, uintptr_t("S"), Param(" -")));
    DWORD cls = Add(s, AESK_CLASS, "K");
    const DWORD kStyle = 0; // AEM_ADDSTYLE with a name and additional characters ("-": none)
    const struct { DWORD kind; std::string text, other; DWORD refusal; int caseRule = 1; DWORD cls = 1; } cases[] = {
        {kStyle, "ab ", "-", AEE_SYMBOLCHARS}, {kStyle, "ab ", "$", AEE_NOERROR},
        {kStyle, std::string(79, 'n') + ", cut off", "-", AEE_NOERROR},
        {AESK_CLASS, "Strings, chars", "", AEE_SYMBOLCHARS}, {AESK_CLASS, "Wide", "", AEE_STYLEVALUES, 256},
        {AESK_CLASS, "Any", "", AEE_NOERROR, 255}, {AESK_CLASS, "Negative", "", AEE_STYLEVALUES, -1},
        {AESK_RANGE, "<", "\r\n>", AEE_SYMBOLCHARS}, {AESK_RANGE, "<", ">", AEE_CLASSNOTFOUND, 1, 99},
    };
    for (const auto &c : cases) {
        Send(AEM_LINEINDEX, 99); // error 9 stands until a refusal sets its own
        intptr_t result = c.kind == kStyle
            ? Send(AEM_ADDSTYLE, uintptr_t(c.text.c_str()), c.other == "-" ? 0 : Param(c.other.c_str()))
            : Add(s, c.kind, c.text, c.other, c.cls == 1 ? cls : c.cls, c.caseRule);
        EXPECT_EQ(result != 0, c.refusal == AEE_NOERROR) << c.kind << " [" << c.text << "][" << c.other << "]";
        EXPECT_EQ(GetLastControlError(), c.refusal != AEE_NOERROR ? c.refusal : DWORD(AEE_LINENOTFOUND))
            << c.kind << " [" << c.text << "][" << c.other << "]";
    }
}

TEST_F(Styles, SavedStylesLoadAgainAndWithTheFirstControl)
{
    InTemporaryFolder folder;
    DWORD s = DWORD(Send(AEM_ADDSTYLE, uintptr_t("Demo"), Param("$")));
    Add(s, AESK_SYMBOL, "if", "", Add(s, AESK_CLASS, "Keyword"));
    Run({{AEM_SAVESTYLES, 0, 0, 1}, // no path: styles.dat in the current directory
         {AEM_LOADSTYLES, 1, Param("styles.dat"), 1}, {AEM_GETSTYLECOUNT, 0, 0, 2}, // a second style of that name
         {AEM_FINDSTYLE, uintptr_t("Demo"), 0, 2},                              // the new one is found
         {AEM_LOADSTYLES, 0, Param("missing.dat"), 0}});
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_STYLELOAD));
    EXPECT_EQ(Send(AEM_GETSTYLECOUNT), 2) << "a file that cannot be opened changes nothing";

    ControlShape loading;
    loading.style |= AES_LOADSTYLES;
    Recreate(loading); // the last control went: the styles went with it, then styles.dat came back
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_NOERROR));
    EXPECT_EQ(Send(AEM_GETSTYLECOUNT), 1);
    EXPECT_EQ(Send(AEM_FINDSTYLE, uintptr_t("Demo")), 1) << "identifiers are numbered afresh";
    fs::remove("styles.dat");
    fs::copy_file(fs::path(SCRIVLET_DATA_DIR) / "styles.dat", "styles.dat");
    Recreate(loading);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_NOERROR)) << "the shipped styles load cleanly";
    EXPECT_EQ(Send(AEM_GETSTYLECOUNT), 11);
}

struct OptionsProtocol : ControlTest {
    static intptr_t SendThrough(void *test, unsigned message, uintptr_t wParam, intptr_t lParam)
    {
        return static_cast<OptionsProtocol *>(test)->Send(message, wParam, lParam);
    }
};

// The fields a control takes; an auto-save period of 33 that no control touches.
Options ControlOptions(uint32_t bracketHelp, int32_t undoLevels, uint32_t autoIndent)
{
    return Options{0, 33, 0, bracketHelp, 0, undoLevels, autoIndent, {}};
}

TEST_F(OptionsProtocol, AppliedOptionsAreGatheredBackAndARefusalIsReported)
{
    const struct { uint32_t options; Options applied; int error; uint32_t bits, gathered; bool undo; } cases[] = {
        {0xF0, ControlOptions(1, 7, 1), 0, AEO_BRACKETFLASH, 171, true}, // the other bits are cleared
        {0, ControlOptions(0, -5, 1), 0, 0, 1, false},                   // fewer than 1 turns undo off
        {0, ControlOptions(0, INT32_MAX, 0), kOptionsErrorUndoLevels, 0, 0, false}, // auto indent still sent
    };
    for (const auto &c : cases) {
        Send(AEM_SETOPTIONS, 0, c.options);
        Options applied = c.applied;
        EXPECT_EQ(ApplyControlOptions(&applied, SendThrough, this), c.error);
        EXPECT_EQ(uint32_t(Send(AEM_GETOPTIONS)), c.bits);
        Options gathered = ControlOptions(0, 0, 0);
        GatherControlOptions(&gathered, SendThrough, this);
        EXPECT_EQ(gathered.bracketHelp * 100 + uint32_t(gathered.undoLevels) * 10 + gathered.autoIndent,
                  c.gathered) << c.applied.undoLevels;
        EXPECT_EQ(gathered.autoSavePeriod, 33u) << "the application's fields are left alone";
        SetText("x");
        Send(AEM_REPLACESEL, 1, Param("y"));
        EXPECT_EQ(Send(AEM_CANUNDO), c.undo ? 1 : 0) << c.applied.undoLevels;
    }
    Options same = ControlOptions(0, 7, 0);
    ApplyControlOptions(&same, SendThrough, this);
    Send(AEM_REPLACESEL, 1, Param("z"));
    ApplyControlOptions(&same, SendThrough, this);
    EXPECT_EQ(Send(AEM_CANUNDO), 1) << "unchanged undo levels keep the history";
}

} // namespace

} // namespace scrivlet
