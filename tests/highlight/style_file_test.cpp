#include "highlight/style_file.h"

#include "core/control_error.h"
#include "core/allocation.h"
#include "highlight/style_model.h"
#include "core/scratch_folder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

namespace scrivlet {

namespace {

using namespace std::string_literals;

// The whole set in creation order, one record per '|': what a reading produced.
std::string DumpStyles()
{
    std::ostringstream out;
    for (const Style *style = LastStyle(); style != nullptr; style = style->prev) {
        const char *extra = style->extraSymbolChars;
        out << "X:" << style->name << (extra != nullptr ? ":" + std::string(extra) : "") << "|";
        for (const StyleClass *c = style->classes; c < style->classes + style->classCount; ++c)
            out << "C" << c->id << ":" << c->name << ":" << c->caseSensitive << ":" << int(c->autocase) << ":"
                << std::hex << c->colour << std::dec << "|";
        for (const StyleRange *r = style->ranges; r < style->ranges + style->rangeCount; ++r)
            out << "R:" << r->startText << ":" << r->endText << ":" << int(r->flags) << ":" << r->nested << ":"
                << r->classId << "|";
        ForEachSymbol(style, [](const StyleSymbol *s, void *o) {
            *static_cast<std::ostringstream *>(o) << "S:" << s->text << ":" << s->classId << "|";
        }, &out);
    }
    return out.str();
}

struct StyleFileTest : testing::Test {
    ScratchFolder scratch;
    bool bad = true;
    void SetUp() override
    {
        ClearStyles();
        SetLastControlError(AEE_NOERROR);
    }
    void TearDown() override { ClearStyles(); }
    std::string WriteAndGet(const char *name)
    {
        EXPECT_EQ(WriteStyleFile(scratch.Path(name).c_str()), 1);
        return scratch.Get(scratch.Path(name));
    }
    int Read(const std::string &path, bool replace, bool stop)
    {
        return ReadStyleFile(path.c_str(), replace, stop, &bad);
    }
};

const char kDemoFile[] =
    ";STYLE FILE - Do not edit manually\r\n\r\n;Demo syntax highlighting\r\nX,Demo,$\r\n"
    "\r\nC,Comment,0,0,00007F00\r\nR,{,},0,0\r\nR,//,,0,0\r\n"
    "\r\nC,Keyword,1,0,00FF0000\r\nS,if\r\nS,while\r\n\r\n";
const char kDemoDump[] = "X:Demo:$|C1:Comment:0:0:7f00|C2:Keyword:1:0:ff0000|R:{:}:0:0:1|R://::0:0:1|"
                         "S:if:2|S:while:2|";

// The set each file gives and its last bad line's code; stop mode keeps what came before.
TEST_F(StyleFileTest, ReadsRecordsAndJudgesBadLines)
{
    const std::string longText(1000, 'a');
    const struct { const char *why; std::string file; DWORD lastBadCode; std::string dump; } cases[] = {
        {"the example file", kDemoFile, AEE_NOERROR, kDemoDump},
        {"blank and one-character lines are skipped", "  \t\r\nX\n;X,No\n", AEE_NOERROR, ""},
        {"indented with LF only, no final LF", " \tX,Demo,$ \n\tC,K,1,2,ff\r\n  S,if", AEE_NOERROR,
         "X:Demo:$|C1:K:1:2:ff|S:if:1|"},
        {"lenient numbers, 8 and 32 bits kept", "X,A\nC,K, 257x,-1,0x00ff00zz\nR,a,b,+259,-1\nC,L,,?,",
         AEE_NOERROR, "X:A|C1:K:1:255:ff00|C2:L:0:0:0|R:a:b:3:4294967295:1|"},
        {"hex digits of either case", "X,A\nC,K,0,0,aF09", AEE_NOERROR, "X:A|C1:K:0:0:af09|"},
        {"a line of any length is read whole; a NUL ends it",
         "X,A\nC,K,0,0,0\nS," + longText + "\nS,ab\0-x\n\0S,-\nS,c"s, AEE_NOERROR,
         "X:A|C1:K:0:0:0|S:ab:1|S:" + longText + ":1|S:c:1|"}, // newest first of a letter
        {"class with three values: the class before stays current",
         "X,A\nC,K,1,0,ff\nC,Bad,1,0\nS,if", AEE_STYLEVALUES, "X:A|C1:K:1:0:ff|S:if:1|"},
        {"a CR belongs to the line unless a LF follows", "X,A\nC,K,0,0,0\nS,x\r", AEE_SYMBOLCHARS,
         "X:A|C1:K:0:0:0|"},
    };
    for (const auto &c : cases) {
        CreateStyle("replaced", nullptr);
        SetLastControlError(AEE_NOERROR);
        bad = true;
        EXPECT_EQ(Read(scratch.Put("in.dat", c.file), true, false), 1) << c.why;
        EXPECT_EQ(bad, c.lastBadCode != AEE_NOERROR) << c.why;
        EXPECT_EQ(GetLastControlError(), c.lastBadCode) << c.why;
        EXPECT_EQ(DumpStyles(), c.dump) << c.why;
    }
    EXPECT_EQ(Read(scratch.Put("in.dat", "X,A\nC,K,0,0,0\nS,a-b\nS,ok\n"), true, true), 0);
    EXPECT_TRUE(bad);
    EXPECT_EQ(DumpStyles(), "X:A|C1:K:0:0:0|");
}

TEST_F(StyleFileTest, AFileThatCannotBeOpenedLeavesTheSetAlone)
{
    CreateStyle("Kept", nullptr);
    EXPECT_EQ(Read(scratch.Path("missing.dat"), true, false), 0);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_STYLELOAD));
    EXPECT_EQ(DumpStyles(), "X:Kept|") << "replace clears only an opened file's set";
}

