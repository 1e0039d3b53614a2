// The ControlPlatform of a control window: the engine's requests carried out
// with real Win32 calls. The context of every function is the control's HWND;
// its record, where one is needed, is found by the control ID as everywhere.
#include "control/win32/win32_platform.h"

namespace scrivlet {

namespace {

HWND WindowOf(void *context)
{
    return static_cast<HWND>(context);
}

// A bar's range changes without being drawn while a control handles a
// message, and the bar is drawn once when the outermost message ends,
// unless a new position drew it meanwhile: one keystroke can widen the
// longest line and then scroll, and drawing a (themed) bar is among the
// dearest things a keystroke does. The window system's messages all run on
// the one user-interface thread.
struct DeferredBars {
    int depth; // control messages being handled, nested
    int count; // entries in `due`
    struct {
        HWND window;
        int bar;
    } due[8];
};
DeferredBars deferred;

int DueIndex(HWND window, int bar)
{
    for (int i = 0; i < deferred.count; ++i) {
        if (deferred.due[i].window == window && deferred.due[i].bar == bar)
            return i;
    }
    return -1;
}

// Whether a range change may leave the drawing for later: inside a
// message, with the bar noted as due. A full list draws at once instead.
bool DeferDrawing(HWND window, int bar)
{
    if (deferred.depth == 0)
        return false;
    if (DueIndex(window, bar) >= 0)
        return true;
    if (deferred.count == int(sizeof deferred.due / sizeof deferred.due[0]))
        return false;
    deferred.due[deferred.count].window = window;
    deferred.due[deferred.count].bar = bar;
    ++deferred.count;
    return true;
}

void NoLongerDue(HWND window, int bar)
{
    int i = DueIndex(window, bar);
    if (i >= 0)
        deferred.due[i] = deferred.due[--deferred.count];
}

// The screen rectangle of a shown scroll bar; false for a hidden one.
bool ShownBar(HWND window, int bar, RECT *area)
{
    SCROLLBARINFO info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    if (!GetScrollBarInfo(window, bar == SB_HORZ ? OBJID_HSCROLL : OBJID_VSCROLL, &info) ||
        (info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) != 0)
        return false;
    *area = info.rcScrollBar;
    return true;
}

// Draws a bar whose range changed undrawn: the part of the frame it covers
// is painted again, with the corner between the two bars (a bar that came
// up while drawing was off, as a text streamed in, leaves it unpainted).
// A hidden bar needs nothing.
void DrawBar(HWND window, int bar)
{
    RECT area, other;
    if (!IsWindow(window) || !ShownBar(window, bar, &area))
        return;
    if (bar == SB_VERT && ShownBar(window, SB_HORZ, &other))
        area.bottom = other.bottom;
    if (bar == SB_HORZ && ShownBar(window, SB_VERT, &other))
        area.right = other.right;
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT *>(&area), 2); // made the client's
    RedrawWindow(window, &area, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
}

// The control ID as notifications carry it.
UINT ControlIdOf(HWND window)
{
    return static_cast<UINT>(GetDlgCtrlID(window));
}

// WM_COMMAND to the parent: MAKEWPARAM(id, code), the control in lParam.
void Notify(void *context, unsigned code)
{
    HWND window = WindowOf(context);
    SendMessageA(GetParent(window), WM_COMMAND,
                 MAKEWPARAM(ControlIdOf(window), code), reinterpret_cast<LPARAM>(window));
}

// The notification header every WM_NOTIFY of the control starts with.
NMHDR NotifyHeader(HWND window, UINT code)
{
    NMHDR header;
    header.hwndFrom = window;
    header.idFrom = ControlIdOf(window);
    header.code = code;
    return header;
}

// WM_NOTIFY AEN_SELCHANGE with the ordered selection.
void NotifySelChange(void *context, DWORD selStart, DWORD selEnd)
{
    HWND window = WindowOf(context);
    AENMSELCHANGE change;
    change.hdr = NotifyHeader(window, AEN_SELCHANGE);
    change.selStart = selStart;
    change.selEnd = selEnd;
    SendMessageA(GetParent(window), WM_NOTIFY, change.hdr.idFrom,
                 reinterpret_cast<LPARAM>(&change));
}

// WM_NOTIFY AEN_KEYDOWN: the key message exactly as the control received it.
void NotifyKeyDown(void *context, DWORD key, DWORD keyData)
{
    HWND window = WindowOf(context);
    AENMKEY keyDown;
    keyDown.hdr = NotifyHeader(window, AEN_KEYDOWN);
    keyDown.message = WM_KEYDOWN;
    keyDown.wParam = key;
    keyDown.lParam = keyData;
    SendMessageA(GetParent(window), WM_NOTIFY, keyDown.hdr.idFrom,
                 reinterpret_cast<LPARAM>(&keyDown));
}

void ClientSize(void *context, int *width, int *height)
{
    RECT client;
    if (!GetClientRect(WindowOf(context), &client))
        SetRectEmpty(&client);
    *width = client.right - client.left;
    *height = client.bottom - client.top;
}

// The cell of the record's font: its widest character and its height,
// measured in the control's own device context (the class has CS_OWNDC, so
// GetDC hands out the same context every time and it is never released).
// The font stays selected there, as the painter selects it too. A window
// without record measures the control's default font.
void CellSize(void *context, int *width, int *height)
{
    HWND window = WindowOf(context);
    ControlRecord *record = FindControlRecord(ControlIdOf(window));
    HGDIOBJ font = record != nullptr ? reinterpret_cast<HGDIOBJ>(record->font)
                                     : GetStockObject(ANSI_FIXED_FONT);
    TEXTMETRICA metrics;
    ZeroMemory(&metrics, sizeof metrics);
    HDC dc = GetDC(window);
    if (dc != nullptr) {
        SelectObject(dc, font);
        GetTextMetricsA(dc, &metrics);
    }
    *width = metrics.tmMaxCharWidth;
    *height = metrics.tmHeight;
}

// WM_SIZE to the control with its present client size, as after a resize.
void Relayout(void *context)
{
    HWND window = WindowOf(context);
    int width = 0;
    int height = 0;
    ClientSize(context, &width, &height);
    SendMessageA(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));
}

// The background is erased with the class brush before the rectangle is
// painted again, so the painter never clears beyond the end of a line.
void Invalidate(void *context, int left, int top, int right, int bottom, int updateNow)
{
    HWND window = WindowOf(context);
    RECT area = {left, top, right, bottom};
    InvalidateRect(window, &area, TRUE);
    if (updateNow)
        UpdateWindow(window);
}

void SetRedraw(void *context, int on)
{
    SendMessageA(WindowOf(context), WM_SETREDRAW, on ? TRUE : FALSE, 0);
}

void Beep(void *)
{
    MessageBeep(0xFFFFFFFF);
}

int KeyDown(void *, int virtualKey)
{
    return (GetKeyState(virtualKey) & 0x8000) != 0 ? 1 : 0;
}

// The hourglass while a long operation runs, the I-beam again afterwards.
void ShowWaitCursor(void *, int on)
{
    SetCursor(LoadCursorA(nullptr, on ? IDC_WAIT : IDC_IBEAM));
}

void SleepFor(void *, unsigned milliseconds)
{
    Sleep(milliseconds);
}

int StartTimer(void *context, unsigned id, unsigned milliseconds)
{
    return SetTimer(WindowOf(context), id, milliseconds, nullptr) != 0;
}

void StopTimer(void *context, unsigned id)
{
    KillTimer(WindowOf(context), id);
}

int BarOf(ScrollBar bar)
{
    return bar == kHorizontalBar ? SB_HORZ : SB_VERT;
}

// The whole SCROLLINFO, the track position included: it differs from the
// position only while the user drags the thumb.
int ReadScrollBar(void *context, ScrollBar bar, ScrollBarState *state)
{
    SCROLLINFO info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    if (!GetScrollInfo(WindowOf(context), BarOf(bar), &info))
        return 0;
    state->minimum = info.nMin;
    state->maximum = info.nMax;
    state->page = info.nPage;
    state->position = info.nPos;
    state->trackPosition = info.nTrackPos;
    return 1;
}

// Range and page together; the platform clamps the position into them and
// shows or hides the bar.
void SetBarRange(void *context, ScrollBar bar, int32_t minimum, int32_t maximum, uint32_t page)
{
    SCROLLINFO info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = minimum;
    info.nMax = maximum;
    info.nPage = page;
    SetScrollInfo(WindowOf(context), BarOf(bar), &info, !DeferDrawing(WindowOf(context), BarOf(bar)));
}

void SetBarPosition(void *context, ScrollBar bar, int32_t position)
{
    SCROLLINFO info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    info.nPos = position;
    HWND window = WindowOf(context);
    SCROLLINFO before;
    ZeroMemory(&before, sizeof before);
    before.cbSize = sizeof before;
    before.fMask = SIF_POS;
    if (GetScrollInfo(window, BarOf(bar), &before) && before.nPos != position)
        NoLongerDue(window, BarOf(bar)); // a new position draws the whole bar
    SetScrollInfo(window, BarOf(bar), &info, TRUE);
}

// The rectangle is both the scrolled and the clipping area; what the move
// uncovers is invalidated by the window system.
void ScrollWindowArea(void *context, int dx, int dy, int left, int top, int right, int bottom)
{
    RECT area = {left, top, right, bottom};
    ScrollWindow(WindowOf(context), dx, dy, &area, &area);
}

int HasFocus(void *context)
{
    return GetFocus() == WindowOf(context) ? 1 : 0;
}

// A solid block (no bitmap) of the given size.
void CreateSolidCaret(void *context, int width, int height)
{
    CreateCaret(WindowOf(context), nullptr, width, height);
}

void DestroySystemCaret(void *)
{
    DestroyCaret();
}

void SetCaretPosition(void *, int x, int y)
{
    SetCaretPos(x, y);
}

void ShowSystemCaret(void *context, int show)
{
    if (show)
        ShowCaret(WindowOf(context));
    else
        HideCaret(WindowOf(context));
}

int IsTextAvailable(void *)
{
    return IsClipboardFormatAvailable(CF_TEXT) ? 1 : 0;
}

int OpenControlClipboard(void *context)
{
    return OpenClipboard(WindowOf(context)) ? 1 : 0;
}

void EmptyTheClipboard(void *)
{
    EmptyClipboard();
}

// A movable, shareable block, locked for the engine to fill.
char *AllocateClipboardText(void *, uint32_t size)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
    if (block == nullptr)
        return nullptr;
    char *bytes = static_cast<char *>(GlobalLock(block));
    if (bytes == nullptr)
        GlobalFree(block);
    return bytes;
}

