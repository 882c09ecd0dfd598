#include "platform/clock.h"

#include <time.h>

#include <chrono>
#include <utility>

namespace plat {
namespace {
std::function<uint32_t()>& Source() {
    static std::function<uint32_t()> source;
    return source;
}
}  // namespace

uint32_t NowMs() {
    if (Source()) return Source()();
    using namespace std::chrono;
    auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<uint32_t>(ms);
}

double ProcessCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

void SetClockSource(std::function<uint32_t()> source) { Source() = std::move(source); }

}  // namespace plat
