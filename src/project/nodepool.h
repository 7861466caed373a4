#pragma once
// Storage for the nodes of the record and object lists. A project is tens
// of thousands of small nodes that are made together (reading a file, an
// undo step) and released together (closing, replacing); the general
// allocator spends more time on them than the reading itself. The pool
// carves blocks from large slabs and keeps released blocks on a free list
// per size, so a node costs a few instructions to make and to release.
//
// Free lists belong to the thread that releases a block; a block may be
// made on one thread and released on another. When a thread ends, its free
// blocks go to a shared reserve that the other threads draw on. Slabs are
// never given back: what the largest project needed stays ready for the
// next one.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>

namespace tavo {

class NodePool {
 public:
  // Larger blocks are left to the general allocator.
  static constexpr std::size_t kLargest = 1024;
  // The alignment of every block.
  static constexpr std::size_t kGranule = 16;

  static void* Allocate(std::size_t size);
  // `size` is the size the block was allocated with.
  static void Free(void* block, std::size_t size) noexcept;

  // The bytes of the blocks this thread has taken from the pool less those
  // it has released (blocks larger than kLargest are not counted): what
  // measurements of memory add to the general allocator's figure.
  static std::int64_t BytesTakenOnThisThread();
};

// What nodes use: the pool, or the general allocator in
// builds with the address sanitizer, which must see every block to find
// leaks and blocks used after their release.
void* AllocateNode(std::size_t size);
void FreeNode(void* block, std::size_t size) noexcept;

// For the containers inside nodes, such as the points of a shape, which
// are made and released with them.
template <class T>
struct NodeAllocator {
  static_assert(alignof(T) <= NodePool::kGranule);
  using value_type = T;

  NodeAllocator() = default;
  template <class U>
  NodeAllocator(const NodeAllocator<U>&) noexcept {}

  T* allocate(std::size_t n) {
    if (n > std::numeric_limits<std::size_t>::max() / sizeof(T)) throw std::bad_array_new_length();
    return static_cast<T*>(AllocateNode(n * sizeof(T)));
  }
  void deallocate(T* p, std::size_t n) noexcept { FreeNode(p, n * sizeof(T)); }

  friend bool operator==(const NodeAllocator&, const NodeAllocator&) { return true; }
};

}  // namespace tavo
