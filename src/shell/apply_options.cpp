#include "shell/apply_options.h"

// The control's messages with the portable names of their Win32 types, which
// are the same as <windows.h> gives them: this file is a client of the
// control's protocol, in the application and in the tests alike.
#include "core/message_types.h"

namespace scrivlet {

static_assert(sizeof(DWORD) == sizeof(uint32_t), "tab widths travel as DWORDs");

void GatherControlOptions(Options *options, SendToControl send, void *control)
{
    options->bracketHelp = (send(control, AEM_GETOPTIONS, 0, 0) & AEO_BRACKETFLASH) != 0 ? 1 : 0;
    options->undoLevels = int32_t(send(control, AEM_GETUNDOLEVELS, 0, 0));
    options->autoIndent = uint32_t(send(control, AEM_GETAUTOINDENT, 0, 0));
}

int ApplyControlOptions(const Options *options, SendToControl send, void *control)
{
    send(control, AEM_SETOPTIONS, 0, options->bracketHelp != 0 ? AEO_BRACKETFLASH : 0);
    // Setting the levels empties the undo history, so an unchanged count is
    // not sent. A negative count travels as its 32 bits, as the control reads it.
    int error = 0;
    if (send(control, AEM_GETUNDOLEVELS, 0, 0) != options->undoLevels &&
        send(control, AEM_SETUNDOLEVELS, uint32_t(options->undoLevels), 0) == 0)
        error = kOptionsErrorUndoLevels;
    send(control, AEM_SETAUTOINDENT, options->autoIndent, 0);
    return error;
}

int ApplyFileType(const FileType *type, SendToControl send, void *control)
{
    if (type == nullptr) {
        intptr_t result = send(control, AEM_SETTABSTOPS, uintptr_t(1) << 16, 0);
        send(control, AEM_SETSTYLE, 0, 0);
        return result != 0 ? 1 : 0;
    }
    uintptr_t tabs = (uintptr_t(type->keepTabs & 0xFFFF) << 16) | (type->tabWidthCount & 0xFFFF);
    intptr_t result = send(control, AEM_SETTABSTOPS, tabs, reinterpret_cast<intptr_t>(type->tabWidths));
    intptr_t style = send(control, AEM_FINDSTYLE, reinterpret_cast<uintptr_t>(type->codeStyle), 0);
    send(control, AEM_SETSTYLE, 0, style);
    return result != 0 ? 1 : 0;
}

AutoSaveTimerChange AutoSaveTimerChangeFor(bool timerRunning, uint32_t autoSave)
{
    if (!timerRunning && autoSave != 0)
        return kAutoSaveTimerStart;
    if (timerRunning && autoSave == 0)
        return kAutoSaveTimerStop;
    return kAutoSaveTimerKeep;
}

uint32_t AutoSaveInterval(uint32_t periodMinutes)
{
    uint32_t minutes = periodMinutes < kMinAutoSavePeriod   ? kMinAutoSavePeriod
                       : periodMinutes > kMaxAutoSavePeriod ? kMaxAutoSavePeriod
                                                            : periodMinutes;
    return minutes * 60000u;
}

} // namespace scrivlet
