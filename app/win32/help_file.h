// HelpFile: the compiled help file beside the program, shown by the HTML Help control
// (html_help.h). Without the control every request does nothing, without a message.
#pragma once

#include <windows.h>

#include <string>

namespace quelbrix {

class HelpFile {
public:
    // Keeps `folder` + `fileName` as the help path and initialises the control (loading it).
    void Init(const std::string& folder, const std::string& fileName);
    // Hands the control's cookie back; nothing when Init never ran.
    void Shutdown();
    // Opens the help at its default topic.
    void ShowHelp(HWND owner);
    // Opens the help at `topic`, a page inside the help file ("_RESOURCE/送る.html"), with the
    // contents shown. A path and topic longer than the request buffer open nothing.
    void ShowTopic(HWND owner, const char* topic);
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    DWORD cookie_ = 0;
    bool initialised_ = false;
};

}  // namespace quelbrix
