// Options and file types reach a control through its messages: the
// application's code of apply_options.h against a control.
#include "support/control_fixture.h"

#include "shell/apply_options.h"

#include <cstring>

namespace scrivlet {

namespace {

struct OptionsProtocol : ControlTest {
    // The SendToControl of these tests: the fixture's Send.
    static intptr_t SendThrough(void *test, unsigned message, uintptr_t wParam, intptr_t lParam)
    {
        return static_cast<OptionsProtocol *>(test)->Send(message, wParam, lParam);
    }

    // The column after "a<tab>b<tab>c", and what indenting a line inserts.
    std::string Tabs()
    {
        SetText("a\tb\tc");
        Select(5, 5);
        intptr_t column = Send(AEM_GETCARETCOLUMN);
        Select(0, 0xFFFFFFFF);
        Send(AEM_INDENTSEL, 1);
        return std::to_string(column) + " [" + Text().substr(0, Text().find('a')) + "]";
    }
};

Options ControlOptions(uint32_t bracketHelp, int32_t undoLevels, uint32_t autoIndent)
{
    Options options = {};
    options.bracketHelp = bracketHelp;
    options.undoLevels = undoLevels;
    options.autoIndent = autoIndent;
    return options;
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
        gathered.autoSavePeriod = 33;
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

TEST_F(OptionsProtocol, FileTypeSetsTabStopsAndStyle)
{
    const intptr_t demo = Send(AEM_ADDSTYLE, uintptr_t("Demo"), 0);
    ASSERT_NE(demo, 0);
    FileType type = {};
    type.tabWidthCount = 2;
    type.tabWidths[0] = 2;
    type.tabWidths[1] = 8;
    const struct {
        uint32_t keepTabs;
        const char *style;
        intptr_t handle;
        const char *tabs; // stops at 2, 10, 18; indenting inserts a tab or the first stop's width in spaces
    } cases[] = {{0, "Demo", demo, "11 [  ]"}, {1, "Other", 0, "11 [\t]"}};
    for (const auto &c : cases) {
        Send(AEM_SETSTYLE, 0, demo == c.handle ? 0 : demo);
        type.keepTabs = c.keepTabs;
        std::strcpy(type.codeStyle, c.style);
        EXPECT_EQ(ApplyFileType(&type, SendThrough, this), 1);
        EXPECT_EQ(Send(AEM_GETSTYLE), c.handle) << c.style;
        EXPECT_EQ(Tabs(), c.tabs) << c.style;
    }
    type.keepTabs = 0;
    std::strcpy(type.codeStyle, "Demo");
    ApplyFileType(&type, SendThrough, this);
    EXPECT_EQ(ApplyFileType(nullptr, SendThrough, this), 1);
    EXPECT_EQ(Send(AEM_GETSTYLE), 0);
    EXPECT_EQ(Tabs(), "9 [\t]") << "no type: every 4 columns, tabs kept";
}

} // namespace

} // namespace scrivlet
