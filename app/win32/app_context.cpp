#include "app_context.h"

#include "app/message_text.h"
#include "common/product.h"

namespace quelbrix {

namespace {

bool LoadText(HINSTANCE instance, UINT id, char (&text)[kStringTextBytes]) {
    if (LoadStringA(instance, id, text, sizeof text) > 0) return true;
    text[0] = '\0';
    return false;
}

}  // namespace

std::string LoadProgramString(HINSTANCE instance, UINT id) {
    char text[kStringTextBytes];
    LoadText(instance, id, text);
    return text;
}

AppContext::~AppContext() {
    profile.reset();
    popupMenu.Reset();
    help.Shutdown();
}

int AppContext::ShowMessage(UINT id, UINT style, HWND owner) const {
    char text[kStringTextBytes];
    LoadText(instance, id, text);
    return MessageBoxA(owner != nullptr ? owner : mainWindow, text, kProgramName, style);
}

int AppContext::ShowMessageWith(UINT id, const std::string& detail, UINT style, HWND owner) const {
    const std::string text = MessageWithDetail(LoadProgramString(instance, id), detail);
    return MessageBoxA(owner != nullptr ? owner : mainWindow, text.c_str(), kProgramName, style);
}

}  // namespace quelbrix
