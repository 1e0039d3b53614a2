// Moving the options and a file type's settings between the application and
// an edit control. Everything goes through one "send a message" function, so
// the same code drives a real control through SendMessageA in the
// application and the engine directly in native tests.
//
// A client of the control's protocol: it needs the control's public header
// (through the portable message types) and the settings of config/, and
// nothing of the engine.
#pragma once

#include "config/file_types.h"
#include "config/options.h"

#include <cstdint>

namespace scrivlet {

// Sends a message to the control and gives its result, like SendMessageA on
// the control's window (the context stands for the window).
typedef intptr_t (*SendToControl)(void *context, unsigned message, uintptr_t wParam, intptr_t lParam);

// The application error that applying options can lead to.
enum : int {
    kOptionsErrorUndoLevels = 8, // the control could not set up the undo levels
    kOptionsErrorTimer = 9,      // the auto-save timer could not be created
};

// Reads the options the control keeps: bracket help (AEM_GETOPTIONS, bit
// AEO_BRACKETFLASH), undo levels (AEM_GETUNDOLEVELS) and auto indent
// (AEM_GETAUTOINDENT). The other fields are the application's and are left
// as they are.
void GatherControlOptions(Options *options, SendToControl send, void *control);

// Sends the options the control keeps, in this order: AEM_SETOPTIONS with
// lParam 1 or 0 by bracket help (the other option bits are cleared),
// AEM_SETUNDOLEVELS with the undo levels as they are (only when they differ
// from AEM_GETUNDOLEVELS: setting them empties the undo history),
// AEM_SETAUTOINDENT.
// Returns 0, or kOptionsErrorUndoLevels when the control answered 0 to the
// undo levels (auto indent is still sent).
int ApplyControlOptions(const Options *options, SendToControl send, void *control);

// Sends a file type's settings: AEM_SETTABSTOPS with MAKEWPARAM(count, keep
// tabs) and the widths, then AEM_FINDSTYLE with the code style name and
// AEM_SETSTYLE with the handle it gives (0 for an empty or unknown name).
// With no type: keep tabs on, no widths (lParam 0) and AEM_SETSTYLE 0. Returns
// the control's answer to AEM_SETTABSTOPS (1, or 0 when it ran out of memory).
int ApplyFileType(const FileType *type, SendToControl send, void *control);

// What applying options does to the main window's auto-save timer (timer 1):
// start it when auto save is on and it is not running, stop it when auto
// save is off and it runs, and otherwise leave it alone. A running timer
// keeps its interval when the period changes: the new period takes effect
// when the timer next fires.
enum AutoSaveTimerChange { kAutoSaveTimerKeep, kAutoSaveTimerStart, kAutoSaveTimerStop };
AutoSaveTimerChange AutoSaveTimerChangeFor(bool timerRunning, uint32_t autoSave);

// The timer's interval in milliseconds: the period in minutes, held to
// 1..1440, times 60,000.
uint32_t AutoSaveInterval(uint32_t periodMinutes);

} // namespace scrivlet
