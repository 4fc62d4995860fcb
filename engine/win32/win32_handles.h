// Owning wrappers of kernel handles: each closes what it holds when destroyed.
#ifndef QUELBRIX_WIN32_HANDLES_H
#define QUELBRIX_WIN32_HANDLES_H

#include <windows.h>

namespace quelbrix {

template <BOOL(WINAPI* Close)(HANDLE)>
class OwnedHandle {
public:
    explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
    ~OwnedHandle() {
        if (IsValid()) Close(handle_);
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    HANDLE Get() const { return handle_; }
    bool IsValid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

using FileHandle = OwnedHandle<CloseHandle>;
using FindHandle = OwnedHandle<FindClose>;

}  // namespace quelbrix

#endif
