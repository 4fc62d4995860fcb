#include "help_file.h"

namespace quelbrix {

void HelpFile::Init(const std::string& folder, const std::string& fileName) {
    path_ = folder + fileName;
}

void HelpFile::ShowHelp(HWND) {}

void HelpFile::ShowTopic(HWND, const char*) {}

void HelpFile::Shutdown() { path_.clear(); }

}  // namespace quelbrix
