#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

#include "project/nodepool.h"

namespace tavo {
namespace {

bool Aligned(const void* p) {
  return reinterpret_cast<std::uintptr_t>(p) % NodePool::kGranule == 0;
}

TEST(NodePool, AReleasedBlockServesTheNextRequestOfItsSize) {
  const std::int64_t before = NodePool::BytesTakenOnThisThread();
  void* first = NodePool::Allocate(72);
  EXPECT_EQ(NodePool::BytesTakenOnThisThread() - before, 80);  // whole sixteen-byte steps
  NodePool::Free(first, 72);
  EXPECT_EQ(NodePool::BytesTakenOnThisThread(), before);
  void* again = NodePool::Allocate(80);  // the same sixteen-byte step
  EXPECT_EQ(again, first);
  void* larger = NodePool::Allocate(96);
  EXPECT_NE(larger, first);
  NodePool::Free(larger, 96);
  NodePool::Free(again, 80);
}

TEST(NodePool, BlocksAreAlignedAndApartAcrossSlabsAndSizes) {
  // More than several slabs' worth, every size up to beyond the largest the
  // pool keeps; each block is filled and must keep its filling.
  struct Block {
    unsigned char* at;
    std::size_t size;
  };
  std::vector<Block> blocks;
  for (int round = 0; round < 40; ++round)
    for (std::size_t size = 1; size <= NodePool::kLargest + 64; size += 7) {
      auto* at = static_cast<unsigned char*>(NodePool::Allocate(size));
      ASSERT_TRUE(Aligned(at)) << size;
      std::memset(at, static_cast<int>(blocks.size() % 251), size);
      blocks.push_back({at, size});
    }
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    const Block& b = blocks[i];
    const auto fill = static_cast<unsigned char>(i % 251);
    ASSERT_TRUE(std::all_of(b.at, b.at + b.size, [&](unsigned char c) { return c == fill; }))
        << "block " << i << " of " << b.size << " bytes was overwritten";
  }
  for (const Block& b : blocks) NodePool::Free(b.at, b.size);
}

TEST(NodePool, BlocksMoveBetweenThreads) {
  // Made on one thread, released on another: the releasing thread uses it.
  constexpr std::size_t kSize = 200;
  void* made = nullptr;
  std::thread([&] { made = NodePool::Allocate(kSize); }).join();
  NodePool::Free(made, kSize);
  void* next = NodePool::Allocate(kSize);
  EXPECT_EQ(next, made);
  NodePool::Free(next, kSize);

  // The free blocks of a thread that has ended serve the threads after it.
  // No other test uses this size.
  constexpr std::size_t kOwnSize = NodePool::kLargest - 3;
  std::vector<void*> released;
  std::thread([&] {
    for (int i = 0; i < 5; ++i) released.push_back(NodePool::Allocate(kOwnSize));
    for (void* p : released) NodePool::Free(p, kOwnSize);
  }).join();
  void* reused = nullptr;
  std::thread([&] { reused = NodePool::Allocate(kOwnSize); }).join();
  EXPECT_NE(std::find(released.begin(), released.end(), reused), released.end());
  NodePool::Free(reused, kOwnSize);
}

}  // namespace
}  // namespace tavo
