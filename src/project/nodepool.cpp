#include "project/nodepool.h"

#include <array>
#include <atomic>
#include <mutex>
#include <new>
#include <vector>

namespace tavo {

namespace {

constexpr std::size_t kClasses = NodePool::kLargest / NodePool::kGranule;
// Large enough that a big project takes few slabs, small enough that a
// small one does not hold much it never uses.
constexpr std::size_t kSlabBytes = std::size_t{256} * 1024;
static_assert(__STDCPP_DEFAULT_NEW_ALIGNMENT__ >= NodePool::kGranule);
static_assert(NodePool::kLargest % NodePool::kGranule == 0);

struct FreeBlock {
  FreeBlock* next;
};

std::size_t ClassOf(std::size_t size) {
  return size == 0 ? 0 : (size - 1) / NodePool::kGranule;
}

std::size_t BytesOf(std::size_t sizeClass) {
  return (sizeClass + 1) * NodePool::kGranule;
}

// One thread's free lists and the unused rest of its current slab. Plain
// data, so that it stays usable while the thread's other thread-locals are
// destroyed: their destructors may still release nodes.
struct ThreadCache {
  std::array<FreeBlock*, kClasses> free;
  std::byte* rest;
  std::byte* restEnd;
  std::int64_t taken;    // bytes taken less bytes released
  bool handsBackAtExit;  // the thread's end hands the free blocks on
  bool ending;           // ... and has done so
};
constinit thread_local ThreadCache cache{};

// What every thread shares: the slabs (kept for the life of the process, so
// blocks stay valid whichever thread made them) and the free blocks of
// threads that have ended.
struct Shared {
  std::mutex mutex;
  std::vector<std::byte*> slabs;
  std::array<FreeBlock*, kClasses> reserve{};
  // Whether reserve[c] has blocks, read without the lock.
  std::array<std::atomic<bool>, kClasses> inReserve{};
};

Shared& TheShared() {
  // Never destroyed (the union does not destroy its member): nodes of
  // static objects are released after it would be.
  union Immortal {
    Immortal() : shared() {}
    ~Immortal() {}
    Shared shared;
  };
  static Immortal immortal;
  return immortal.shared;
}

// Appends the list starting at `first` to the reserve of its class. The
// caller holds the lock.
void ToReserve(Shared& shared, std::size_t sizeClass, FreeBlock* first) {
  FreeBlock* last = first;
  while (last->next) last = last->next;
  last->next = shared.reserve[sizeClass];
  shared.reserve[sizeClass] = first;
  shared.inReserve[sizeClass].store(true, std::memory_order_relaxed);
}

struct HandBackAtExit {
  ~HandBackAtExit() {
    Shared& shared = TheShared();
    const std::lock_guard<std::mutex> lock(shared.mutex);
    for (std::size_t c = 0; c < kClasses; ++c) {
      if (cache.free[c]) ToReserve(shared, c, cache.free[c]);
      cache.free[c] = nullptr;
    }
    cache.ending = true;
  }
};

void HandBackWhenTheThreadEnds() {
  if (cache.handsBackAtExit) return;
  cache.handsBackAtExit = true;
  thread_local HandBackAtExit handBack;
  (void)handBack;
}

void* Refill(std::size_t sizeClass) {
  Shared& shared = TheShared();
  if (shared.inReserve[sizeClass].load(std::memory_order_relaxed)) {
    const std::lock_guard<std::mutex> lock(shared.mutex);
    if (FreeBlock* first = shared.reserve[sizeClass]) {
      shared.reserve[sizeClass] = nullptr;
      shared.inReserve[sizeClass].store(false, std::memory_order_relaxed);
      cache.free[sizeClass] = first->next;
      return first;
    }
  }
  const std::size_t bytes = BytesOf(sizeClass);
  if (static_cast<std::size_t>(cache.restEnd - cache.rest) < bytes) {
    // The rest of the previous slab, smaller than this block, stays unused.
    if (!cache.ending) HandBackWhenTheThreadEnds();
    auto* slab = static_cast<std::byte*>(::operator new(kSlabBytes));
    {
      const std::lock_guard<std::mutex> lock(shared.mutex);
      try {
        shared.slabs.push_back(slab);
      } catch (...) {
        ::operator delete(slab);
        throw;
      }
    }
    cache.rest = slab;
    cache.restEnd = slab + kSlabBytes;
  }
  std::byte* block = cache.rest;
  cache.rest += bytes;
  return block;
}

// A block released into an empty list: the thread must hand its list on
// when it ends, and once it has, its blocks go to the reserve directly.
// Answers whether the block has been taken care of.
bool FreeIntoEmptyList(FreeBlock* block, std::size_t sizeClass) {
  if (!cache.ending) {
    HandBackWhenTheThreadEnds();
    return false;
  }
  Shared& shared = TheShared();
  const std::lock_guard<std::mutex> lock(shared.mutex);
  block->next = nullptr;
  ToReserve(shared, sizeClass, block);
  return true;
}

}  // namespace

void* NodePool::Allocate(std::size_t size) {
  if (size > kLargest) return ::operator new(size);
  const std::size_t sizeClass = ClassOf(size);
  cache.taken += static_cast<std::int64_t>(BytesOf(sizeClass));
  if (FreeBlock* block = cache.free[sizeClass]) {
    // The blocks of a released project are cold: fetching the next one now
    // keeps a run of allocations from waiting on memory one by one.
    cache.free[sizeClass] = block->next;
    __builtin_prefetch(block->next, 1);
    return block;
  }
  return Refill(sizeClass);
}

void NodePool::Free(void* block, std::size_t size) noexcept {
  if (!block) return;
  if (size > kLargest) {
    ::operator delete(block, size);
    return;
  }
  const std::size_t sizeClass = ClassOf(size);
  cache.taken -= static_cast<std::int64_t>(BytesOf(sizeClass));
  auto* freed = static_cast<FreeBlock*>(block);
  FreeBlock*& list = cache.free[sizeClass];
  if (!list && FreeIntoEmptyList(freed, sizeClass)) return;
  freed->next = list;
  list = freed;
}

std::int64_t NodePool::BytesTakenOnThisThread() {
  return cache.taken;
}

#if defined(__SANITIZE_ADDRESS__)
#define TAVO_NODES_FROM_POOL 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TAVO_NODES_FROM_POOL 0
#endif
#endif
#ifndef TAVO_NODES_FROM_POOL
#define TAVO_NODES_FROM_POOL 1
#endif

void* AllocateNode(std::size_t size) {
#if TAVO_NODES_FROM_POOL
  return NodePool::Allocate(size);
#else
  return ::operator new(size);
#endif
}

void FreeNode(void* block, std::size_t size) noexcept {
#if TAVO_NODES_FROM_POOL
  NodePool::Free(block, size);
#else
  ::operator delete(block, size);
#endif
}

}  // namespace tavo
