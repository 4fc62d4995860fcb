#include "send_to.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <string>

#include "app/send_to_name.h"
#include "common/text_limits.h"
#include "common/win32_handles.h"
#include "shell_path.h"

namespace quelbrix {

namespace {

// How long the link's resolution may look for a moved target.
constexpr DWORD kResolveTimeoutMs = 1000;

// `path` in UTF-16 from the system code page, as the link's file interface takes it; false
// when it does not fit.
bool ToWidePath(const std::string& path, wchar_t (&wide)[kPathBytes]) {
    return path.size() <= kPathTextBytes &&
           MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, kPathBytes) != 0;
}

bool IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

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
    wchar_t widePath[kPathBytes];
    if (!ToWidePath(SendToShortcutPath(folderPath, target), widePath)) {
        return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
    }
    return file->Save(widePath, TRUE);
}

std::string ShortcutTarget(HWND owner, const std::string& shortcut) {
    wchar_t widePath[kPathBytes];
    if (!IsFile(shortcut) || !ToWidePath(shortcut, widePath)) return "";
    ComApartment com;
    ComPtr<IShellLinkA> link;
    ComPtr<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.OutVoid())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.OutVoid())) ||
        FAILED(file->Load(widePath, STGM_READ))) {
        return "";
    }
    // Whether a moved target was found makes no difference: without it the saved path stays.
    link->Resolve(owner, SLR_NO_UI | SLR_NOUPDATE | SLR_NOSEARCH | (kResolveTimeoutMs << 16));
    char target[kPathBytes] = "";
    if (FAILED(link->GetPath(target, sizeof target, nullptr, 0))) return "";
    return target;
}

bool RemoveSendToShortcut(HWND owner, const std::string& folder, const std::string& programPath) {
    const std::string currentName = SendToShortcutPath(folder, programPath);
    const std::string programName = ProgramNameShortcutPath(folder);
    SendToShortcuts found;
    found.currentNameExists = IsFile(currentName);
    if (!found.currentNameExists) found.programNameTarget = ShortcutTarget(owner, programName);
    switch (ChooseSendToRemoval(programPath, found)) {
    case SendToRemoval::kCurrentName:
        return DeleteFileA(currentName.c_str()) != FALSE;
    case SendToRemoval::kProgramName:
        return DeleteFileA(programName.c_str()) != FALSE;
    case SendToRemoval::kNothing:
        break;
    }
    return false;
}

}  // namespace quelbrix
