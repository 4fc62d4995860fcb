#include "help_file.h"

#include "app/help_topic.h"
#include "html_help.h"

namespace quelbrix {

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
