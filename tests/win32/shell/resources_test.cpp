// The program's compiled resources, read back from the test program's own
// module the way the program reads them: the main menu with its items,
// commands and popup positions, the keyboard shortcuts and how they map keys
// to commands, the icon at both sizes, and the version block.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "resources/resource.h"

namespace scrivlet {

namespace {

HINSTANCE Module()
{
    return GetModuleHandleA(nullptr);
}

// ---------------------------------------------------------------------------
// Main menu

// One line per item, depth first: "Popup/Item 40009" for a command,
// "Popup/-" for a separator, "Popup/Sub >" for a submenu followed by the
// submenu's own lines. The order of the lines gives each item's position.
void DescribeMenu(HMENU menu, const std::string &path, std::string &lines)
{
    int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        char text[128] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = sizeof text;
        if (!GetMenuItemInfoA(menu, position, TRUE, &info)) {
            lines += path + "<unreadable item>\n";
            continue;
        }
        if (info.fType & MFT_SEPARATOR) {
            lines += path + "-\n";
        } else if (info.hSubMenu != nullptr) {
            lines += path + text + " >\n";
            DescribeMenu(info.hSubMenu, path + text + "/", lines);
        } else {
            lines += path + text + " " + std::to_string(info.wID) + "\n";
        }
    }
}

class MainMenuTest : public testing::Test {
protected:
    void SetUp() override
    {
        menu = LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_MAINMENU));
        ASSERT_NE(menu, nullptr) << "menu " << IDR_MAINMENU << " must load";
    }

    void TearDown() override
    {
        if (menu != nullptr)
            DestroyMenu(menu);
    }

    // The text of the item at the position, "" when there is none.
    static std::string ItemText(HMENU popup, int position)
    {
        char text[128] = {};
        GetMenuStringA(popup, position, text, sizeof text, MF_BYPOSITION);
        return text;
    }

    HMENU menu = nullptr;
};

TEST_F(MainMenuTest, HoldsEveryItemInOrder)
{
    const std::vector<std::string> expected = {
        "&File >",
        "&File/&New\tCtrl+N 40009",
        "&File/New From &Template... 40037",
        "&File/&Open...\tCtrl+O 40010",
        "&File/&Save\tCtrl+S 40011",
        "&File/Save &As... 40012",
        "&File/-",
        "&File/&Refresh\tF5 40028",
        "&File/-",
        "&File/Page Set&up... 40035",
        "&File/&Print...\tCtrl+P 40034",
        "&File/-",
        "&File/Recent &Files >",
        "&File/Recent &Files/&1 Test1 40029",
        "&File/Recent &Files/&2 Test2 40030",
        "&File/-",
        "&File/E&xit 40001",
        "&Edit >",
        "&Edit/&Undo\tCtrl+Z 40006",
        "&Edit/&Redo\tCtrl+Y 40016",
        "&Edit/-",
        "&Edit/Cu&t\tCtrl+X 40003",
        "&Edit/&Copy\tCtrl+C 40004",
        "&Edit/&Paste\tCtrl+V 40005",
        "&Edit/&Delete\tDel 40007",
        "&Edit/Select A&ll\tCtrl+A 40008",
        "&Edit/-",
        "&Edit/&Advanced >",
        "&Edit/&Advanced/&Add Tab Indent\tCtrl+Shift+T 40014",
        "&Edit/&Advanced/&Remove Tab Indent\tCtrl+T 40015",
        "&Edit/&Advanced/-",
        "&Edit/&Advanced/Make Selection &Lowercase\tCtrl+U 40023",
        "&Edit/&Advanced/Make Selection &Uppercase\tCtrl+Shift+U 40024",
        "&Edit/&Advanced/&Invert Selection Case\tCtrl+I 40025",
        "&Search >",
        "&Search/&Find...\tCtrl+F 40017",
        "&Search/Find &Next\tF3 40018",
        "&Search/&Replace...\tCtrl+H 40019",
        "&Search/-",
        "&Search/&Go To...\tCtrl+G 40020",
        "&Insert >",
        "&Insert/&Date and Time... 40031",
        "&Insert/-",
        "&Insert/&File... 40033",
        "&Advanced >",
        "&Advanced/&Options... 40021",
        "&Advanced/Fon&t >",
        "&Advanced/Fon&t/&ANSI 40039",
        "&Advanced/Fon&t/&OEM 40040",
        "&Advanced/Fon&t/&System 40041",
        "&Advanced/-",
        "&Advanced/&File Types... 40026",
        "&Advanced/&Styles... 40042",
        "&Help >",
        "&Help/&Contents...\tF1 40027",
        "&Help/-",
        "&Help/&About... 40002",
    };
    std::string wanted;
    for (const std::string &line : expected)
        wanted += line + "\n";
    std::string actual;
    DescribeMenu(menu, "", actual);
    EXPECT_EQ(actual, wanted); // multi-line strings: a failure prints a diff
}

