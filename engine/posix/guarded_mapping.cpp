#include "guarded_mapping.h"

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <utility>

namespace quelbrix {

namespace {

// The address range of one live view. The handler reads the table without a lock, so every
// member is a lock-free atomic; a range counts once both ends are set.
struct GuardedRange {
    std::atomic<std::uintptr_t> begin{0};
    std::atomic<std::uintptr_t> end{0};
};
static_assert(std::atomic<std::uintptr_t>::is_always_lock_free,
              "the signal handler reads the ranges");

// More than the search's worker threads ever hold at once (one view each); a view that finds
// no slot is not made, and its file is read instead.
constexpr std::size_t kGuardedSlots = 64;

GuardedRange g_ranges[kGuardedSlots];
std::uintptr_t g_pageBytes = 0;  // set before the handler is installed
struct sigaction g_earlier {};   // the SIGBUS action that was there before ours

// Hands a fault that is not ours to the action that was there before, as if ours did not
// exist. Only async-signal-safe calls.
void PassOn(int signal, siginfo_t* info, void* context) {
    if ((g_earlier.sa_flags & SA_SIGINFO) != 0 && g_earlier.sa_sigaction != nullptr) {
        g_earlier.sa_sigaction(signal, info, context);
        return;
    }
    if (g_earlier.sa_handler != SIG_DFL && g_earlier.sa_handler != SIG_IGN) {
        g_earlier.sa_handler(signal);
        return;
    }
    // The default action: a fault comes again when the handler returns and then ends the
    // process; a signal sent by someone is sent again.
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    sigaction(SIGBUS, &fallback, nullptr);
    if (info->si_code <= 0) raise(signal);
}

// A fault inside a live view: the file ends before the page. Zero pages over the rest of the
// view let the access, and every later one, read zeros; mmap is a plain system call here.
void OnBusError(int signal, siginfo_t* info, void* context) {
    const int savedErrno = errno;
    if (info->si_code > 0) {  // raised by the hardware, with the faulting address
        const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
        for (GuardedRange& range : g_ranges) {
            const std::uintptr_t begin = range.begin.load(std::memory_order_acquire);
            const std::uintptr_t end = range.end.load(std::memory_order_acquire);
            if (begin == 0 || address < begin || address >= end) continue;
            const std::uintptr_t from = address & ~(g_pageBytes - 1);
            void* zeros = mmap(reinterpret_cast<void*>(from), end - from, PROT_READ | PROT_WRITE,
                               MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
            if (zeros != MAP_FAILED) {
                errno = savedErrno;
                return;
            }
            break;
        }
    }
    errno = savedErrno;
    PassOn(signal, info, context);
}

// Installs the handler on the first call; false when it could not be.
bool GuardInstalled() {
    static const bool installed = [] {
        const long page = sysconf(_SC_PAGESIZE);
        if (page <= 0) return false;
        g_pageBytes = static_cast<std::uintptr_t>(page);
        if (sigaction(SIGBUS, nullptr, &g_earlier) != 0) return false;
        struct sigaction ours {};
        ours.sa_sigaction = OnBusError;
        ours.sa_flags = SA_SIGINFO | SA_RESTART;
        sigemptyset(&ours.sa_mask);
        return sigaction(SIGBUS, &ours, &g_earlier) == 0;
    }();
    return installed;
}

// A slot for [begin, end); null when every slot is taken.
GuardedRange* Claim(std::uintptr_t begin, std::uintptr_t end) {
    for (GuardedRange& range : g_ranges) {
        std::uintptr_t unused = 0;
        if (range.begin.compare_exchange_strong(unused, begin, std::memory_order_acq_rel)) {
            range.end.store(end, std::memory_order_release);
            return &range;
        }
    }
    return nullptr;
}

void Vacate(GuardedRange& range) {
    range.end.store(0, std::memory_order_release);
    range.begin.store(0, std::memory_order_release);
}

// Pages this process reserved, unmapped when destroyed.
class ReservedPages {
public:
    ReservedPages(void* base, std::size_t bytes) : base_(base), bytes_(bytes) {}
    ~ReservedPages() {
        if (base_ != MAP_FAILED) munmap(base_, bytes_);
    }
    ReservedPages(ReservedPages&& other) noexcept : base_(other.base_), bytes_(other.bytes_) {
        other.base_ = MAP_FAILED;
    }
    ReservedPages(const ReservedPages&) = delete;
    ReservedPages& operator=(const ReservedPages&) = delete;
    ReservedPages& operator=(ReservedPages&&) = delete;
    bool Valid() const { return base_ != MAP_FAILED; }
    char* Begin() const { return static_cast<char*>(base_); }
    std::size_t Bytes() const { return bytes_; }

private:
    void* base_;
    std::size_t bytes_;
};

// A slot held for the life of a view, vacated before its pages go, so that the handler never
// lays zeros over pages that someone else has mapped since.
class HeldSlot {
public:
    explicit HeldSlot(GuardedRange* range) : range_(range) {}
    ~HeldSlot() {
        if (range_ != nullptr) Vacate(*range_);
    }
    HeldSlot(HeldSlot&& other) noexcept : range_(other.range_) { other.range_ = nullptr; }
    HeldSlot(const HeldSlot&) = delete;
    HeldSlot& operator=(const HeldSlot&) = delete;
    HeldSlot& operator=(HeldSlot&&) = delete;
    bool Valid() const { return range_ != nullptr; }

private:
    GuardedRange* range_;
};

class GuardedView : public MappedView {
public:
    GuardedView(ReservedPages pages, HeldSlot slot, std::size_t size)
        : MappedView(pages.Begin(), size), pages_(std::move(pages)), slot_(std::move(slot)) {}
    // The slot goes first, then the pages (members are destroyed in reverse order).
    ~GuardedView() override = default;

private:
    ReservedPages pages_;
    HeldSlot slot_;
};

}  // namespace

std::unique_ptr<MappedView> MapGuarded(int fd, std::size_t size) {
    if (size == 0 || !GuardInstalled()) return nullptr;
    const std::size_t page = g_pageBytes;
    if (size > SIZE_MAX - 2 * page) return nullptr;
    const std::size_t fileBytes = (size + page - 1) / page * page;
    // The file's pages and one more: a page of zeros after the file whatever its size.
    ReservedPages pages(mmap(nullptr, fileBytes + page, PROT_READ,
                             MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0),
                        fileBytes + page);
    if (!pages.Valid()) return nullptr;
    const auto begin = reinterpret_cast<std::uintptr_t>(pages.Begin());
    HeldSlot slot(Claim(begin, begin + pages.Bytes()));
    if (!slot.Valid()) return nullptr;
    // From here on a fault inside the pages reads zeros.
    if (mmap(pages.Begin(), size, PROT_READ, MAP_PRIVATE | MAP_FIXED, fd, 0) == MAP_FAILED)
        return nullptr;
    madvise(pages.Begin(), fileBytes, MADV_SEQUENTIAL);
    if (size % page != 0) {
        // The kernel fills the last page past the end with zeros, but it shows what a writer
        // appends meanwhile; a private copy of the page keeps the zero that ends the text.
        char* last = pages.Begin() + (size - size % page);
        if (mprotect(last, page, PROT_READ | PROT_WRITE) != 0) return nullptr;
        pages.Begin()[size] = '\0';
        mprotect(last, page, PROT_READ);
    }
    return std::make_unique<GuardedView>(std::move(pages), std::move(slot), size);
}

}  // namespace quelbrix
