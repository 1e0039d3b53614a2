#include "support/window_capture.h"

#include <cstdio>

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

// A 24-bit BMP: the file header, the info header, then rows padded to 4 bytes.
bool SaveBitmap(const Capture &capture, const std::string &path)
{
    int stride = (capture.width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + DWORD(stride) * DWORD(capture.height);
    info.biSize = sizeof info;
    info.biWidth = capture.width;
    info.biHeight = -capture.height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::vector<unsigned char> row(size_t(stride), 0);
    FILE *out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        return false;
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info, sizeof info, 1, out);
    for (int y = 0; y < capture.height; ++y) {
        for (int x = 0; x < capture.width; ++x) {
            COLORREF c = capture.At(x, y);
            unsigned char *pixel = &row[size_t(x) * 3];
            pixel[0] = GetBValue(c), pixel[1] = GetGValue(c), pixel[2] = GetRValue(c);
        }
        std::fwrite(row.data(), 1, row.size(), out);
    }
    return std::fclose(out) == 0;
}

} // namespace scrivlet
