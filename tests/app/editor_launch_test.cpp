// Opening a file at a line under Wine (editor_launch.h): the editor of the settings started
// with the command line they make, the General page's way of opening when no editor is set,
// and the boxes that tell why nothing was started. The editor is a stand-in program that
// records the command line it was given; the boxes' texts come from QuelbrixU.exe.
#include "editor_launch.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "app/preview_settings.h"
#include "app/settings_keys.h"
#include "app_context.h"
#include "common/text_limits.h"

using quelbrix::AppContext;
using quelbrix::OpenFileAtLine;
using quelbrix::PreviewSettings;
using quelbrix::ProfileFile;

namespace {

constexpr char kTable[] = "\x95\x5C";          // 表, whose second byte is 0x5C
constexpr char kShown[] = "\x95\x5C\x8E\xA6";  // 表示
constexpr char kCannotStart[] = "エディタを起動できませんでした。\n";

std::string OwnFolder() {
    char path[MAX_PATH];
    const std::string self(path, GetModuleFileNameA(nullptr, path, sizeof path));
    return self.substr(0, self.find_last_of("\\/") + 1);
}

template <typename Condition>
bool WaitUntil(Condition done, DWORD waitMs = 20000) {
    const ULONGLONG deadline = GetTickCount64() + waitMs;
    while (!done()) {
        if (GetTickCount64() > deadline) return false;
        Sleep(50);
    }
    return true;
}

bool FileThere(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadWholeFile(const std::string& path) {
    std::string bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<unreadable>";
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

struct BoxSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindProgramBox(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<BoxSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char caption[64] = "";
    GetWindowTextA(window, caption, sizeof caption);
    if (process != search.process || !IsWindowVisible(window) ||
        lstrcmpA(caption, "QuelbrixU") != 0) {
        return TRUE;
    }
    search.found = window;
    return FALSE;
}

BOOL CALLBACK LongestStaticText(HWND child, LPARAM param) {
    auto& text = *reinterpret_cast<std::string*>(param);
    char name[32] = "";
    GetClassNameA(child, name, sizeof name);
    char buffer[2048] = "";
    if (lstrcmpiA(name, "Static") == 0 && GetWindowTextA(child, buffer, sizeof buffer) > 0 &&
        lstrlenA(buffer) > static_cast<int>(text.size())) {
        text = buffer;
    }
    return TRUE;
}

// Watches, from a thread of its own, for the one message box that the call on the test's
// thread shows (and waits in), keeps its text and presses OK.
class BoxAnswerer {
public:
    BoxAnswerer() : watcher_([this] { Watch(); }) {}
    ~BoxAnswerer() {
        stop_ = true;
        if (watcher_.joinable()) watcher_.join();
    }
    // The text of the box seen, once the call has returned; "" when none came.
    std::string Text() {
        stop_ = true;
        if (watcher_.joinable()) watcher_.join();
        return text_;
    }

private:
    void Watch() {
        BoxSearch search = {GetCurrentProcessId(), nullptr};
        while (!stop_ && search.found == nullptr) {
            EnumWindows(FindProgramBox, reinterpret_cast<LPARAM>(&search));
            if (search.found == nullptr) Sleep(50);
        }
        if (search.found == nullptr) return;
        EnumChildWindows(search.found, LongestStaticText, reinterpret_cast<LPARAM>(&text_));
        PostMessageA(search.found, WM_COMMAND, IDOK, 0);
    }

    std::atomic<bool> stop_{false};
    std::string text_;
    std::thread watcher_;
};

class OpenFileAtLineTest : public ::testing::Test {
protected:
    OpenFileAtLineTest() {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        root =
            std::string(temp) + "quelbrix_editor_" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(root.c_str(), nullptr);
        editorFolder = root + kShown + "\\";
        CreateDirectoryA(editorFolder.c_str(), nullptr);
        editor = editorFolder + "ed.exe";
        CopyFileA((OwnFolder() + "command_line_recorder.exe").c_str(), editor.c_str(), FALSE);
        app.instance = LoadLibraryExA((OwnFolder() + "QuelbrixU.exe").c_str(), nullptr,
                                      LOAD_LIBRARY_AS_DATAFILE);
        app.profile =
            std::make_unique<ProfileFile>(app.files, root + "Q.ini", quelbrix::kMainSection);
    }
    ~OpenFileAtLineTest() override {
        app.profile.reset();
        if (app.instance != nullptr) FreeLibrary(app.instance);
        app.instance = nullptr;
        for (const std::string& file : {editor, Record(), root + "Q.ini"})
            DeleteFileA(file.c_str());
        RemoveDirectoryA(editorFolder.c_str());
        RemoveDirectoryA(root.c_str());
    }

    void SetEditor(const std::string& path, const std::string& arguments) {
        PreviewSettings settings;
        settings.editorPath = path;
        settings.editorArguments = arguments;
        SavePreviewSettings(*app.profile, settings);
    }
    void SetGeneralProgram(const std::string& path) {
        app.profile->SetSection(quelbrix::kWholeSection);
        app.profile->WriteInt(quelbrix::kUserProgramKey, 1);
        app.profile->WriteString(quelbrix::kProgramPathKey, path);
    }
    std::string Record() const { return editorFolder + "command_line.txt"; }
    // The command line the stand-in was started with, waited for and taken away.
    std::string RecordedCommandLine() {
        if (!WaitUntil([&] { return FileThere(Record()); })) return "<not started>";
        const std::string line = ReadWholeFile(Record());
        DeleteFileA(Record().c_str());
        return line;
    }
    // Opens `path` at `line` and returns the text of the box that told why nothing started.
    std::string BoxOfOpening(const std::string& path, std::size_t line) {
        BoxAnswerer answerer;
        OpenFileAtLine(app, nullptr, path, line);
        return answerer.Text();
    }

    AppContext app;
    std::string root, editorFolder, editor;
};

TEST_F(OpenFileAtLineTest, TheEditorGetsItsPathQuotedAndTheExpandedTemplate) {
    ASSERT_NE(app.instance, nullptr);
    const std::string file = root + kTable + " memo.txt";  // a blank and a 0x5C trail byte
    SetEditor(editor, "-n%L \"%F\"");
    OpenFileAtLine(app, nullptr, file, 12);
    EXPECT_EQ(RecordedCommandLine(), "\"" + editor + "\" -n12 \"" + file + "\"");

    // No %F in the template: the path is appended, quoted as it holds a blank. The editor
    // typed in quotes with blanks around is the same editor.
    SetEditor("  \"" + editor + "\" ", "-l%L");
    OpenFileAtLine(app, nullptr, file, 3);
    EXPECT_EQ(RecordedCommandLine(), "\"" + editor + "\" -l3 \"" + file + "\"");
}

TEST_F(OpenFileAtLineTest, WithoutAnEditorTheFileOpensAsTheGeneralPageSays) {
    ASSERT_NE(app.instance, nullptr);
    SetEditor(" ", "-n%L \"%F\"");  // blanks name no editor
    SetGeneralProgram(editor);
    const std::string file = root + "a b.txt";
    OpenFileAtLine(app, nullptr, file, 7);
    const std::string recorded = RecordedCommandLine();
    // The General page's program gets the path alone, quoted as it holds a blank: no line.
    const std::string parameter = "\"" + file + "\"";
    ASSERT_GE(recorded.size(), parameter.size()) << recorded;
    EXPECT_EQ(recorded.substr(recorded.size() - parameter.size()), parameter) << recorded;
    EXPECT_EQ(recorded.find("-n"), std::string::npos) << recorded;

    SetGeneralProgram("");
    EXPECT_EQ(BoxOfOpening(file, 7),
              "ファイルを開くアプリケーションが指定されていません。\n"
              "「設定」の「全般」で、アプリケーションのパスを指定してください。");
    EXPECT_FALSE(FileThere(Record()));
}

TEST_F(OpenFileAtLineTest, AnEditorThatCannotStartIsToldWithItsCommandLine) {
    ASSERT_NE(app.instance, nullptr);
    const std::string missing = root + "nowhere\\ed.exe";
    SetEditor(missing, "-n%L \"%F\"");
    EXPECT_EQ(BoxOfOpening(root + "a.txt", 5),
              kCannotStart + ("\"" + missing + "\" -n5 \"" + root + "a.txt\""));

    // A command line past the platform's limit is not tried: the box names the editor.
    std::string manyPaths;
    while (manyPaths.size() + 2 <= quelbrix::kEditTextBytes) manyPaths += "%F";
    SetEditor(editor, manyPaths);
    EXPECT_EQ(BoxOfOpening(root + std::string(240, 'x') + ".txt", 1), kCannotStart + editor);
    EXPECT_FALSE(FileThere(Record()));

    // A program path holding a quote names no file.
    SetEditor("C:\\a\"b.exe", "%F");
    EXPECT_EQ(BoxOfOpening(root + "a.txt", 1), std::string(kCannotStart) + "C:\\a\"b.exe");
}

}  // namespace
