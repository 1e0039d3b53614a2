// Undo and redo through messages: each case runs its steps, then looks at
// the text and at what can be undone and redone.
#include "support/control_fixture.h"

#include <string>
#include <vector>

namespace scrivlet {

namespace {

using UndoRedo = ControlTest;

Step Replace(const char *text) { return {AEM_REPLACESEL, 1, Param(text), 1}; }
const Step kUndo = {AEM_UNDO, 0, 0, kAnyResult}, kRedo = {AEM_REDO, 0, 0, kAnyResult};

TEST_F(UndoRedo, StepsLeaveTheTextAndTheHistory)
{
    const AERANGE two = {4, 7}, all = {0, 0xFFFFFFFF};
    const struct { const char *text; std::vector<Step> steps; const char *expected; int canUndo, canRedo; } cases[] = {
        // Deletion and insertion are one group.
        {"one two three", {{AEM_GETUNDOLEVELS, 0, 0, 100}, // the default
                           {AEM_SETSEL, 0, Param(&two), 1}, Replace("2\r\n2\r\n2"), kUndo, {AEM_GETLINECOUNT, 0, 0, 1}},
         "one two three", 0, 1},
        // The caret where the replayed change ended.
        {"abc", {Replace("x"), Replace("y"), {kWmUndo, 0, 0, 0}, {AEM_GETCARETCOLUMN, 0, 0, 1}}, "xabc", 1, 1},
        // Only the last two groups are kept.
        {"", {{AEM_SETUNDOLEVELS, 2, 0, 1}, Replace("1"), Replace("2"), Replace("3"), kUndo, kUndo, kUndo}, "1", 0, 1},
        // Too many levels to count: none, and no undo.
        {"", {{AEM_SETUNDOLEVELS, 0x7FFFFFFF, 0, 0}, {AEM_GETUNDOLEVELS, 0, 0, 0}, {AEM_REPLACESEL, 1, Param("x"), 1}},
         "x", 0, 0},
        // A redo the limit refuses stops and drops the history; a second does nothing.
        {"", {Replace("hello"), Replace("!"), kUndo, kUndo, {AEM_SETLIMITTEXT, 0, 3, 1}, kRedo, kRedo}, "", 0, 0},
        // Deleted without undo: the history refers to gone text and is not replayed.
        {"", {Replace("hello world"), {AEM_SETSEL, 0, Param(&all), 1}, {AEM_REPLACESEL, 0, 0, kAnyResult}, kUndo},
         "", 0, 0},
    };
    for (const auto &c : cases) {
        SetText(c.text);
        Run(c.steps, c.expected);
        EXPECT_EQ(Text(), c.expected);
        EXPECT_EQ(Send(AEM_CANUNDO) * 10 + Send(AEM_CANREDO), c.canUndo * 10 + c.canRedo) << c.expected;
        Send(AEM_SETUNDOLEVELS, 100);
        Send(AEM_SETLIMITTEXT, 0, 0);
    }
}

TEST_F(UndoRedo, NotificationsAndErrorsOfUndoAndRedo)
{
    Send(AEM_REPLACESEL, 1, Param("one"));
    ClearNotifications();
    Send(AEM_UNDO);
    EXPECT_EQ(LastNotification(), Change());
    EXPECT_EQ(Send(AEM_SETUNDOLEVELS, 0x7FFFFFFF), 0);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_MEMORY));
    Send(AEM_SETUNDOLEVELS, 100);
    Send(AEM_REPLACESEL, 1, Param("hello"));
    Send(AEM_UNDO);
    Send(AEM_SETLIMITTEXT, 0, 3);
    ClearNotifications();
    Send(AEM_REDO);
    EXPECT_EQ(LastNotification(), MaxText());
    if (Native()) {
        EXPECT_EQ(Beeps(), 1);
    }
}

} // namespace

} // namespace scrivlet
