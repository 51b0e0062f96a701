// The worker's side of one search run: the hooks and the result list that
// runModeSites and the scrapers talk to. Every call goes to the window on
// the user-interface thread, and is refused once the run is stopped.
//
// Rows are handed over in batches, so a site that yields thousands of rows
// costs the user-interface thread a few list insertions instead of one
// round trip per row and cell. A batch is sent when it is full, when its
// oldest row has waited long enough, and always before the next status
// text, keyword read or the end of a site, so the window sees everything
// in the order the worker did it.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <stop_token>
#include <vector>

#include "run/search_window.h"
#include "run/ui_call.h"
#include "scrapers/scraper_table.h"

namespace velmora {

// Runs on the user-interface thread for each call of a run: performs
// `action` on the window and returns true, or drops the call and returns
// false (the run is no longer current, the window is gone). `endsRun`
// marks the run's last call, after which the run is no longer current.
using UiGate = std::function<bool(const std::function<void(SearchWindow&)>& action, bool endsRun)>;

class RunChannel final : public ModeRunHooks, public ResultList {
public:
    static constexpr std::size_t kBatchRows = 1024;
    static constexpr std::chrono::milliseconds kBatchDelay{30};

    RunChannel(UiDispatcher& dispatcher, UiGate gate, std::stop_token stop);

    // ModeRunHooks
    void showStatus(const Text& statusText) override;
    Text readKeyword() override;
    void siteFinished(const SiteReport&) override;

    // ResultList
    int appendRow(const Text& title) override;
    void setCell(int row, int column, const Text& text) override;

    void clearRows();
    void flushRows();
    // Hands the end of the run to the window (dropped for a stopped run).
    void finish();

private:
    bool onUi(std::function<void(SearchWindow&)> action, bool endsRun = false);

    UiCaller caller_;
    UiGate gate_;
    std::stop_token stop_;
    std::vector<ResultRow> pending_;
    std::chrono::steady_clock::time_point pendingSince_;
    int rowsInWindow_ = 0;
};

}  // namespace velmora
