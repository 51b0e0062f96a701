// The result list that scrapers write to. Scrapers only append rows and
// set cells; they never read, reorder or remove rows.
#pragma once

#include "text/text.h"

namespace velmora {

// Columns of a result row.
enum ResultColumn : int { TitleColumn = 0, LinkColumn = 1, SiteColumn = 2, ExtraColumn = 3 };

struct ResultRow {
    Text title;  // column 0 "名称"
    Text link;   // column 1 "连接"
    Text site;   // column 2 "api接口"
    Text extra;  // column 3 "简介"

    Text& cell(int column);
    const Text& cell(int column) const;
    bool operator==(const ResultRow&) const = default;
};

class ResultList {
public:
    virtual ~ResultList() = default;
    // Appends a row whose column 0 holds `title`; returns the new row's
    // index (or -1 when the list refused it, e.g. for a stopped run).
    virtual int appendRow(const Text& title) = 0;
    // Sets column `column` of row `row`; out-of-range calls are ignored.
    virtual void setCell(int row, int column, const Text& text) = 0;
};

}  // namespace velmora
