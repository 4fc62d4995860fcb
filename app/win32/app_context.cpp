#include "app_context.h"

#include <cstring>

#include "app/sjis.h"
#include "common/product.h"
#include "quelbrix_u_resources.h"

namespace quelbrix {

AppContext theApp;

AppContext::AppContext()
    : commandLineCut(false),
      relativePaths(false),
      showCounts(false),
      listWindowProc(nullptr),
      mainWindow(nullptr),
      instance(nullptr) {
    commandLine[0] = '\0';
    searchFolder[0] = '\0';
    searchWord[0] = '\0';
    exeFolder[0] = '\0';
}

AppContext::~AppContext() {
    profile.reset();
    popupMenu.Reset();
    help.Shutdown();
}

std::string LoadProgramString(HINSTANCE instance, UINT id) {
    char text[kStringTextBytes];
    if (LoadStringA(instance, id, text, sizeof text) <= 0) return "";
    return text;
}

int AppContext::ShowMessage(UINT id, UINT style, HWND owner) const {
    return MessageBoxA(owner != nullptr ? owner : mainWindow,
                       LoadProgramString(instance, id).c_str(), kProgramName, style);
}

}  // namespace quelbrix
