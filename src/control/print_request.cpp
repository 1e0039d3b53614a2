#include "control/print_request.h"

#include "core/control_error.h"
#include "print/print_job.h"

namespace scrivlet {

LResult PrintText(ControlRecord *record, const PrintJob *job)
{
    // The selection is printed as if it were the whole text: it starts at
    // the selection start and ends at its end.
    const char *text = record->text.bytes;
    uint32_t length = record->text.length;
    if (job->selectionOnly) {
        text += record->selStart;
        length = record->selEnd - record->selStart;
    }
    if (length == 0) {
        SetLastControlError(AEE_NOERROR);
        return 1;
    }
    const ControlPlatform &platform = record->platform;
    PageDevice device{};
    if (!platform.printerDevice(platform.context, job, &device)) {
        SetLastControlError(AEE_WIN32API);
        return 0;
    }
    platform.showWaitCursor(platform.context, 1);
    uint32_t error = RunPrintJob(text, length, TabStopsOf(record), *job, device);
    platform.showWaitCursor(platform.context, 0);
    SetLastControlError(error);
    return error == AEE_NOERROR ? 1 : 0;
}

} // namespace scrivlet
