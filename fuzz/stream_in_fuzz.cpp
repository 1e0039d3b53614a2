// libFuzzer target for AEM_STREAMIN and AEM_STREAMOUT. A header chosen by
// the input sets up a control (a starting text, a selection, a text limit)
// and a reader callback (the block sizes it delivers, cycling, and the call
// at which it fails); the rest of the input is what the reader delivers, so
// CR, LF and CR LF fall across block boundaries and NULs appear anywhere.
// Checked beyond the sanitizers, against a model of the transfer:
// - the selection (the whole text in mode 0) is replaced by the delivered
//   bytes with CR LF and lone CR turned into '\n', up to the first NUL, and
//   without the block that the limit refused, where one was refused;
// - the result is the bytes of the blocks handed in, and `error` is 10 when
//   a block held a NUL or the reader failed (the failure wins), 2 when the
//   limit refused a block, else 0;
// - the length, line count, caret and selection agree with the text;
// - in mode 1, once any bytes were read, one undo restores the text as it
//   was and a redo brings the streamed text back (a reader that delivers
//   nothing leaves the selection deleted without an undo group);
// - streaming out gives the text with every '\n' as CR LF.
#include "control/control_engine.h"
#include "support/silent_platform.h"

#include "fuzz_input.h"
#include "fuzz_support.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

using namespace scrivlet;

namespace {

// The reader callback's plan: block sizes in turn, failing at one call.
struct Feeder {
    std::string payload;
    size_t position;
    uint32_t sizes[8];
    uint32_t sizeCount; // 1 … 8
    uint32_t failAt;    // index of the call that fails; beyond 15: none
    uint32_t calls;

