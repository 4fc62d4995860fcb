// The preview of hit lines below the result list, and the editor that a preview line opens, as
// the settings page "プレビュー" and [preview] keep them; and the preview's height in [main].
#pragma once

#include <string>

#include "app/profile_file.h"

namespace quelbrix {

constexpr int kMostContextLines = 9;

// [preview]
struct PreviewSettings {
    std::string editorPath;       // editor: the editor program; "" opens as このファイルを開く does
    std::string editorArguments;  // arguments: the template (%F the path, %L the line)
    int contextLines = 0;         // context: lines shown around each hit line, 0 to 9
    bool hidden = false;          // hide: 1 hides the preview pane
};

// A missing key reads as the default; a context count that is not 0 to 9 reads as 0, hide is
// on only for a stored 1; both texts are cut to kEditTextBytes at a character boundary.
PreviewSettings LoadPreviewSettings(ProfileFile& profile);
// Writes editor, arguments, context and hide, in that order.
void SavePreviewSettings(ProfileFile& profile, const PreviewSettings& settings);

// The context count as typed on the settings page: a whole decimal number, blanks around it
// and a sign before it allowed, clamped to 0 to kMostContextLines ("12" is 9, "-2" is 0).
// Anything else (empty, letters, a fraction) gives `shown`, the count the page showed, so a
// stray text changes nothing.
int ContextLinesFromText(const std::string& text, int shown);

// [main] preview: the preview pane's height in pixels at 96 DPI; 0 when it was dragged shut.
// `present` is false when the key is missing or not a number from 0 to 4000, and the window
// then gives the pane its default height.
struct PreviewHeight {
    bool present = false;
    int height = 0;
};
PreviewHeight LoadPreviewHeight(ProfileFile& profile);
void SavePreviewHeight(ProfileFile& profile, int height);

}  // namespace quelbrix
