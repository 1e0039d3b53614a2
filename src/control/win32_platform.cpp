// The ControlPlatform of a control window: the engine's requests carried out
// with real Win32 calls. The context of every function is the control's HWND;
// its record, where one is needed, is found by the control ID as everywhere.
#include "control/win32_platform.h"

namespace {

HWND WindowOf(void *context)
{
    return static_cast<HWND>(context);
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

// The cell of the record's font: its widest character and its height. A
// window without record measures the control's default font.
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
        HGDIOBJ previous = SelectObject(dc, font);
        GetTextMetricsA(dc, &metrics);
        SelectObject(dc, previous);
        ReleaseDC(window, dc);
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
// painted again.
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

} // namespace

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
    platform.showWaitCursor = ShowWaitCursor;
    platform.sleep = SleepFor;
    platform.startTimer = StartTimer;
    platform.stopTimer = StopTimer;
    return platform;
}
