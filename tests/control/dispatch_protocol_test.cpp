// Which messages the control's window procedure keeps for itself and which
// it leaves to the default window procedure, and what a window whose record
// cannot be found answers.
#include "support/control_fixture.h"

namespace scrivlet {

namespace {

using DispatchTest = ControlTest;

TEST_F(DispatchTest, MessagesJustOutsideTheControlRangeGoToTheDefaultProcedure)
{
    ASSERT_EQ(GetLastControlError(), 0u) << "creation leaves no error";
    for (unsigned message : {unsigned(kWmUser), unsigned(kWmUser) + 51}) {
        EXPECT_EQ(Send(message, 7, 9), 0) << "message " << message;
        EXPECT_EQ(SendWithoutRecord(message, 7, 9), 0) << "message " << message;
        EXPECT_EQ(GetLastControlError(), 0u)
            << "message " << message << " must not reach a handler that looks for the record";
    }
    EXPECT_TRUE(Notifications().empty());
    EXPECT_EQ(Text(), "");
}

TEST_F(DispatchTest, DialogCodeAsksForAllKeysAndSelection)
{
    EXPECT_EQ(Send(kWmGetDlgCode), 12) << "DLGC_WANTALLKEYS + DLGC_HASSETSEL";
    EXPECT_TRUE(Notifications().empty());
}

TEST_F(DispatchTest, LineCountWithoutRecordIsZeroWithErrorOne)
{
    ASSERT_EQ(GetLastControlError(), 0u) << "creation leaves no error";
    EXPECT_EQ(SendWithoutRecord(AEM_GETLINECOUNT), 0);
    EXPECT_EQ(GetLastControlError(), static_cast<DWORD>(AEE_NORECORD));
    EXPECT_EQ(Send(AEM_GETLINECOUNT), 1) << "the control itself still finds its record";
    EXPECT_TRUE(Notifications().empty());
}

TEST_F(DispatchTest, TextLengthWithoutRecordIsMinusOneWithErrorOne)
{
    SetText("abc\ndef");
    ASSERT_EQ(GetLastControlError(), 0u) << "creation and streaming leave no error";
    EXPECT_EQ(SendWithoutRecord(AEM_GETTEXTLENGTH), -1);
    EXPECT_EQ(GetLastControlError(), static_cast<DWORD>(AEE_NORECORD));
    EXPECT_EQ(Send(AEM_GETTEXTLENGTH), 7) << "the control itself still finds its record";
    EXPECT_EQ(Text(), "abc\ndef") << "a message without record changes nothing";
    EXPECT_TRUE(Notifications().empty());
}

} // namespace

} // namespace scrivlet
