#include "platform/clock.h"

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

void SetClockSource(std::function<uint32_t()> source) { Source() = std::move(source); }

}  // namespace plat
