#include "app/history.h"

namespace quelbrix {

namespace {

std::string SlotKey(int slot) { return "h" + std::to_string(slot); }

}  // namespace

std::vector<std::string> ReadHistory(ProfileFile& profile, const std::string& section) {
    profile.SetSection(section);
    std::vector<std::string> entries;
    for (int slot = 0; slot < kHistorySlots; ++slot) {
        std::string value = profile.GetString(SlotKey(slot), kHistoryValueBytes);
        if (!value.empty()) entries.push_back(value);
    }
    return entries;
}

void AddToHistory(ProfileFile& profile, const std::string& section, const std::string& entry) {
    profile.SetSection(section);
    int found = -1;
    for (int slot = 0; slot < kHistorySlots && found < 0; ++slot) {
        if (profile.GetString(SlotKey(slot), kHistoryValueBytes) == entry) found = slot;
    }
    const int top = found >= 0 ? found : kHistorySlots - 1;
    for (int slot = top; slot >= 1; --slot) {
        const std::string previous = profile.GetString(SlotKey(slot - 1), kHistoryValueBytes);
        profile.WriteString(SlotKey(slot), previous);
    }
    profile.WriteString(SlotKey(0), entry);
}

void ClearHistory(ProfileFile& profile, const std::string& section) {
    profile.SetSection(section);
    for (int slot = 0; slot < kHistorySlots; ++slot) profile.WriteString(SlotKey(slot), "");
}

}  // namespace quelbrix
