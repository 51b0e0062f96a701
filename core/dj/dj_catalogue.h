// The music site's catalogue: five fixed categories, one list page per
// category and page number, cut into track rows with djRegex.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "dj/dj_regex.h"
#include "text/text.h"

namespace velmora {

struct DjCategory {
    Text name;        // GBK, as shown in the category tree
    int totalPages;   // fixed at design time; never read from the site
    Text pathPrefix;  // "/dance/sort/chinese_"
};

// The five categories in tree order.
const std::vector<DjCategory>& djCategories();
// The category whose name is `name` (GBK), or nullptr.
const DjCategory* findDjCategory(std::string_view name);

// "http://" + the music site's host: the base of every list and track address.
Text djBaseAddress();
// The base address followed by the category's path prefix.
Text djCategoryPrefix(const DjCategory& category);
// `categoryPrefix` + page in decimal + ".html".
Text djListPageAddress(std::string_view categoryPrefix, int page);

// One row of the track list, in column order.
struct DjTrackRow {
    Text name;       // "DJ名称"
    Text author;     // "DJ作者"
    Text dateAdded;  // "收录日期"
    Text link;       // "播放地址": the entry's href, as matched
};

extern const std::string_view kDjListPattern;

// Cuts a list page into rows, in page order. Nothing when the pattern
// cannot be assigned (the caller then keeps its list as it is); an empty
// vector when the page holds no entry, which empties the list.
std::optional<std::vector<DjTrackRow>> parseDjListPage(const Text& page, DjRegex& regex);

// Fetches `address` and cuts it as above (a failed fetch gives no rows).
std::optional<std::vector<DjTrackRow>> loadDjListPage(const Text& address, DjRegex& regex);

}  // namespace velmora
