// Options and file types reach a control through its messages: the
// application's code of apply_options.h against a control.
#include "support/control_fixture.h"

#include "shell/apply_options.h"

#include <cstring>
#include <ostream>
#include <vector>

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
        AERANGE end = {5, 5}, all = {0, 0xFFFFFFFF};
        Send(AEM_SETSEL, 0, Param(&end));
        intptr_t column = Send(AEM_GETCARETCOLUMN);
        Send(AEM_SETSEL, 0, Param(&all));
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

TEST_F(OptionsProtocol, AppliedOptionsAreGatheredBack)
{
    Send(AEM_SETOPTIONS, 0, 0xF0);
    Options options = ControlOptions(1, 7, 1);
    EXPECT_EQ(ApplyControlOptions(&options, SendThrough, this), 0);
    EXPECT_EQ(Send(AEM_GETOPTIONS), AEO_BRACKETFLASH) << "the other bits are cleared";
    Options gathered = ControlOptions(0, 0, 0);
    gathered.autoSavePeriod = 33;
    GatherControlOptions(&gathered, SendThrough, this);
    EXPECT_EQ(gathered.bracketHelp * 100 + gathered.undoLevels * 10 + gathered.autoIndent, 171u);
    EXPECT_EQ(gathered.autoSavePeriod, 33u) << "the application's fields are left alone";

    options = ControlOptions(0, 3, 0);
    EXPECT_EQ(ApplyControlOptions(&options, SendThrough, this), 0);
    Send(AEM_SETOPTIONS, 0, 0xFE);
    GatherControlOptions(&gathered, SendThrough, this);
    EXPECT_EQ(gathered.bracketHelp * 100 + gathered.undoLevels * 10 + gathered.autoIndent, 30u)
        << "only the bracket flash bit counts";
}

TEST_F(OptionsProtocol, UndoLevelsAreSentUncheckedAndARefusalIsReported)
{
    Options options = ControlOptions(0, -5, 1);
    EXPECT_EQ(ApplyControlOptions(&options, SendThrough, this), 0) << "fewer than 1 turns undo off";
    SetText("x");
    Send(AEM_REPLACESEL, 1, Param("y"));
    EXPECT_EQ(Send(AEM_CANUNDO), 0);
    options = ControlOptions(0, INT32_MAX, 0);
    EXPECT_EQ(ApplyControlOptions(&options, SendThrough, this), kOptionsErrorUndoLevels);
    EXPECT_EQ(Send(AEM_GETAUTOINDENT), 0) << "auto indent is sent after a refusal";
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
    } cases[] = {{0, "Demo", demo, "11 [  ]"}, {1, "Other", 0, "11 [\t]"}, {1, "", 0, "11 [\t]"}};
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

// The messages themselves, in order, as a control would receive them.
struct Sent {
    unsigned message;
    uintptr_t wParam;
    intptr_t lParam;
    bool operator==(const Sent &o) const { return message == o.message && wParam == o.wParam && lParam == o.lParam; }
};
std::ostream &operator<<(std::ostream &out, const Sent &m)
{
    return out << "{" << m.message << ", " << m.wParam << ", " << m.lParam << "}";
}

// A SendToControl that records and answers 42.
intptr_t Record(void *sent, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    static_cast<std::vector<Sent> *>(sent)->push_back({message, wParam, lParam});
    return 42;
}

TEST(OptionsMessages, AreSentInOrderWithTheirValuesAsTheyAre)
{
    Options options = ControlOptions(1, -5, 1);
    std::vector<Sent> sent;
    ApplyControlOptions(&options, Record, &sent);
    EXPECT_EQ(sent, (std::vector<Sent>{{AEM_SETOPTIONS, 0, AEO_BRACKETFLASH},
                                       {AEM_GETUNDOLEVELS, 0, 0},
                                       {AEM_SETUNDOLEVELS, 0xFFFFFFFB, 0},
                                       {AEM_SETAUTOINDENT, 1, 0}}));
    options.undoLevels = 42; // as the control answers: unchanged levels keep the undo history
    sent.clear();
    ApplyControlOptions(&options, Record, &sent);
    EXPECT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[1], (Sent{AEM_GETUNDOLEVELS, 0, 0}));
    FileType type = {};
    type.keepTabs = 1;
    type.tabWidthCount = 3;
    std::strcpy(type.codeStyle, "C/C++");
    sent.clear();
    EXPECT_EQ(ApplyFileType(&type, Record, &sent), 1);
    EXPECT_EQ(sent, (std::vector<Sent>{{AEM_SETTABSTOPS, 0x10003, Param(type.tabWidths)},
                                       {AEM_FINDSTYLE, uintptr_t(type.codeStyle), 0},
                                       {AEM_SETSTYLE, 0, 42}}));
}

TEST(AutoSaveTimer, StartsAndStopsOnlyOnAChangeOfAutoSave)
{
    EXPECT_EQ(AutoSaveTimerChangeFor(false, 0), kAutoSaveTimerKeep);
    EXPECT_EQ(AutoSaveTimerChangeFor(false, 1), kAutoSaveTimerStart);
    EXPECT_EQ(AutoSaveTimerChangeFor(true, 0), kAutoSaveTimerStop);
    EXPECT_EQ(AutoSaveTimerChangeFor(true, 1), kAutoSaveTimerKeep) << "a new period waits for the next save";
    const uint32_t periods[][2] = {{15, 900000}, {1, 60000}, {0, 60000}, {1440, 86400000}, {5000, 86400000}};
    for (const auto &p : periods)
        EXPECT_EQ(AutoSaveInterval(p[0]), p[1]) << p[0];
}

} // namespace

} // namespace scrivlet
