// The seven exports of QuelbrixD.dll and its load-time entry point. The engine's state and its
// Win32 adapters live here for as long as the library is loaded; no exception leaves.
#include <windows.h>

#include "engine/engine_state.h"
#include "engine/result_list.h"
#include "engine/search_driver.h"
#include "engine/win32_files.h"
#include "engine/win32_list_view.h"
#include "engine/win32_ui.h"
#include "quelbrix_engine.h"
#include "timer_resolution.h"

namespace {

constexpr int kEngineVersion = 111;
constexpr int kEngineBeta = 0;

quelbrix::EngineState g_state;
quelbrix::Win32FileSystem g_files;
quelbrix::Win32Ui g_ui;
quelbrix::Win32Progress g_progress;
quelbrix::Win32ListView g_rows;
quelbrix::Platform g_platform{g_files, g_ui, g_progress, g_rows};

const char* TextOrEmpty(LPCSTR text) { return text != nullptr ? text : ""; }

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    g_state.instance = instance;
    g_ui.SetInstance(instance);
    return TRUE;
}

extern "C" int WINAPI QuelbrixGetVer(void) { return kEngineVersion; }

extern "C" int WINAPI QuelbrixGetBeta(void) { return kEngineBeta; }

extern "C" BOOL WINAPI QuelbrixInitListView(HWND list, int nameWidth, int countWidth, int sizeWidth,
                                            int timeWidth) {
    try {
        quelbrix::InitListView(g_state, g_rows, list, nameWidth, countWidth, sizeWidth, timeWidth);
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

extern "C" BOOLEAN WINAPI QuelbrixFindFolder(HWND owner, LPCSTR folder, LPCSTR word,
                                             LPCSTR extensions, BOOLEAN useRegex, HWND progress,
                                             BOOLEAN searchSubfolders, BOOLEAN relativePaths,
                                             BOOLEAN countHits, BOOLEAN convertCodes,
                                             int errorPolicy) {
    return QuelbrixFindFolderEx(owner, folder, word, extensions, useRegex, progress,
                                searchSubfolders, relativePaths, countHits, convertCodes,
                                errorPolicy, FALSE);
}

extern "C" BOOL WINAPI QuelbrixSort(NMLISTVIEW* notification) {
    if (notification == nullptr) return FALSE;
    try {
        return quelbrix::SortResults(g_state, g_rows, notification->iSubItem) ? TRUE : FALSE;
    } catch (...) {
        return FALSE;
    }
}

extern "C" BOOL WINAPI QuelbrixFindStop(HWND owner, HWND progress) {
    try {
        quelbrix::RequestStop(g_state, g_platform, owner, progress);
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

extern "C" BOOLEAN WINAPI QuelbrixFindFolderEx(HWND owner, LPCSTR folder, LPCSTR word,
                                               LPCSTR extensions, BOOLEAN useRegex, HWND progress,
                                               BOOLEAN searchSubfolders, BOOLEAN relativePaths,
                                               BOOLEAN countHits, BOOLEAN convertCodes,
                                               int errorPolicy, BOOLEAN convertUtf8Files) {
    quelbrix::SearchRequest request;
    request.owner = owner;
    request.folder = TextOrEmpty(folder);
    request.word = TextOrEmpty(word);
    request.extensions = TextOrEmpty(extensions);
    request.useRegex = useRegex != 0;
    request.progress = progress;
    request.searchSubfolders = searchSubfolders != 0;
    request.relativePaths = relativePaths != 0;
    request.countHits = countHits != 0;
    request.convertCodes = convertCodes != 0;
    request.errorPolicy = static_cast<quelbrix::ErrorPolicy>(errorPolicy);
    request.convertUtf8 = convertUtf8Files != 0;
    try {
        // The walk pauses 1 ms after every entry; the finer timer makes that pause 1 ms long.
        const quelbrix::TimerResolutionGuard fineTimer(1);
        return quelbrix::FindFolder(g_state, g_platform, request) ? TRUE : FALSE;
    } catch (...) {
        return FALSE;
    }
}
