#include "interrupt_watcher.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace velmora::cli {

namespace {

constexpr char kInterrupted = 'i';
constexpr char kDone = 'd';

int wakePipe[2] = {-1, -1};

void onInterrupt(int) {
    int saved = errno;
    [[maybe_unused]] ssize_t written = ::write(wakePipe[1], &kInterrupted, 1);
    errno = saved;
}

}  // namespace

InterruptWatcher::InterruptWatcher() {
    if (::pipe2(wakePipe, O_CLOEXEC) != 0) return;
    watcher_ = std::thread([this] {
        char byte = 0;
        while (true) {
            ssize_t got = ::read(wakePipe[0], &byte, 1);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0 || byte == kDone) return;
            interrupted_ = true;
            stop_.request_stop();
        }
    });
    struct sigaction action {};
    action.sa_handler = &onInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, &previous_);
}

InterruptWatcher::~InterruptWatcher() {
    if (!watcher_.joinable()) return;
    ::sigaction(SIGINT, &previous_, nullptr);
    [[maybe_unused]] ssize_t written = ::write(wakePipe[1], &kDone, 1);
    watcher_.join();
    ::close(wakePipe[0]);
    ::close(wakePipe[1]);
    wakePipe[0] = wakePipe[1] = -1;
}

}  // namespace velmora::cli
