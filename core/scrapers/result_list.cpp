#include "scrapers/result_list.h"

#include <stdexcept>

namespace velmora {

Text& ResultRow::cell(int column) {
    return const_cast<Text&>(static_cast<const ResultRow&>(*this).cell(column));
}

const Text& ResultRow::cell(int column) const {
    switch (column) {
        case TitleColumn:
            return title;
        case LinkColumn:
            return link;
        case SiteColumn:
            return site;
        case ExtraColumn:
            return extra;
        default:
            throw std::out_of_range("result row has no column " + std::to_string(column));
    }
}

}  // namespace velmora