// The program finds its popups through the position constants of resource.h.
TEST_F(MainMenuTest, PositionConstantsNameTheirPopups)
{
    HMENU file = GetSubMenu(menu, FILE_MENU_POSITION);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(ItemText(menu, FILE_MENU_POSITION), "&File");
    EXPECT_EQ(GetMenuItemID(file, 0), static_cast<UINT>(IDM_NEW));

    HMENU recent = GetSubMenu(file, RECENT_FILES_POSITION);
    ASSERT_NE(recent, nullptr) << "Recent Files must be a popup at its position in File";
    EXPECT_EQ(ItemText(file, RECENT_FILES_POSITION), "Recent &Files");
    EXPECT_EQ(GetMenuItemID(recent, 0), static_cast<UINT>(IDM_RECENTPLACEHOLDER1));

    HMENU edit = GetSubMenu(menu, EDIT_MENU_POSITION);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(ItemText(menu, EDIT_MENU_POSITION), "&Edit");
    EXPECT_EQ(GetMenuItemID(edit, 0), static_cast<UINT>(IDM_UNDO));

    HMENU advanced = GetSubMenu(menu, ADVANCED_MENU_POSITION);
    ASSERT_NE(advanced, nullptr);
    EXPECT_EQ(ItemText(menu, ADVANCED_MENU_POSITION), "&Advanced");
    EXPECT_EQ(GetMenuItemID(advanced, 0), static_cast<UINT>(IDM_OPTIONS));

    HMENU font = GetSubMenu(advanced, FONT_MENU_POSITION);
    ASSERT_NE(font, nullptr) << "Font must be a popup at its position in Advanced";
    EXPECT_EQ(ItemText(advanced, FONT_MENU_POSITION), "Fon&t");
    EXPECT_EQ(GetMenuItemID(font, 0), static_cast<UINT>(IDM_FONTANSI));
}

// ---------------------------------------------------------------------------
// Keyboard shortcuts

using Shortcut = std::tuple<int /*flags*/, int /*key*/, int /*command*/>;

