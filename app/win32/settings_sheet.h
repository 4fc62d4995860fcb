// The settings dialog: a modal property sheet of five pages (General, Extensions, Other, the
// version page and Preview, one source file each), owned by the main window.
#pragma once

#include <windows.h>

#include <memory>

#include "dialog.h"

namespace quelbrix {

struct AppContext;

// The main window's two history boxes, which the Other page empties with their histories.
class HistoryBoxes {
public:
    // Empties the list and the text of the box that shows history `section`.
    virtual void EmptyHistoryBox(const char* section) = 0;

protected:
    ~HistoryBoxes() = default;
};

// Runs the sheet, owned by `owner`, until the user closes it. The pages write the settings
// file on OK.
void SettingsSheet(AppContext& app, HWND owner, HistoryBoxes& boxes);

// The pages.
std::unique_ptr<PropertyPage> NewGeneralPage(AppContext& app);
std::unique_ptr<PropertyPage> NewExtensionsPage(AppContext& app);
std::unique_ptr<PropertyPage> NewOtherPage(AppContext& app, HistoryBoxes& boxes);
std::unique_ptr<PropertyPage> NewVersionPage(AppContext& app);
std::unique_ptr<PropertyPage> NewPreviewPage(AppContext& app);

}  // namespace quelbrix
