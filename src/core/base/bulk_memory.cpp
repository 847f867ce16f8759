#include "base/bulk_memory.h"

#include <cstdint>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace sorvane {
namespace {

constexpr std::size_t kLargePage = std::size_t{2} << 20;

std::size_t RoundUp(std::size_t bytes) {
    return (bytes + kLargePage - 1) / kLargePage * kLargePage;
}

class LargePageResource final : public std::pmr::memory_resource {
    void* do_allocate(std::size_t bytes, std::size_t alignment) override {
        if (alignment > kLargePage) throw std::bad_alloc();
        const std::size_t size = RoundUp(bytes == 0 ? 1 : bytes);
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

    void do_deallocate(void* p, std::size_t bytes, std::size_t) override {
        const std::size_t size = RoundUp(bytes == 0 ? 1 : bytes);
#if defined(__linux__)
        ::munmap(p, size);
#else
        ::operator delete(p, size, std::align_val_t(kLargePage));
#endif
    }

    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override {
        return this == &other;
    }
};

}  // namespace

std::pmr::memory_resource* LargePageMemory() {
    static LargePageResource resource;
    return &resource;
}

}  // namespace sorvane
