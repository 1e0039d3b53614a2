// What printing needs from a printer: font metrics, one created fixed-pitch
// font, characters and centred lines drawn at device pixels, and the
// document and page brackets. The Win32 face implements it over a printer
// device context; tests implement it with a recorder.
#pragma once

#include <cstdint>

namespace scrivlet {

struct FontMetrics {
    int height;       // tmHeight
    int maxCharWidth; // tmMaxCharWidth
};

struct PrintRect {
    int left, top, right, bottom;
};

// Local time as the platform gives it.
struct PrintTime {
    int year, month, day;
    int hour, minute, second;
};

struct PageDevice {
    void *context; // passed back to every function

    // Metrics of the font now selected in the device.
    void (*metrics)(void *context, FontMetrics *metrics);
    // The device's own font: the object selected in it now.
    uintptr_t (*currentFont)(void *context);
    // A fixed-pitch "Courier New" of the given cell; 0 when it cannot be made.
    uintptr_t (*createFont)(void *context, int height, int width);
    void (*deleteFont)(void *context, uintptr_t font);
    // Selects a font and returns the one it replaced.
    uintptr_t (*selectFont)(void *context, uintptr_t font);
    // Width and height of the printable area in pixels (HORZRES, VERTRES).
    void (*pageSize)(void *context, int *width, int *height);

    // The brackets: each returns the platform's result, which is a failure
    // when it is 0 or less.
    int (*startDocument)(void *context, const char *name);
    int (*startPage)(void *context);
    int (*endPage)(void *context);
    int (*endDocument)(void *context);

    // One character with its cell's top left at (x, y).
    void (*drawCharacter)(void *context, int x, int y, char character);
    // One line centred horizontally and vertically in the rectangle, '&'
    // shown as it is.
    void (*drawCentredLine)(void *context, PrintRect rect, const char *text);

    void (*localTime)(void *context, PrintTime *time);
};

} // namespace scrivlet
