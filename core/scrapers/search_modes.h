// Search modes and the sites each one visits, in visiting order.
#pragma once

#include <cstdint>
#include <span>

#include "text/text.h"

namespace velmora {

enum SearchMode : std::int32_t {
    OnlinePlay = 1,
    QvodResources = 11,
    BaiduYingyin = 12,
    VideoDownload = 2,
    MobileFilms = 3,
    Mtv = 4,
};

// Every mode code, in the order the modes are offered.
inline constexpr std::int32_t kSearchModes[] = {OnlinePlay,    QvodResources, BaiduYingyin,
                                                VideoDownload, MobileFilms,   Mtv};

bool isSearchMode(std::int32_t code);

struct WorkerSite {
    int scraperIndex;
    const char* statusTextUtf8;  // such as "正在挖掘优酷网"; gbk() gives the Text
};

// The sites of `mode` in visiting order; empty for an unknown code.
std::span<const WorkerSite> workerSites(std::int32_t mode);

}  // namespace velmora
