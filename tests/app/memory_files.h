// An in-memory file system for the settings tests: files are a path-to-bytes map.
#pragma once

#include <map>
#include <set>
#include <string>

#include "app/profile_file.h"

class MemoryFiles : public quelbrix::FileAccess {
public:
    quelbrix::ReadResult ReadAll(const std::string& path, std::string& bytes) override {
        if (unreadable.count(path)) return quelbrix::ReadResult::kFailed;
        auto it = files.find(path);
        if (it == files.end()) return quelbrix::ReadResult::kMissing;
        bytes = it->second;
        ++reads;
        return quelbrix::ReadResult::kRead;
    }
    bool WriteAll(const std::string& path, const std::string& bytes) override {
        if (unwritable.count(path) || unreadable.count(path)) return false;
        files[path] = bytes;
        ++writes;
        return true;
    }

    std::map<std::string, std::string> files;
    std::set<std::string> unreadable;
    std::set<std::string> unwritable;
    int reads = 0;
    int writes = 0;
};
