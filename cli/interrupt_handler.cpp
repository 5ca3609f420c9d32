#include "cli/interrupt_handler.h"

#include <pthread.h>
#include <signal.h>

#include <thread>

#include "media/temporary_files.h"

namespace kavrell::cli {

void EndCleanlyOnInterrupt() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    // Blocked here, the signals stay pending for the waiting thread; threads
    // started later inherit the mask.
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::thread([signals] {
        int received = 0;
        while (sigwait(&signals, &received) != 0) {
        }
        DiscardTemporariesAndExit(128 + received);
    }).detach();
}

}  // namespace kavrell::cli
