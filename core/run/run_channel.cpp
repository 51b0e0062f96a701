#include "run/run_channel.h"

#include <memory>

namespace velmora {

RunChannel::RunChannel(UiDispatcher& dispatcher, UiGate gate, std::stop_token stop)
    : caller_(dispatcher, stop), gate_(std::move(gate)), stop_(std::move(stop)) {}

bool RunChannel::onUi(std::function<void(SearchWindow&)> action, bool endsRun) {
    // The gate is copied into the task: the worker may have left by the
    // time a stale task finally runs.
    return caller_.call(
        [gate = gate_, action = std::move(action), endsRun] { return gate(action, endsRun); });
}

void RunChannel::showStatus(const Text& statusText) {
    flushRows();
    onUi([statusText](SearchWindow& window) { window.showStatus(statusText); });
}

Text RunChannel::readKeyword() {
    flushRows();
    auto keyword = std::make_shared<Text>();
    if (!onUi([keyword](SearchWindow& window) { *keyword = window.keyword(); })) return {};
    return std::move(*keyword);
}

void RunChannel::siteFinished(const SiteReport&) {
    flushRows();
}

int RunChannel::appendRow(const Text& title) {
    if (stop_.stop_requested()) return -1;
    const auto now = std::chrono::steady_clock::now();
    if (pending_.size() >= kBatchRows || (!pending_.empty() && now - pendingSince_ >= kBatchDelay)) {
        flushRows();
        if (stop_.stop_requested()) return -1;
    }
    if (pending_.empty()) pendingSince_ = now;
    pending_.push_back(ResultRow{title, {}, {}, {}});
    return rowsInWindow_ + static_cast<int>(pending_.size()) - 1;
}

void RunChannel::setCell(int row, int column, const Text& text) {
    if (stop_.stop_requested() || row < 0 || column < TitleColumn || column > ExtraColumn) return;
    if (row >= rowsInWindow_) {
        const auto pendingIndex = static_cast<std::size_t>(row - rowsInWindow_);
        if (pendingIndex < pending_.size()) pending_[pendingIndex].cell(column) = text;
        return;
    }
    onUi([row, column, text](SearchWindow& window) { window.setCell(row, column, text); });
}

void RunChannel::clearRows() {
    pending_.clear();
    rowsInWindow_ = 0;
    onUi([](SearchWindow& window) { window.clearRows(); });
}

void RunChannel::flushRows() {
    if (pending_.empty()) return;
    auto rows = std::make_shared<std::vector<ResultRow>>(std::move(pending_));
    pending_.clear();
    const int count = static_cast<int>(rows->size());
    if (onUi([rows](SearchWindow& window) { window.appendRows(std::move(*rows)); })) rowsInWindow_ += count;
}

void RunChannel::finish() {
    flushRows();
    onUi([](SearchWindow& window) { window.finishRun(); }, true);
}

}  // namespace velmora