TEST_F(StyleFileTest, MemoryFailuresMakeTheLineBad)
{
    bad = false; // the buffer of a long line cannot grow: the line is bad as a whole
    FailNthAllocation(1);
    EXPECT_EQ(Read(scratch.Put("long.dat", "X," + std::string(300, 'a') + "\nX,B\n"), true, false), 1);
    EXPECT_TRUE(bad);
    EXPECT_EQ(GetLastControlError(), DWORD(AEE_MEMORY));
    EXPECT_EQ(DumpStyles(), "X:B|");
}

TEST_F(StyleFileTest, WritesTheExampleFileByteForByte)
{
    uint32_t demo = CreateStyle("Demo", "$");
    uint32_t comment = AddClass(demo, "Comment", 0, 0, 0x7F00);
    AddRange(demo, "{", 1, "}", 1, 0, 0, comment);
    AddRange(demo, "//", 2, "", 0, 0, 0, comment);
    uint32_t keyword = AddClass(demo, "Keyword", 1, 0, 0xFF0000);
    AddSymbol(demo, "while", 5, keyword);
    AddSymbol(demo, "if", 2, keyword);
    EXPECT_EQ(WriteAndGet("demo.dat"), kDemoFile);
    CreateStyle("Empty", nullptr); // without classes: comment, style line, empty line
    EXPECT_EQ(WriteAndGet("two.dat"), std::string(kDemoFile) + ";Empty syntax highlighting\r\nX,Empty\r\n\r\n");
}

// The shipped file reads cleanly, is the writer's output, lines within 255.
TEST_F(StyleFileTest, ShippedStylesReadCleanlyAndAreTheWritersOutput)
{
    const std::string shipped = std::string(SCRIVLET_DATA_DIR) + "/styles.dat";
    ASSERT_EQ(Read(shipped, true, true), 1);
    EXPECT_FALSE(bad);
    EXPECT_GT(CountStyles(), 5u);
    const std::string bytes = scratch.Get(shipped);
    EXPECT_EQ(WriteAndGet("once.dat").size(), bytes.size()) << "the same lines, symbols of a letter reversed";
    ASSERT_EQ(Read(scratch.Path("once.dat"), true, true), 1);
    EXPECT_EQ(WriteAndGet("twice.dat"), bytes);
    for (size_t at = 0, end; at < bytes.size(); at = end + 2) {
        end = bytes.find("\r\n", at);
        ASSERT_NE(end, std::string::npos) << "every line ends in CR LF";
        EXPECT_LE(end - at, 255u) << bytes.substr(at, end - at);
    }
}

} // namespace

} // namespace scrivlet
