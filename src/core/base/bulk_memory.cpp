#include "base/bulk_memory.h"

#include <cstdint>
#include <mutex>
#include <new>
#include <vector>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace sorvane {
namespace {

constexpr std::size_t kLargePage = std::size_t{2} << 20;

std::size_t RoundUp(std::size_t bytes) {
    return (bytes + kLargePage - 1) / kLargePage * kLargePage;
}

// Freed blocks kept for the next working set, up to this many bytes in all: a run after the
// first then finds its memory mapped and its pages present, instead of having the system
// clear them again (a day's comparison takes some 70 MB).
constexpr std::size_t kKeptBytes = std::size_t{256} << 20;

class LargePageResource final : public std::pmr::memory_resource {
  public:
    ~LargePageResource() override {
        for (const Block& b : kept_) Release(b.start, b.size);
    }

  private:
    struct Block {
        void* start;
        std::size_t size;
    };

    void* do_allocate(std::size_t bytes, std::size_t alignment) override {
        if (alignment > kLargePage) throw std::bad_alloc();
        const std::size_t size = RoundUp(bytes == 0 ? 1 : bytes);
        {
            // A kept block of the very size: a working set asks for the same sizes each time.
            std::lock_guard<std::mutex> lock(mutex_);
            for (size_t i = 0; i < kept_.size(); ++i) {
                if (kept_[i].size != size) continue;
                void* p = kept_[i].start;
                keptBytes_ -= size;
                kept_[i] = kept_.back();
                kept_.pop_back();
                return p;
            }
        }
        return Map(size);
    }

    void do_deallocate(void* p, std::size_t bytes, std::size_t) override {
        const std::size_t size = RoundUp(bytes == 0 ? 1 : bytes);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (keptBytes_ + size <= kKeptBytes) {
                kept_.push_back({p, size});
                keptBytes_ += size;
                return;
            }
        }
        Release(p, size);
    }

    static void* Map(std::size_t size) {
#if defined(__linux__)
        // Mapped with a page to spare, then trimmed to a block that starts on a large page.
        void* p = ::mmap(nullptr, size + kLargePage, PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED) throw std::bad_alloc();
        auto* raw = static_cast<char*>(p);
        auto* start = reinterpret_cast<char*>(
            (reinterpret_cast<std::uintptr_t>(raw) + kLargePage - 1) & ~(kLargePage - 1));
        if (start > raw) ::munmap(raw, static_cast<std::size_t>(start - raw));
        char* end = start + size;
        const std::size_t after = static_cast<std::size_t>(raw + size + kLargePage - end);
        if (after > 0) ::munmap(end, after);
        // Advice only: where large pages are off this fails and small pages serve.
        ::madvise(start, size, MADV_HUGEPAGE);
        return start;
#else
        return ::operator new(size, std::align_val_t(kLargePage));
#endif
    }

    static void Release(void* p, std::size_t size) {
#if defined(__linux__)
        ::munmap(p, size);
#else
        ::operator delete(p, size, std::align_val_t(kLargePage));
#endif
    }

    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override {
        return this == &other;
    }

    std::mutex mutex_;
    std::vector<Block> kept_;
    std::size_t keptBytes_ = 0;
};

}  // namespace

std::pmr::memory_resource* LargePageMemory() {
    static LargePageResource resource;
    return &resource;
}

}  // namespace sorvane
