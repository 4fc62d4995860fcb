#include "startup.h"

#include <commctrl.h>

#include <memory>

#include "app/settings_keys.h"
#include "app/settings_template.h"
#include "app/sjis.h"
#include "app_context.h"
#include "common/text_limits.h"
#include "common/win32_handles.h"
#include "main_window.h"
#include "result_popup_menu.h"
#include "win32_file_access.h"

namespace quelbrix {

namespace {

constexpr char kHelpFileName[] = "help.chm";

// The settings file's path, or "" when it would not fit the platform's path limit: the
// program then runs without settings rather than with a file in some other folder.
std::string SettingsPath(const std::string& exeFolder) {
    std::string path = exeFolder + kSettingsFileName;
    return exeFolder.empty() || path.size() > kPathTextBytes ? std::string() : path;
}

}  // namespace

std::string OwnProgramPath() {
    char path[kPathBytes];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return "";
    return std::string(path, length);
}

std::string GetExeFolder() { return FolderPartOf(OwnProgramPath()); }

bool FileExists(const std::string& path) {
    WIN32_FIND_DATAA data;
    FindHandle find(FindFirstFileA(path.c_str(), &data));
    return find.Valid();
}

bool RunApplication(AppContext& app, HINSTANCE instance, const char* commandLine) {
    app.instance = instance;
    const std::string exeFolder = GetExeFolder();
    app.help.Init(exeFolder, kHelpFileName);

    const std::string settingsPath = SettingsPath(exeFolder);
    if (!settingsPath.empty() && !FileExists(settingsPath)) {
        WriteWholeFile(settingsPath, FormatSettingsTemplate(kProgramVersion, kProgramBeta));
    }
    app.profile = std::make_unique<ProfileFile>(app.files, settingsPath, kMainSection);
    app.popupMenu.Reset(CreateResultPopupMenu());

    // The templates name the list view, progress bar and up-down classes (the last on the
    // settings' Preview page), so they are registered before a dialog is created.
    INITCOMMONCONTROLSEX classes = {sizeof classes,
                                    ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&classes);
    MainWindow window(app, commandLine != nullptr ? commandLine : "");
    window.Run();
    return true;
}

}  // namespace quelbrix