TEST(AcceleratorTableTest, HoldsExactlyTheProgramsShortcuts)
{
    HACCEL table = LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    ASSERT_NE(table, nullptr) << "accelerator table " << IDR_ACCELERATORS << " must load";
    int count = CopyAcceleratorTableA(table, nullptr, 0);
    std::vector<ACCEL> entries(count);
    ASSERT_EQ(CopyAcceleratorTableA(table, entries.data(), count), count);
    DestroyAcceleratorTable(table);

    std::vector<Shortcut> actual;
    for (const ACCEL &entry : entries)
        actual.emplace_back(entry.fVirt, entry.key, entry.cmd);
    const int ctrl = FVIRTKEY | FCONTROL;
    const int ctrlShift = FVIRTKEY | FCONTROL | FSHIFT;
    std::vector<Shortcut> expected = {
        {ctrl, 'A', IDM_SELECTALL},     {ctrl, 'B', IDM_BRACKETFLASH},
        {ctrl, 'F', IDM_FIND},          {ctrl, 'G', IDM_GOTO},
        {ctrl, 'H', IDM_REPLACE},       {ctrl, 'I', IDM_INVERTCASE},
        {ctrl, 'N', IDM_NEW},           {ctrl, 'O', IDM_OPEN},
        {ctrl, 'P', IDM_PRINT},         {ctrl, 'S', IDM_SAVE},
        {ctrl, 'T', IDM_REMOVEINDENT},  {ctrlShift, 'T', IDM_ADDINDENT},
        {ctrl, 'U', IDM_LOWERCASE},     {ctrlShift, 'U', IDM_UPPERCASE},
        {FVIRTKEY, VK_ESCAPE, IDM_EXIT}, {FVIRTKEY, VK_F2, IDM_SAVE},
        {FVIRTKEY, VK_F3, IDM_FINDNEXT}, {FVIRTKEY, VK_F5, IDM_REFRESH},
    };
    std::sort(actual.begin(), actual.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(actual, expected);
}

// Key presses through TranslateAcceleratorA into a hidden window, with the
// modifiers held in the thread's keyboard state, which is what the
// translation reads through GetKeyState.
class AcceleratorKeysTest : public testing::Test {
protected:
    void SetUp() override
    {
        GetKeyboardState(savedKeys);
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = RecordCommands;
        windowClass.hInstance = Module();
        windowClass.lpszClassName = "ScrivletAcceleratorProbe";
        RegisterClassA(&windowClass); // fails harmlessly when already registered
        window = CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 10, 10,
                                 nullptr, nullptr, Module(), nullptr);
        ASSERT_NE(window, nullptr);
        table = LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_ACCELERATORS));
        ASSERT_NE(table, nullptr);
        commands.clear();
    }

    void TearDown() override
    {
        SetKeyboardState(savedKeys);
        if (table != nullptr)
            DestroyAcceleratorTable(table);
        if (window != nullptr)
            DestroyWindow(window);
    }

    // Presses the key with exactly the given modifiers held and returns the
    // commands the window received; -1 first when TranslateAcceleratorA
    // reported a translation without sending one.
    std::vector<int> Press(int key, bool ctrl, bool shift, bool alt = false)
    {
        BYTE state[256] = {};
        state[VK_CONTROL] = state[VK_LCONTROL] = ctrl ? 0x80 : 0;
        state[VK_SHIFT] = state[VK_LSHIFT] = shift ? 0x80 : 0;
        state[VK_MENU] = state[VK_LMENU] = alt ? 0x80 : 0;
        state[key] = 0x80;
        SetKeyboardState(state);
        commands.clear();
        MSG message = {};
        message.hwnd = window;
        message.message = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
        message.wParam = key;
        message.lParam = 1 | (alt ? 1 << 29 : 0);
        bool translated = TranslateAcceleratorA(window, table, &message) != 0;
        if (translated && commands.empty())
            commands.push_back(-1);
        return commands;
    }

    static LRESULT CALLBACK RecordCommands(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        // HIWORD 1 marks a command that came from an accelerator.
        if (message == WM_COMMAND && HIWORD(wParam) == 1)
            commands.push_back(LOWORD(wParam));
        return DefWindowProcA(window, message, wParam, lParam);
    }

    static std::vector<int> commands;
    BYTE savedKeys[256] = {};
    HWND window = nullptr;
    HACCEL table = nullptr;
};

std::vector<int> AcceleratorKeysTest::commands;

TEST_F(AcceleratorKeysTest, ShiftChoosesBetweenTheCommandsOfOneLetter)
{
    EXPECT_EQ(Press('T', true, false), std::vector<int>{IDM_REMOVEINDENT}) << "Ctrl+T";
    EXPECT_EQ(Press('T', true, true), std::vector<int>{IDM_ADDINDENT}) << "Ctrl+Shift+T";
    EXPECT_EQ(Press('U', true, false), std::vector<int>{IDM_LOWERCASE}) << "Ctrl+U";
    EXPECT_EQ(Press('U', true, true), std::vector<int>{IDM_UPPERCASE}) << "Ctrl+Shift+U";
}

TEST_F(AcceleratorKeysTest, KeysWithoutTheirModifiersOrWithOthersSendNothing)
{
    struct Case {
        const char *name;
        int key;
        bool ctrl, shift, alt;
    };
    const Case cases[] = {
        {"T", 'T', false, false, false},
        {"Shift+T", 'T', false, true, false},
        {"Ctrl+Alt+T", 'T', true, false, true},
        {"Ctrl+Shift+A", 'A', true, true, false},
        {"Ctrl+Escape", VK_ESCAPE, true, false, false},
        {"Shift+F3", VK_F3, false, true, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Press(c.key, c.ctrl, c.shift, c.alt), std::vector<int>{}) << c.name;
}

TEST_F(AcceleratorKeysTest, PlainAndFunctionKeysSendTheirCommands)
{
    EXPECT_EQ(Press(VK_ESCAPE, false, false), std::vector<int>{IDM_EXIT}) << "Escape";
    EXPECT_EQ(Press(VK_F2, false, false), std::vector<int>{IDM_SAVE}) << "F2";
    EXPECT_EQ(Press(VK_F3, false, false), std::vector<int>{IDM_FINDNEXT}) << "F3";
    EXPECT_EQ(Press(VK_F5, false, false), std::vector<int>{IDM_REFRESH}) << "F5";
    EXPECT_EQ(Press('S', true, false), std::vector<int>{IDM_SAVE}) << "Ctrl+S";
    EXPECT_EQ(Press('B', true, false), std::vector<int>{IDM_BRACKETFLASH}) << "Ctrl+B";
}

// ---------------------------------------------------------------------------
// Icon

// Loads the icon at the size, checks it has that size, and draws it onto a
// background of a colour the icon does not use; returns the pixels, row by row.
std::vector<COLORREF> RenderIcon(int size)
{
    const COLORREF background = RGB(255, 0, 255);
    std::vector<COLORREF> pixels;
    HICON icon = static_cast<HICON>(
        LoadImageA(Module(), MAKEINTRESOURCEA(IDI_SCRIVLET), IMAGE_ICON, size, size, 0));
    EXPECT_NE(icon, nullptr) << "icon " << IDI_SCRIVLET << " at " << size << " pixels";
    if (icon == nullptr)
        return pixels;
    ICONINFO info = {};
    if (GetIconInfo(icon, &info)) {
        BITMAP bitmap = {};
        GetObjectA(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        if (info.hbmColor != nullptr)
            DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    } else {
        ADD_FAILURE() << "GetIconInfo failed";
    }

    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, size, size);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, target);
    HBRUSH brush = CreateSolidBrush(background);
    RECT all = {0, 0, size, size};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    EXPECT_TRUE(DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL));
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteObject(target);
    DeleteDC(dc);
    DestroyIcon(icon);
    return pixels;
}

