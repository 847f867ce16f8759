// The large-page blocks and the arena over them: every block is whole, aligned and writable
// to its last byte, whatever the size asked for.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "base/bulk_memory.h"

namespace sorvane {
namespace {

TEST(BulkMemory, BlocksAreAlignedAndWholeForAnySize) {
    std::pmr::memory_resource* m = LargePageMemory();
    struct Case {
        size_t bytes;
        size_t alignment;
    };
    const size_t page = size_t{2} << 20;
    for (const Case& c : std::vector<Case>{
             {1, 8}, {page - 1, 64}, {page, 4096}, {page + 1, 8}, {5 * page + 3, page}}) {
        auto* p = static_cast<unsigned char*>(m->allocate(c.bytes, c.alignment));
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % c.alignment, 0u) << c.bytes;
        std::memset(p, 0xA5, c.bytes);  // faults here if the block were short
        EXPECT_EQ(p[c.bytes - 1], 0xA5) << c.bytes;
        m->deallocate(p, c.bytes, c.alignment);
    }
}

TEST(BulkMemory, ArenaHoldsManyVectorsPastItsFirstBlock) {
    BulkArena arena;
    std::vector<std::pmr::vector<int>> held;
    // About 40 MB in all, well past the first block, with each vector's values intact.
    for (int v = 0; v < 40; ++v) {
        held.emplace_back(&arena);
        held.back().assign(250000, v);
    }
    for (int v = 0; v < 40; ++v) {
        ASSERT_EQ(held[static_cast<size_t>(v)].size(), 250000u);
        EXPECT_EQ(held[static_cast<size_t>(v)].front(), v);
        EXPECT_EQ(held[static_cast<size_t>(v)].back(), v);
    }
}

TEST(BulkMemory, KeptBlocksAreHandedOutOnceEach) {
    std::pmr::memory_resource* m = LargePageMemory();
    const size_t bytes = size_t{3} << 20;
    // Freed blocks are kept; two blocks in use at once must never be the same one.
    std::vector<void*> freed;
    for (int i = 0; i < 3; ++i) freed.push_back(m->allocate(bytes, 64));
    for (void* p : freed) m->deallocate(p, bytes, 64);
    std::vector<unsigned char*> held;
    for (int i = 0; i < 5; ++i) {
        held.push_back(static_cast<unsigned char*>(m->allocate(bytes, 64)));
        std::memset(held.back(), i + 1, bytes);
    }
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(held[static_cast<size_t>(i)][0], i + 1);
        EXPECT_EQ(held[static_cast<size_t>(i)][bytes - 1], i + 1);
    }
    for (unsigned char* p : held) m->deallocate(p, bytes, 64);
}

}  // namespace
}  // namespace sorvane
