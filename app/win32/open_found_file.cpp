#include "open_found_file.h"

#include <shellapi.h>

#include "app/file_opener.h"
#include "app/result_path.h"
#include "app_context.h"
#include "quelbrix_u_resources.h"

namespace quelbrix {

void OpenFoundFile(AppContext& app, HWND owner, const std::string& path) {
    const FileOpener opener = ReadFileOpener(*app.profile);
    switch (HowToOpen(opener)) {
    case OpenWith::kAssociatedProgram:
        ShellExecuteA(owner, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        break;
    case OpenWith::kUserProgram:
        ShellExecuteA(owner, nullptr, opener.programPath.c_str(), ProgramParameterFor(path).c_str(),
                      nullptr, SW_SHOWNORMAL);
        break;
    case OpenWith::kNoProgramChosen:
        // The associated program is not taken instead: the user chose not to use it.
        app.ShowMessage(IDS_NO_PROGRAM, MB_ICONHAND | MB_OK, owner);
        break;
    }
}

}  // namespace quelbrix