    // The next block, and whether the callback reports failure with it.
    std::string Next(bool *fails)
    {
        const size_t wanted = sizes[calls % sizeCount];
        const size_t count = std::min(wanted, payload.size() - position);
        std::string block = payload.substr(position, count);
        position += count;
        *fails = calls == failAt;
        ++calls;
        return block;
    }
};

DWORD CALLBACK ReadBlock(DWORD_PTR cookie, LPBYTE buffer, DWORD count, DWORD *done)
{
    bool fails;
    const std::string block = reinterpret_cast<Feeder *>(cookie)->Next(&fails);
    Check(block.size() <= count, "block larger than the engine's buffer");
    std::memcpy(buffer, block.data(), block.size());
    *done = DWORD(block.size());
    return fails ? 1 : 0;
}

DWORD CALLBACK WriteBlock(DWORD_PTR cookie, LPBYTE buffer, DWORD count, DWORD *done)
{
    reinterpret_cast<std::string *>(cookie)->append(reinterpret_cast<const char *>(buffer), count);
    *done = count;
    return 0;
}

// Block sizes 0 … 199 byte by byte, then in steps of 100 up to 5,600.
uint32_t BlockSize(uint8_t code)
{
    return code < 200 ? code : (code - 199u) * 100u;
}

Feeder PlanFeeder(InputReader *in)
{
    Feeder feeder{};
    feeder.failAt = in->Byte();
    feeder.sizeCount = 1 + in->Byte() % 8;
    for (uint32_t i = 0; i < feeder.sizeCount; ++i)
        feeder.sizes[i] = BlockSize(in->Byte());
    feeder.payload = in->Rest();
    return feeder;
}


std::string FromStore(const std::string &text)
{
    std::string out;
    for (char c : text)
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

struct Transfer {
    std::string inserted; // what replaces the selection, converted
    uint32_t total;       // bytes of the blocks handed in
    DWORD error;
};

// What the transfer should do: `room` is how many bytes the limit lets the
// text gain once the selection is gone. A block goes in whole or, refused,
// not at all; what it adds is the growth of the converted text so far (a
// CR ending one block and an LF starting the next make one '\n').
Transfer Model(Feeder feeder, uint64_t room)
{
    Transfer transfer{"", 0, 0};
    std::string accepted; // raw bytes that went in
    for (;;) {
        bool fails;
        const std::string block = feeder.Next(&fails);
        if (block.empty()) {
            transfer.error = fails ? 10 : transfer.error;
            break;
        }
        transfer.total += uint32_t(block.size());
        const size_t usable = std::min(block.find('\0'), block.size());
        const std::string grown = accepted + block.substr(0, usable);
        const size_t before = ToStore(accepted).size(), after = ToStore(grown).size();
        if (after > before && after > room) {
            transfer.error = fails ? 10 : 2;
            break;
        }
        accepted = grown;
        if (usable < block.size() || fails) {
            transfer.error = 10;
            break;
        }
    }
    transfer.inserted = ToStore(accepted);
    return transfer;
}

// Starting texts; the one with CR is converted as it goes in.
const char *const kStartTexts[] = {"", "abc", "one\ntwo\n", "\tx\n\n  y z", "a\r\nb\rc", "\n"};

struct Control {
    ControlPlatform platform = SilentPlatform();
    ControlRecord *record = CreateControl(1, AES_AUTOHSCROLL | AES_AUTOVSCROLL, platform);

    ~Control() { DestroyControl(record, platform); }
    LResult Send(unsigned message, WParam wParam, LParam lParam)
    {
        return ControlMessage(record, platform, message, wParam, lParam);
    }
    std::string Text() const { return std::string(record->text.bytes, record->text.length); }
};

void CheckRecord(const Control &control, const std::string &expected)
{
    const ControlRecord *record = control.record;
    Check(control.Text() == expected, "text differs from the model");
    Check(std::strlen(record->text.bytes) == record->text.length, "length is not the NUL's offset");
    Check(record->lineCount == 1 + uint32_t(std::count(expected.begin(), expected.end(), '\n')), "wrong line count");
    Check(record->selStart <= record->selEnd && record->selEnd <= record->text.length, "selection out of the text");
    Check(record->caret <= record->text.length, "caret beyond the text");
}

std::string StreamOut(Control *control)
{
    std::string out;
    AESTREAM stream{reinterpret_cast<DWORD_PTR>(&out), 99, WriteBlock};
    LResult written = control->Send(AEM_STREAMOUT, 0, reinterpret_cast<LParam>(&stream));
    Check(stream.error == 0, "streaming out reported an error");
    Check(written == LResult(out.size()), "streaming out miscounted");
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    InputReader in{data, size, 0};
    const WParam mode = in.Byte() & 1;
    const char *start = kStartTexts[in.Byte() % (sizeof kStartTexts / sizeof *kStartTexts)];
    const uint8_t selectA = in.Byte(), selectB = in.Byte();
    const uint32_t limit = 16u * in.Byte(); // 0: the default limit
    Feeder feeder = PlanFeeder(&in);

    Control control;
    Check(control.record != nullptr, "no control");
    control.Send(AEM_REPLACESEL, 0, reinterpret_cast<LParam>(start));
    const std::string before = control.Text();
    AERANGE range{DWORD(selectA % (before.size() + 1)), DWORD(selectB % (before.size() + 1))};
    control.Send(AEM_SETSEL, 0, reinterpret_cast<LParam>(&range));
    control.Send(AEM_SETLIMITTEXT, 0, LParam(limit));

    const ControlRecord *record = control.record;
    const uint32_t a = mode == 0 ? 0 : record->selStart;
    const uint32_t b = mode == 0 ? uint32_t(before.size()) : record->selEnd;
    const uint64_t kept = before.size() - (b - a);
    const uint64_t room = record->limitText > kept ? record->limitText - kept : 0;
    const Transfer expected = Model(feeder, room);

    AESTREAM stream{reinterpret_cast<DWORD_PTR>(&feeder), 99, ReadBlock};
    LResult read = control.Send(AEM_STREAMIN, mode, reinterpret_cast<LParam>(&stream));
    Check(read == LResult(expected.total), "bytes read differ from the model");
    Check(stream.error == expected.error, "stream error differs from the model");
    const std::string after = before.substr(0, a) + expected.inserted + before.substr(b);
    CheckRecord(control, after);
    const uint32_t caret = mode == 0 ? 0 : a + uint32_t(expected.inserted.size());
    Check(record->caret == caret && record->selStart == caret && record->selEnd == caret,
          "caret or selection not where the transfer leaves them");

    if (mode != 0 && expected.total > 0) {
        control.Send(AEM_UNDO, 0, 0);
        CheckRecord(control, before);
        control.Send(AEM_REDO, 0, 0);
        CheckRecord(control, after);
    }
    Check(StreamOut(&control) == FromStore(after), "streamed out text differs");
    return 0;
}
