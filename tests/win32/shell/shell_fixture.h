// Tests of the application shell: the real main window, edit control and
// status bar started in-process, driven by messages and commands. Every
// message box and file dialog is answered through the shell's seams, so
// nothing ever waits for a user. Each test runs in its own temporary folder
// (the current directory, where the settings and style files live) with the
// registry keys of the program removed.
#pragma once

#include <gtest/gtest.h>

#include "shell/win32_app.h"

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
    std::string text;
    std::string title;
    UINT type;
    std::string status; // the status bar's last part while the box showed
};

class ShellTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Files in the test's folder; names are relative to it.
    std::string folder;                              // ends in a backslash
    std::string Path(const std::string &name) const { return folder + name; }
    void WriteFile(const std::string &name, const std::string &bytes) const;
    std::string ReadFile(const std::string &name) const;
    bool FileExists(const std::string &name) const;
    void WriteSettingsFile(const std::string &text) const { WriteFile("Scrivlet.ini", text); }

    // The shell.
    void Start(const std::string &commandLine = "");
    void Close();                                    // WM_CLOSE, then waits for the end
    void Command(UINT command) const;
    // Presses a key in the edit control, with Ctrl and Shift held as asked,
    // and lets the program's message loop handle what follows.
    void PressKey(int key, bool ctrl = false, bool shift = false);
    void ProcessPendingMessages();
    // Opens a top-level popup of the menu (WM_INITMENUPOPUP) and returns it.
    HMENU OpenPopup(int position) const;
    bool ItemEnabled(HMENU popup, UINT command) const;
    bool Running() const { return g_app.mainWindow != nullptr; }
    std::string EditText() const;                    // with CR LF line ends
    void Type(const std::string &text) const;        // replaces the selection, as typing does
    void Select(DWORD start, DWORD end) const;
    AERANGE Selection() const;
    std::string StatusPart(int part) const;
    std::string Title() const;

public:
    // The seams. Boxes answer the front of `answers`, else IDOK (a save
    // prompt without an answer fails the test and answers No). The Open and
    // Save As dialogs take the front of their queue as the chosen path; an
    // empty path, or an empty queue, cancels.
    std::vector<ShownBox> boxes;
    std::deque<int> answers;
    std::deque<std::string> openChoices;
    std::deque<std::string> saveChoices;
    std::vector<OPENFILENAMEA> saveDialogsShown;     // the record as the dialog received it
    std::vector<std::string> saveDialogNames;        // its file buffer then
    std::vector<std::string> saveDialogFolders;      // its initial directory then
    int helpCalls = 0;

    // Modal dialogs (the program's and the common Print dialog) run for
    // real; `dialogDriver` gets the dialog once it shows, sets its controls
    // and closes it. A driver may set the next driver before it opens a
    // dialog from its own. Without a driver a modal dialog fails the test.
    std::function<void(HWND dialog)> dialogDriver;
    // Every dialog the program opened through its dialog seam, in order.
    struct ModalDialog {
        int templateId;
        LPARAM parameter;
        INT_PTR result; // -1 while it runs
    };
    std::vector<ModalDialog> modalDialogs;
    // The Print dialog: each answer stands for one dialog the user closed
    // (with OK when `ok`); with none queued the real dialog runs.
    struct PrintAnswer {
        bool ok = true;
        bool withDevice = true; // a device context on the test printer
        DWORD flags = 0;        // added to the record's flags, e.g. PD_SELECTION
        WORD copies = 1;
        LPARAM customData = 0;
    };
    std::deque<PrintAnswer> printAnswers;
    std::vector<PRINTDLGA> printDialogsShown; // the records as the dialog received them
    // The colour chooser: each answer is the colour chosen, or -1 for
    // Cancel; with none queued the chooser is cancelled.
    std::deque<long> colourAnswers;
    std::vector<CHOOSECOLORA> colourChoosersShown;
    // The folder browser: each answer is the chosen folder's path, "" for
    // Cancel; with none queued it is cancelled.
    std::deque<std::string> folderAnswers;
    std::vector<std::string> folderPromptsShown;
    // Documents read through the shell's read seam fail once this many more
    // bytes were read; -1: never.
    int64_t readFailsAfter = -1;
    // The auto-save timer fires inside every box and file dialog, as it may
    // in their modal loops.
    bool autoSaveTicksInModalLoops = false;

protected:
    std::vector<std::string> BoxTexts() const;
    std::vector<std::string> TakeBoxTexts();         // and forgets them

    // The registry.
    static std::string RecentValue(int number);      // "RecentFile1".. ; "<none>" when missing
    static void SetRecentValue(int number, const std::string &value);

private:
    std::string previousDirectory;
};

std::string SavePromptText(const std::string &fileName);

// A drop of files as the shell hands it to a window.
HDROP MakeDrop(const std::vector<std::string> &paths);

// A dialog's controls as the tests read and press them.
std::string ItemText(HWND dialog, int control); // the whole text, however long
bool Enabled(HWND dialog, int control);
bool Checked(HWND dialog, int control);
void Click(HWND dialog, int control);           // WM_COMMAND BN_CLICKED, as the button sends it

} // namespace scrivlet
