// The clipboard's text as another program reads and writes it (CF_TEXT).
#pragma once

#include <windows.h>

#include <cstring>
#include <string>

namespace scrivlet {

// CF_TEXT up to its NUL; "(none)" without text, "(closed)" when the clipboard cannot be opened.
inline std::string ReadClipboardText(HWND owner)
{
    if (!OpenClipboard(owner))
        return "(closed)";
    std::string text = "(none)";
    HANDLE data = GetClipboardData(CF_TEXT);
    if (const char *bytes = data != nullptr ? static_cast<const char *>(GlobalLock(data)) : nullptr) {
        text = bytes;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// The text with or without its NUL; "" empties the clipboard. False when it cannot be opened.
inline bool WriteClipboardText(HWND owner, const std::string &text, bool withNul = true)
{
    if (!OpenClipboard(owner))
        return false;
    EmptyClipboard();
    size_t size = text.size() + (withNul ? 1 : 0);
    if (HGLOBAL block = text.empty() ? nullptr : GlobalAlloc(GMEM_MOVEABLE, size)) {
        std::memcpy(GlobalLock(block), text.c_str(), size);
        GlobalUnlock(block);
        SetClipboardData(CF_TEXT, block);
    }
    return CloseClipboard() != FALSE;
}

} // namespace scrivlet
