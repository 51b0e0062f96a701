#include "scrapers/memory_result_list.h"

#include <climits>

namespace velmora {

int MemoryResultList::appendRow(const Text& title) {
    // Row indexes are ints; a list that long refuses further rows.
    if (rows_.size() >= static_cast<std::size_t>(INT_MAX)) return -1;
    rows_.push_back(ResultRow{title, {}, {}, {}});
    return static_cast<int>(rows_.size() - 1);
}

void MemoryResultList::setCell(int row, int column, const Text& text) {
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return;
    if (column < TitleColumn || column > ExtraColumn) return;
    rows_[static_cast<std::size_t>(row)].cell(column) = text;
}

}  // namespace velmora
