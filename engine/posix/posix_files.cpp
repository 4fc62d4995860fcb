#include "engine/posix_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

#include "engine/bounded_text.h"
#include "guarded_mapping.h"

namespace quelbrix {

namespace {

class PosixListing : public FolderListing {
public:
    explicit PosixListing(const char* folder) : dir_(opendir(folder)) {}
    ~PosixListing() override {
        if (dir_ != nullptr) closedir(dir_);
    }
    bool IsOpen() const { return dir_ != nullptr; }
    PosixListing(const PosixListing&) = delete;
    PosixListing& operator=(const PosixListing&) = delete;

    bool Next(FolderEntry& entry) override {
        const dirent* found = readdir(dir_);
        if (found == nullptr) return false;
        CopyBounded(entry.name, sizeof entry.name, found->d_name);
        entry.isDirectory = found->d_type == DT_DIR;
        if (found->d_type == DT_LNK || found->d_type == DT_UNKNOWN) {
            struct stat target;
            entry.isDirectory =
                fstatat(dirfd(dir_), found->d_name, &target, 0) == 0 && S_ISDIR(target.st_mode);
        }
        return true;
    }

    bool Identify(FolderIdentity& id) override {
        struct stat info;
        if (fstat(dirfd(dir_), &info) != 0) return false;
        id.volume = static_cast<std::uint64_t>(info.st_dev);
        id.file = static_cast<std::uint64_t>(info.st_ino);
        return true;
    }

private:
    DIR* dir_;
};

class PosixFile : public OpenFile {
public:
    // Non-blocking, so that a named pipe in the tree cannot hang the walk; only regular
    // files are kept open. `problem` says why a file could not be opened.
    explicit PosixFile(const char* path) : fd_(open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {
        if (fd_ < 0) {
            problem = std::strerror(errno);
        } else if (fstat(fd_, &info_) != 0) {
            problem = std::strerror(errno);
        } else if (S_ISDIR(info_.st_mode)) {
            problem = std::strerror(EISDIR);
        } else if (!S_ISREG(info_.st_mode)) {
            problem = "not a regular file";
        }
    }
    ~PosixFile() override {
        if (fd_ >= 0) close(fd_);
    }
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    std::uint64_t Size() override { return static_cast<std::uint64_t>(info_.st_size); }

    bool LastWriteUtc(CalendarTime& time) override {
        std::tm fields{};
        time_t seconds = info_.st_mtime;
        if (gmtime_r(&seconds, &fields) == nullptr) return false;
        time = CalendarTime{fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday,
                            fields.tm_hour,        fields.tm_min,     fields.tm_sec};
        return true;
    }

    // read() may deliver less than asked (large sizes, signals): go on until the end.
    bool Read(char* buffer, std::uint32_t size, std::uint32_t& delivered) override {
        delivered = 0;
        while (delivered < size) {
            ssize_t got = read(fd_, buffer + delivered, size - delivered);
            if (got < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            if (got == 0) break;
            delivered += static_cast<std::uint32_t>(got);
        }
        return true;
    }

    std::unique_ptr<MappedView> Map() override {
        return MapGuarded(fd_, static_cast<std::size_t>(info_.st_size));
    }

    const char* problem = nullptr;

private:
    int fd_;
    struct stat info_ {};
};

}  // namespace

std::unique_ptr<FolderListing> PosixFileSystem::ListFolder(const char* folder) {
    auto listing = std::make_unique<PosixListing>(folder);
    if (!listing->IsOpen()) return nullptr;
    return listing;
}

std::unique_ptr<OpenFile> PosixFileSystem::OpenForReading(const char* path, char* errorText,
                                                          std::size_t errorTextSize) {
    auto file = std::make_unique<PosixFile>(path);
    if (file->problem != nullptr) {
        CopyBounded(errorText, errorTextSize, file->problem);
        return nullptr;
    }
    return file;
}

}  // namespace quelbrix
