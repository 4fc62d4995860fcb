#include "app/window_layout.h"

#include <cstdlib>
#include <vector>

#include "app/settings_keys.h"
#include "common/text_limits.h"

namespace quelbrix {

namespace {

// Coordinates and sizes Windows keeps in 16 bits.
constexpr long kLargestCoordinate = 32767;

int Followed(Follow follow, int grown) { return follow == Follow::kStay ? 0 : grown; }

// Fields separated by commas, each an optional '-' and 1 to 6 digits, within the bounds.
bool ParseNumbers(const std::string& text, std::size_t count, long least, long most,
                  std::vector<long>& numbers) {
    numbers.clear();
    std::size_t at = 0;
    for (std::size_t field = 0; field < count; ++field) {
        if (field > 0) {
            if (at >= text.size() || text[at] != ',') return false;
            ++at;
        }
        const bool negative = at < text.size() && text[at] == '-';
        if (negative) ++at;
        long value = 0;
        std::size_t digits = 0;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9' && digits < 7) {
            value = value * 10 + (text[at] - '0');
            ++at;
            ++digits;
        }
        if (digits == 0 || digits > 6) return false;
        if (negative) value = -value;
        if (value < least || value > most) return false;
        numbers.push_back(value);
    }
    return at == text.size();
}

}  // namespace

LayoutRect Anchored(const LayoutRect& original, int grownWidth, int grownHeight,
                    Anchoring anchoring) {
    const int dx = grownWidth > 0 ? grownWidth : 0;
    const int dy = grownHeight > 0 ? grownHeight : 0;
    LayoutRect rect = original;
    rect.right += Followed(anchoring.horizontal, dx);
    rect.bottom += Followed(anchoring.vertical, dy);
    if (anchoring.horizontal == Follow::kMove) rect.left += dx;
    if (anchoring.vertical == Follow::kMove) rect.top += dy;
    return rect;
}

LayoutRect BroughtOnto(const LayoutRect& window, const LayoutRect& area) {
    LayoutRect rect = window;
    int dx = 0, dy = 0;
    if (rect.right > area.right) dx = area.right - rect.right;
    if (rect.left + dx < area.left) dx = area.left - rect.left;
    if (rect.bottom > area.bottom) dy = area.bottom - rect.bottom;
    if (rect.top + dy < area.top) dy = area.top - rect.top;
    rect.left += dx;
    rect.right += dx;
    rect.top += dy;
    rect.bottom += dy;
    return rect;
}

bool ParsePlacement(const std::string& text, LayoutRect& normal, bool& maximized) {
    std::vector<long> numbers;
    if (!ParseNumbers(text, 5, -kLargestCoordinate, kLargestCoordinate, numbers)) return false;
    LayoutRect rect;
    rect.left = static_cast<int>(numbers[0]);
    rect.top = static_cast<int>(numbers[1]);
    rect.right = static_cast<int>(numbers[2]);
    rect.bottom = static_cast<int>(numbers[3]);
    if (rect.Width() <= 0 || rect.Height() <= 0 || rect.Width() > kLargestCoordinate ||
        rect.Height() > kLargestCoordinate || (numbers[4] != 0 && numbers[4] != 1))
        return false;
    normal = rect;
    maximized = numbers[4] == 1;
    return true;
}

bool ParseColumnWidths(const std::string& text, int (&columns)[kListColumnCount]) {
    std::vector<long> numbers;
    if (!ParseNumbers(text, kListColumnCount, 0, kWidestColumn, numbers)) return false;
    for (int i = 0; i < kListColumnCount; ++i) columns[i] = static_cast<int>(numbers[i]);
    return true;
}

std::string FormatPlacement(const LayoutRect& normal, bool maximized) {
    return std::to_string(normal.left) + "," + std::to_string(normal.top) + "," +
           std::to_string(normal.right) + "," + std::to_string(normal.bottom) + "," +
           (maximized ? "1" : "0");
}

std::string FormatColumnWidths(const int (&columns)[kListColumnCount]) {
    std::string text;
    for (int i = 0; i < kListColumnCount; ++i) {
        if (i > 0) text += ',';
        text += std::to_string(columns[i]);
    }
    return text;
}

MainWindowPlace LoadMainWindowPlace(ProfileFile& profile) {
    profile.SetSection(kMainSection);
    MainWindowPlace place;
    place.hasPlacement = ParsePlacement(profile.GetString(kPlacementKey, kEditTextBytes),
                                        place.normal, place.maximized);
    place.hasColumns =
        ParseColumnWidths(profile.GetString(kColumnsKey, kEditTextBytes), place.columns);
    return place;
}

void SaveMainWindowPlace(ProfileFile& profile, const MainWindowPlace& place) {
    profile.SetSection(kMainSection);
    if (place.hasPlacement)
        profile.WriteString(kPlacementKey, FormatPlacement(place.normal, place.maximized));
    if (place.hasColumns) profile.WriteString(kColumnsKey, FormatColumnWidths(place.columns));
}

}  // namespace quelbrix
