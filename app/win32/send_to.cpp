#include "send_to.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <cstring>

#include "app/send_to_name.h"
#include "common/text_limits.h"
#include "common/win32_handles.h"
#include "shell_path.h"

namespace quelbrix {

HRESULT CreateSendToShortcut(HWND owner, const char* target, int folder) {
    ComApartment com;
    ComPtr<IShellLinkA> link;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IShellLinkA, link.OutVoid());
    if (FAILED(result)) return result;
    link->SetArguments("");
    link->SetDescription("");
    link->SetWorkingDirectory("");
    link->SetIconLocation("", 0);
    link->SetPath(target);

    ComPtr<IPersistFile> file;
    result = link->QueryInterface(IID_IPersistFile, file.OutVoid());
    if (FAILED(result)) return result;

    char folderPath[kPathBytes];
    if (!GetSpecialFolderPath(owner, folder, folderPath, sizeof folderPath)) {
        return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
    }
    const std::string shortcut = SendToShortcutPath(folderPath, target);
    wchar_t widePath[kPathBytes];
    if (shortcut.size() > kPathTextBytes ||
        MultiByteToWideChar(CP_ACP, 0, shortcut.c_str(), -1, widePath, kPathBytes) == 0) {
        return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
    }
    return file->Save(widePath, TRUE);
}

std::string OwnProgramPath() {
    char path[kPathBytes];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return "";
    return std::string(path, length);
}

}  // namespace quelbrix
