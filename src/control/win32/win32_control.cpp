// The Win32 face of the AdvancedEdit control: class registration, creation,
// and the window procedure. The procedure only unpacks messages; the few it
// serves itself need GDI or handles, everything else goes to the engine.
#include "control/win32/win32_platform.h"

#include "core/control_error.h"
#include "control/view_requests.h"

#include <cstddef>

namespace scrivlet {

// Messages cross from SendMessageA to the engine unchanged.
static_assert(sizeof(WParam) == sizeof(WPARAM), "WParam must be as wide as WPARAM");
static_assert(sizeof(LParam) == sizeof(LPARAM), "LParam must be as wide as LPARAM");
static_assert(sizeof(LResult) == sizeof(LRESULT), "LResult must be as wide as LRESULT");
static_assert(sizeof(uintptr_t) >= sizeof(HFONT), "a font handle must fit ControlRecord::font");

#ifndef _WIN64
// The public records as 32-bit programs lay them out.
static_assert(sizeof(AERANGE) == 8, "AERANGE layout");
static_assert(offsetof(AERANGE, start) == 0 && offsetof(AERANGE, end) == 4, "AERANGE layout");
static_assert(sizeof(AEFINDTEXT) == 20, "AEFINDTEXT layout");
static_assert(offsetof(AEFINDTEXT, rangeStart) == 0 && offsetof(AEFINDTEXT, rangeEnd) == 4 &&
                  offsetof(AEFINDTEXT, pattern) == 8 && offsetof(AEFINDTEXT, foundStart) == 12 &&
                  offsetof(AEFINDTEXT, foundEnd) == 16,
              "AEFINDTEXT layout");
static_assert(sizeof(AESTREAM) == 12, "AESTREAM layout");
static_assert(offsetof(AESTREAM, cookie) == 0 && offsetof(AESTREAM, error) == 4 &&
                  offsetof(AESTREAM, callback) == 8,
              "AESTREAM layout");
static_assert(sizeof(AENMKEY) == 24, "AENMKEY layout");
static_assert(offsetof(AENMKEY, hdr) == 0 && offsetof(AENMKEY, message) == 12 &&
                  offsetof(AENMKEY, wParam) == 16 && offsetof(AENMKEY, lParam) == 20,
              "AENMKEY layout");
static_assert(sizeof(AENMSELCHANGE) == 20, "AENMSELCHANGE layout");
static_assert(offsetof(AENMSELCHANGE, hdr) == 0 && offsetof(AENMSELCHANGE, selStart) == 12 &&
                  offsetof(AENMSELCHANGE, selEnd) == 16,
              "AENMSELCHANGE layout");
// Eleven 32-bit fields and the page-set byte.
static_assert(offsetof(PrintJob, printerDC) == 0 && offsetof(PrintJob, header) == 4 &&
                  offsetof(PrintJob, footer) == 8 && offsetof(PrintJob, leftMargin) == 12 &&
                  offsetof(PrintJob, topMargin) == 16 && offsetof(PrintJob, rightMargin) == 20 &&
                  offsetof(PrintJob, bottomMargin) == 24 && offsetof(PrintJob, documentName) == 28 &&
                  offsetof(PrintJob, selectionOnly) == 32 && offsetof(PrintJob, copies) == 36 &&
                  offsetof(PrintJob, printerFont) == 40 && offsetof(PrintJob, pageSet) == 44,
              "PrintJob layout");
#endif

namespace {

// CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC | CS_BYTEALIGNCLIENT | CS_BYTEALIGNWINDOW
constexpr UINT kClassStyle =
    CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC | CS_BYTEALIGNCLIENT | CS_BYTEALIGNWINDOW;
static_assert(kClassStyle == 0x302B, "class styles of AdvancedEdit");

// Process-wide state of the face, set once by RegisterAdvancedEditClass.
HINSTANCE moduleInstance = nullptr; // instance that creates every control

// The record of a control window, or null when its ID has none.
ControlRecord *RecordOf(HWND window)
{
    return FindControlRecord(static_cast<DWORD>(GetDlgCtrlID(window)));
}

HFONT FontOf(const ControlRecord *record)
{
    return reinterpret_cast<HFONT>(record->font);
}

// WM_CREATE: make the record, display in the default font; -1 refuses the window.
LRESULT OnCreate(HWND window, const CREATESTRUCTA *creation)
{
    DWORD id = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(creation->hMenu));
    ControlRecord *record =
        CreateControl(id, static_cast<DWORD>(creation->style), Win32Platform(window));
    if (record == nullptr)
        return -1;
    record->font = reinterpret_cast<uintptr_t>(GetStockObject(ANSI_FIXED_FONT));
    return 0;
}

// WM_DESTROY: release the record (the engine also hears of a window without one).
void OnDestroy(HWND window)
{
    ControlRecord *record = RecordOf(window);
    if (record != nullptr)
        DeleteObject(FontOf(record)); // the control owns the fonts it accepted; stock fonts ignore this
    DestroyControl(record, Win32Platform(window));
}

// The painter's device over a paint DC: text is drawn at the pen, which
// each call moves on by the width drawn (the DC's alignment is TA_UPDATECP).
HDC DeviceContextOf(void *context)
{
    return static_cast<HDC>(context);
}

uint32_t SystemColour(void *, int index)
{
    return GetSysColor(index);
}

uint32_t SetTextColour(void *context, uint32_t colour)
{
    return SetTextColor(DeviceContextOf(context), colour);
}

uint32_t SetBackColour(void *context, uint32_t colour)
{
    return SetBkColor(DeviceContextOf(context), colour);
}

void MovePen(void *context, int x, int y)
{
    MoveToEx(DeviceContextOf(context), x, y, nullptr);
}

void DrawCells(void *context, const char *bytes, int count)
{
    TextOutA(DeviceContextOf(context), 0, 0, bytes, count);
}

PaintDevice DeviceOver(HDC dc)
{
    PaintDevice device;
    device.context = dc;
    device.systemColour = SystemColour;
    device.setTextColour = SetTextColour;
    device.setBackColour = SetBackColour;
    device.moveTo = MovePen;
    device.drawText = DrawCells;
    return device;
}

// WM_PAINT: the visible lines, clipped to the text area, so the one-pixel
// strips at the left and top keep the background the class brush erased.
// Windows of the 95 family once waited here for the display's vertical
// retrace by polling VGA port 0x3DA; the systems this face runs on give a
// program no such port, so there is no wait. A window without record is
// validated all the same, so that it does not ask again.
void OnPaint(HWND window)
{
    ControlRecord *record = RecordOf(window);
    PAINTSTRUCT paint;
    if (record == nullptr) {
        SetLastControlError(AEE_NORECORD);
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return;
    }
    HideCaret(window);
    HDC dc = BeginPaint(window, &paint);
    if (dc != nullptr) {
        SelectObject(dc, FontOf(record));
        SetTextAlign(dc, TA_UPDATECP);
        ViewRect text = RepaintArea(record, kRepaintWhole, 0, 0);
        RECT clip = {text.left, text.top, text.right, text.bottom};
        HRGN region = CreateRectRgnIndirect(&clip);
        SelectClipRgn(dc, region);
        ViewRect update = {paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right,
                           paint.rcPaint.bottom};
        Paint(record, update, DeviceOver(dc));
        // The DC is the window's own and outlives the paint: leave it unclipped.
        SelectClipRgn(dc, nullptr);
        DeleteObject(region);
    }
    EndPaint(window, &paint);
    ShowCaret(window);
}

// WM_SETFONT: only fixed-pitch raster fonts pass (the low four bits of
// tmPitchAndFamily flag variable pitch, vector, TrueType and device fonts);
// 0 stands for the stock SYSTEM_FIXED_FONT. A refused font leaves font,
// layout and caret as they were, with error 8. The control owns the fonts it
// accepts and deletes the one it replaces (deleting a stock object does
// nothing). With `redraw` the whole control repaints at once and the caret
// moves to its cell in the new font.
void OnSetFont(HWND window, HFONT font, bool redraw)
{
    ControlRecord *record = RecordOf(window);
    if (record == nullptr) {
        SetLastControlError(AEE_NORECORD);
        return;
    }
    if (font == nullptr)
        font = static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT));
    HDC dc = GetDC(window); // the window's own DC: never released
    HFONT previous = FontOf(record);
    TEXTMETRICA metrics;
    ZeroMemory(&metrics, sizeof metrics);
    if (dc == nullptr || SelectObject(dc, font) == nullptr || !GetTextMetricsA(dc, &metrics) ||
        (metrics.tmPitchAndFamily & 0x0F) != 0) {
        if (dc != nullptr)
            SelectObject(dc, previous); // the caller may delete the refused font
        SetLastControlError(AEE_VARIABLEPITCH);
        return;
    }
    // The same handle again must not delete the font in use.
    if (previous != font)
        DeleteObject(previous);
    record->font = reinterpret_cast<uintptr_t>(font);
    if (redraw) {
        InvalidateRect(window, nullptr, TRUE);
        UpdateWindow(window);
        PlaceCaret(record);
    }
    Relayout(record); // a new cell size changes both scroll ranges
    SetLastControlError(AEE_NOERROR);
}

