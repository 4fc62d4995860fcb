// The help binding under Wine: the requests handed to HtmlHelpA (through the binding's seam),
// where the control is loaded from, and the real control opening the compiled help.chm.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/help_topic.h"
#include "common/text_limits.h"
#include "help_file.h"

using namespace quelbrix;

namespace {

struct Request {
    HWND window;
    std::string file;  // "<none>" for a null file
    UINT command;
    DWORD_PTR data;
};
std::vector<Request> requests;
std::vector<std::string> loads;
HMODULE loadResult = nullptr;

HWND WINAPI RecordRequest(HWND window, LPCSTR file, UINT command, DWORD_PTR data) {
    requests.push_back({window, file != nullptr ? file : "<none>", command, data});
    if (command == kHhInitialize) *reinterpret_cast<DWORD*>(data) = 0x5EED;
    return reinterpret_cast<HWND>(1);
}
// What the real control hands out on 64-bit Windows: a cookie wider than 32 bits.
constexpr DWORD_PTR kWideCookie = static_cast<DWORD_PTR>(0xC0FFEE00005EEDull);
HWND WINAPI RecordRequestHandingOutAWideCookie(HWND window, LPCSTR file, UINT command,
                                               DWORD_PTR data) {
    requests.push_back({window, file != nullptr ? file : "<none>", command, data});
    if (command == kHhInitialize) *reinterpret_cast<DWORD_PTR*>(data) = kWideCookie;
    return reinterpret_cast<HWND>(1);
}
HMODULE RecordLoad(const char* path) {
    loads.push_back(path);
    return loadResult;
}
bool NotRegistered(char*, std::size_t) { return false; }
bool RegisteredByBareName(char* out, std::size_t) { return lstrcpyA(out, "hhctrl.ocx") != nullptr; }
bool RegisteredAt(char* out, std::size_t) {
    return lstrcpyA(out, "D:\\viewer\\hhctrl.ocx") != nullptr;
}

std::string SystemFolderControl() {
    char folder[MAX_PATH];
    UINT length = GetSystemDirectoryA(folder, sizeof folder);
    return std::string(folder, length) + "\\hhctrl.ocx";
}

const char* const kTopics[] = {kHelpTopicSettingsDialog, kHelpTopicExtensions, kHelpTopicSendTo,
                               kHelpTopicPreview};
constexpr int kTopicCount = sizeof kTopics / sizeof kTopics[0];

class HelpBinding : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset() {
        TheHtmlHelpBinding() = HtmlHelpBinding{};
        requests.clear();
        loads.clear();
        loadResult = nullptr;
    }
};

TEST_F(HelpBinding, EachRequestReachesHtmlHelpAsTheControlExpectsIt) {
    TheHtmlHelpBinding().function = RecordRequest;
    HelpFile help;
    help.Init("C:\\\x95\x5C\\", "help.chm");  // a folder named 表
    HWND owner = reinterpret_cast<HWND>(0x1234);
    help.ShowHelp(owner);
    for (const char* topic : kTopics) help.ShowTopic(owner, topic);
    help.Shutdown();
    help.Shutdown();  // a second shutdown hands nothing back

    ASSERT_EQ(requests.size(), 3u + kTopicCount);
    EXPECT_EQ(requests[0].file, "<none>");
    EXPECT_EQ(requests[0].command, 28u);
    EXPECT_EQ(requests[1].file, "C:\\\x95\x5C\\help.chm");
    EXPECT_EQ(requests[1].command, 0u);
    EXPECT_EQ(requests[1].window, owner);
    for (int i = 0; i < kTopicCount; ++i) {
        const Request& shown = requests[2 + i];
        EXPECT_EQ(shown.file, std::string("C:\\\x95\x5C\\help.chm::") + kTopics[i]);
        EXPECT_EQ(shown.command, 1u);
        EXPECT_EQ(shown.window, owner);
        EXPECT_EQ(shown.data, 0u);
    }
    EXPECT_EQ(requests.back().command, 29u);
    EXPECT_EQ(requests.back().data, 0x5EEDu);  // the cookie from initialisation
}

