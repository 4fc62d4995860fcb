// The thin window objects under Wine (dialog.h): the procedure finds its object, forwards to
// the handlers and keeps every exception in; a page hears the sheet's Help and OK only once it
// was shown. The dialog templates are QuelbrixU.exe's, loaded as data.
#include "dialog.h"

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "app_context.h"
#include "quelbrix_u_resources.h"

using quelbrix::AppContext;
using quelbrix::Dialog;
using quelbrix::PropertyPage;

namespace {

constexpr int kRunsOutOfMemory = 4001;
constexpr int kThrowsSomethingElse = 4002;
constexpr int kAfterTheThrows = 4003;

HMODULE ProgramResources() {
    char path[MAX_PATH];
    std::string self(path, GetModuleFileNameA(nullptr, path, sizeof path));
    const std::string program = self.substr(0, self.find_last_of("\\/") + 1) + "QuelbrixU.exe";
    return LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

class DialogTest : public ::testing::Test {
protected:
    DialogTest() {
        INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&classes);
        app.instance = ProgramResources();
    }
    ~DialogTest() override {
        if (app.instance != nullptr) FreeLibrary(app.instance);
        app.instance = nullptr;
    }
    AppContext app;
};

// Works the main window's template from its handlers and ends it.
class ProbeDialog : public Dialog {
public:
    using Dialog::Dialog;

    HWND initWindow = nullptr;
    std::string wholeText, cutText, keptText;
    bool tickedAfterSet = false, tickedAfterClear = true, enabledAfterDisable = true;
    std::vector<int> commands;
    int outOfMemory = 0;
    int otherMessages = 0;

protected:
    INT_PTR OnInit() override {
        initWindow = Window();
        SetText(IDC_FOLDER, std::string(3000, 'f'));
        wholeText = Text(IDC_FOLDER);
        SetText(IDC_FOLDER,
                "ab\x95\x5C"
                "cd");  // ab表cd
        cutText = TextWithin(IDC_FOLDER, 3);
        std::string wide;
        for (int i = 0; i < 140; ++i) wide += "\x95\x5C";
        SetText(IDC_WORD, wide);
        KeepTextWithin(IDC_WORD, 259);
        keptText = Text(IDC_WORD);
        SetTicked(IDC_REGEX, true);
        tickedAfterSet = IsTicked(IDC_REGEX);
        SetTicked(IDC_REGEX, false);
        tickedAfterClear = IsTicked(IDC_REGEX);
        Enable(IDC_SAVE, false);
        enabledAfterDisable = IsWindowEnabled(Control(IDC_SAVE)) != FALSE;
        PostMessageA(Window(), WM_APP, 0, 0);
        for (int id : {kRunsOutOfMemory, kThrowsSomethingElse, kAfterTheThrows, IDCANCEL}) {
            PostMessageA(Window(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        }
        return FALSE;
    }
    void OnCommand(int id, int) override {
        if (id < kRunsOutOfMemory && id != IDCANCEL) return;  // the controls' own notices
        commands.push_back(id);
        if (id == kRunsOutOfMemory) throw std::bad_alloc();
        if (id == kThrowsSomethingElse) throw std::runtime_error("not ours to show");
        if (id == IDCANCEL) EndDialog(Window(), 7);
    }
    bool OnMessage(UINT message, WPARAM, LPARAM, INT_PTR& answer) override {
        if (message != WM_APP) return false;
        ++otherMessages;
        answer = 0;
        return true;
    }
    void OnOutOfMemory() override { ++outOfMemory; }
};

TEST_F(DialogTest, TheObjectGetsItsMessagesAndNoExceptionLeavesTheProcedure) {
    ASSERT_NE(app.instance, nullptr);
    ProbeDialog dialog(app);
    EXPECT_EQ(dialog.RunModal(IDD_MAIN, nullptr), 7);
    EXPECT_NE(dialog.initWindow, nullptr);
    EXPECT_EQ(dialog.Window(), nullptr);  // the window is gone
    EXPECT_EQ(dialog.commands, (std::vector<int>{kRunsOutOfMemory, kThrowsSomethingElse,
                                                 kAfterTheThrows, IDCANCEL}));
    EXPECT_EQ(dialog.outOfMemory, 1);  // only running out of memory is told
    EXPECT_EQ(dialog.otherMessages, 1);
}

TEST_F(DialogTest, ControlTextsAreReadWholeAndCutOnlyAtCharacterBoundaries) {
    ASSERT_NE(app.instance, nullptr);
    ProbeDialog dialog(app);
    dialog.RunModal(IDD_MAIN, nullptr);
    EXPECT_EQ(dialog.wholeText, std::string(3000, 'f'));
    EXPECT_EQ(dialog.cutText, "ab");  // not half of 表
    std::string kept;
    for (int i = 0; i < 129; ++i) kept += "\x95\x5C";
    EXPECT_EQ(dialog.keptText, kept);  // 258 bytes: a 130th 表 would pass 259
    EXPECT_TRUE(dialog.tickedAfterSet);
    EXPECT_FALSE(dialog.tickedAfterClear);
    EXPECT_FALSE(dialog.enabledAfterDisable);
}

class ProbePage : public PropertyPage {
public:
    ProbePage(AppContext& app, int templateId) : PropertyPage(app, templateId, true) {}
    int inits = 0, helps = 0, applies = 0;

protected:
    INT_PTR OnInit() override {
        ++inits;
        return FALSE;
    }
    void OnHelp() override { ++helps; }
    void OnApply() override { ++applies; }
};

TEST_F(DialogTest, AShownPageHearsHelpAndOkAndOneNeverShownHearsNothing) {
    ASSERT_NE(app.instance, nullptr);
    ProbePage shown(app, IDD_GENERAL_PAGE);
    ProbePage neverShown(app, IDD_EXTENSIONS_PAGE);
    HPROPSHEETPAGE pages[] = {shown.Create(), neverShown.Create()};
    ASSERT_NE(pages[0], nullptr);
    ASSERT_NE(pages[1], nullptr);
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_MODELESS | PSH_NOAPPLYNOW | PSH_HASHELP;
    header.hInstance = app.instance;
    header.pszCaption = "sheet";
    header.nPages = 2;
    header.phpage = pages;
    HWND sheet = reinterpret_cast<HWND>(PropertySheetA(&header));
    ASSERT_NE(sheet, nullptr);
    PumpMessages();
    EXPECT_EQ(shown.inits, 1);
    EXPECT_NE(shown.Window(), nullptr);

    SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_HELP, 0);
    PumpMessages();
    EXPECT_EQ(shown.helps, 1);
    SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    PumpMessages();
    EXPECT_EQ(shown.applies, 1);
    EXPECT_EQ(neverShown.inits + neverShown.helps + neverShown.applies, 0);
    EXPECT_EQ(neverShown.Window(), nullptr);

    DestroyWindow(sheet);
    PumpMessages();
    EXPECT_EQ(shown.Window(), nullptr);  // its last message let the object go
}

}  // namespace