// The locked bytes lead back to their block, which the clipboard then owns.
void SetClipboardText(void *, char *bytes)
{
    HGLOBAL block = GlobalHandle(bytes);
    GlobalUnlock(block);
    if (SetClipboardData(CF_TEXT, block) == nullptr)
        GlobalFree(block); // not taken: it would leak
}

const char *LockClipboardText(void *, uint32_t *size)
{
    HANDLE data = GetClipboardData(CF_TEXT);
    const char *bytes = data != nullptr ? static_cast<const char *>(GlobalLock(data)) : nullptr;
    SIZE_T blockSize = bytes != nullptr ? GlobalSize(data) : 0;
    *size = blockSize > 0xFFFFFFFF ? 0xFFFFFFFF : uint32_t(blockSize);
    return bytes;
}

void UnlockClipboardText(void *, const char *bytes)
{
    GlobalUnlock(GlobalHandle(bytes));
}

void CloseTheClipboard(void *)
{
    CloseClipboard();
}

// The popup menu returns the chosen command instead of posting it, so the
// engine sends it to the control itself.
int ShowPopupMenu(void *, uintptr_t owner, int x, int y, const MenuItem *items, int count)
{
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr)
        return 0;
    for (int i = 0; i < count; ++i) {
        if (items[i].id == 0)
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuA(menu, MF_STRING, items[i].id, items[i].text);
    }
    for (int i = 0; i < count; ++i) {
        if (items[i].id != 0 && items[i].greyed)
            EnableMenuItem(menu, items[i].id, MF_BYCOMMAND | MF_GRAYED);
    }
    int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, x, y, 0,
                                reinterpret_cast<HWND>(owner), nullptr);
    DestroyMenu(menu);
    return chosen;
}

