// A result list held in memory: the command-line tool and tests collect
// rows in it.
#pragma once

#include <vector>

#include "scrapers/result_list.h"

namespace velmora {

class MemoryResultList final : public ResultList {
public:
    int appendRow(const Text& title) override;
    void setCell(int row, int column, const Text& text) override;

    const std::vector<ResultRow>& rows() const { return rows_; }
    void clear() { rows_.clear(); }

private:
    std::vector<ResultRow> rows_;
};

}  // namespace velmora
