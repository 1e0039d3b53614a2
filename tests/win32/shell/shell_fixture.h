// The real main window, edit control and status bar started in-process, every
// box and dialog answered through the shell's seams; each test in a folder of its own.
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

std::string TextOf(HWND window, UINT message, WPARAM wParam); // a text the message copies to its buffer

struct ShownBox {
    std::string text, title;
    UINT type;
    std::string status; // the status bar's last part while the box showed
};

class ShellTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string folder; // the test's folder (the current directory), ending in a backslash
    std::string Path(const std::string &name) const { return folder + name; }
    void WriteFile(const std::string &name, const std::string &bytes) const;
    std::string ReadFile(const std::string &name) const;
    void WriteSettingsFile(const std::string &text) const { WriteFile("Scrivlet.ini", text); }

    void Start(const std::string &commandLine = "");
    void Close(); // WM_CLOSE, then the message loop to its end
    void Command(UINT command) const { SendMessageA(g_app.mainWindow, WM_COMMAND, command, 0); }
    void Tick() const { SendMessageA(g_app.mainWindow, WM_TIMER, kAutoSaveTimer, 0); } // the auto-save timer
    void Drop(const std::vector<std::string> &paths) const;
    void PressKey(int key, bool ctrl = false, bool shift = false); // exactly these modifiers held
    HMENU OpenPopup(int position) const; // WM_INITMENUPOPUP of a top-level popup
    bool Running() const { return g_app.mainWindow != nullptr; }
    std::string EditText() const; // with CR LF line ends
    void Type(const std::string &text) const { SendToEdit(AEM_REPLACESEL, 1, LPARAM(text.c_str())); }
    void Select(DWORD start, DWORD end) const { SelectInEdit(start, end); }
    AERANGE Selection() const { return EditSelection(); }
    std::string StatusPart(int part) const { return TextOf(g_app.statusBar, SB_GETTEXTA, WPARAM(part)); }
    std::string Title() const { return TextOf(g_app.mainWindow, WM_GETTEXT, 512); }
    std::vector<std::string> BoxTexts() const;
    std::vector<std::string> TakeBoxTexts(); // and forgets them
    static std::string RecentValue(int number); // "RecentFile1".. ; "<none>" when missing
    static void SetRecentValue(int number, const std::string &value);

public:
    // Boxes answer the front of `answers`, else IDOK (an unanswered save prompt
    // fails the test). Open and Save As take the front of their queue; "" or none cancels.
    std::vector<ShownBox> boxes;
    std::deque<int> answers;
    std::deque<std::string> openChoices, saveChoices;
    int openDialogsShown = 0, helpCalls = 0;
    std::vector<std::string> saveDialogNames; // the Save As dialog's file buffer as it opened

    // Modal dialogs run for real: the driver gets each once it shows (it may set the next driver).
    std::function<void(HWND dialog)> dialogDriver;
    std::vector<int> modalDialogs; // the template of every one the dialog seam opened
    // The Print dialog: each answer stands for one the user closed; with none queued the real one runs.
    struct PrintAnswer {
        bool ok = true;
        bool withDevice = true; // a device context on the test printer
    };
    std::deque<PrintAnswer> printAnswers;
    std::vector<DWORD> printDialogFlags; // the record's flags as each Print dialog received them
    LPARAM printDialogData = -1;          // the custom data as the last real Print dialog left it
    int64_t readFailsAfter = -1; // documents' reads fail after this many more bytes; -1: never
    bool autoSaveTicksInModalLoops = false; // the auto-save timer fires inside every box and file dialog

private:
    std::string previousDirectory;
};

inline bool Enabled(HWND dialog, int control) { return IsWindowEnabled(GetDlgItem(dialog, control)) != FALSE; }
inline bool Checked(HWND dialog, int control) { return IsDlgButtonChecked(dialog, control) == BST_CHECKED; }
inline void Click(HWND dialog, int control) // as the button sends it
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED), LPARAM(GetDlgItem(dialog, control)));
}
inline int ListSelection(HWND dialog, int list) { return int(SendDlgItemMessageA(dialog, list, LB_GETCURSEL, 0, 0)); }
std::vector<std::string> ListTexts(HWND dialog, int list);
void SelectEntry(HWND dialog, int list, int index, bool doubleClick = false); // and the list tells its dialog

} // namespace scrivlet
