// Access keys of menu items whose texts the system does not know (owner-drawn items): which
// item a pressed character chooses, as the system does for items with texts.
#pragma once

#include <string>
#include <vector>

namespace quelbrix {

enum class AccessKeyAction {
    kNone,     // no item has this access key
    kExecute,  // exactly one item has it: choose that item
    kSelect,   // several items share it: only move the highlight to the next of them
};

struct AccessKeyMatch {
    AccessKeyAction action = AccessKeyAction::kNone;
    int index = -1;  // the item to choose or highlight
};

// The access key of a Shift_JIS item text: the byte after the first single "&" ("&&" stands
// for "&" itself), or 0 when there is none or a double-byte character follows.
char AccessKeyOf(const std::string& text);

// What pressing `pressed` does in a menu with these item texts (an empty text for a separator)
// while item `current` is highlighted (-1 for none). ASCII letters match in either case. With
// several matches the next one after `current` is highlighted, wrapping round to the first.
AccessKeyMatch MatchMenuAccessKey(const std::vector<std::string>& texts, char pressed, int current);

}  // namespace quelbrix
