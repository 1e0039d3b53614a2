// The page device of a print job: GDI calls on the job's printer device
// context, which is every function's context.
#include "control/win32/win32_platform.h"

namespace scrivlet {

namespace {

HDC DeviceOf(void *context)
{
    return static_cast<HDC>(context);
}

void Metrics(void *context, FontMetrics *metrics)
{
    TEXTMETRICA text;
    ZeroMemory(&text, sizeof text);
    GetTextMetricsA(DeviceOf(context), &text);
    metrics->height = text.tmHeight;
    metrics->maxCharWidth = text.tmMaxCharWidth;
}

// The font selected in the device: the object that selecting a stock font
// replaces, selected back at once.
uintptr_t CurrentFont(void *context)
{
    HDC dc = DeviceOf(context);
    HGDIOBJ font = SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
    SelectObject(dc, font);
    return reinterpret_cast<uintptr_t>(font);
}

uintptr_t CreatePrintFont(void *, int height, int width)
{
    HFONT font = CreateFontA(height, width, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             FIXED_PITCH | FF_MODERN, "Courier New");
    return reinterpret_cast<uintptr_t>(font);
}

void DeletePrintFont(void *, uintptr_t font)
{
    DeleteObject(reinterpret_cast<HGDIOBJ>(font));
}

uintptr_t SelectFont(void *context, uintptr_t font)
{
    return reinterpret_cast<uintptr_t>(SelectObject(DeviceOf(context), reinterpret_cast<HGDIOBJ>(font)));
}

void PageSize(void *context, int *width, int *height)
{
    *width = GetDeviceCaps(DeviceOf(context), HORZRES);
    *height = GetDeviceCaps(DeviceOf(context), VERTRES);
}

// The document's name only: no output file, data type or flags.
int StartDocument(void *context, const char *name)
{
    DOCINFOA info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    info.lpszDocName = name;
    return StartDocA(DeviceOf(context), &info);
}

int StartDevicePage(void *context)
{
    return StartPage(DeviceOf(context));
}

int EndDevicePage(void *context)
{
    return EndPage(DeviceOf(context));
}

int EndDocument(void *context)
{
    return EndDoc(DeviceOf(context));
}

void DrawCharacter(void *context, int x, int y, char character)
{
    TextOutA(DeviceOf(context), x, y, &character, 1);
}

void DrawCentredLine(void *context, PrintRect rect, const char *text)
{
    RECT area = {rect.left, rect.top, rect.right, rect.bottom};
    DrawTextA(DeviceOf(context), text, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void LocalTime(void *, PrintTime *time)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    *time = PrintTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

} // namespace

int Win32PrinterDevice(void *, const PrintJob *job, PageDevice *device)
{
    if (job->printerDC == nullptr)
        return 0;
    device->context = job->printerDC;
    device->metrics = Metrics;
    device->currentFont = CurrentFont;
    device->createFont = CreatePrintFont;
    device->deleteFont = DeletePrintFont;
    device->selectFont = SelectFont;
    device->pageSize = PageSize;
    device->startDocument = StartDocument;
    device->startPage = StartDevicePage;
    device->endPage = EndDevicePage;
    device->endDocument = EndDocument;
    device->drawCharacter = DrawCharacter;
    device->drawCentredLine = DrawCentredLine;
    device->localTime = LocalTime;
    return 1;
}

} // namespace scrivlet
