#include "editor_launch.h"

#include <vector>

#include "app/editor_command.h"
#include "app/preview_settings.h"
#include "app_context.h"
#include "common/win32_handles.h"
#include "open_found_file.h"
#include "quelbrix_u_resources.h"

namespace quelbrix {

namespace {

// Starts the process of `commandLine` and lets it run on its own; false when it cannot be
// created. The program name is taken from the command line, so a bare name is looked for as
// the platform looks for programs (its folder, the system folders, PATH).
bool StartProcess(const std::string& commandLine) {
    // CreateProcessA may write into the text it is given: it gets a copy of its own.
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        return false;
    }
    const KernelHandle process(started.hProcess);
    const KernelHandle thread(started.hThread);
    return true;
}

}  // namespace

void OpenFileAtLine(AppContext& app, HWND owner, const std::string& path, std::size_t line) {
    const PreviewSettings settings = LoadPreviewSettings(*app.profile);
    const std::string program = EditorProgramPath(settings.editorPath);
    if (program.empty()) {
        OpenFoundFile(app, owner, path);
        return;
    }
    std::string commandLine;
    if (!BuildEditorCommandLine(program, settings.editorArguments, path, line, commandLine)) {
        // No command line to show: one too long for the box, or none made.
        app.ShowMessageWith(IDS_EDITOR_FAILED, program, MB_ICONHAND | MB_OK, owner);
        return;
    }
    if (!StartProcess(commandLine)) {
        app.ShowMessageWith(IDS_EDITOR_FAILED, commandLine, MB_ICONHAND | MB_OK, owner);
    }
}

}  // namespace quelbrix
