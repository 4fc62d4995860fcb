// The two input histories: twenty keys "h0".."h19" of one settings section, newest first.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "app/profile_file.h"
#include "app/settings_keys.h"

namespace quelbrix {

constexpr int kHistorySlots = 20;
constexpr std::size_t kHistoryValueBytes = 1023;

// The non-empty entries in slot order; empty slots leave no gap.
std::vector<std::string> ReadHistory(ProfileFile& profile, const std::string& section);

// Moves `entry` to "h0". When it is already present (compared byte for byte) the entries in
// front of it move down one slot and those behind it stay; otherwise every entry moves down
// and the one in "h19" is dropped. Each slot is written to the file as it is moved.
void AddToHistory(ProfileFile& profile, const std::string& section, const std::string& entry);

// Writes every slot of `section` as the empty string; the keys stay in the file.
void ClearHistory(ProfileFile& profile, const std::string& section);

}  // namespace quelbrix
