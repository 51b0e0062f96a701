// Turns Ctrl-C into a stop request: the signal handler only writes a byte
// to a pipe, and a watcher thread requests the stop, so nothing unsafe
// runs inside the handler. The previous SIGINT handling comes back when
// the watcher goes.
#pragma once

#include <signal.h>

#include <atomic>
#include <stop_token>
#include <thread>

namespace velmora::cli {

class InterruptWatcher {
public:
    InterruptWatcher();
    ~InterruptWatcher();
    InterruptWatcher(const InterruptWatcher&) = delete;
    InterruptWatcher& operator=(const InterruptWatcher&) = delete;

    std::stop_token token() const { return stop_.get_token(); }
    bool interrupted() const { return interrupted_; }

private:
    std::stop_source stop_;
    std::atomic<bool> interrupted_{false};
    struct sigaction previous_ {};
    std::thread watcher_;
};

}  // namespace velmora::cli
