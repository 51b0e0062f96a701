// What a search run does to the main window. Every call is made on the
// user-interface thread, only for the run that is current at that moment;
// calls of a stopped or finished run never arrive here.
#pragma once

#include <vector>

#include "scrapers/result_list.h"

namespace velmora {

class SearchWindow {
public:
    virtual ~SearchWindow() = default;
    // Empties the result list (done once, at the start of a run).
    virtual void clearRows() = 0;
    // Appends rows at the end of the result list.
    virtual void appendRows(std::vector<ResultRow> rows) = 0;
    // Sets one cell of a row already in the list; out-of-range is ignored.
    virtual void setCell(int row, int column, const Text& text) = 0;
    // The status label shows `text`.
    virtual void showStatus(const Text& text) = 0;
    // The current text of the keyword box, GBK.
    virtual Text keyword() = 0;
    // The end of a run that was not stopped: status, caption, timer and
    // status bar, all in this one call.
    virtual void finishRun() = 0;
};

}  // namespace velmora
