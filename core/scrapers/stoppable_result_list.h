// Cuts a stopped run off from the list: once a stop is requested every
// further append or cell write is dropped, so the row being written keeps
// only the cells already set and no new row appears.
#pragma once

#include <stop_token>

#include "scrapers/result_list.h"

namespace velmora {

class StoppableResultList final : public ResultList {
public:
    StoppableResultList(ResultList& target, std::stop_token stop) : target_(target), stop_(std::move(stop)) {}

    int appendRow(const Text& title) override;
    void setCell(int row, int column, const Text& text) override;

private:
    ResultList& target_;
    std::stop_token stop_;
};

}  // namespace velmora
