// End-to-end tests of the save button: the real save dialog, the report file on disk, and the
// program's messages when nothing can be saved.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_session.h"
#include "quelbrix_engine.h"
#include "quelbrix_u_resources.h"
#include "settings_text.h"

using e2e::AppSession;
using e2e::MessageBoxSeen;
using e2e::TempFolder;

namespace {

constexpr int kFolder = IDC_FOLDER;
constexpr int kWord = IDC_WORD;
constexpr int kStart = IDOK;
constexpr int kSave = IDC_SAVE;
constexpr int kFileNameCombo = 0x47C;  // the file name field of the explorer-style dialog
constexpr int kFileNameEdit = 0x480;   // the same field in the older layout

const char kNothingToSave[] = "まだ検索されていないので保存できません。";
const char kCreateFailed[] = "ファイルの作成に失敗しました。";
const std::string kReportHeader =
    quelbrix::ProgramNameAndVersion() +
    " 結果ファイル\r\n"
    "このファイルは QuelbrixU の検索結果を書き出したものです。\r\n\r\n";

class SaveReportTest : public ::testing::Test {
protected:
    SaveReportTest()
        : root("save"),
          program(root.Path() + "prog\\"),
          data(root.Path() + "data\\"),
          out(root.Path() + "out\\") {
        for (const std::string& folder : {program, data, data + "sub\\", out})
            e2e::MakeFolder(folder);
        AppSession::InstallProgram(program);
        // Relative paths on, counting on: the report joins the folder and reads the counts.
        e2e::WriteFileBytes(program + "QuelbrixU.ini",
                            e2e::Replaced(e2e::Golden(), "relative=0", "relative=1"));
        e2e::WriteFileBytes(data + "a.txt", "needle needle");
        e2e::WriteFileBytes(data + "b.txt", "needle");
        e2e::WriteFileBytes(data + "c.txt", "nothing");
    }

    void Search(AppSession& app) {
        app.SetText(kFolder, data);
        app.SetText(kWord, "needle");
        app.Click(kStart);
        MessageBoxSeen summary;
        ASSERT_TRUE(app.WaitForMessageBox(e2e::kEngineCaption, summary));
        app.Answer(summary, IDOK);
        ASSERT_TRUE(app.WaitIdle());
        ASSERT_EQ(app.RowCount(), 2);
    }

    // The report expected for the rows the list shows, in the list's order.
    std::string Expected(AppSession& app) {
        std::string text = std::string(kReportHeader) + "「needle」で検索した結果、";
        for (int row = 0; row < app.RowCount(); ++row) {
            text += "\r\n" + data + app.Cell(row, QUELBRIX_COLUMN_FILE) + "の中に" +
                    app.Cell(row, QUELBRIX_COLUMN_COUNT) + "個、発見されました。";
        }
        return text;
    }

    // Presses the save button and waits for the save dialog.
    HWND OpenSaveDialog(AppSession& app) {
        app.Click(kSave);
        HWND dialog = nullptr;
        e2e::WaitUntil([&] {
            std::vector<HWND> dialogs = app.OtherDialogs();
            dialog = dialogs.size() == 1 ? dialogs[0] : nullptr;
            return dialog != nullptr;
        });
        return dialog;
    }

    static void TypeNameAndSave(HWND dialog, const std::string& name) {
        HWND field = GetDlgItem(dialog, kFileNameCombo);
        if (field == nullptr) field = GetDlgItem(dialog, kFileNameEdit);
        SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
        PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    }

    // The box the save dialog shows over itself (the overwrite question), within the wait.
    static HWND WaitForBoxOver(AppSession& app, HWND dialog) {
        HWND box = nullptr;
        e2e::WaitUntil([&] {
            for (HWND window : app.OtherDialogs()) {
                if (window != dialog) box = window;
            }
            return box != nullptr;
        });
        return box;
    }

    static bool WaitClosed(HWND window) {
        return e2e::WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); });
    }

    TempFolder root;
    std::string program, data, out;
};

TEST_F(SaveReportTest, BeforeAnySearchSaysSoAndOpensNoDialog) {
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    app.Click(kSave);
    MessageBoxSeen box;
    ASSERT_TRUE(app.WaitForMessageBox(e2e::kProgramCaption, box));
    EXPECT_EQ(box.text, kNothingToSave);
    EXPECT_EQ(app.OtherDialogs().size(), 1u);  // the message box alone
    app.Answer(box, IDOK);
    ASSERT_TRUE(app.Exit());
}

TEST_F(SaveReportTest, NameWithoutExtensionGetsTxtAndTheFileHoldsTheListByteForByte) {
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    Search(app);
    HWND dialog = OpenSaveDialog(app);
    ASSERT_NE(dialog, nullptr);
    TypeNameAndSave(dialog, out + "report");
    ASSERT_TRUE(WaitClosed(dialog));
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::FileExistsAt(out + "report.txt"); }));
    EXPECT_EQ(e2e::ReadFileBytes(out + "report.txt"), Expected(app));
    EXPECT_FALSE(e2e::FileExistsAt(out + "report"));
    ASSERT_TRUE(app.Exit());
}

// An existing file is only replaced after the dialog's question is answered Yes, and then
// whole: a longer old content leaves nothing behind.
TEST_F(SaveReportTest, ExistingFileIsReplacedOnlyAfterYes) {
    const std::string target = out + "old.txt";
    const std::string old(5000, 'x');
    e2e::WriteFileBytes(target, old);
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    Search(app);

    HWND dialog = OpenSaveDialog(app);
    ASSERT_NE(dialog, nullptr);
    TypeNameAndSave(dialog, target);
    HWND question = WaitForBoxOver(app, dialog);
    ASSERT_NE(question, nullptr);
    PostMessageA(GetDlgItem(question, IDNO), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitClosed(question));
    PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitClosed(dialog));
    EXPECT_EQ(e2e::ReadFileBytes(target), old);

    dialog = OpenSaveDialog(app);
    ASSERT_NE(dialog, nullptr);
    TypeNameAndSave(dialog, target);
    question = WaitForBoxOver(app, dialog);
    ASSERT_NE(question, nullptr);
    PostMessageA(GetDlgItem(question, IDYES), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitClosed(dialog));
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ReadFileBytes(target) == Expected(app); }));
    ASSERT_TRUE(app.Exit());
}

TEST_F(SaveReportTest, FileThatCannotBeCreatedIsReported) {
    const std::string target = out + "locked.txt";
    e2e::WriteFileBytes(target, "keep");
    // Held open without sharing, as another program holding the file would.
    HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    AppSession app(program);
    ASSERT_TRUE(app.Start());
    Search(app);
    HWND dialog = OpenSaveDialog(app);
    ASSERT_NE(dialog, nullptr);
    TypeNameAndSave(dialog, target);
    HWND question = WaitForBoxOver(app, dialog);
    ASSERT_NE(question, nullptr);
    PostMessageA(GetDlgItem(question, IDYES), BM_CLICK, 0, 0);
    MessageBoxSeen box;
    ASSERT_TRUE(app.WaitForMessageBox(e2e::kProgramCaption, box));
    EXPECT_EQ(box.text, kCreateFailed);
    app.Answer(box, IDOK);
    CloseHandle(held);
    EXPECT_EQ(e2e::ReadFileBytes(target), "keep");
    ASSERT_TRUE(app.Exit());
}

}  // namespace
