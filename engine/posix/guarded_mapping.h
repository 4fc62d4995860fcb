// Read-only mappings of whole files that survive the file being cut while they are mapped.
#ifndef QUELBRIX_GUARDED_MAPPING_H
#define QUELBRIX_GUARDED_MAPPING_H

#include <cstddef>
#include <memory>

#include "engine/platform.h"

namespace quelbrix {

// Maps the first `size` bytes of the regular file open as `fd`, followed by a zero byte that
// is the view's own (a page of zeros after a size that fills its pages, a private copy of the
// last page otherwise). Should the file shrink while the view lives, the bytes past its new end
// read as zeros instead of raising SIGBUS: a process-wide handler, installed with the first
// view and passing every other fault to the handler before it, lays zero pages over the view
// from the faulting page on. Null when the file cannot be mapped, for an empty file, or while
// every guarded slot is taken by a live view; the caller then reads the file. Views may be made,
// read and destroyed on several threads at once; each view is read by one thread at a time.
std::unique_ptr<MappedView> MapGuarded(int fd, std::size_t size);

}  // namespace quelbrix

#endif
