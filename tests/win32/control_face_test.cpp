// The Win32 face: class, window, fonts and the record found by control ID.
#include "support/control_fixture.h"

#include <string>

namespace scrivlet {

namespace {

constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | AES_AUTOHSCROLL | AES_AUTOVSCROLL;

struct ControlFaceTest : ControlTest { // the fixture's control (ID 1) and others beside it
    HWND Create(UINT id, DWORD exStyle = 0)
    {
        return CreateAdvancedEdit(exStyle, kStyle, 0, 0, 8 * 40 + 1, 13 * 10 + 1, GetParent(Window()), id);
    }
};
LRESULT Font(HWND control) { return SendMessageA(control, WM_GETFONT, 0, 0); }
LRESULT Stock(int object) { return reinterpret_cast<LRESULT>(GetStockObject(object)); }

// Low four bits of the pitch-and-family byte: variable pitch, vector, TrueType, device.
BYTE PitchAndFamily(HFONT font)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return metrics.tmPitchAndFamily;
}

HFONT FixedPitchFont(const char *face, int height)
{
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, face);
}

TEST_F(ControlFaceTest, ClassAndWindowCarryTheirStylesIdAndName)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA registered;
    ASSERT_TRUE(GetClassInfoA(instance, ADVANCEDEDIT_CLASS, &registered));
    EXPECT_EQ(registered.style, 0x302Bu) << "V/HREDRAW, DBLCLKS, OWNDC, BYTEALIGNCLIENT and BYTEALIGNWINDOW";
    EXPECT_EQ(registered.hCursor, nullptr) << "the control chooses its cursor itself";
    EXPECT_EQ(reinterpret_cast<INT_PTR>(registered.hbrBackground), COLOR_WINDOW + 1);
    EXPECT_EQ(RegisterAdvancedEditClass(instance), 0) << "a second registration must fail";

    HWND control = Create(2, WS_EX_CLIENTEDGE);
    EXPECT_EQ(GetLastControlError(), 0u);
    EXPECT_EQ(GetDlgCtrlID(control), 2);
    char name[32] = {}, className[32] = {};
    GetWindowTextA(control, name, sizeof name);
    GetClassNameA(control, className, sizeof className);
    EXPECT_EQ(std::string(name) + "/" + className, "AdvancedEdit/AdvancedEdit");
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE)) & 0xFFFF0007u, kStyle);
    EXPECT_NE(GetWindowLongPtrA(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
}

TEST_F(ControlFaceTest, EachWindowFindsItsOwnRecordByControlId)
{
    HWND first = Window(), second = Create(2);
    SendMessageA(first, AEM_REPLACESEL, 0, Param("one\ntwo\nthree"));
    SendMessageA(second, AEM_REPLACESEL, 0, Param("x"));
    EXPECT_EQ(SendMessageA(first, AEM_GETTEXTLENGTH, 0, 0) * 100 + SendMessageA(second, AEM_GETTEXTLENGTH, 0, 0), 1301);
    DestroyWindow(first);
    EXPECT_EQ(SendMessageA(second, AEM_GETTEXTLENGTH, 0, 0), 1) << "the second record stays in the list";
    EXPECT_EQ(GetLastControlError(), 0u);
}

TEST_F(ControlFaceTest, FontsAreFixedPitchRasterOnlyAndOwnedByTheControl)
{
    HWND control = Window();
    EXPECT_EQ(Font(control), Stock(ANSI_FIXED_FONT)) << "a new control shows the ANSI fixed font";
    HFONT trueType = FixedPitchFont("Courier New", 16);
    ASSERT_NE(PitchAndFamily(trueType) & TMPF_TRUETYPE, 0) << "the test needs Courier New to be TrueType";
    const HGDIOBJ refused[] = {trueType, GetStockObject(SYSTEM_FONT)};
    for (HGDIOBJ font : refused) {
        SendMessageA(control, WM_SETFONT, WPARAM(GetStockObject(ANSI_FIXED_FONT)), 0); // clears the last error
        EXPECT_EQ(SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), 1), 0);
        EXPECT_EQ(GetLastControlError(), static_cast<DWORD>(AEE_VARIABLEPITCH));
        EXPECT_EQ(Font(control), Stock(ANSI_FIXED_FONT)) << "the control keeps its font";
        EXPECT_EQ(GetCurrentObject(GetDC(control), OBJ_FONT), GetStockObject(ANSI_FIXED_FONT))
            << "a refused font is not left in the control's own device context";
    }
    EXPECT_EQ(GetObjectType(trueType), static_cast<DWORD>(OBJ_FONT)) << "a refused font stays the caller's";
    DeleteObject(trueType);

    SendMessageA(control, AEM_REPLACESEL, 0, Param("ab\ncd"));
    AERANGE cell = {4, 4}; // line 1, column 1
    SendMessageA(control, AEM_SETSEL, 0, Param(&cell));
    SetFocus(control);
    HFONT fixedsys = FixedPitchFont("Fixedsys", 0); // raster, 8 × 15 under Wine
    ASSERT_EQ(PitchAndFamily(fixedsys) & 0x0F, 0);
    for (int again = 0; again < 2; ++again) { // taking it again must not delete it
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(fixedsys), 1);
        EXPECT_EQ(GetLastControlError() * 1000 + GetObjectType(fixedsys), DWORD(OBJ_FONT)) << "error, object type";
        EXPECT_EQ(Font(control), reinterpret_cast<LRESULT>(fixedsys));
    }
    POINT at;
    ASSERT_TRUE(GetCaretPos(&at));
    EXPECT_EQ(at.x * 100 + at.y, 9 * 100 + 16) << "the caret moves to its cell in the new font";
    EXPECT_FALSE(GetUpdateRect(control, nullptr, FALSE)) << "the control repainted at once, and WM_PAINT validates";
    EXPECT_EQ(SendMessageA(control, WM_SETFONT, 0, 0), 0);
    EXPECT_EQ(Font(control), Stock(SYSTEM_FIXED_FONT)) << "0 chooses the system fixed font";
    EXPECT_EQ(GetObjectType(fixedsys), 0u) << "the control owns and deletes the font it replaces";
}

TEST_F(ControlFaceTest, FontMessagesWithoutRecordSetErrorOne)
{
    EXPECT_EQ(SendWithoutRecord(WM_GETFONT), 0);
    EXPECT_EQ(GetLastControlError(), static_cast<DWORD>(AEE_NORECORD));
    EXPECT_EQ(Send(WM_SETFONT, 0, 1), 0);
    EXPECT_TRUE(Notifications().empty());
}

} // namespace

} // namespace scrivlet