// WM_GETFONT: the record's font, or 0 without record.
HFONT OnGetFont(HWND window)
{
    ControlRecord *record = RecordOf(window);
    if (record == nullptr) {
        SetLastControlError(AEE_NORECORD);
        return nullptr;
    }
    return FontOf(record);
}

LRESULT CALLBACK AdvancedEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(window, reinterpret_cast<const CREATESTRUCTA *>(lParam));
    case WM_DESTROY:
        OnDestroy(window);
        return 0;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_SETFONT:
        OnSetFont(window, reinterpret_cast<HFONT>(wParam), lParam != 0);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(OnGetFont(window));
    default:
        break;
    }
    if (!IsControlMessage(message))
        return DefWindowProcA(window, message, wParam, lParam);
    BeginControlMessage();
    LRESULT result = ControlMessage(RecordOf(window), Win32Platform(window), message, wParam, lParam);
    EndControlMessage();
    return result;
}

} // namespace

} // namespace scrivlet

// The public functions keep C linkage outside the engine's namespace.
int RegisterAdvancedEditClass(HINSTANCE instance)
{
    using namespace scrivlet;
    moduleInstance = instance;

    WNDCLASSA windowClass;
    ZeroMemory(&windowClass, sizeof windowClass);
    windowClass.style = kClassStyle;
    windowClass.lpfnWndProc = AdvancedEditProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = nullptr;
    windowClass.hCursor = nullptr; // the control sets its cursor itself
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = ADVANCEDEDIT_CLASS;
    return RegisterClassA(&windowClass) != 0 ? 1 : 0;
}

HWND CreateAdvancedEdit(DWORD exStyle, DWORD style, int x, int y, int width, int height,
                        HWND parent, UINT id)
{
    return CreateWindowExA(exStyle, ADVANCEDEDIT_CLASS, ADVANCEDEDIT_CLASS, style, x, y, width,
                           height, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                           scrivlet::moduleInstance, nullptr);
}
