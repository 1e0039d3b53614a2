// The Styles dialogs: the list of styles (template 124) and, opened from it,
// Add Style (125), Edit Style (126) and one dialog each for a class (127), a
// range (128) and a symbol (129). Every change goes to the engine at once
// through the style messages to the edit control; styles.dat is written
// only when the Styles dialog is closed with Close.
//
// The dialogs are modal and nest, so one of each kind is open at a time.
// What outlives one dialog, or what a nested dialog needs from the one that
// opened it, is in one state record for the process; the rest each dialog
// keeps with its window.
#pragma once

#include <windows.h>

#include "advancededit.h"
#include "shell/dialog_rules.h"

#include <cstddef>
#include <cstdlib>

namespace scrivlet {

struct AppState;

struct StylesDialogState {
    AppState *app;          // from the Styles dialog: the edit control, the open-file record
    bool stylesChanged;     // any change from the Styles dialog or below; Close saves only then
    DWORD currentStyle;     // handle of the style the Edit Style dialog edits
    COLORREF customColour;  // "Custom" of the class dialog: the last colour chosen or met
};
extern StylesDialogState g_stylesDialogs;

// What the Add Style dialog fills.
struct NewStyle {
    char name[AE_STYLETEXTSIZE];
    char characters[AE_STYLETEXTSIZE]; // additional symbol characters, "" for none
};

// Where the dialogs take the buffers they copy styles, classes, ranges and
// symbols into (std::malloc; tests make it fail). Null means no memory.
extern void *(*g_stylesCopyAllocator)(size_t bytes);

// Opens the Styles dialog owned by `owner` with the shell's AppState, as the
// "Styles..." menu command and the File Types dialog's button do.
void OpenStylesDialog(HWND owner);

// Styles (124); the creation parameter is the AppState. Ends with nonzero
// when styles changed, 0 otherwise.
INT_PTR CALLBACK StylesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Add Style (125); the creation parameter is the NewStyle record, filled on
// OK. Ends with 1 after OK, 0 after Cancel.
INT_PTR CALLBACK AddStyleDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Edit Style (126); the creation parameter is the style handle. Nonzero
// when the style was changed.
INT_PTR CALLBACK EditStyleDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The class, range and symbol dialogs (127, 128, 129) of the current style;
// the creation parameter is the item's identifier, 0 to add. Nonzero when
// an item was added or changed.
INT_PTR CALLBACK StyleClassDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK StyleRangeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK StyleSymbolDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Shared by the styles dialogs' sources.

// Sends a style message to the edit control of the remembered AppState.
LRESULT SendStyleMessage(UINT message, WPARAM wParam, LPARAM lParam);
// Repaints the whole edit control after a class, range or symbol change.
void RepaintEditControl();
// The control's last error: its text alone, or put into `format`'s %s.
// When the engine refused a text that styles.dat could not keep (error 103)
// and `refusedText` is given, that explanation stands in the error's place.
void ShowStyleError(HWND owner, const char *format, const char *refusedText = nullptr);
// A question with its buttons and icon, No or Cancel as default.
int AskStyleQuestion(HWND owner, const char *text, UINT buttonsAndIcon);
// Opens one of the dialogs below the Styles dialog modally through the shell's seam.
INT_PTR RunStylesSubDialog(int templateId, HWND owner, DLGPROC procedure, LPARAM parameter);

// A text field as the engine's records hold it: at most 79 characters.
void LimitStyleText(HWND dialog, int control);
void SetStyleText(HWND dialog, int control, const char (&text)[AE_STYLETEXTSIZE]);
void ReadStyleText(HWND dialog, int control, char (&text)[AE_STYLETEXTSIZE]);
// The same for a text that must be given: an empty one is noted with the
// rule's message for its kind, and the answer is false.
bool ReadRequiredStyleText(HWND dialog, int control, char (&text)[AE_STYLETEXTSIZE], StyleText kind);

// A copy of the style's classes, ranges or symbols, or of the styles. Empty
// when there are none; `ok` is false only when the copy could not be
// allocated (AppError 12 has been shown to `owner`).
template <typename Record> struct StyleCopy {
    Record *records = nullptr;
    DWORD count = 0;
    bool ok = true;

    StyleCopy() = default;
    StyleCopy(const StyleCopy &) = delete;
    StyleCopy &operator=(const StyleCopy &) = delete;
    ~StyleCopy() { std::free(records); }
};
void CopyStyles(HWND owner, StyleCopy<AESTYLEINFO> *copy);
void CopyClasses(HWND owner, DWORD style, StyleCopy<AESTYLECLASS> *copy);
void CopyRanges(HWND owner, DWORD style, StyleCopy<AESTYLERANGE> *copy);
void CopySymbols(HWND owner, DWORD style, StyleCopy<AESTYLESYMBOL> *copy);

// Fills the Styles dialog's list with every style's name and handle; the
// number of styles.
int FillStyleList(HWND dialog);

} // namespace scrivlet
