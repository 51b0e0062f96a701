#include "run/ui_call.h"

#include <condition_variable>
#include <memory>
#include <mutex>

namespace velmora {

namespace {

enum class CallState { Pending, Done, Dropped };

struct CallSlot {
    std::mutex mutex;
    std::condition_variable changed;
    CallState state = CallState::Pending;

    void settle(CallState outcome) {
        std::lock_guard lock(mutex);
        if (state == CallState::Pending) state = outcome;
        changed.notify_all();
    }
};

// Lives inside the posted task; if the dispatcher throws the task away
// unrun (its queue is gone), the waiting worker is still released.
class SettleOnDrop {
public:
    explicit SettleOnDrop(std::shared_ptr<CallSlot> slot) : slot_(std::move(slot)) {}
    ~SettleOnDrop() { slot_->settle(CallState::Dropped); }
    SettleOnDrop(const SettleOnDrop&) = delete;
    SettleOnDrop& operator=(const SettleOnDrop&) = delete;

private:
    std::shared_ptr<CallSlot> slot_;
};

}  // namespace

bool UiCaller::call(std::function<bool()> task) {
    if (stop_.stop_requested()) return false;
    auto slot = std::make_shared<CallSlot>();
    auto guard = std::make_shared<SettleOnDrop>(slot);
    dispatcher_.post([slot, guard, task = std::move(task)]() {
        const bool accepted = task();
        slot->settle(accepted ? CallState::Done : CallState::Dropped);
    });
    guard.reset();

    // Registered before taking the lock: a stop already requested runs the
    // callback right here, and it takes the lock itself.
    std::stop_callback wake(stop_, [&slot] {
        std::lock_guard lock(slot->mutex);
        slot->changed.notify_all();
    });
    std::unique_lock lock(slot->mutex);
    slot->changed.wait(lock, [&] { return slot->state != CallState::Pending || stop_.stop_requested(); });
    return slot->state == CallState::Done;
}

}  // namespace velmora