// At both sizes the page leaves the corners clear (the mask works), its
// paper is white, and it shows lines of coloured code.
TEST(IconTest, LoadsAtBothSizesWithClearCornersAndAColouredPage)
{
    const COLORREF background = RGB(255, 0, 255);
    struct Case {
        int size;
        int paperX, paperY; // a point on the page above the code
    };
    for (const Case &c : {Case{16, 5, 3}, Case{32, 8, 5}}) {
        SCOPED_TRACE("size " + std::to_string(c.size));
        std::vector<COLORREF> pixels = RenderIcon(c.size);
        ASSERT_EQ(pixels.size(), static_cast<size_t>(c.size * c.size));
        auto at = [&](int x, int y) { return pixels[y * c.size + x]; };
        EXPECT_EQ(at(0, 0), background) << "top left corner";
        EXPECT_EQ(at(c.size - 1, 0), background) << "top right corner, beyond the fold";
        EXPECT_EQ(at(0, c.size - 1), background) << "bottom left corner";
        EXPECT_EQ(at(c.paperX, c.paperY), RGB(255, 255, 255)) << "paper";
        int coloured = 0; // saturated pixels: the code's blue, green, ...
        for (COLORREF pixel : pixels) {
            int r = GetRValue(pixel), g = GetGValue(pixel), b = GetBValue(pixel);
            if (pixel != background && std::max({r, g, b}) - std::min({r, g, b}) > 100)
                ++coloured;
        }
        EXPECT_GE(coloured, c.size / 2) << "the page shows lines of coloured code";
    }
}

// ---------------------------------------------------------------------------
// Version block

TEST(VersionInfoTest, NamesTheProductAndItsVersion)
{
    char path[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(Module(), path, MAX_PATH), 0u);
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    ASSERT_GT(size, 0u) << "the module must carry a version block";
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));

    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void **>(&fixed), &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010001u) << "1.1";
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000000u) << ".0.0";
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010001u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000000u);

    // The strings are found through the translation the block declares, as
    // Explorer finds them: a mismatch between the two hides every string.
    WORD *translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void **>(&translation), &length));
    ASSERT_GE(length, 2 * sizeof(WORD));
    EXPECT_EQ(translation[0], 0x0409) << "US English";
    char language[16];
    std::snprintf(language, sizeof language, "%04x%04x", translation[0], translation[1]);

    const std::pair<const char *, const char *> strings[] = {
        {"CompanyName", "Brightmoor"},
        {"FileDescription", "Scrivlet text editor"},
        {"FileVersion", "1.1.0.0"},
        {"InternalName", "Scrivlet"},
        {"LegalCopyright", "Copyright (C) 2026 Brightmoor"},
        {"OriginalFilename", "Scrivlet.exe"},
        {"ProductName", "Scrivlet"},
        {"ProductVersion", "1.1.0.0"},
    };
    for (const auto &[name, value] : strings) {
        std::string query = std::string("\\StringFileInfo\\") + language + "\\" + name;
        char *text = nullptr;
        ASSERT_TRUE(VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void **>(&text),
                                   &length))
            << query;
        EXPECT_STREQ(text, value) << name;
    }
}

} // namespace

} // namespace scrivlet