void CaptureMouse(void *context)
{
    SetCapture(WindowOf(context));
}

void ReleaseMouse(void *)
{
    ReleaseCapture();
}

int CaptureHeld(void *)
{
    return GetCapture() != nullptr ? 1 : 0;
}

// Where the pointer is now, relative to the control's client area.
void CursorPosition(void *context, int *x, int *y)
{
    POINT at = {0, 0};
    GetCursorPos(&at);
    ScreenToClient(WindowOf(context), &at);
    *x = at.x;
    *y = at.y;
}

int IsAlphaNumeric(unsigned char c)
{
    return IsCharAlphaNumericA(static_cast<CHAR>(c)) ? 1 : 0;
}

} // namespace

void BeginControlMessage()
{
    ++deferred.depth;
}

void EndControlMessage()
{
    if (--deferred.depth > 0)
        return;
    for (int i = 0; i < deferred.count; ++i)
        DrawBar(deferred.due[i].window, deferred.due[i].bar);
    deferred.count = 0;
}

ControlPlatform Win32Platform(HWND window)
{
    ControlPlatform platform;
    platform.context = window;
    platform.notify = Notify;
    platform.notifySelChange = NotifySelChange;
    platform.notifyKeyDown = NotifyKeyDown;
    platform.clientSize = ClientSize;
    platform.cellSize = CellSize;
    platform.relayout = Relayout;
    platform.invalidate = Invalidate;
    platform.setRedraw = SetRedraw;
    platform.beep = Beep;
    platform.keyDown = KeyDown;
    platform.showWaitCursor = ShowWaitCursor;
    platform.sleep = SleepFor;
    platform.startTimer = StartTimer;
    platform.stopTimer = StopTimer;
    platform.getScrollBar = ReadScrollBar;
    platform.setScrollRange = SetBarRange;
    platform.setScrollPosition = SetBarPosition;
    platform.scrollWindow = ScrollWindowArea;
    platform.hasFocus = HasFocus;
    platform.createCaret = CreateSolidCaret;
    platform.destroyCaret = DestroySystemCaret;
    platform.setCaretPosition = SetCaretPosition;
    platform.showCaret = ShowSystemCaret;
    platform.isTextAvailable = IsTextAvailable;
    platform.openClipboard = OpenControlClipboard;
    platform.emptyClipboard = EmptyTheClipboard;
    platform.allocateClipboardText = AllocateClipboardText;
    platform.setClipboardText = SetClipboardText;
    platform.lockClipboardText = LockClipboardText;
    platform.unlockClipboardText = UnlockClipboardText;
    platform.closeClipboard = CloseTheClipboard;
    platform.showContextMenu = ShowPopupMenu;
    platform.setCapture = CaptureMouse;
    platform.releaseCapture = ReleaseMouse;
    platform.captureHeld = CaptureHeld;
    platform.cursorPosition = CursorPosition;
    platform.isAlphaNumeric = IsAlphaNumeric;
    platform.printerDevice = Win32PrinterDevice;
    return platform;
}

} // namespace scrivlet
