// The parts of the control fixture that go through the protocol alone.
#include "support/control_fixture.h"

#include <algorithm>

namespace scrivlet {

bool operator==(const Notification &a, const Notification &b)
{
    return a.code == b.code && a.first == b.first && a.second == b.second;
}

std::ostream &operator<<(std::ostream &out, const Notification &n)
{
    static const char *const names[] = {"?", "CHANGE", "ERRSPACE", "LOWMEMORY", "MAXTEXT", "KEYDOWN", "SELCHANGE"};
    out << (n.code < 7 ? names[n.code] : "?");
    if (n.code == AEN_SELCHANGE || n.code == AEN_KEYDOWN)
        out << "(" << n.first << "," << n.second << ")";
    return out;
}

namespace {

// Reads the text with its CRs dropped, or feeds the text from `position` on.
struct Transfer {
    std::string text;
    size_t position = 0;
};

DWORD CALLBACK CollectText(DWORD_PTR cookie, LPBYTE buffer, DWORD count, DWORD *done)
{
    for (DWORD i = 0; i < count; ++i) {
        if (buffer[i] != '\r')
            reinterpret_cast<Transfer *>(cookie)->text.push_back(char(buffer[i]));
    }
    *done = count;
    return 0;
}

DWORD CALLBACK FeedText(DWORD_PTR cookie, LPBYTE buffer, DWORD count, DWORD *done)
{
    auto *source = reinterpret_cast<Transfer *>(cookie);
    *done = DWORD(std::min<size_t>(source->text.size() - source->position, count));
    source->text.copy(reinterpret_cast<char *>(buffer), *done, source->position);
    source->position += *done;
    return 0;
}

} // namespace

void ControlTest::Run(const std::vector<Step> &steps, const std::string &where)
{
    for (size_t i = 0; i < steps.size(); ++i) {
        intptr_t result = Send(steps[i].message, steps[i].wParam, steps[i].lParam);
        EXPECT_TRUE(steps[i].result == kAnyResult || result == steps[i].result)
            << where << " step " << i << " (message " << steps[i].message << ") gave " << result;
    }
}

std::string ControlTest::Text()
{
    Transfer out;
    AESTREAM stream = {reinterpret_cast<DWORD_PTR>(&out), 0, CollectText};
    Send(AEM_STREAMOUT, 0, Param(&stream));
    EXPECT_EQ(stream.error, 0u);
    return out.text;
}

void ControlTest::SetText(const std::string &text)
{
    Transfer in = {text};
    AESTREAM stream = {reinterpret_cast<DWORD_PTR>(&in), 0, FeedText};
    Send(AEM_STREAMIN, 0, Param(&stream));
    EXPECT_EQ(stream.error, 0u);
    Send(AEM_EMPTYUNDOBUFFER);
    ClearNotifications();
}

void ControlTest::Select(DWORD start, DWORD end)
{
    AERANGE range = {start, end};
    Send(AEM_SETSEL, 0, Param(&range));
    ClearNotifications();
}

DWORD ControlTest::SelStart()
{
    AERANGE range = {0xDEAD, 0xDEAD};
    Send(AEM_GETSEL, 0, Param(&range));
    return range.start;
}

DWORD ControlTest::SelEnd()
{
    AERANGE range = {0xDEAD, 0xDEAD};
    Send(AEM_GETSEL, 0, Param(&range));
    return range.end;
}

std::string ControlTest::Selection()
{
    return std::to_string(SelStart()) + "-" + std::to_string(SelEnd());
}

Notification ControlTest::LastNotification()
{
    Sequence all = Notifications();
    return all.empty() ? Notification{0, 0, 0} : all.back();
}

} // namespace scrivlet
