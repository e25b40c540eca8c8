// Message boxes: found for a process or an owner, read (text, caption, icon), answered, and their absence checked.
#include <gtest/gtest.h>

#include "SampleIds.h"
#include "SampleProgram.h"
#include "UiDriver.h"

TEST(MessageBoxes, StopBoxIsReadAndAnswered)
{
    CSampleProgram sample;
    sample.GetDialog().Click(IDC_ERROR);
    CMessageBoxDriver box = WaitForMessageBoxOwnedBy(sample.GetDialog().GetHwnd());
    EXPECT_EQ(FormatHex(box.GetText()), FormatHex("ファイルを表示できません。\n予定表.txt"));
    EXPECT_EQ(FormatHex(box.GetCaption()), FormatHex(kSampleCaption));
    EXPECT_STREQ(GetIconName(box.GetIcon()), GetIconName(MessageBoxIcon::Stop));
    EXPECT_FALSE(IsWindowEnabled(sample.GetDialog().GetHwnd())) << "a modal box disables its owner";

    box.PressButton(IDOK);
    box.WaitForClose();
    sample.GetDialog().WaitForText(IDC_STATUS, "エラー確認済み");
}

TEST(MessageBoxes, BoxWithoutIconSaysNone)
{
    CSampleProgram sample;
    sample.GetDialog().Click(IDC_INFO);
    CMessageBoxDriver box = WaitForMessageBox(sample.GetProcess().GetProcessId());
    EXPECT_EQ(box.GetOwner(), sample.GetDialog().GetHwnd());
    EXPECT_EQ(FormatHex(box.GetText()), FormatHex("情報です。"));
    EXPECT_STREQ(GetIconName(box.GetIcon()), GetIconName(MessageBoxIcon::None));
    box.PressButton();
    sample.GetDialog().WaitForText(IDC_STATUS, "情報確認済み");
}

// Message boxes are dialogs too, but never the dialog a test waits for.
TEST(MessageBoxes, NotTakenForTheProgramsDialog)
{
    CSampleProgram sample;
    sample.GetDialog().Click(IDC_ERROR);
    CMessageBoxDriver box = WaitForMessageBox(sample.GetProcess().GetProcessId());
    EXPECT_TRUE(IsMessageBox(box.GetHwnd()));
    EXPECT_FALSE(IsMessageBox(sample.GetDialog().GetHwnd()));
    EXPECT_EQ(WaitForDialog(sample.GetProcess().GetProcessId(), kSampleCaption), sample.GetDialog().GetHwnd());
    box.PressButton();
}

TEST(MessageBoxes, NoBoxWhenNoneIsShown)
{
    CSampleProgram sample;
    sample.GetDialog().Click(IDC_RUN);
    EXPECT_NO_THROW(ExpectNoMessageBox(sample.GetProcess().GetProcessId(), 300));
}

TEST(MessageBoxes, UnexpectedBoxIsReportedWithItsText)
{
    CSampleProgram sample;
    sample.GetDialog().Click(IDC_ERROR);
    try
    {
        ExpectNoMessageBox(sample.GetProcess().GetProcessId(), 3000);
        FAIL() << "no error for a message box";
    }
    catch (const CDriverError& error)
    {
        std::string message = error.what();
        EXPECT_NE(message.find(u8"ファイルを表示できません。"), std::string::npos) << message;
    }
}
