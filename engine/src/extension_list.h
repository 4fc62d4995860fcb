// The Extension list: comma-separated extensions without dots, each item cut to 20 bytes.
#ifndef QUELBRIX_EXTENSION_LIST_H
#define QUELBRIX_EXTENSION_LIST_H

#include <cstddef>
#include <vector>

namespace quelbrix {

constexpr std::size_t kMaxExtensionItem = 20;

struct ExtensionItem {
    char text[kMaxExtensionItem + 1];  // empty: every file
};

// The items in list order, empty items dropped. An empty list yields the one empty item
// (all files); a list of commas only yields none.
std::vector<ExtensionItem> SplitExtensionList(const char* extensions);

// Whether the extension of the path's final component equals `item` (ASCII letters without
// regard to case). An empty item accepts every path; a final component without a dot has no
// extension and is refused.
bool MatchesExtension(const char* path, const char* item);

}  // namespace quelbrix

#endif
