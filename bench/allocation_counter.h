#pragma once
// Counts every heap allocation of the benchmark executable that includes this header (once, in
// its one .cpp): the global operator new is replaced by one that counts and then mallocs.
#include <atomic>
#include <cstdlib>
#include <new>

namespace benchalloc {
inline std::atomic<long long> g_allocations{0};
inline long long Count() { return g_allocations.load(std::memory_order_relaxed); }
}  // namespace benchalloc

void* operator new(std::size_t n) {
    benchalloc::g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
// GCC cannot see that these pair with the operator new above.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
