// The Win32 face of the control, seen from an application: the registered
// class, the created window, the messages the face serves itself (painting
// and fonts) and the record lookup by control ID across several windows.
#include "support/control_fixture.h"

namespace scrivlet {

namespace {

// Windows of the tests that need more than the protocol fixture's one control.
class ControlFaceTest : public testing::Test {
protected:
    void SetUp() override
    {
        instance = GetModuleHandleA(nullptr);
        WNDCLASSA existing;
        if (!GetClassInfoA(instance, ADVANCEDEDIT_CLASS, &existing)) {
            ASSERT_EQ(RegisterAdvancedEditClass(instance), 1);
        }
        parent = CreateWindowExA(0, "STATIC", "face test", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600,
                                 nullptr, nullptr, instance, nullptr);
        ASSERT_NE(parent, nullptr);
    }

    void TearDown() override
    {
        if (parent != nullptr)
            DestroyWindow(parent); // and every control in it
    }

    HWND Create(UINT id, DWORD style = WS_CHILD | WS_VISIBLE | AES_AUTOHSCROLL | AES_AUTOVSCROLL)
    {
        return CreateAdvancedEdit(0, style, 0, 0, 8 * 40 + 1, 13 * 10 + 1, parent, id);
    }

    HINSTANCE instance = nullptr;
    HWND parent = nullptr;
};

TEST_F(ControlFaceTest, ClassHasItsStylesBrushAndNoCursor)
{
    WNDCLASSA registered;
    ASSERT_TRUE(GetClassInfoA(instance, ADVANCEDEDIT_CLASS, &registered));
    EXPECT_EQ(registered.style, 0x302Bu)
        << "CS_VREDRAW|CS_HREDRAW|CS_DBLCLKS|CS_OWNDC|CS_BYTEALIGNCLIENT|CS_BYTEALIGNWINDOW";
    EXPECT_EQ(registered.cbClsExtra, 0);
    EXPECT_EQ(registered.cbWndExtra, 0);
    EXPECT_EQ(registered.hIcon, nullptr);
    EXPECT_EQ(registered.hCursor, nullptr) << "the control chooses its cursor itself";
    EXPECT_EQ(reinterpret_cast<INT_PTR>(registered.hbrBackground), COLOR_WINDOW + 1);
    EXPECT_EQ(registered.lpszMenuName, nullptr);
    EXPECT_EQ(RegisterAdvancedEditClass(instance), 0) << "a second registration must fail";
}

TEST_F(ControlFaceTest, CreatedWindowCarriesIdNameParentAndStyle)
{
    // No scroll bars: the view may hide them, which changes their style bits.
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | AES_AUTOHSCROLL | AES_AUTOVSCROLL;
    HWND control = CreateAdvancedEdit(WS_EX_CLIENTEDGE, style, 5, 6, 200, 100, parent, 1);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(GetLastControlError(), 0u);
    EXPECT_EQ(GetDlgCtrlID(control), 1);
    EXPECT_EQ(GetParent(control), parent);
    EXPECT_EQ(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(control, GWLP_HINSTANCE)), instance);
    char name[32] = {};
    GetWindowTextA(control, name, sizeof name);
    EXPECT_STREQ(name, "AdvancedEdit");
    char className[32] = {};
    GetClassNameA(control, className, sizeof className);
    EXPECT_STREQ(className, "AdvancedEdit");
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE)) & 0xFFFF0007u, style);
    EXPECT_NE(GetWindowLongPtrA(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
}

TEST_F(ControlFaceTest, PaintValidatesTheWindow)
{
    HWND control = Create(1);
    ASSERT_NE(control, nullptr);
    InvalidateRect(control, nullptr, TRUE);
    ASSERT_TRUE(GetUpdateRect(control, nullptr, FALSE));
    UpdateWindow(control);
    EXPECT_FALSE(GetUpdateRect(control, nullptr, FALSE))
        << "WM_PAINT must validate, or the window would be asked to paint forever";
}

TEST_F(ControlFaceTest, EachWindowFindsItsOwnRecordByControlId)
{
    HWND first = Create(1);
    HWND second = Create(2);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(SendMessageA(first, AEM_REPLACESEL, 0, reinterpret_cast<LPARAM>("one\ntwo\nthree")), 1);
    EXPECT_EQ(SendMessageA(second, AEM_REPLACESEL, 0, reinterpret_cast<LPARAM>("x")), 1);
    EXPECT_EQ(SendMessageA(first, AEM_GETTEXTLENGTH, 0, 0), 13);
    EXPECT_EQ(SendMessageA(second, AEM_GETTEXTLENGTH, 0, 0), 1);

    DestroyWindow(first);
    EXPECT_EQ(SendMessageA(second, AEM_GETLINECOUNT, 0, 0), 1)
        << "destroying the first control leaves the second one's record in the list";
    EXPECT_EQ(SendMessageA(second, AEM_GETTEXTLENGTH, 0, 0), 1);
    EXPECT_EQ(GetLastControlError(), 0u);
}

// The pitch-and-family byte of a font: its low four bits flag variable
// pitch, vector, TrueType and device fonts.
BYTE PitchAndFamily(HGDIOBJ font)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICA metrics;
    ZeroMemory(&metrics, sizeof metrics);
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return metrics.tmPitchAndFamily;
}

HFONT CreateFixedPitchFont(const char *face, int height)
{
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       FIXED_PITCH | FF_MODERN, face);
}

HGDIOBJ FontInOwnDc(HWND control)
{
    return GetCurrentObject(GetDC(control), OBJ_FONT); // the class's own DC
}

