#include "run/search_run_control.h"

#include <condition_variable>
#include <mutex>
#include <system_error>

#include "run/run_channel.h"
#include "web/fetch.h"

namespace velmora {

namespace {

// Set by a worker as the very last thing it does.
class EndLatch {
public:
    void set() {
        std::lock_guard lock(mutex_);
        ended_ = true;
        changed_.notify_all();
    }
    bool isSet() {
        std::lock_guard lock(mutex_);
        return ended_;
    }
    // Waits until set or until `stop` is requested.
    void wait(std::stop_token stop) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, stop, [this] { return ended_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable_any changed_;
    bool ended_ = false;
};

struct WorkerInput {
    const ScraperTable* table;
    std::int32_t mode;
    UiDispatcher* dispatcher;
    UiGate gate;
    std::stop_token stop;
    std::vector<std::shared_ptr<EndLatch>> earlierRuns;
    std::shared_ptr<EndLatch> ended;
    std::function<void()> setup;
};

void searchWorker(const WorkerInput& in) {
    try {
        if (in.setup) in.setup();
        ScopedFetchStopToken fetchStop(in.stop);
        RunChannel channel(*in.dispatcher, in.gate, in.stop);
        channel.clearRows();
        // A stopped run's worker may still be inside a scraper; the
        // scrapers' regex objects are shared, so wait until it is out.
        for (const auto& earlier : in.earlierRuns) earlier->wait(in.stop);
        if (!in.stop.stop_requested()) {
            runModeSites(*in.table, in.mode, channel, channel, in.stop);
            channel.finish();
        }
    } catch (...) {
        // Nothing may leave a thread's body; still give the window its end
        // so it does not stay in the running state.
        try {
            RunChannel(*in.dispatcher, in.gate, in.stop).finish();
        } catch (...) {
        }
    }
    in.ended->set();
}

}  // namespace

struct SearchRunControl::Run {
    std::uint64_t id = 0;
    std::stop_source stop;
    std::shared_ptr<EndLatch> ended = std::make_shared<EndLatch>();
    std::thread thread;
};

// Touched on the user-interface thread only.
struct SearchRunControl::UiSide {
    SearchWindow* window = nullptr;
    std::uint64_t currentRun = 0;
};

SearchRunControl::SearchRunControl(const ScraperTable& table, SearchWindow& window, UiDispatcher& dispatcher)
    : table_(table), dispatcher_(dispatcher), ui_(std::make_shared<UiSide>()) {
    ui_->window = &window;
}

SearchRunControl::~SearchRunControl() {
    shutdown();
}

void SearchRunControl::setWorkerSetup(std::function<void()> setup) {
    workerSetup_ = std::move(setup);
}

bool SearchRunControl::isRunning() const {
    return ui_->currentRun != 0;
}

std::size_t SearchRunControl::workersAlive() {
    reapEndedRuns();
    return runs_.size();
}

bool SearchRunControl::start(std::int32_t mode) {
    if (shutDown_ || isRunning()) return false;
    reapEndedRuns();

    auto run = std::make_unique<Run>();
    run->id = ++lastRunId_;

    WorkerInput in;
    in.table = &table_;
    in.mode = mode;
    in.dispatcher = &dispatcher_;
    in.gate = [ui = ui_, id = run->id](const std::function<void(SearchWindow&)>& action, bool endsRun) {
        if (ui->window == nullptr || ui->currentRun != id) return false;
        if (endsRun) ui->currentRun = 0;
        action(*ui->window);
        return true;
    };
    in.stop = run->stop.get_token();
    for (const auto& earlier : runs_) in.earlierRuns.push_back(earlier->ended);
    in.ended = run->ended;
    in.setup = workerSetup_;

    ui_->currentRun = run->id;
    try {
        run->thread = std::thread([in = std::move(in)] { searchWorker(in); });
    } catch (const std::system_error&) {
        ui_->currentRun = 0;
        return false;
    }
    runs_.push_back(std::move(run));
    return true;
}

bool SearchRunControl::stop() {
    if (!isRunning()) return false;
    for (auto& run : runs_) {
        if (run->id == ui_->currentRun) run->stop.request_stop();
    }
    ui_->currentRun = 0;
    reapEndedRuns();
    return true;
}

void SearchRunControl::shutdown() {
    shutDown_ = true;
    ui_->currentRun = 0;
    ui_->window = nullptr;
    for (auto& run : runs_) run->stop.request_stop();
    for (auto& run : runs_) {
        if (run->thread.joinable()) run->thread.join();
    }
    runs_.clear();
}

void SearchRunControl::reapEndedRuns() {
    std::erase_if(runs_, [](std::unique_ptr<Run>& run) {
        if (!run->ended->isSet()) return false;
        if (run->thread.joinable()) run->thread.join();
        return true;
    });
}

}  // namespace velmora
