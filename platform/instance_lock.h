#pragma once
// The single-instance guard: an advisory lock on a file in the game folder, held for the life of
// the process (the system drops it when the process ends, however it ends).
#include <string>

namespace plat {

class InstanceLock {
  public:
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Creates the lock file when missing and takes the lock without waiting. True at once when
    // this process already holds it. False when another holder has it (or the file cannot be
    // opened; `error` then says why).
    bool TryAcquire(const std::string& path, std::string* error = nullptr);
    void Release();
    bool Held() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
    int owner_ = 0;  // the process that took the lock (a forked child does not hold it)
};

}  // namespace plat
