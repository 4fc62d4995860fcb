#include "app/history.h"

#include "app/settings_keys.h"

namespace quelbrix {

std::vector<std::string> ReadHistory(ProfileFile& profile, const std::string& section) {
    profile.SetSection(section);
    std::vector<std::string> entries;
    for (int slot = 0; slot < kHistorySlots; ++slot) {
        std::string value = profile.GetString(HistorySlotKey(slot), kHistoryValueBytes);
        if (!value.empty()) entries.push_back(value);
    }
    return entries;
}

void AddToHistory(ProfileFile& profile, const std::string& section, const std::string& entry) {
    profile.SetSection(section);
    int found = -1;
    for (int slot = 0; slot < kHistorySlots && found < 0; ++slot) {
        if (profile.GetString(HistorySlotKey(slot), kHistoryValueBytes) == entry) found = slot;
    }
    const int top = found >= 0 ? found : kHistorySlots - 1;
    for (int slot = top; slot >= 1; --slot) {
        const std::string previous =
            profile.GetString(HistorySlotKey(slot - 1), kHistoryValueBytes);
        profile.WriteString(HistorySlotKey(slot), previous);
    }
    profile.WriteString(HistorySlotKey(0), entry);
}

void ClearHistory(ProfileFile& profile, const std::string& section) {
    profile.SetSection(section);
    for (int slot = 0; slot < kHistorySlots; ++slot) profile.WriteString(HistorySlotKey(slot), "");
}

}  // namespace quelbrix
