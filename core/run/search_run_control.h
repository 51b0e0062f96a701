// Start, stop and end of search runs, without any window toolkit.
//
// One run at a time is current. start() makes a new run current and starts
// its worker; stop() cuts the current run off at once: from then on every
// call it makes is dropped on the user-interface thread, its worker is
// told to stop (the fetch in flight is aborted) and ends by itself. A run
// that reaches its end hands finishRun to the window as one call.
//
// Every member function is called on the user-interface thread, the one
// the dispatcher posts to.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stop_token>
#include <thread>
#include <vector>

#include "run/search_window.h"
#include "run/ui_dispatcher.h"
#include "scrapers/scraper_table.h"

namespace velmora {

class SearchRunControl {
public:
    SearchRunControl(const ScraperTable& table, SearchWindow& window, UiDispatcher& dispatcher);
    // Stops every run and waits for their workers (see shutdown).
    ~SearchRunControl();
    SearchRunControl(const SearchRunControl&) = delete;
    SearchRunControl& operator=(const SearchRunControl&) = delete;

    // Starts a run over the sites of `mode`. False when no worker thread
    // could be created; nothing is running then.
    bool start(std::int32_t mode);
    // Cuts the current run off. False when there is no current run to stop.
    bool stop();
    bool isRunning() const;
    // Workers that have not ended yet: the current run's and those of
    // stopped runs still on their way out.
    std::size_t workersAlive();

    // Stops every run, detaches the window and waits until every worker
    // has ended. Afterwards start() refuses to run.
    void shutdown();

    // Runs first on every worker thread (tests shorten fetch time-outs).
    void setWorkerSetup(std::function<void()> setup);

private:
    struct Run;
    struct UiSide;

    void reapEndedRuns();

    const ScraperTable& table_;
    UiDispatcher& dispatcher_;
    std::shared_ptr<UiSide> ui_;
    std::vector<std::unique_ptr<Run>> runs_;  // the current one and stopped ones still ending
    std::uint64_t lastRunId_ = 0;
    std::function<void()> workerSetup_;
    bool shutDown_ = false;
};

}  // namespace velmora
