// Replaces the global operator new of the model tests to watch allocation sizes; the
// operators only forward to malloc and free.
#include "allocation_watch.h"

#include <algorithm>
#include <cstdlib>
#include <new>

std::size_t largest_allocation = 0;

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"  // new and delete below pair malloc with free
#endif
void* operator new(std::size_t size) {
  largest_allocation = std::max(largest_allocation, size);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