TEST_F(HelpBinding, ShutdownHandsBackThePointerSizedCookieOfInitialisationWhole) {
    TheHtmlHelpBinding().function = RecordRequestHandingOutAWideCookie;
    HelpFile help;
    help.Init("C:\\prog\\", "help.chm");
    help.ShowHelp(nullptr);
    help.Shutdown();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].command, kHhInitialize);
    EXPECT_EQ(requests[2].command, kHhUninitialize);
    EXPECT_EQ(requests[2].data, kWideCookie);
}

TEST_F(HelpBinding, ATopicTooLongForTheRequestOpensNothing) {
    TheHtmlHelpBinding().function = RecordRequest;
    HelpFile help;
    help.Init("C:\\prog\\", "help.chm");
    requests.clear();
    help.ShowTopic(nullptr, std::string(kHelpTopicTextBytes, 'x').c_str());
    EXPECT_TRUE(requests.empty());
}

TEST_F(HelpBinding, TheControlIsLoadedByFullPathOnlyAndAFailedLoadIsNeverRetried) {
    struct Case {
        bool (*find)(char*, std::size_t);
        std::vector<std::string> tried;
    };
    const Case cases[] = {
        {NotRegistered, {SystemFolderControl()}},
        // A bare registered name would be looked for in the current folder first.
        {RegisteredByBareName, {SystemFolderControl()}},
        {RegisteredAt, {"D:\\viewer\\hhctrl.ocx", SystemFolderControl()}},
    };
    for (const Case& c : cases) {
        Reset();
        TheHtmlHelpBinding().findControl = c.find;
        TheHtmlHelpBinding().loadModule = RecordLoad;
        EXPECT_EQ(CallHtmlHelp(nullptr, "x.chm", kHhDisplayTopic, 0), nullptr);
        EXPECT_EQ(CallHtmlHelp(nullptr, "x.chm", kHhDisplayTopic, 0), nullptr);
        EXPECT_EQ(loads, c.tried);
        EXPECT_TRUE(TheHtmlHelpBinding().failed);
    }
}

TEST_F(HelpBinding, AModuleWithoutTheHelpFunctionIsNotAskedAgain) {
    TheHtmlHelpBinding().findControl = NotRegistered;
    TheHtmlHelpBinding().loadModule = RecordLoad;
    loadResult = GetModuleHandleA(nullptr);  // this test program exports nothing
    EXPECT_EQ(CallHtmlHelp(nullptr, "x.chm", kHhDisplayTopic, 0), nullptr);
    EXPECT_EQ(CallHtmlHelp(nullptr, "x.chm", kHhDisplayTopic, 0), nullptr);
    EXPECT_EQ(loads.size(), 1u);
    EXPECT_TRUE(TheHtmlHelpBinding().failed);
}

TEST_F(HelpBinding, TheRegisteredControlIsAFullPath) {
    char path[kPathBytes];
    ASSERT_TRUE(FindHtmlHelpControl(path, sizeof path));
    EXPECT_TRUE(IsFullyQualifiedPath(path)) << path;
    const std::string found = CharLowerA(path);
    EXPECT_EQ(found.substr(found.size() - 11), "\\hhctrl.ocx");
    char tiny[4];
    EXPECT_FALSE(FindHtmlHelpControl(tiny, sizeof tiny));
}

// The compiled help file beside this test program, as it ships beside QuelbrixU.exe.
std::string HelpChm() {
    char path[MAX_PATH];
    std::string self(path, GetModuleFileNameA(nullptr, path, sizeof path));
    return self.substr(0, self.find_last_of('\\') + 1) + "help.chm";
}

std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    int length = MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), &wide[0],
                                     static_cast<int>(wide.size()));
    wide.resize(length);
    return wide;
}

