#pragma once
// Memory for the track plan's coordinates. The plan is the one large block of
// a compile (about 1 MB per axis on the built-in route, 12 MB on the longest),
// written once from end to end and freed at the end of the run. Blocks of
// 512 KB or more are rounded up to whole 2 MB large pages, aligned on them and
// offered to the system's transparent large pages: one page fault per 2 MB
// instead of one per 4 KB. Smaller blocks, systems without the hint and
// AddressSanitizer builds (which must see every block) use the ordinary heap.

#include <cstddef>
#include <new>

namespace scenario {

// Whether a block of `bytes` is placed on large pages on this build.
bool blocco_su_pagine_grandi(size_t bytes);

void* alloca_piano(size_t bytes);
void libera_piano(void* p, size_t bytes);

template <typename T>
struct AllocatorePiano {
  using value_type = T;
  AllocatorePiano() = default;
  template <typename U>
  AllocatorePiano(const AllocatorePiano<U>&) {}
  T* allocate(size_t n) { return static_cast<T*>(alloca_piano(n * sizeof(T))); }
  void deallocate(T* p, size_t n) { libera_piano(p, n * sizeof(T)); }
  friend bool operator==(const AllocatorePiano&, const AllocatorePiano&) { return true; }
};

}  // namespace scenario
