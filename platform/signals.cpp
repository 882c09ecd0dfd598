#include "platform/signals.h"

#include <pthread.h>
#include <signal.h>

#include <thread>

namespace plat {

void CallOnTerminationSignal(std::function<void()> onSignal) {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    std::thread([set, fn = std::move(onSignal)] {
        int signal = 0;
        sigwait(&set, &signal);
        fn();
    }).detach();
}

}  // namespace plat
