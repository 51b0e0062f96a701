// A stand-in for the user-interface thread: one plain thread that runs
// posted tasks in order, as Qt's event loop does for the desktop program.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <thread>

#include "run/ui_dispatcher.h"

namespace velmora::test {

class FakeUiThread final : public UiDispatcher {
public:
    FakeUiThread();
    ~FakeUiThread() override;

    void post(std::function<void()> task) override;

    // Runs `f` on this thread and returns its result to the caller.
    template <typename F>
    auto invoke(F f) -> decltype(f()) {
        std::packaged_task<decltype(f())()> task(std::move(f));
        auto result = task.get_future();
        post([&task] { task(); });
        return result.get();
    }

    // Drops every queued task unrun from now on (a window that is gone).
    void discardTasks(bool discard);

private:
    void loop();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> tasks_;
    bool stopping_ = false;
    bool discard_ = false;
    std::thread thread_;
};

}  // namespace velmora::test
