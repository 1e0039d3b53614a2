// Tests of the application shell: the real main window, edit control and
// status bar started in-process, driven by messages and commands. Every box
// and dialog is answered through the shell's seams, so nothing waits for a
// user. Each test runs in a temporary folder of its own (the current
// directory, where the settings and style files live), registry keys removed.
#pragma once

#include <gtest/gtest.h>

#include "shell/win32_app.h"
#include "dialogs/win32_dialog_fields.h" // FieldText: a control's whole text

#include <commctrl.h>
#include <shellapi.h>

#include "advancededit.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace scrivlet {

struct ShownBox {
    HWND owner;
    std::string text, title;
    UINT type;
    std::string status; // the status bar's last part while the box showed
};

class ShellTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string folder; // the test's folder, ending in a backslash
    std::string Path(const std::string &name) const { return folder + name; }
    void WriteFile(const std::string &name, const std::string &bytes) const;
    std::string ReadFile(const std::string &name) const;
    void WriteSettingsFile(const std::string &text) const { WriteFile("Scrivlet.ini", text); }

    void Start(const std::string &commandLine = "");
    void Close(); // WM_CLOSE, then the message loop to its end
    void Command(UINT command) const { SendMessageA(g_app.mainWindow, WM_COMMAND, command, 0); }
    void Tick() const { SendMessageA(g_app.mainWindow, WM_TIMER, kAutoSaveTimer, 0); } // the auto-save timer
    void Drop(const std::vector<std::string> &paths) const; // as the shell hands a drop to the window
    // A key pressed in the edit control with exactly these modifiers held,
    // handled by the program's message loop.
    void PressKey(int key, bool ctrl = false, bool shift = false);
    void ProcessPendingMessages();
    HMENU OpenPopup(int position) const; // WM_INITMENUPOPUP of a top-level popup
    bool Running() const { return g_app.mainWindow != nullptr; }
    std::string EditText() const; // with CR LF line ends
    void Type(const std::string &text) const { SendToEdit(AEM_REPLACESEL, 1, LPARAM(text.c_str())); } // as typing does
    void Select(DWORD start, DWORD end) const { SelectInEdit(start, end); }
    AERANGE Selection() const { return EditSelection(); }
    std::string StatusPart(int part) const;
    std::string Title() const;
    std::vector<std::string> BoxTexts() const;
    std::vector<std::string> TakeBoxTexts(); // and forgets them
    static std::string RecentValue(int number); // "RecentFile1".. ; "<none>" when missing
    static void SetRecentValue(int number, const std::string &value);

public:
    // The seams. Boxes answer the front of `answers`, else IDOK (a save
    // prompt without an answer fails the test and answers No). The Open and
    // Save As dialogs take the front of their queue as the chosen path; an
    // empty path, or an empty queue, cancels.
    std::vector<ShownBox> boxes;
    std::deque<int> answers;
    std::deque<std::string> openChoices, saveChoices;
    int openDialogsShown = 0, helpCalls = 0;
    std::vector<std::string> saveDialogNames; // the Save As dialog's file buffer as it opened

    // Modal dialogs (the program's and the Print dialog) run for real: the
    // driver gets the dialog once it shows, sets its controls and closes it;
    // it may set the next driver before it opens a dialog from its own.
    std::function<void(HWND dialog)> dialogDriver;
    std::vector<int> modalDialogs; // the template of every one the dialog seam opened, in order
    // The Print dialog: each answer stands for one dialog the user closed
    // (with OK when `ok`); with none queued the real dialog runs.
    struct PrintAnswer {
        bool ok = true;
        bool withDevice = true; // a device context on the test printer
        WORD copies = 1;
        LPARAM customData = 0;
    };
    std::deque<PrintAnswer> printAnswers;
    std::vector<DWORD> printDialogFlags; // the record's flags as each Print dialog received them
    LPARAM printDialogData = -1;          // the record's custom data as the last real Print dialog left it
    std::deque<std::string> folderAnswers;  // the folder browser's choice, "" or none: Cancel
    int64_t readFailsAfter = -1; // documents read fail once this many more bytes were read; -1: never
    bool autoSaveTicksInModalLoops = false; // the auto-save timer fires inside every box and file dialog

private:
    std::string previousDirectory;
};

// A dialog's controls as the tests read and press them.
inline bool Enabled(HWND dialog, int control) { return IsWindowEnabled(GetDlgItem(dialog, control)) != FALSE; }
inline bool Checked(HWND dialog, int control) { return IsDlgButtonChecked(dialog, control) == BST_CHECKED; }
inline void Click(HWND dialog, int control) // WM_COMMAND BN_CLICKED, as the button sends it
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED), LPARAM(GetDlgItem(dialog, control)));
}
inline int ListSelection(HWND dialog, int list) { return int(SendDlgItemMessageA(dialog, list, LB_GETCURSEL, 0, 0)); }
std::vector<std::string> ListTexts(HWND dialog, int list);
void SelectEntry(HWND dialog, int list, int index, bool doubleClick = false); // and the list tells its dialog

} // namespace scrivlet
