#include "Allocations.h"
#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> g_watching{false};
std::atomic<size_t> g_largest{0};
}  // namespace

LargestAllocation::LargestAllocation() {
  g_largest = 0;
  g_watching = true;
}
LargestAllocation::~LargestAllocation() { g_watching = false; }
size_t LargestAllocation::bytes() const { return g_largest; }

void* operator new(size_t size) {
  if (g_watching && size > g_largest) g_largest = size;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
