#include "scrapers/stoppable_result_list.h"

namespace velmora {

int StoppableResultList::appendRow(const Text& title) {
    if (stop_.stop_requested()) return -1;
    return target_.appendRow(title);
}

void StoppableResultList::setCell(int row, int column, const Text& text) {
    if (stop_.stop_requested()) return;
    target_.setCell(row, column, text);
}

}  // namespace velmora
