// AEM_REPLACEALL against the loop an application would run with
// AEM_FINDTEXT, AEM_SETSEL and AEM_REPLACESEL: the same count, text,
// selection and undo groups, over random texts, patterns and flags.
#include "support/control_fixture.h"

#include <algorithm>
#include <string>
#include <vector>

namespace scrivlet {

namespace {

using ReplaceAll = ControlTest;

// What a replacement leaves behind: the count, the text and selection,
// then the text and selection after each undo, and after redoing them all.
struct Outcome {
    intptr_t count = 0;
    std::vector<std::string> states;
    bool operator==(const Outcome &other) const { return count == other.count && states == other.states; }
};

class Comparison : public ControlTest {
protected:
    std::string State() { return Text() + "|" + std::to_string(SelStart()) + "-" + std::to_string(SelEnd()); }

    void Collapse(DWORD at)
    {
        AERANGE range = {at, at};
        Send(AEM_SETSEL, 1, Param(&range));
    }

    intptr_t ReplaceStepByStep(DWORD start, const std::string &pattern, const std::string &replacement,
                               DWORD flags)
    {
        Collapse(start);
        intptr_t count = 0;
        for (;;) {
            AEFINDTEXT find = {SelEnd(), 0xFFFFFFFF, pattern.c_str(), 0, 0};
            if (Send(AEM_FINDTEXT, flags, Param(&find)) < 0)
                return count;
            AERANGE match = {find.foundStart, find.foundEnd};
            Send(AEM_SETSEL, 1, Param(&match));
            Send(AEM_REPLACESEL, 1, Param(replacement.c_str()));
            ++count;
        }
    }

    intptr_t ReplaceInOnePass(DWORD start, const std::string &pattern, const std::string &replacement, DWORD flags)
    {
        Collapse(start);
        AEREPLACEALL request = {start, pattern.c_str(), replacement.c_str()};
        return Send(AEM_REPLACEALL, flags, Param(&request));
    }

    template <typename Replace> Outcome Run(const std::string &text, int levels, Replace replace)
    {
        SetText(text);
        Send(AEM_SETUNDOLEVELS, uintptr_t(levels));
        Outcome outcome;
        outcome.count = replace();
        outcome.states.push_back(State() + " lines " + std::to_string(Send(AEM_GETLINECOUNT)));
        int undone = 0;
        while (Send(AEM_CANUNDO) == 1 && undone < 1000) {
            Send(AEM_UNDO);
            ++undone;
            outcome.states.push_back(State());
        }
        for (int i = 0; i < undone; ++i)
            Send(AEM_REDO);
        outcome.states.push_back(State() + " redone " + std::to_string(undone));
        return outcome;
    }
};

TEST_F(Comparison, OnePassLeavesWhatTheStepByStepLoopLeaves)
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
    int compared = 0;
    const int rounds = Native() ? 120 : 30; // real windows repaint every step
    for (int round = 0; round < rounds; ++round) {
        std::string text;
        for (unsigned i = 0, n = 20 + next(120); i < n; ++i)
            text += pieces[next(10)];
        std::string pattern = patterns[next(8)];
        std::string replacement = replacements[next(8)];
        DWORD flags = next(4);
        DWORD start = next(DWORD(text.size()) + 1);
        int levels = next(2) ? 3 : 200;
        SCOPED_TRACE("round " + std::to_string(round) + ": '" + pattern + "' -> '" + replacement + "', flags " +
                     std::to_string(flags) + ", from " + std::to_string(start));
        Outcome expected = Run(text, levels, [&] { return ReplaceStepByStep(start, pattern, replacement, flags); });
        Outcome actual = Run(text, levels, [&] { return ReplaceInOnePass(start, pattern, replacement, flags); });
        ASSERT_EQ(actual.count, expected.count);
        ASSERT_EQ(actual.states, expected.states);
        compared += expected.count > 0;
    }
    EXPECT_GT(compared, rounds / 3) << "many rounds replace something";
}

TEST_F(ReplaceAll, AReplacementHoldingThePatternEndsAndTheNothingCasesChangeNothing)
{
    Send(AEM_SETLIMITTEXT, 0, -1);
    SetText("cat cat\ncat");
    AEREPLACEALL request = {4, "cat", "concat"};
    ClearNotifications();
    EXPECT_EQ(Send(AEM_REPLACEALL, AEFT_WHOLEWORD, Param(&request)), 2);
    EXPECT_EQ(Text(), "cat concat\nconcat");
    EXPECT_EQ(SelStart(), 17u);
    EXPECT_EQ(SelEnd(), 17u);
    EXPECT_EQ(LastNotification(), Change()) << "as the last AEM_REPLACESEL would end";
    std::vector<Notification> notes = Notifications();
    EXPECT_EQ(std::count(notes.begin(), notes.end(), Change()), 1);

    request = {0, "dog", "x"};
    EXPECT_EQ(Send(AEM_REPLACEALL, 0, Param(&request)), 0);
    request = {0, "", "x"};
    EXPECT_EQ(Send(AEM_REPLACEALL, 0, Param(&request)), 0) << "an empty pattern never matches";
    request = {0, nullptr, "x"};
    EXPECT_EQ(Send(AEM_REPLACEALL, 0, Param(&request)), 0);
    EXPECT_EQ(Send(AEM_REPLACEALL, 0, 0), 0);
    EXPECT_EQ(Text(), "cat concat\nconcat");
}

// Where one pass cannot promise the same end it goes match by match, so
// the limit refuses exactly what it would refuse one replacement at a time.
TEST_F(ReplaceAll, ALimitThatRefusesAReplacementStopsWhereTheLoopWouldStop)
{
    SetText("a a a a");
    Send(AEM_SETLIMITTEXT, 0, 9);
    AEREPLACEALL request = {0, "a", "bb"};
    ClearNotifications();
    EXPECT_EQ(Send(AEM_REPLACEALL, 0, Param(&request)), 4);
    // The third would make 10 bytes: its match goes, as AEM_REPLACESEL
    // deletes the selection before the insertion is refused, and the
    // fourth fits again.
    EXPECT_EQ(Text(), "bb bb  bb");
    std::vector<Notification> notes = Notifications();
    EXPECT_EQ(std::count(notes.begin(), notes.end(), Notification{AEN_MAXTEXT, 0, 0}), 1);
}

} // namespace

} // namespace scrivlet
