// Texts handed to the help viewer: a page inside the compiled help file, and the check that a
// registered viewer path names one file rather than something looked for along a search path.
#pragma once

#include <cstddef>
#include <string>

namespace quelbrix {

// Pages of help.chm that the settings pages open with their Help buttons.
constexpr char kHelpTopicSettingsDialog[] = "_RESOURCE/「設定」ダイアログ.html";
constexpr char kHelpTopicExtensions[] = "_RESOURCE/検索する拡張子.html";
constexpr char kHelpTopicSendTo[] = "_RESOURCE/送る.html";
constexpr char kHelpTopicPreview[] = "_RESOURCE/プレビュー.html";

// The buffer a topic request is built in.
constexpr std::size_t kHelpTopicTextBytes = 1024;

// Writes `helpPath`, "::" and `topic` (none counts as empty) into `out`, zero-terminated.
// When the whole text and its terminator do not fit in `capacity` bytes, `out` is left empty
// and false is returned: a cut text would name another file or page.
bool ComposeHelpTopicText(const std::string& helpPath, const char* topic, char* out,
                          std::size_t capacity);

// True for "C:\..." (any drive letter, either slash) and "\\server\...": paths that the
// loader takes as they are, never looking in the current folder.
bool IsFullyQualifiedPath(const std::string& path);

}  // namespace quelbrix