TEST_F(ControlFaceTest, SetFontRefusesEveryFontButFixedPitchRaster)
{
    HWND control = Create(1);
    ASSERT_NE(control, nullptr);
    HFONT trueType = CreateFixedPitchFont("Courier New", 16);
    ASSERT_NE(PitchAndFamily(trueType) & TMPF_TRUETYPE, 0)
        << "the test needs Courier New to be a TrueType font";
    struct Case {
        HGDIOBJ font;
        const char *name;
    } refused[] = {
        {trueType, "a TrueType fixed-pitch font"},
        {GetStockObject(SYSTEM_FONT), "the variable-pitch system font"},
        {GetStockObject(DEFAULT_GUI_FONT), "the dialog font"},
    };
    for (const Case &c : refused) {
        SCOPED_TRACE(c.name);
        // Taking the font in use again clears the last error.
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_FIXED_FONT)), 0);
        ASSERT_EQ(GetLastControlError(), 0u);
        EXPECT_EQ(SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(c.font), 1), 0);
        EXPECT_EQ(GetLastControlError(), static_cast<DWORD>(AEE_VARIABLEPITCH));
        EXPECT_EQ(SendMessageA(control, WM_GETFONT, 0, 0),
                  reinterpret_cast<LRESULT>(GetStockObject(ANSI_FIXED_FONT)))
            << "the control keeps its font";
        EXPECT_EQ(FontInOwnDc(control), GetStockObject(ANSI_FIXED_FONT))
            << "a refused font is not left in the control's device context";
    }
    EXPECT_EQ(GetObjectType(trueType), static_cast<DWORD>(OBJ_FONT))
        << "a refused font stays the caller's";
    DeleteObject(trueType);
}

TEST_F(ControlFaceTest, SetFontTakesARasterFontAndDeletesTheOneItReplaces)
{
    HWND control = Create(1);
    ASSERT_NE(control, nullptr);
    HFONT fixedsys = CreateFixedPitchFont("Fixedsys", 0);
    ASSERT_EQ(PitchAndFamily(fixedsys) & 0x0F, 0) << "the test needs Fixedsys to be raster";

    EXPECT_EQ(SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(fixedsys), 0), 0);
    EXPECT_EQ(GetLastControlError(), 0u);
    EXPECT_EQ(SendMessageA(control, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(fixedsys));

    EXPECT_EQ(SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(fixedsys), 0), 0);
    EXPECT_EQ(GetObjectType(fixedsys), static_cast<DWORD>(OBJ_FONT))
        << "taking the font in use again must not delete it";

    EXPECT_EQ(SendMessageA(control, WM_SETFONT, 0, 0), 0);
    EXPECT_EQ(SendMessageA(control, WM_GETFONT, 0, 0),
              reinterpret_cast<LRESULT>(GetStockObject(SYSTEM_FIXED_FONT)));
    EXPECT_EQ(GetObjectType(fixedsys), 0u) << "the control owns and deletes the font it replaces";
}

TEST_F(ControlFaceTest, SetFontWithRedrawPutsTheCaretOnItsCellInTheNewFont)
{
    HWND control = Create(1);
    ASSERT_NE(control, nullptr);
    SendMessageA(control, AEM_REPLACESEL, 0, reinterpret_cast<LPARAM>("ab\ncd"));
    AERANGE cell = {4, 4}; // line 1, column 1
    SendMessageA(control, AEM_SETSEL, 0, reinterpret_cast<LPARAM>(&cell));
    SetFocus(control);
    POINT at;
    ASSERT_TRUE(GetCaretPos(&at));
    EXPECT_EQ(at.x, 8 + 1);
    EXPECT_EQ(at.y, 13 + 1) << "a line of the default font is 13 pixels high";

    HFONT fixedsys = CreateFixedPitchFont("Fixedsys", 0); // 8 × 15 under Wine
    ASSERT_EQ(PitchAndFamily(fixedsys) & 0x0F, 0);
    EXPECT_EQ(SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(fixedsys), 1), 0);
    EXPECT_EQ(GetLastControlError(), 0u);
    ASSERT_TRUE(GetCaretPos(&at));
    EXPECT_EQ(at.x, 8 + 1);
    EXPECT_EQ(at.y, 15 + 1) << "the caret moves to the cell in the new font";
    EXPECT_FALSE(GetUpdateRect(control, nullptr, FALSE)) << "the control repainted at once";
}

using ControlFontTest = ControlTest;

TEST_F(ControlFontTest, NewControlShowsTheAnsiFixedFont)
{
    EXPECT_EQ(Send(WM_GETFONT), reinterpret_cast<intptr_t>(GetStockObject(ANSI_FIXED_FONT)));
}

TEST_F(ControlFontTest, SetFontZeroChoosesTheSystemFixedFont)
{
    EXPECT_EQ(Send(WM_SETFONT, 0, 1), 0);
    EXPECT_EQ(Send(WM_GETFONT), reinterpret_cast<intptr_t>(GetStockObject(SYSTEM_FIXED_FONT)));
    EXPECT_TRUE(Notifications().empty());
}

TEST_F(ControlFontTest, FontMessagesWithoutRecordSetErrorOne)
{
    ASSERT_EQ(GetLastControlError(), 0u);
    EXPECT_EQ(SendWithoutRecord(WM_GETFONT), 0);
    EXPECT_EQ(GetLastControlError(), static_cast<DWORD>(AEE_NORECORD));
    EXPECT_EQ(Send(WM_GETFONT), reinterpret_cast<intptr_t>(GetStockObject(ANSI_FIXED_FONT)))
        << "the control keeps its font";
}

} // namespace

} // namespace scrivlet
