#include "platform/paths.h"

#include <unistd.h>

#include <vector>

namespace plat {

std::string ExecutableDir() {
    std::vector<char> buf(256);
    for (;;) {
        ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size());
        if (n < 0) return ".";
        if (static_cast<size_t>(n) < buf.size()) {
            std::string path(buf.data(), static_cast<size_t>(n));
            auto slash = path.find_last_of('/');
            if (slash == std::string::npos) return ".";
            return slash == 0 ? "/" : path.substr(0, slash);
        }
        buf.resize(buf.size() * 2);
    }
}

}  // namespace plat