// The page's bytes as the control's storage moniker (behind its "mk:@MSITStore:" addresses)
// hands them to the browser.
std::string ReadTopic(const std::string& chm, const char* topic) {
    const std::wstring name = L"@MSITStore:" + Wide(chm) + L"::/" + Wide(topic);
    CLSID storeClass;
    IParseDisplayName* parser = nullptr;
    IBindCtx* context = nullptr;
    IMoniker* moniker = nullptr;
    IStream* stream = nullptr;
    ULONG eaten = 0;
    std::string bytes;
    if (SUCCEEDED(CLSIDFromProgID(L"MSITStore", &storeClass)) &&
        SUCCEEDED(CoCreateInstance(storeClass, nullptr, CLSCTX_INPROC_SERVER, IID_IParseDisplayName,
                                   reinterpret_cast<void**>(&parser))) &&
        SUCCEEDED(CreateBindCtx(0, &context)) &&
        SUCCEEDED(parser->ParseDisplayName(context, const_cast<wchar_t*>(name.c_str()), &eaten,
                                           &moniker)) &&
        SUCCEEDED(moniker->BindToStorage(context, nullptr, IID_IStream,
                                         reinterpret_cast<void**>(&stream)))) {
        char buffer[4096];
        ULONG read = 0;
        while (SUCCEEDED(stream->Read(buffer, sizeof buffer, &read)) && read > 0) {
            bytes.append(buffer, read);
        }
    }
    for (IUnknown* object : {static_cast<IUnknown*>(stream), static_cast<IUnknown*>(moniker),
                             static_cast<IUnknown*>(context), static_cast<IUnknown*>(parser)}) {
        if (object != nullptr) object->Release();
    }
    return bytes;
}

struct HelpWindowSearch {
    DWORD process;
    HWND found;
};
BOOL CALLBACK FindHelpWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<HelpWindowSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    if (process != search->process || lstrcmpA(name, "HH Parent") != 0) return TRUE;
    search->found = window;
    return FALSE;
}

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// Every topic the settings pages ask for is a page of the compiled file, found by the name
// the control looks up for a Shift_JIS topic.
TEST_F(HelpBinding, EveryTopicIsAPageOfTheCompiledHelp) {
    const std::string chm = HelpChm();
    if (GetFileAttributesA(chm.c_str()) == INVALID_FILE_ATTRIBUTES) {
        GTEST_SKIP() << "no " << chm;
    }
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    const char* const titles[] = {u8"<title>「設定」ダイアログ</title>",
                                  u8"<title>検索する拡張子</title>", u8"<title>送る</title>",
                                  u8"<title>プレビュー</title>"};
    for (int i = 0; i < kTopicCount; ++i) {
        EXPECT_NE(ReadTopic(chm, kTopics[i]).find(titles[i]), std::string::npos) << i;
    }
    EXPECT_EQ(ReadTopic(chm, "_RESOURCE/無い.html"), "");
    CoUninitialize();
}

TEST_F(HelpBinding, TheRealControlOpensTheHelpAtEachTopic) {
    const std::string chm = HelpChm();
    if (GetFileAttributesA(chm.c_str()) == INVALID_FILE_ATTRIBUTES) {
        GTEST_SKIP() << "no " << chm;
    }
    HelpFile help;
    help.Init(chm.substr(0, chm.size() - 8), "help.chm");
    for (const char* topic : kTopics) {
        help.ShowTopic(nullptr, topic);
        PumpMessages();
        HelpWindowSearch search = {GetCurrentProcessId(), nullptr};
        EnumWindows(FindHelpWindow, reinterpret_cast<LPARAM>(&search));
        ASSERT_NE(search.found, nullptr) << topic;
        char title[256] = "";
        GetWindowTextA(search.found, title, sizeof title);
        EXPECT_STREQ(title, "QuelbrixU ヘルプ");
    }
    CallHtmlHelp(nullptr, nullptr, kHhCloseAll, 0);
    PumpMessages();
    help.Shutdown();
    EXPECT_FALSE(TheHtmlHelpBinding().failed);
}

}  // namespace
