// The standard window messages the control's engine handles or sends to
// itself, numbered as Win32 numbers them: the engine has no <windows.h>.
#pragma once

namespace scrivlet {

enum : unsigned {
    WM_CREATE_ = 1,
    WM_DESTROY_ = 2,
    WM_SIZE_ = 5,
    WM_SETFOCUS_ = 7,
    WM_KILLFOCUS_ = 8,
    WM_PAINT_ = 15,
    WM_SETFONT_ = 48,
    WM_GETFONT_ = 49,
    WM_CONTEXTMENU_ = 123,
    WM_GETDLGCODE_ = 135,
    WM_KEYDOWN_ = 256,
    WM_CHAR_ = 258,
    WM_TIMER_ = 275,
    WM_HSCROLL_ = 276,
    WM_VSCROLL_ = 277,
    WM_MOUSEMOVE_ = 512,
    WM_LBUTTONDOWN_ = 513,
    WM_LBUTTONUP_ = 514,
    WM_LBUTTONDBLCLK_ = 515,
    WM_CUT_ = 768,
    WM_COPY_ = 769,
    WM_PASTE_ = 770,
    WM_CLEAR_ = 771,
    WM_UNDO_ = 772,
    WM_USER_ = 1024,
};

} // namespace scrivlet
