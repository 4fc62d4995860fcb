#include <windows.h>
#include <shellapi.h>

#include <string>

#include "app/result_path.h"
#include "app_context.h"
#include "result_actions.h"

namespace quelbrix {

void OpenSelectedFile() {
    char path[kPathBytes];
    if (!SelectedFilePath(path)) return;
    ProfileFile& profile = *theApp.profile;
    profile.SetSection("whole");
    // Whether the program starts is not checked: the shell tells the user itself.
    if (profile.GetInt("appli") == 1) {
        char program[kPathBytes];
        profile.GetString("path", program, sizeof program);
        const std::string parameter = ProgramParameterFor(path);
        ShellExecuteA(theApp.mainWindow, nullptr, program, parameter.c_str(), nullptr,
                      SW_SHOWNORMAL);
    } else {
        ShellExecuteA(theApp.mainWindow, "open", path, nullptr, nullptr, SW_SHOWNORMAL);
    }
}

}  // namespace quelbrix
