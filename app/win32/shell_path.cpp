#include "shell_path.h"

#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "app/folder_text.h"
#include "app/sjis.h"
#include "common/text_limits.h"
#include "common/win32_handles.h"

namespace quelbrix {

namespace {

// An item list that the shell's allocator handed out, freed through that allocator.
class AllocatedItemList {
public:
    AllocatedItemList(IMalloc* allocator, LPITEMIDLIST list) : allocator_(allocator), list_(list) {}
    ~AllocatedItemList() {
        if (list_ != nullptr) allocator_->Free(list_);
    }
    AllocatedItemList(const AllocatedItemList&) = delete;
    AllocatedItemList& operator=(const AllocatedItemList&) = delete;
    LPITEMIDLIST Get() const { return list_; }

private:
    IMalloc* allocator_;
    LPITEMIDLIST list_;
};

}  // namespace

bool ResolveShellPath(const char* text, char* out, std::size_t capacity) {
    if (text == nullptr || out == nullptr || capacity == 0) return false;
    const int wideCapacity = static_cast<int>(std::min(capacity, kPathBytes));
    wchar_t wide[kPathBytes];
    if (MultiByteToWideChar(CP_ACP, 0, text, -1, wide, wideCapacity) == 0) return false;

    ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.Out()))) return false;
    LPITEMIDLIST raw = nullptr;
    if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, wide, nullptr, &raw, nullptr))) {
        return false;
    }
    ItemList items(raw);
    char path[kPathBytes];
    if (!SHGetPathFromIDListA(items.Get(), path)) return false;
    const std::size_t length = std::strlen(path);
    if (length >= capacity) return false;
    std::memcpy(out, path, length + 1);
    return true;
}

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

bool BrowseForFolder(HWND owner, std::string& folder) {
    char displayName[kPathBytes];
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.pidlRoot = nullptr;
    info.pszDisplayName = displayName;
    info.lpszTitle = "検索フォルダを指定してください。";
    info.ulFlags = 0x20;
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    if (chosen == nullptr) return false;

    ComPtr<IMalloc> allocator;
    if (FAILED(SHGetMalloc(allocator.Out())) || allocator.Get() == nullptr) {
        CoTaskMemFree(chosen);
        MessageBoxA(owner, "SHGetMalloc Error", "Error", MB_OK);
        return false;
    }
    AllocatedItemList items(allocator.Get(), chosen);
    char path[kPathBytes];
    if (!SHGetPathFromIDListA(items.Get(), path) || path[0] == '\0') return false;
    folder = path;
    if (!EndsWithBackslash(folder)) folder += '\\';
    return true;
}

bool DroppedItemFolder(HDROP drop, std::string& folder) {
    DropHandle owned(drop);
    // A path longer than kPathTextBytes would come back cut short, naming some other item.
    UINT length = DragQueryFileA(drop, 0, nullptr, 0);
    if (length == 0 || length > kPathTextBytes) return false;
    char path[kPathBytes];
    if (DragQueryFileA(drop, 0, path, sizeof path) != length) return false;

    WIN32_FIND_DATAA data;
    FindHandle find(FindFirstFileA(path, &data));
    if (!find.Valid()) return false;
    const bool isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    folder = FolderFieldForDroppedItem(path, isFolder);
    return true;
}

}  // namespace quelbrix
