// The two film sites whose rows open in the program's own player window,
// and the data that turns one of their play pages into a local page.
#pragma once

#include <utility>
#include <vector>

#include "text/text.h"

namespace velmora {

enum class FilmSite { Xunbo, Shuangshi };  // 讯播电影网, 双视电影网

struct FilmSiteTable {
    Text startMarker;                           // found with ASCII letters compared without regard to case
    Text endMarker;                             // found with exact bytes, from the start on
    std::vector<std::pair<Text, Text>> fixUps;  // applied in order: sought text, replacement
    Text pageHead;                              // written before the cut stretch
};

// The base address of the site's film pages ("http://" + host, from the
// host settings in force).
Text filmSiteBaseAddress(FilmSite site);

// The site's table with `base` put into the addresses that need it.
FilmSiteTable filmSiteTable(FilmSite site, const Text& base);

// The site that a result row's label (column 2) names, if it is one of the
// two; the comparison is byte for byte.
bool filmSiteForLabel(const Text& gbkLabel, FilmSite* site);

}  // namespace velmora
