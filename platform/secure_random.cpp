#include "platform/secure_random.h"

#include <sys/random.h>

#include <cerrno>
#include <cstdint>

namespace plat {

bool FillSecureRandom(void* bytes, size_t size) {
    auto* out = static_cast<uint8_t*>(bytes);
    size_t done = 0;
    while (done < size) {
        const ssize_t n = getrandom(out + done, size - done, 0);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace plat
