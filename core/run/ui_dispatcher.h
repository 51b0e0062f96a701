// How the search worker reaches the user-interface thread. The desktop
// program posts into Qt's event queue; tests use a plain thread with a
// task queue.
#pragma once

#include <functional>

namespace velmora {

class UiDispatcher {
public:
    virtual ~UiDispatcher() = default;
    // Queues `task` to run later on the user-interface thread. Callable
    // from any thread. A task that is destroyed without having run counts
    // as dropped: whoever waits for it is released.
    virtual void post(std::function<void()> task) = 0;
};

}  // namespace velmora
