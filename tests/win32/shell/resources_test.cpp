// The program's compiled resources as the program and the system read them:
// the controls its code names, the icon and the version block.
#include "shell_fixture.h"

#include "resources/resource.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace scrivlet {

namespace {

std::string ReadSource(const std::string &name)
{
    std::ostringstream text;
    text << std::ifstream(std::string(SCRIVLET_SOURCE_DIR) + "/" + name).rdbuf();
    return text.str();
}

BOOL CALLBACK CollectControls(HMODULE module, LPCSTR, LPSTR name, LONG_PTR controls)
{
    DLGPROC nothing = [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; };
    HWND dialog = CreateDialogParamA(module, name, g_app.mainWindow, nothing, 0);
    EXPECT_NE(dialog, nullptr) << "template " << reinterpret_cast<UINT_PTR>(name);
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        reinterpret_cast<std::set<int> *>(controls)->insert(GetDlgCtrlID(child));
    DestroyWindow(dialog);
    return TRUE;
}

} // namespace

// Every control of ours that the code of the dialogs and the shell names is
// in one of the program's dialog templates.
TEST_F(ShellTest, EveryControlTheCodeNamesIsInADialogTemplate)
{
    Start();
    std::set<int> controls;
    EnumResourceNamesA(GetModuleHandleA(nullptr), RT_DIALOG, CollectControls, LONG_PTR(&controls));
    std::map<std::string, int> numbers;
    const std::regex define("#define\\s+(IDC_\\w+)\\s+(\\d+)"), use("\\bIDC_\\w+");
    for (const char *header : {"resource.h", "settings_dialog_ids.h", "styles_dialog_ids.h", "small_dialog_ids.h"}) {
        std::string text = ReadSource(std::string("src/resources/") + header);
        for (std::sregex_iterator it(text.begin(), text.end(), define), end; it != end; ++it)
            numbers[(*it)[1]] = std::stoi((*it)[2]);
    }
    size_t named = 0;
    for (const char *part : {"dialogs", "shell"}) {
        WIN32_FIND_DATAA found;
        std::string wildcard = std::string("Z:") + SCRIVLET_SOURCE_DIR + "/src/" + part + "/win32_*.cpp"; // Z: is /
        std::replace(wildcard.begin(), wildcard.end(), '/', '\\');
        HANDLE search = FindFirstFileA(wildcard.c_str(), &found);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
            std::string file = std::string("src/") + part + "/" + found.cFileName, text = ReadSource(file);
            for (std::sregex_iterator it(text.begin(), text.end(), use), end; it != end; ++it) {
                auto number = numbers.find(it->str());
                named += number != numbers.end();
                EXPECT_TRUE(number == numbers.end() || controls.count(number->second)) << file << ": " << it->str();
            }
        }
        FindClose(search);
    }
    EXPECT_GT(numbers.size(), 80u);
    EXPECT_GT(named, 80u);
}

// At both sizes the icon leaves the corners clear (the mask works) and its
// page shows lines of coloured code: saturated pixels, the code's blue, green...
TEST(IconTest, LoadsAtBothSizesWithClearCornersAndColouredCode)
{
    const COLORREF background = RGB(255, 0, 255);
    for (int size : {16, 32}) {
        HICON icon = HICON(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_SCRIVLET), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        HDC screen = GetDC(nullptr), dc = CreateCompatibleDC(screen);
        HBITMAP target = CreateCompatibleBitmap(screen, size, size);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(dc, target);
        HBRUSH brush = CreateSolidBrush(background);
        RECT all = {0, 0, size, size};
        FillRect(dc, &all, brush);
        EXPECT_TRUE(DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL));
        int coloured = 0;
        for (int i = 0; i < size * size; ++i) {
            COLORREF pixel = GetPixel(dc, i % size, i / size);
            int r = GetRValue(pixel), g = GetGValue(pixel), b = GetBValue(pixel);
            coloured += pixel != background && std::max({r, g, b}) - std::min({r, g, b}) > 100;
        }
        EXPECT_GE(coloured, size / 2) << size;
        for (POINT corner : {POINT{0, 0}, POINT{size - 1, 0}, POINT{0, size - 1}})
            EXPECT_EQ(GetPixel(dc, corner.x, corner.y), background) << size;
        SelectObject(dc, old);
        DeleteObject(brush), DeleteObject(target), DeleteDC(dc), DestroyIcon(icon);
    }
}

// The version block's numbers and texts agree, and its strings are found
// through the translation it declares, as Explorer finds them.
TEST(VersionInfoTest, NumbersAndTextsAgree)
{
    char path[MAX_PATH] = {}, version[64], query[96], *text = nullptr;
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD ignored = 0, size = GetFileVersionInfoSizeA(path, &ignored);
    ASSERT_GT(size, 0u) << "the module must carry a version block";
    std::vector<char> block(size);
    VS_FIXEDFILEINFO *fixed = nullptr;
    WORD *translation = nullptr;
    UINT length = 0;
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()) &&
                VerQueryValueA(block.data(), "\\", reinterpret_cast<void **>(&fixed), &length) &&
                VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void **>(&translation), &length));
    std::snprintf(version, sizeof version, "%lu.%lu.%lu.%lu", fixed->dwFileVersionMS >> 16, fixed->dwFileVersionMS & 0xFFFF,
                  fixed->dwFileVersionLS >> 16, fixed->dwFileVersionLS & 0xFFFF);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
    for (const auto &[name, value] : {std::pair<const char *, const char *>{"FileVersion", version},
                                      {"ProductVersion", version}, {"ProductName", "Scrivlet"},
                                      {"OriginalFilename", "Scrivlet.exe"}}) {
        std::snprintf(query, sizeof query, "\\StringFileInfo\\%04x%04x\\%s", translation[0], translation[1], name);
        ASSERT_TRUE(VerQueryValueA(block.data(), query, reinterpret_cast<void **>(&text), &length)) << query;
        EXPECT_STREQ(text, value) << name;
    }
}

} // namespace scrivlet
