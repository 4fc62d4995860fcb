// Shortcut files for the Windows tests, written and read back through the shell link object
// as registering does, and paths compared as the file system compares them.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>

#include "common/text_limits.h"
#include "common/win32_handles.h"

namespace testing_shortcuts {

// The shortcut's path in UTF-16, as the link's file interface takes it.
inline bool WidePath(const std::string& path, wchar_t (&wide)[quelbrix::kPathBytes]) {
    return MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, quelbrix::kPathBytes) != 0;
}

// Writes `shortcut` pointing at `target`; false when it could not be written.
inline bool MakeShortcut(const std::string& shortcut, const std::string& target) {
    quelbrix::ComApartment com;
    quelbrix::ComPtr<IShellLinkA> link;
    quelbrix::ComPtr<IPersistFile> file;
    wchar_t wide[quelbrix::kPathBytes];
    if (!WidePath(shortcut, wide) ||
        FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.OutVoid())) ||
        FAILED(link->SetPath(target.c_str())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.OutVoid()))) {
        return false;
    }
    return SUCCEEDED(file->Save(wide, TRUE));
}

// The target `shortcut` names, as saved; "<unreadable>" when it cannot be read.
inline std::string ReadShortcutTarget(const std::string& shortcut) {
    quelbrix::ComApartment com;
    quelbrix::ComPtr<IShellLinkA> link;
    quelbrix::ComPtr<IPersistFile> file;
    wchar_t wide[quelbrix::kPathBytes];
    char target[quelbrix::kPathBytes] = "";
    if (!WidePath(shortcut, wide) ||
        FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.OutVoid())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.OutVoid())) ||
        FAILED(file->Load(wide, STGM_READ)) ||
        FAILED(link->GetPath(target, sizeof target, nullptr, 0))) {
        return "<unreadable>";
    }
    return target;
}

// Paths compared without regard to letter case, as the file system does.
inline std::string Lower(std::string text) {
    if (!text.empty()) CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

}  // namespace testing_shortcuts
