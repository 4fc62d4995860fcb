#include "help_file.h"

#include <cstring>
#include <string>

#include "app/help_topic.h"
#include "common/text_limits.h"
#include "common/win32_handles.h"

namespace quelbrix {

namespace {

constexpr char kControlKey[] = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
constexpr char kControlFile[] = "hhctrl.ocx";
constexpr WORD kHtmlHelpAExport = 14;

HMODULE LoadModuleAt(const char* path) {
    // The path is fully qualified, so the module's own folder is searched for what it needs.
    return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

// The control by its bare name, from the system folder only: a copy in the current folder
// must never be taken for it.
std::string SystemFolderControl() {
    char folder[kPathBytes];
    const UINT length = GetSystemDirectoryA(folder, sizeof folder);
    if (length == 0 || length >= sizeof folder) return std::string();
    std::string path(folder, length);
    if (path.back() != '\\') path += '\\';
    return path + kControlFile;
}

bool LoadControl(HtmlHelpBinding& binding) {
    HMODULE(*load)
    (const char*) = binding.loadModule != nullptr ? binding.loadModule : LoadModuleAt;
    char registered[kPathBytes];
    if (binding.findControl != nullptr && binding.findControl(registered, sizeof registered) &&
        IsFullyQualifiedPath(registered)) {
        binding.module = load(registered);
    }
    if (binding.module == nullptr) {
        const std::string system = SystemFolderControl();
        if (!system.empty()) binding.module = load(system.c_str());
    }
    return binding.module != nullptr;
}

}  // namespace

HtmlHelpBinding& TheHtmlHelpBinding() {
    static HtmlHelpBinding binding;
    return binding;
}

HWND CallHtmlHelp(HWND window, const char* file, UINT command, DWORD_PTR data) {
    HtmlHelpBinding& binding = TheHtmlHelpBinding();
    if (binding.function == nullptr) {
        if (binding.failed) return nullptr;
        if (binding.module == nullptr && !LoadControl(binding)) {
            binding.failed = true;
            return nullptr;
        }
        FARPROC found = GetProcAddress(binding.module, MAKEINTRESOURCEA(kHtmlHelpAExport));
        if (found == nullptr) {
            binding.failed = true;
            return nullptr;
        }
        // Through void(*)(), the one function type every other converts to without a warning.
        binding.function = reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void (*)()>(found));
    }
    return binding.function(window, file, command, data);
}

bool FindHtmlHelpControl(char* out, std::size_t capacity) {
    if (out == nullptr || capacity == 0) return false;
    out[0] = '\0';
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kControlKey, 0, KEY_QUERY_VALUE, &opened) !=
        ERROR_SUCCESS) {
        return false;
    }
    RegistryKey key(opened);
    char value[kPathBytes];
    DWORD type = 0;
    DWORD size = sizeof value - 1;  // a stored value need not end in a terminator
    if (RegQueryValueExA(key.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value),
                         &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return false;
    }
    value[size] = '\0';
    if (type == REG_EXPAND_SZ) {
        const DWORD needed = ExpandEnvironmentStringsA(value, out, static_cast<DWORD>(capacity));
        if (needed == 0 || needed > capacity) {
            out[0] = '\0';
            return false;
        }
    } else {
        const std::size_t length = std::strlen(value);
        if (length >= capacity) return false;
        std::memcpy(out, value, length + 1);
    }
    return out[0] != '\0';
}

void HelpFile::Init(const std::string& folder, const std::string& fileName) {
    path_ = folder + fileName;
    initialised_ = true;
    CallHtmlHelp(nullptr, nullptr, kHhInitialize, reinterpret_cast<DWORD_PTR>(&cookie_));
}

void HelpFile::Shutdown() {
    if (!initialised_) return;
    initialised_ = false;
    CallHtmlHelp(nullptr, nullptr, kHhUninitialize, cookie_);
}

void HelpFile::ShowHelp(HWND owner) { CallHtmlHelp(owner, path_.c_str(), kHhDisplayTopic, 0); }

void HelpFile::ShowTopic(HWND owner, const char* topic) {
    char request[kHelpTopicTextBytes];
    if (!ComposeHelpTopicText(path_, topic, request, sizeof request)) return;
    CallHtmlHelp(owner, request, kHhDisplayToc, 0);
}

}  // namespace quelbrix
