#pragma once
// Counts the heap allocations of a benchmark program: include it in exactly one file of the
// program, which then reads AllocationCount() before and after the frames it measures.
#include <atomic>
#include <cstdlib>
#include <new>

namespace benchsupport {
inline std::atomic<long long> g_allocations{0};
inline long long AllocationCount() { return g_allocations.load(); }
}  // namespace benchsupport

void* operator new(std::size_t n) {
    benchsupport::g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
// GCC cannot see that these pair with the operator new above.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
