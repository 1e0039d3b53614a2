#include "control/control_record.h"

#include "core/control_error.h"
#include "core/allocation.h"

namespace scrivlet {

namespace {
ControlRecord *listHead = nullptr; // newest record first
} // namespace

ControlRecord *CreateControlRecord(uint32_t id, uint32_t style, const ControlPlatform &platform)
{
    TextDocument text{};
    if (!CreateTextDocument(&text)) {
        SetLastControlError(AEE_MEMORY);
        return nullptr;
    }
    auto *record = static_cast<ControlRecord *>(EngineAllocateZeroed(sizeof(ControlRecord)));
    if (record == nullptr) {
        FreeTextDocument(&text);
        SetLastControlError(AEE_MEMORY);
        return nullptr;
    }
    record->id = id;
    record->style = style;
    record->limitText = kDefaultLimitText;
    record->keepTabs = 1;
    record->text = text;
    record->caretX = 1;
    record->caretY = 1;
    record->lineCount = 1;
    record->topLine = 1;
    record->platform = platform;

    record->next = listHead;
    if (listHead != nullptr)
        listHead->prev = record;
    listHead = record;

    if (!InitUndo(&record->undo, kDefaultUndoLevels)) {
        DestroyControlRecord(record);
        SetLastControlError(AEE_MEMORY);
        return nullptr;
    }
    return record;
}

void DestroyControlRecord(ControlRecord *record)
{
    FreeUndo(&record->undo);
    if (record->prev != nullptr)
        record->prev->next = record->next;
    else
        listHead = record->next;
    if (record->next != nullptr)
        record->next->prev = record->prev;
    EngineFree(record->tabWidths);
    FreeTextDocument(&record->text);
    EngineFree(record);
}

ControlRecord *FindControlRecord(uint32_t id)
{
    for (ControlRecord *record = listHead; record != nullptr; record = record->next) {
        if (record->id == id)
            return record;
    }
    return nullptr;
}

uint32_t ColumnAt(ControlRecord *record, uint32_t offset, uint32_t *lineStart)
{
    ColumnMemo &memo = record->columnMemo;
    if (memo.known == 0 || memo.offset != offset || memo.textRevision != record->text.revision ||
        memo.tabRevision != record->tabRevision) {
        uint32_t start = LineStartOf(record->text.bytes, offset);
        memo = ColumnMemo{1, record->text.revision, record->tabRevision, offset, start,
                          ColumnAfterLineStart(TabStopsOf(record), record->text.bytes, start, offset)};
    }
    *lineStart = memo.lineStart;
    return memo.column;
}

} // namespace scrivlet
