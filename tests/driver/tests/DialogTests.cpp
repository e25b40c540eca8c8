// Reading and driving a dialog by control id: texts, states, places, tab order, focus, keys, clicks, system menu.
#include <gtest/gtest.h>

#include <algorithm>

#include "SampleIds.h"
#include "SampleProgram.h"
#include "UiDriver.h"

TEST(Dialog, ReadsJapaneseTextsByteExact)
{
    CSampleProgram sample;
    CDialogDriver& dialog = sample.GetDialog();
    struct Case
    {
        int nId;
        const char* pszText;
    };
    // エラー表示 and 表示しない hold 0x5C trail bytes, which the resource script had to escape.
    const Case cases[] = {
        {IDC_OPTION, "上書きする(&O)"}, {IDC_ERROR, "エラー表示(&E)"}, {IDC_HIDDEN, "表示しない"},
        {IDC_STATUS, "待機中"},         {IDCANCEL, "キャンセル"},      {IDC_NAME, ""},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(FormatHex(dialog.GetText(cases[i].nId)), FormatHex(cases[i].pszText)) << "case " << i;
    EXPECT_EQ(FormatHex(dialog.GetCaption()), FormatHex(kSampleCaption));
}

TEST(Dialog, ReadsStatesClassesAndStyles)
{
    CSampleProgram sample;
    CDialogDriver& dialog = sample.GetDialog();
    EXPECT_FALSE(dialog.IsVisible(IDC_HIDDEN));
    EXPECT_TRUE(dialog.IsVisible(IDC_DISABLED));
    EXPECT_FALSE(dialog.IsEnabled(IDC_DISABLED));
    EXPECT_TRUE(dialog.IsEnabled(IDC_RUN));
    EXPECT_EQ(dialog.GetCheck(IDC_OPTION), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(dialog.GetProgressPosition(IDC_PROGRESS), 0);
    EXPECT_EQ(dialog.GetClassName(IDC_PROGRESS), "msctls_progress32");
    EXPECT_EQ(dialog.GetClassName(IDC_NAME), "Edit");
    EXPECT_EQ(dialog.GetStyle(IDC_OPTION) & BS_TYPEMASK, static_cast<DWORD>(BS_AUTOCHECKBOX));
    EXPECT_EQ(dialog.GetStyle(IDOK) & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
    EXPECT_TRUE(dialog.GetStyle(IDC_COMMAND_LINE) & ES_READONLY);
    EXPECT_FALSE(dialog.GetStyle(IDC_NAME) & ES_READONLY);
    EXPECT_THROW(dialog.GetControl(4242), CDriverError);
}

// The places are the resource script's, so a wrong base unit or rounding shows as a one-unit miss.
TEST(Dialog, ControlRectanglesInDialogUnits)
{
    CSampleProgram sample;
    struct Case
    {
        int nId;
        RECT expected;
    };
    const Case cases[] = {
        {IDC_NAME, {50, 7, 170, 21}},       {IDC_OPTION, {50, 25, 170, 35}}, {IDC_PROGRESS, {7, 40, 233, 50}},
        {IDC_RELAUNCH, {157, 68, 233, 82}}, {IDOK, {124, 139, 174, 153}},    {IDCANCEL, {183, 139, 233, 153}},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
    {
        RECT actual = sample.GetDialog().GetRectInDialogUnits(cases[i].nId);
        const RECT& expected = cases[i].expected;
        EXPECT_TRUE(actual.left == expected.left && actual.top == expected.top && actual.right == expected.right &&
                    actual.bottom == expected.bottom)
            << "case " << i << ": (" << actual.left << "," << actual.top << ")-(" << actual.right << ","
            << actual.bottom << ") instead of (" << expected.left << "," << expected.top << ")-(" << expected.right
            << "," << expected.bottom << ")";
    }
}

TEST(Dialog, TabOrderAndFocus)
{
    CSampleProgram sample;
    CDialogDriver& dialog = sample.GetDialog();
    const std::vector<int> expected = {IDC_NAME,         IDC_OPTION, IDC_RUN,      IDC_ERROR, IDC_INFO, IDC_RELAUNCH,
                                       IDC_COMMAND_LINE, IDC_FOLDER, IDC_DISABLED, IDOK,      IDCANCEL};
    EXPECT_EQ(dialog.GetTabOrder(), expected);
    EXPECT_EQ(dialog.GetFocusedId(), IDC_NAME);
    dialog.PressKey(VK_TAB);
    EXPECT_TRUE(WaitUntil([&] { return dialog.GetFocusedId() == IDC_OPTION; })) << dialog.GetFocusedId();
}

TEST(Dialog, SetTextIsReadBack)
{
    CSampleProgram sample;
    sample.GetDialog().SetText(IDC_NAME, "予定表 ソ\\a");
    EXPECT_EQ(FormatHex(sample.GetDialog().GetText(IDC_NAME)), FormatHex("予定表 ソ\\a"));
}

TEST(Dialog, KeysAndCommandsEndTheDialog)
{
    struct Case
    {
        bool bCheck;
        WORD nKey;          // 0: post the system command instead
        WPARAM nCommand;
        DWORD nExitCode;
    };
    const Case cases[] = {
        {false, VK_RETURN, 0, 10},
        {true, VK_RETURN, 0, 11},
        {false, VK_ESCAPE, 0, 2},
        {false, 0, SC_CLOSE, 2},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
    {
        CSampleProgram sample;
        if (cases[i].bCheck)
            sample.GetDialog().SetCheck(IDC_OPTION, true);
        if (cases[i].nKey)
            sample.GetDialog().PressKey(cases[i].nKey);
        else
            sample.GetDialog().PostSysCommand(cases[i].nCommand);
        EXPECT_EQ(sample.GetProcess().WaitForExitCode(), cases[i].nExitCode) << "case " << i;
    }
}

// The job inside the click handler cannot end until the test sets the event, so a click that waited for the
// handler would never return; reading the busy dialog must not wait for it either.
TEST(Dialog, ClickReturnsWhileTheJobRuns)
{
    CSampleProgram sample;
    CDialogDriver& dialog = sample.GetDialog();
    std::string event = "VelmoraDriverSample.Finish." + std::to_string(sample.GetProcess().GetProcessId());
    HANDLE hFinish = CreateEventA(nullptr, TRUE, FALSE, event.c_str());
    ASSERT_TRUE(hFinish);
    dialog.Click(IDC_RUN);
    dialog.WaitForText(IDC_STATUS, "実行中");
    EXPECT_THROW(dialog.GetText(IDC_NAME, 300), CDriverError) << "the dialog is busy and cannot answer WM_GETTEXT";
    SetEvent(hFinish);
    dialog.WaitForText(IDC_STATUS, "完了");
    EXPECT_EQ(dialog.GetProgressPosition(IDC_PROGRESS), 100);
    CloseHandle(hFinish);
}

TEST(Dialog, ClickingWhatAPersonCannotIsAnError)
{
    CSampleProgram sample;
    EXPECT_THROW(sample.GetDialog().Click(IDC_DISABLED), CDriverError);
    EXPECT_THROW(sample.GetDialog().Click(IDC_HIDDEN), CDriverError);
}

TEST(Dialog, CheckBoxFollowsClicks)
{
    CSampleProgram sample;
    CDialogDriver& dialog = sample.GetDialog();
    dialog.SetCheck(IDC_OPTION, true);
    EXPECT_EQ(dialog.GetCheck(IDC_OPTION), static_cast<UINT>(BST_CHECKED));
    dialog.SetCheck(IDC_OPTION, false);
    EXPECT_EQ(dialog.GetCheck(IDC_OPTION), static_cast<UINT>(BST_UNCHECKED));
}

TEST(Dialog, SystemMenuHoldsTheProgramsItem)
{
    CSampleProgram sample;
    std::vector<MenuItemFacts> items = sample.GetDialog().GetSystemMenuItems();
    ASSERT_GE(items.size(), 3u);
    const MenuItemFacts& last = items.back();
    EXPECT_EQ(last.nId, static_cast<UINT>(IDM_ABOUT));
    EXPECT_EQ(FormatHex(last.text), FormatHex("バージョン情報(&A)..."));
    EXPECT_TRUE(items[items.size() - 2].bSeparator);
    bool bHasClose = false;
    for (const MenuItemFacts& item : items)
        bHasClose |= item.nId == SC_CLOSE && item.bEnabled;
    EXPECT_TRUE(bHasClose);

    sample.GetDialog().PostSysCommand(IDM_ABOUT);
    sample.GetDialog().WaitForText(IDC_STATUS, "バージョン情報");
}

TEST(Dialog, WaitForDialogErrorNamesWhatIsThere)
{
    CSampleProgram sample;
    try
    {
        WaitForDialog(sample.GetProcess().GetProcessId(), "違う題名", 100);
        FAIL() << "no error for a missing dialog";
    }
    catch (const CDriverError& error)
    {
        std::string message = error.what();
        EXPECT_NE(message.find(u8"captioned \"違う題名\""), std::string::npos) << message;
        EXPECT_NE(message.find(u8"id 1005 Static \"待機中\""), std::string::npos) << message;
        EXPECT_NE(message.find(u8"id 1011 Static \"表示しない\" hidden"), std::string::npos) << message;
    }
}

// The second instance is not the test's child: it is found by caption among all processes.
TEST(Dialog, InstanceStartedByTheProgramIsFound)
{
    CSampleProgram sample;
    sample.GetDialog().Click(IDC_RELAUNCH);
    const std::string secondCaption = std::string(kSampleCaption) + " 2";
    HWND hSecond = WaitForDialog(kAnyProcess, secondCaption);
    CTestProcess second;
    second.Attach(GetWindowProcess(hSecond));
    EXPECT_NE(second.GetProcessId(), sample.GetProcess().GetProcessId());

    std::vector<HWND> all = ListDialogs();
    EXPECT_NE(std::find(all.begin(), all.end(), hSecond), all.end());
    EXPECT_NE(std::find(all.begin(), all.end(), sample.GetDialog().GetHwnd()), all.end());
    EXPECT_EQ(FindDialogsByCaption(secondCaption), std::vector<HWND>{hSecond});
    EXPECT_EQ(ListDialogs(second.GetProcessId()), std::vector<HWND>{hSecond});

    CDialogDriver(hSecond).PostSysCommand(SC_CLOSE);
    EXPECT_EQ(second.WaitForExitCode(), 2u);
}
