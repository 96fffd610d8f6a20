// The program's allocations in the window tests, with one that fails when a test asks for it.
#include <cstdlib>
#include <new>

void fail_allocation_after(long count);

namespace {
long allocations_until_failure = -1;  // -1: none fails
}

void fail_allocation_after(long count) { allocations_until_failure = count; }

void* operator new(std::size_t size) {
  if (allocations_until_failure == 0) {
    allocations_until_failure = -1;  // once: the program may then report what happened
    throw std::bad_alloc();
  }
  if (allocations_until_failure > 0) --allocations_until_failure;
  if (void* memory = std::malloc(size ? size : 1)) return memory;
  throw std::bad_alloc();
}

void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
