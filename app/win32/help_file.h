// HelpFile: the help file beside the program. A stand-in until the help viewer is connected:
// it keeps the file's path and shows nothing.
#pragma once

#include <windows.h>

#include <string>

namespace quelbrix {

class HelpFile {
public:
    void Init(const std::string& folder, const std::string& fileName);
    void ShowHelp(HWND owner);
    // Opens the help at `topic`, a page inside the help file ("_RESOURCE/送る.html").
    void ShowTopic(HWND owner, const char* topic);
    void Shutdown();
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

}  // namespace quelbrix
