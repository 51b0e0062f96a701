#include "fake_ui_thread.h"

namespace velmora::test {

FakeUiThread::FakeUiThread() : thread_([this] { loop(); }) {}

FakeUiThread::~FakeUiThread() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        changed_.notify_all();
    }
    thread_.join();
}

void FakeUiThread::post(std::function<void()> task) {
    std::lock_guard lock(mutex_);
    if (discard_) return;  // destroyed unrun, as a queue of a deleted receiver is
    tasks_.push_back(std::move(task));
    changed_.notify_all();
}

void FakeUiThread::discardTasks(bool discard) {
    std::deque<std::function<void()>> dropped;
    {
        std::lock_guard lock(mutex_);
        discard_ = discard;
        if (discard) dropped.swap(tasks_);
    }
}

void FakeUiThread::loop() {
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return stopping_ || !tasks_.empty(); });
            if (tasks_.empty()) return;
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        task();
    }
}

}  // namespace velmora::test
