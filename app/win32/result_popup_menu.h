// The result list's popup menu draws its items itself: here they are measured and drawn.
#pragma once

#include <windows.h>

namespace quelbrix {

// WM_MEASUREITEM of a popup menu item: its text in the default GUI font, 8 pixels taller and
// 26 wider (the left strip with the bitmap); the separator two thirds as tall.
void MeasureMenuItem(MEASUREITEMSTRUCT* item);
// WM_DRAWITEM of a popup menu item (whole item or selection change).
void DrawMenuItem(const DRAWITEMSTRUCT* item);

}  // namespace quelbrix
