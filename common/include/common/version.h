// The program's version, which its title, its version page, the settings file it writes and
// the result report all show.
#ifndef QUELBRIX_COMMON_VERSION_H
#define QUELBRIX_COMMON_VERSION_H

namespace quelbrix {

constexpr int kProgramVersion = 413;  // 4.13, in hundredths
constexpr int kProgramBeta = 0;

}  // namespace quelbrix

#endif
