// What a file that cannot be opened, read or converted does to a search. The settings file
// keeps it as [whole] error, the General page offers the three choices, the command line
// takes it as --error-policy and the engine acts on it; the engine's DLL carries it as an int.
#ifndef QUELBRIX_COMMON_ERROR_POLICY_H
#define QUELBRIX_COMMON_ERROR_POLICY_H

namespace quelbrix {

// A value other than these three may arrive from a settings file edited by hand; it is kept
// as it is (the engine answers it with a message of its own).
enum class ErrorPolicy : int {
    kAsk = 0,   // ask the user whether to go on
    kSkip = 1,  // skip the failing file silently
    kStop = 2,  // end the search silently
};

}  // namespace quelbrix

#endif
