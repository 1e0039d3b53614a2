// AEM_REPLACEALL against the loop an application would run with
// AEM_FINDTEXT, AEM_SETSEL and AEM_REPLACESEL: the same count, text,
// selection and undo groups, over random texts, patterns and flags.
#include "support/control_fixture.h"

#include <algorithm>
#include <string>
#include <vector>

namespace scrivlet {

namespace {

class ReplaceAll : public ControlTest {
protected:
    std::string State() { return Text() + "|" + Selection(); }

    // The count, then the state after the replacement, after each undo and
    // after redoing them all.
    std::vector<std::string> Run(const std::string &text, uintptr_t levels, DWORD start, const std::string &pattern,
                                 const std::string &replacement, DWORD flags, bool onePass)
    {
        SetText(text);
        Send(AEM_SETUNDOLEVELS, levels);
        Select(start, start);
        intptr_t count = 0;
        AEREPLACEALL request = {start, pattern.c_str(), replacement.c_str()};
        AEFINDTEXT find = {Sel().end, 0xFFFFFFFF, pattern.c_str(), 0, 0};
        for (; !onePass && Send(AEM_FINDTEXT, flags, Param(&find)) >= 0; ++count) {
            Select(find.foundStart, find.foundEnd);
            Send(AEM_REPLACESEL, 1, Param(replacement.c_str()));
            find = {Sel().end, 0xFFFFFFFF, pattern.c_str(), 0, 0};
        }
        if (onePass)
            count = Send(AEM_REPLACEALL, flags, Param(&request));
        std::vector<std::string> states = {std::to_string(count), State() + " lines " + std::to_string(Send(AEM_GETLINECOUNT))};
        int undone = 0;
        for (; Send(AEM_CANUNDO) == 1 && undone < 1000; ++undone) {
            Send(AEM_UNDO);
            states.push_back(State());
        }
        for (int i = 0; i < undone; ++i)
            Send(AEM_REDO);
        states.push_back(State() + " redone " + std::to_string(undone));
        return states;
    }
};

TEST_F(ReplaceAll, OnePassLeavesWhatTheStepByStepLoopLeaves)
{
    Send(AEM_SETLIMITTEXT, 0, -1);
    const char *pieces[] = {"a", "b", "A", "_", " ", "\n", "ab", "\t", "Ab", "ba"};
    const char *patterns[] = {"a", "ab", "Ab", "b a", "\n", "a\nb", "aba", "_"};
    const char *replacements[] = {"", "x", "ab", "abab", "\n", "Q\nR", "a", "  "};
    unsigned seed = 2024;
    auto next = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % range;
    };
    int replaced = 0;
    const int rounds = Native() ? 120 : 30; // real windows repaint every step
    for (int round = 0; round < rounds; ++round) {
        std::string text;
        for (unsigned i = 0, n = 20 + next(120); i < n; ++i)
            text += pieces[next(10)];
        std::string pattern = patterns[next(8)], replacement = replacements[next(8)];
        DWORD flags = next(4), start = next(DWORD(text.size()) + 1);
        uintptr_t levels = next(2) ? 3 : 200;
        std::vector<std::string> expected = Run(text, levels, start, pattern, replacement, flags, false);
        ASSERT_EQ(Run(text, levels, start, pattern, replacement, flags, true), expected)
            << "round " << round << ": '" << pattern << "' -> '" << replacement << "', flags " << flags;
        replaced += expected[0] != "0";
    }
    EXPECT_GT(replaced, rounds / 3) << "many rounds replace something";
}

TEST_F(ReplaceAll, NotificationsLimitsAndTheNothingCases)
{
    Send(AEM_SETLIMITTEXT, 0, -1);
    SetText("cat cat\ncat");
    AEREPLACEALL request = {4, "cat", "concat"};
    EXPECT_EQ(Send(AEM_REPLACEALL, AEFT_WHOLEWORD, Param(&request)), 2) << "a replacement holding the pattern ends";
    EXPECT_EQ(Text(), "cat concat\nconcat");
    EXPECT_EQ(Selection(), "17-17");
    Sequence notes = Notifications();
    EXPECT_EQ(LastNotification(), Change()) << "as the last AEM_REPLACESEL would end";
    EXPECT_EQ(std::count(notes.begin(), notes.end(), Change()), 1);
    const AEREPLACEALL nothing[] = {{0, "", "x"}, {0, nullptr, "x"}};
    for (const AEREPLACEALL &r : nothing)
        EXPECT_EQ(Send(AEM_REPLACEALL, 0, Param(&r)), 0);
    EXPECT_EQ(Text(), "cat concat\nconcat");

    // The third replacement would make 10 bytes: its match goes, as
    // AEM_REPLACESEL deletes the selection before the insertion is
    // refused, and the fourth fits again.
    SetText("a a a a");
    Send(AEM_SETLIMITTEXT, 0, 9);
    request = {0, "a", "bb"};
    EXPECT_EQ(Send(AEM_REPLACEALL, 0, Param(&request)), 4);
    EXPECT_EQ(Text(), "bb bb  bb");
    notes = Notifications();
    EXPECT_EQ(std::count(notes.begin(), notes.end(), MaxText()), 1);
}

} // namespace

} // namespace scrivlet
