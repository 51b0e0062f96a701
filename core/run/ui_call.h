// A call made from the worker thread and run on the user-interface
// thread, with the worker waiting for it. The wait ends early when the
// run is stopped, so a stop or a closing window never waits on a worker
// that waits on them.
#pragma once

#include <functional>
#include <stop_token>

#include "run/ui_dispatcher.h"

namespace velmora {

class UiCaller {
public:
    UiCaller(UiDispatcher& dispatcher, std::stop_token stop)
        : dispatcher_(dispatcher), stop_(std::move(stop)) {}

    // Posts `task` and waits until it has run or the stop is requested.
    // `task` returns false when the UI side dropped the call (a stale run).
    // True only when the task ran and accepted the call. Whatever the task
    // reads or writes must be owned by the task itself: after a stop the
    // worker stops waiting and may be gone before the task runs.
    bool call(std::function<bool()> task);

private:
    UiDispatcher& dispatcher_;
    std::stop_token stop_;
};

}  // namespace velmora
