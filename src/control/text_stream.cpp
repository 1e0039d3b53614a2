#include "control/text_stream.h"

#include "core/control_error.h"
#include "control/edit_operations.h"
#include "control/view_requests.h"
#include "core/allocation.h"

#include <algorithm>
#include <cstring>

namespace scrivlet {

namespace {

// Where a transfer stands between two blocks.
struct StreamInState {
    ControlRecord *record;
    AESTREAM *stream;
    bool recordUndo;
    UndoGroup *group;
    char *converted;     // 65,536 bytes: conversion never lengthens a block
    bool afterCr;        // the last block ended in CR: a leading LF belongs to it
    bool failed;         // an insertion failed; the transfer has stopped
};

void FailStream(StreamInState *state, uint32_t code)
{
    state->failed = true;
    state->stream->error = SetLastControlError(code);
}

// Inserts one block at the caret. A NUL would end the text early, so a
// block holding one is inserted up to it and the transfer fails there.
void InsertBlock(StreamInState *state, const char *block, uint32_t count)
{
    uint32_t usable = FindByte(block, count, '\0');
    uint32_t skip = state->afterCr && usable > 0 && block[0] == '\n' ? 1 : 0;
    if (usable > 0)
        state->afterCr = block[usable - 1] == '\r';
    // A block without CR goes in as it came; only one with CR is converted.
    const char *piece = block + skip;
    uint32_t length = usable - skip;
    if (FindByte(piece, length, '\r') < length) {
        ConvertLineEnds(state->converted, &length, piece, length, kToStore);
        piece = state->converted;
    }
    // The text could not take the block: memory ran out (error 2 is then
    // the last error too) or a limit refused it (after AEN_MAXTEXT). Either
    // way the transfer was cut, which the caller must learn from `error`;
    // a refusal leaves the last error alone, as it is no memory shortage.
    if (!ReplaceSelection(state->record, piece, length, state->recordUndo, state->group)) {
        state->failed = true;
        state->stream->error = AEE_MEMORY;
        return;
    }
    if (usable < count)
        FailStream(state, AEE_CALLBACK);
}

uint32_t CallReader(AESTREAM *stream, char *buffer, uint32_t *count)
{
    DWORD delivered = 0;
    uint32_t result = stream->callback(stream->cookie, reinterpret_cast<LPBYTE>(buffer),
                                       kStreamBlockSize, &delivered);
    *count = std::min<uint32_t>(delivered, kStreamBlockSize); // never more than the buffer holds
    return result;
}

} // namespace

uint32_t StreamIn(ControlRecord *record, WParam mode, AESTREAM *stream)
{
    const ControlPlatform &platform = record->platform;
    stream->error = 0;
    char *buffer = static_cast<char *>(EngineAllocate(kStreamBlockSize));
    char *converted = static_cast<char *>(EngineAllocate(kStreamBlockSize));
    if (buffer == nullptr || converted == nullptr) {
        EngineFree(buffer);
        EngineFree(converted);
        stream->error = SetLastControlError(AEE_MEMORY);
        return 0;
    }
    platform.setRedraw(platform.context, 0);

    StreamInState state{record, stream, mode != 0, nullptr, converted, false, false};
    if (state.recordUndo) {
        state.group = BeginGroup(&record->undo);
    } else {
        // A whole new text ends with the caret at 0 and the view at the top
        // left, wherever the blocks took them on the way. So the view goes
        // there first and stays, and the blocks go in without scrolling,
        // repainting or laying out the view for each one: the same end,
        // without a view's work per block.
        EnsureVisible(record, 0);
        record->viewFrozen = 1;
        SuspendLayout(record);
        SetSelection(record, 0, record->text.length, false);
    }

    uint32_t total = 0;
    uint32_t count;
    uint32_t result = CallReader(stream, buffer, &count);
    while (result == 0 && count > 0 && !state.failed) {
        total += count;
        InsertBlock(&state, buffer, count);
        if (!state.failed)
            result = CallReader(stream, buffer, &count);
    }
    if (result != 0 && count > 0 && !state.failed) {
        total += count;
        InsertBlock(&state, buffer, count);
    }
    if (total == 0 && !state.failed)
        ReplaceSelection(record, nullptr, 0, false, nullptr);
    if (result != 0)
        FailStream(&state, AEE_CALLBACK);

    if (state.recordUndo) {
        CommitGroup(&record->undo);
    } else {
        // The caret goes to 0 before the view is laid out again, so that the
        // layout places it there rather than working out its cell at the end
        // of the new text first (a count of all its lines).
        SetSelection(record, 0, 0, false);
        ReplaceSelection(record, nullptr, 0, false, nullptr);
        record->viewFrozen = 0;
        ResumeLayout(record, false);
        PlaceCaret(record);
    }
    EngineFree(buffer);
    EngineFree(converted);

    platform.setRedraw(platform.context, 1);
    RepaintRect(record, kRepaintWhole, 0, 0, true);
    Relayout(record);
    RepaintRect(record, kRepaintWhole, 0, 0, true);
    return total;
}

uint32_t StreamOut(ControlRecord *record, AESTREAM *stream)
{
    stream->error = 0;
    char *converted = static_cast<char *>(EngineAllocate(2 * kStreamBlockSize));
    if (converted == nullptr) {
        stream->error = SetLastControlError(AEE_MEMORY);
        return 0;
    }
    uint32_t total = 0;
    const TextDocument &text = record->text;
    for (uint32_t window = 0;; window += kStreamBlockSize) {
        uint32_t count = std::min(kStreamBlockSize, text.length - window);
        bool last = count < kStreamBlockSize; // this window holds the NUL
        uint32_t length;
        ConvertLineEnds(converted, &length, text.bytes + window, count, kFromStore);
        DWORD taken = 0;
        uint32_t result = stream->callback(stream->cookie, reinterpret_cast<LPBYTE>(converted),
                                           length, &taken);
        total += taken;
        if (result != 0) {
            stream->error = SetLastControlError(AEE_CALLBACK);
            break;
        }
        if (last)
            break;
    }
    EngineFree(converted);
    return total;
}

} // namespace scrivlet
