#include "send_to.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <cstring>

#include "app/send_to_name.h"
#include "common/text_limits.h"
#include "common/win32_handles.h"

namespace quelbrix {

bool GetSpecialFolderPath(HWND owner, int folder, char* out, std::size_t capacity) {
    if (out == nullptr || capacity == 0) return false;
    out[0] = '\0';
    LPITEMIDLIST raw = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(owner, folder, &raw))) return false;
    ItemList items(raw);
    char path[kPathBytes];
    if (!SHGetPathFromIDListA(items.Get(), path) || path[0] == '\0') return false;
    const std::size_t length = std::strlen(path);
    if (length >= capacity) return false;
    std::memcpy(out, path, length + 1);
    return true;
}

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
