#include "utf8_names.h"

#include "common/bounded_copy.h"
#include "kanji/unicode_text.h"
#include "utf8_terminal.h"

namespace quelbrix {

namespace {

std::string Utf8Name(const std::string& sjis) { return SjisToUtf8(sjis.data(), sjis.size()); }

class Utf8NamedListing : public FolderListing {
public:
    Utf8NamedListing(std::unique_ptr<FolderListing> native, std::string folder,
                     std::string nativeFolder, Utf8NamedFileSystem& files)
        : native_(std::move(native)),
          folder_(std::move(folder)),
          nativeFolder_(std::move(nativeFolder)),
          folderRenamed_(nativeFolder_ != Utf8Name(folder_)),
          files_(files) {}

    bool Next(FolderEntry& entry) override {
        if (!native_->Next(entry)) return false;
        const std::string name = entry.name;
        std::string sjis;
        Utf8ToSjisLossy(name, sjis);
        // Shift_JIS never takes more bytes than UTF-8 for the same characters.
        CopyBounded(entry.name, sizeof entry.name, sjis);
        if (folderRenamed_ || Utf8Name(entry.name) != name)
            files_.Remember(folder_ + entry.name, nativeFolder_ + name);
        return true;
    }
    bool Identify(FolderIdentity& id) override { return native_->Identify(id); }

private:
    std::unique_ptr<FolderListing> native_;
    std::string folder_;
    std::string nativeFolder_;
    bool folderRenamed_;
    Utf8NamedFileSystem& files_;
};

}  // namespace

void Utf8NamedFileSystem::Remember(const std::string& sjisPath, const std::string& nativePath) {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto inserted = renamed_.emplace(sjisPath, nativePath);
    if (!inserted.second && inserted.first->second != nativePath) ambiguous_.insert(sjisPath);
}

Utf8NamedFileSystem::Resolved Utf8NamedFileSystem::Resolve(const std::string& sjisPath) const {
    Resolved r;
    r.path = Utf8Name(sjisPath);
    std::lock_guard<std::mutex> lock(mutex_);
    if (ambiguous_.count(sjisPath) != 0) {
        r.ambiguous = true;
    } else {
        const auto found = renamed_.find(sjisPath);
        if (found != renamed_.end() && found->second != r.path) {
            r.twin = r.path;  // a name that converts unchanged would meet it here
            r.path = found->second;
        }
    }
    return r;
}

std::unique_ptr<FolderListing> Utf8NamedFileSystem::ListFolder(const char* folder) {
    std::string path = folder;
    if (path.empty()) return nullptr;
    // A folder's path ends with the separator; it was remembered without it.
    const char separator = path.back();
    Resolved native = Resolve(path.substr(0, path.size() - 1));
    if (native.ambiguous ||
        (!native.twin.empty() && native_.ListFolder((native.twin + separator).c_str())))
        return nullptr;
    native.path += separator;
    std::unique_ptr<FolderListing> listing = native_.ListFolder(native.path.c_str());
    if (!listing) return nullptr;
    return std::make_unique<Utf8NamedListing>(std::move(listing), std::move(path),
                                              std::move(native.path), *this);
}

std::unique_ptr<OpenFile> Utf8NamedFileSystem::OpenForReading(const char* path, char* errorText,
                                                              std::size_t errorTextSize) {
    const Resolved native = Resolve(path);
    if (native.ambiguous ||
        (!native.twin.empty() &&
         native_.OpenForReading(native.twin.c_str(), errorText, errorTextSize))) {
        CopyBounded(errorText, errorTextSize,
                    "Shift_JIS で書くと同じ名前になるファイルが他にもあります。");
        return nullptr;
    }
    return native_.OpenForReading(native.path.c_str(), errorText, errorTextSize);
}

}  // namespace quelbrix
