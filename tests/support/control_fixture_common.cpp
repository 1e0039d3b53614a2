// The parts of the control fixture that go through the protocol alone, the
// same natively and under Wine.
#include "support/control_fixture.h"

namespace scrivlet {

bool operator==(const Notification &a, const Notification &b)
{
    return a.code == b.code && a.first == b.first && a.second == b.second;
}

std::ostream &operator<<(std::ostream &out, const Notification &n)
{
    static const char *const names[] = {"?", "CHANGE", "ERRSPACE", "LOWMEMORY",
                                        "MAXTEXT", "KEYDOWN", "SELCHANGE"};
    out << (n.code < 7 ? names[n.code] : "?");
    if (n.code == AEN_SELCHANGE || n.code == AEN_KEYDOWN)
        out << "(" << n.first << "," << n.second << ")";
    return out;
}

namespace {

DWORD CALLBACK CollectText(DWORD_PTR cookie, LPBYTE buffer, DWORD count, DWORD *done)
{
    auto *text = reinterpret_cast<std::string *>(cookie);
    for (DWORD i = 0; i < count; ++i) {
        if (buffer[i] != '\r')
            text->push_back(char(buffer[i]));
    }
    *done = count;
    return 0;
}

struct Source {
    const std::string *text;
    size_t position;
};

DWORD CALLBACK FeedText(DWORD_PTR cookie, LPBYTE buffer, DWORD count, DWORD *done)
{
    auto *source = reinterpret_cast<Source *>(cookie);
    size_t rest = source->text->size() - source->position;
    *done = DWORD(rest < count ? rest : count);
    for (DWORD i = 0; i < *done; ++i)
        buffer[i] = BYTE((*source->text)[source->position + i]);
    source->position += *done;
    return 0;
}

} // namespace

std::string ControlTest::Text()
{
    std::string text;
    AESTREAM stream = {reinterpret_cast<DWORD_PTR>(&text), 0, CollectText};
    Send(AEM_STREAMOUT, 0, reinterpret_cast<intptr_t>(&stream));
    EXPECT_EQ(stream.error, 0u);
    return text;
}

void ControlTest::SetText(const std::string &text)
{
    Source source = {&text, 0};
    AESTREAM stream = {reinterpret_cast<DWORD_PTR>(&source), 0, FeedText};
    Send(AEM_STREAMIN, 0, reinterpret_cast<intptr_t>(&stream));
    EXPECT_EQ(stream.error, 0u);
    Send(AEM_EMPTYUNDOBUFFER);
    ClearNotifications();
}

DWORD ControlTest::SelStart()
{
    AERANGE range = {0xDEAD, 0xDEAD};
    Send(AEM_GETSEL, 0, reinterpret_cast<intptr_t>(&range));
    return range.start;
}

DWORD ControlTest::SelEnd()
{
    AERANGE range = {0xDEAD, 0xDEAD};
    Send(AEM_GETSEL, 0, reinterpret_cast<intptr_t>(&range));
    return range.end;
}

Notification ControlTest::LastNotification()
{
    std::vector<Notification> all = Notifications();
    return all.empty() ? Notification{0, 0, 0} : all.back();
}

} // namespace scrivlet
