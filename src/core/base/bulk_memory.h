// Memory for large, short-lived working sets (a day's parsed past runs): taken from the system
// in blocks backed by large pages where the system has them, because touching fresh memory
// page by page can cost more than the work done in it.
#pragma once

#include <cstddef>
#include <memory_resource>

namespace sorvane {

// Blocks of whole large pages (2 MB), each mapped on its own. Freed blocks are kept (up to
// 256 MB in all) for later requests of the same size, the rest returned to the system.
// Thread-safe. Meant as the upstream of a monotonic buffer: single small allocations would
// each take a whole large page.
std::pmr::memory_resource* LargePageMemory();

// A bump allocator over LargePageMemory for one thread: allocations are never freed one by
// one, all of its memory goes back when it is destroyed.
class BulkArena : public std::pmr::monotonic_buffer_resource {
  public:
    BulkArena() : monotonic_buffer_resource(kFirstBlock, LargePageMemory()) {}

  private:
    static constexpr std::size_t kFirstBlock = std::size_t{8} << 20;
};

}  // namespace sorvane
