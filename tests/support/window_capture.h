// Pixels of a window read back from the screen, for tests that check what
// a user sees and for pictures people look at (tools/dialog_gallery.cpp).
#pragma once

#include <windows.h>

#include <vector>

namespace scrivlet {

struct Capture {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels; // row by row from the top

    COLORREF At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }

    bool operator==(const Capture &other) const
    {
        return width == other.width && height == other.height && pixels == other.pixels;
    }
};

// The client area, from the window's own device context.
Capture CaptureClient(HWND window);

// The whole window with its frame, from the screen.
Capture CaptureWindow(HWND window);

} // namespace scrivlet
