#include "support/window_capture.h"

namespace scrivlet {

namespace {

// The area of a device context at (x, y), copied into a top-down 32-bit bitmap.
Capture CaptureArea(HDC source, int x, int y, int width, int height)
{
    Capture capture;
    capture.width = width;
    capture.height = height;
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height; // top-down
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(memory, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
    GdiFlush();
    const auto *quads = static_cast<const RGBQUAD *>(bits);
    capture.pixels.resize(size_t(width) * size_t(height));
    for (size_t i = 0; i < capture.pixels.size(); ++i)
        capture.pixels[i] = RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return capture;
}

} // namespace

Capture CaptureClient(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    Capture capture = CaptureArea(dc, 0, 0, client.right, client.bottom);
    ReleaseDC(window, dc);
    return capture;
}

Capture CaptureWindow(HWND window)
{
    RECT area;
    GetWindowRect(window, &area);
    HDC screen = GetDC(nullptr);
    Capture capture = CaptureArea(screen, area.left, area.top, area.right - area.left, area.bottom - area.top);
    ReleaseDC(nullptr, screen);
    return capture;
}

} // namespace scrivlet
