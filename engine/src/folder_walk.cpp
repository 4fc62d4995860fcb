#include "folder_walk.h"

#include <cstring>
#include <vector>

#include "folder_name_patterns.h"

namespace quelbrix {

namespace {

// The folders a walk is inside, from the top down. A link back to one of them would repeat
// the tree below it until the paths grow too long, and two such links double the paths at
// every level, so a folder already on the chain is not walked again. A folder whose identity
// tells nothing is followed; the path limit still ends a real loop through it.
using FolderChain = std::vector<FolderIdentity>;

// Puts the listed folder on the chain for as long as it is walked.
class ChainLink {
public:
    ChainLink(FolderChain& chain, FolderListing& listing) : chain_(chain) {
        FolderIdentity id;
        if (!listing.Identify(id) || !id.Distinct()) return;
        for (const FolderIdentity& outer : chain)
            if (outer == id) {
                repeated_ = true;
                return;
            }
        chain.push_back(id);
        linked_ = true;
    }
    ~ChainLink() {
        if (linked_) chain_.pop_back();
    }
    ChainLink(const ChainLink&) = delete;
    ChainLink& operator=(const ChainLink&) = delete;

    bool Repeated() const { return repeated_; }

private:
    FolderChain& chain_;
    bool linked_ = false;
    bool repeated_ = false;
};

// What every level of one walk shares.
struct Walk {
    FileSystem& files;
    bool enterFolders;
    const char* excludeFolders;
    FolderVisitor& visitor;
    FolderChain chain;
};

bool WalkFolder(Walk& walk, const char* folder) {
    std::unique_ptr<FolderListing> listing = walk.files.ListFolder(folder);
    if (!listing) return true;
    ChainLink link(walk.chain, *listing);
    if (link.Repeated()) return true;

    const std::size_t folderLength = std::strlen(folder);
    FolderEntry entry;
    char path[kPathBytes];
    while (listing->Next(entry)) {
        const EntryKind kind = BuildEntryPath(folder, folderLength, entry, walk.enterFolders,
                                              walk.files.Separator(), path);
        if (kind == EntryKind::kSkipped) continue;
        // Left out like a dot-name: not entered, and no entry to report after.
        if (kind == EntryKind::kFolder && IsExcludedFolderName(entry.name, walk.excludeFolders))
            continue;
        const bool goOn =
            kind == EntryKind::kFolder ? WalkFolder(walk, path) : walk.visitor.VisitFile(path);
        if (!goOn || !walk.visitor.AfterEntry()) return false;
    }
    return true;
}

}  // namespace

bool WalkFolderTree(FileSystem& files, const char* folder, bool enterFolders,
                    const char* excludeFolders, FolderVisitor& visitor) {
    Walk walk{files, enterFolders, excludeFolders, visitor, {}};
    return WalkFolder(walk, folder);
}

EntryKind BuildEntryPath(const char* folder, std::size_t folderLength, const FolderEntry& entry,
                         bool enterFolders, char separator, char* path) {
    // Names starting with a dot ("." and ".." among them) are never looked at.
    if (entry.name[0] == '.' || entry.name[0] == '\0') return EntryKind::kSkipped;
    // A folder is either entered or left alone; it is never opened as a file.
    if (entry.isDirectory && !enterFolders) return EntryKind::kSkipped;

    const std::size_t nameLength = strnlen(entry.name, kPathBytes);
    const std::size_t length = folderLength + nameLength + (entry.isDirectory ? 1 : 0);
    if (nameLength >= kPathBytes || length >= kPathBytes) return EntryKind::kSkipped;

    std::memcpy(path, folder, folderLength);
    std::memcpy(path + folderLength, entry.name, nameLength);
    if (entry.isDirectory) path[length - 1] = separator;
    path[length] = '\0';
    return entry.isDirectory ? EntryKind::kFolder : EntryKind::kFile;
}

}  // namespace quelbrix
