// The Win32 face of the control, seen from an application: the registered
// class, the created window, the messages the face serves itself (painting
// and fonts) and the record lookup by control ID across several windows.
#include "support/control_fixture.h"

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
