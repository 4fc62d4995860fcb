// A file system whose names are UTF-8, shown to the engine in Shift_JIS: the UTF-8 terminal
// mode searches folders named as a UTF-8 system names them, and the engine's paths, rows and
// messages stay Shift_JIS throughout.
#ifndef QUELBRIX_CLI_UTF8_NAMES_H
#define QUELBRIX_CLI_UTF8_NAMES_H

#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "engine/platform.h"

namespace quelbrix {

class Utf8NamedFileSystem : public FileSystem {
public:
    explicit Utf8NamedFileSystem(FileSystem& native) : native_(native) {}

    std::unique_ptr<FolderListing> ListFolder(const char* folder) override;
    std::unique_ptr<OpenFile> OpenForReading(const char* path, char* errorText,
                                             std::size_t errorTextSize) override;
    char Separator() const override { return native_.Separator(); }

    // Most names convert to Shift_JIS and back unchanged. Those that do not (a '?' for a
    // character Shift_JIS lacks, a yen sign read back as a backslash) and everything below a
    // folder so named are remembered with their own path, so the engine opens the very file
    // it listed. Two names that meet in one Shift_JIS path are refused, never mixed up.
    void Remember(const std::string& sjisPath, const std::string& nativePath);

private:
    // The native path of an engine path, and the path a name converting unchanged would have
    // there when that differs (the two must not both exist).
    struct Resolved {
        std::string path;
        std::string twin;
        bool ambiguous = false;  // two listed names met in this path
    };
    Resolved Resolve(const std::string& sjisPath) const;

    FileSystem& native_;
    // The walk remembers names while the threads of a search open files: the two maps are
    // read and written only under the lock. A file is opened only after the walk listed it,
    // so its name is remembered by then.
    mutable std::mutex mutex_;
    std::map<std::string, std::string> renamed_;
    std::set<std::string> ambiguous_;
};

}  // namespace quelbrix

#endif
