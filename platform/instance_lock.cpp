#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace plat {

InstanceLock::~InstanceLock() { Release(); }

bool InstanceLock::TryAcquire(const std::string& path, std::string* error) {
    if (fd_ >= 0 && owner_ == ::getpid()) return true;
    Release();
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (error) *error = path + ": " + std::strerror(errno);
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int err = errno;
        ::close(fd);
        if (error) *error = err == EWOULDBLOCK ? std::string() : path + ": " + std::strerror(err);
        return false;
    }
    fd_ = fd;
    owner_ = ::getpid();
    return true;
}

void InstanceLock::Release() {
    if (fd_ < 0) return;
    // A copy inherited by a child process only closes: the lock stays with its owner.
    if (owner_ == ::getpid()) ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}

}  // namespace plat
