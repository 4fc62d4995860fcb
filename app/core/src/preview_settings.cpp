#include "app/preview_settings.h"

#include "app/settings_keys.h"
#include "app/sjis.h"
#include "common/text_limits.h"

namespace quelbrix {

namespace {

constexpr int kTallestPreview = 4000;

// A whole decimal number from 0 to `most`, nothing else; -1 otherwise.
int SmallNumber(const std::string& text, int most) {
    if (text.empty() || text.size() > 5) return -1;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value <= most ? value : -1;
}

}  // namespace

PreviewSettings LoadPreviewSettings(ProfileFile& profile) {
    profile.SetSection(kPreviewSection);
    PreviewSettings settings;
    settings.editorPath = profile.GetString(kEditorPathKey, kEditTextBytes);
    settings.editorArguments = profile.GetString(kEditorArgumentsKey, kEditTextBytes);
    const int context = SmallNumber(profile.GetString(kContextLinesKey, 8), kMostContextLines);
    settings.contextLines = context < 0 ? 0 : context;
    settings.hidden = profile.GetInt(kHidePreviewKey) == 1;
    return settings;
}

void SavePreviewSettings(ProfileFile& profile, const PreviewSettings& settings) {
    profile.SetSection(kPreviewSection);
    profile.WriteString(kEditorPathKey, CutAtCharBoundary(settings.editorPath, kEditTextBytes));
    profile.WriteString(kEditorArgumentsKey,
                        CutAtCharBoundary(settings.editorArguments, kEditTextBytes));
    const int context = settings.contextLines < 0 || settings.contextLines > kMostContextLines
                            ? 0
                            : settings.contextLines;
    profile.WriteInt(kContextLinesKey, context);
    profile.WriteInt(kHidePreviewKey, settings.hidden ? 1 : 0);
}

int ContextLinesFromText(const std::string& text, int shown) {
    std::size_t at = 0;
    std::size_t end = text.size();
    while (at < end && text[at] == ' ') ++at;
    while (end > at && text[end - 1] == ' ') --end;
    bool negative = false;
    if (at < end && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
    if (at == end) return shown;
    int value = 0;
    for (; at < end; ++at) {
        const char c = text[at];
        if (c < '0' || c > '9') return shown;
        // Past the largest count a digit only makes it larger: stop growing, keep checking.
        if (value <= kMostContextLines) value = value * 10 + (c - '0');
    }
    if (negative) return 0;
    return value > kMostContextLines ? kMostContextLines : value;
}

PreviewHeight LoadPreviewHeight(ProfileFile& profile) {
    profile.SetSection(kMainSection);
    const int height = SmallNumber(profile.GetString(kPreviewHeightKey, 8), kTallestPreview);
    PreviewHeight stored;
    stored.present = height >= 0;
    stored.height = stored.present ? height : 0;
    return stored;
}

void SavePreviewHeight(ProfileFile& profile, int height) {
    profile.SetSection(kMainSection);
    if (height < 0) height = 0;
    if (height > kTallestPreview) height = kTallestPreview;
    profile.WriteInt(kPreviewHeightKey, height);
}

}  // namespace quelbrix
