#include "control/view_requests.h"

void RepaintRect(ControlRecord *record, RepaintMode, uint32_t, uint32_t, bool updateNow)
{
    int width, height;
    record->platform.clientSize(record->platform.context, &width, &height);
    record->platform.invalidate(record->platform.context, 0, 0, width, height, updateNow ? 1 : 0);
}

void Relayout(ControlRecord *record)
{
    if (record->layoutSuspended) {
        record->layoutPending = 1;
        return;
    }
    record->platform.relayout(record->platform.context);
}

void SuspendLayout(ControlRecord *record)
{
    ++record->layoutSuspended;
}

void ResumeLayout(ControlRecord *record, bool force)
{
    if (--record->layoutSuspended > 0)
        return;
    if (record->layoutPending || force) {
        record->layoutPending = 0;
        Relayout(record);
    }
}

void EnsureVisible(ControlRecord *)
{
}

void VisibleArea(const ControlRecord *record, uint32_t *columns, uint32_t *lines)
{
    int width, height, cellWidth, cellHeight;
    record->platform.clientSize(record->platform.context, &width, &height);
    record->platform.cellSize(record->platform.context, &cellWidth, &cellHeight);
    *columns = width > 1 && cellWidth > 0 ? uint32_t((width - 1) / cellWidth) : 0;
    *lines = height > 1 && cellHeight > 0 ? uint32_t((height - 1) / cellHeight) : 0;
}
