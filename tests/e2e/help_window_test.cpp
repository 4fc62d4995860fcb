// End to end: the main window's help button opens help.chm in the HTML Help control's window.
// (Wine here has no HTML engine, so the window shows its contents tree but no page.)
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "app_session.h"
#include "quelbrix_u_resources.h"

using e2e::AppSession;
using e2e::TempFolder;

namespace {

constexpr int kHelp = IDC_HELP_BUTTON;
constexpr int kStart = IDOK;
constexpr int kSheetHelp = 9;  // the settings sheet's Help button
// The class of the control's help window, and its title: the help file's own title.
constexpr char kHelpWindowClass[] = "HH Parent";
constexpr char kHelpTitle[] = "QuelbrixU ヘルプ";

BOOL CALLBACK FindTree(HWND child, LPARAM param) {
    char name[32] = "";
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpA(name, WC_TREEVIEWA) != 0) return TRUE;
    *reinterpret_cast<HWND*>(param) = child;
    return FALSE;
}

// Entries of the help window's contents tree (read from the help file's contents).
LRESULT ContentsEntries(HWND help) {
    HWND tree = nullptr;
    EnumChildWindows(help, FindTree, reinterpret_cast<LPARAM>(&tree));
    DWORD_PTR count = 0;
    if (tree != nullptr) {
        SendMessageTimeoutA(tree, TVM_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count);
    }
    return static_cast<LRESULT>(count);
}

TEST(HelpWindow, TheHelpButtonOpensTheHelpFileBesideTheProgram) {
    TempFolder root("help");
    AppSession::InstallProgram(root.Path());
    e2e::InstallHelpFile(root.Path());
    AppSession app(root.Path());
    ASSERT_TRUE(app.Start());

    app.Click(kHelp);
    HWND help = e2e::WaitForProgramWindow(app, kHelpWindowClass);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(app.WindowText(help), kHelpTitle);
    EXPECT_TRUE(e2e::WaitUntil([&] { return ContentsEntries(help) > 0; }));
    RedrawWindow(help, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    e2e::SaveWindowScreenshot(help, std::string(E2E_ARTIFACT_DIR) + "\\help_window.bmp");

    // The program goes on working with the help open, and leaves cleanly.
    EXPECT_TRUE(app.Enabled(kStart));
    app.Click(kHelp);
    EXPECT_EQ(e2e::WaitForProgramWindow(app, kHelpWindowClass), help);
    EXPECT_TRUE(app.Exit());
}

// Each settings page's Help button opens the help, the help closed in between so that every
// page opens its own window. (Which topic it shows, Wine's control does not tell: no page is
// rendered and the contents keep no selection. app_win32_help_test checks that each page's
// topic is a page of the file.)
TEST(HelpWindow, EachSettingsPageWithHelpOpensIt) {
    TempFolder root("pagehelp");
    AppSession::InstallProgram(root.Path());
    e2e::InstallHelpFile(root.Path());
    AppSession app(root.Path());
    ASSERT_TRUE(app.Start());
    HWND sheet = app.OpenSettings();
    ASSERT_NE(sheet, nullptr);
    for (int page : {0, 1, 2, 4}) {  // General, Extensions, Other, Preview
        app.ShowSettingsPage(page);
        app.ClickIn(sheet, kSheetHelp);
        HWND help = e2e::WaitForProgramWindow(app, kHelpWindowClass);
        ASSERT_NE(help, nullptr) << page;
        EXPECT_EQ(app.WindowText(help), kHelpTitle);
        if (page == 4) {
            RedrawWindow(help, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            e2e::SaveWindowScreenshot(help,
                                      std::string(E2E_ARTIFACT_DIR) + "\\help_preview_page.bmp");
        }
        PostMessageA(help, WM_CLOSE, 0, 0);
        EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindowVisible(help); })) << page;
    }
    EXPECT_EQ(app.FindSettings(), sheet);
    ASSERT_TRUE(app.CloseSettings(IDCANCEL));
    EXPECT_TRUE(app.Exit());
}

TEST(HelpWindow, WithoutTheHelpFileTheProgramStillWorks) {
    TempFolder root("nohelp");
    AppSession::InstallProgram(root.Path());
    AppSession app(root.Path());
    ASSERT_TRUE(app.Start());
    app.Click(kHelp);
    EXPECT_EQ(e2e::WaitForProgramWindow(app, kHelpWindowClass, 3000), nullptr);
    EXPECT_TRUE(app.Enabled(kStart));
    EXPECT_TRUE(app.Exit());
}

}  // namespace
