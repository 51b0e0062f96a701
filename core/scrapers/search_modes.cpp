#include "scrapers/search_modes.h"

#include <array>

namespace velmora {

namespace {

constexpr std::array kOnlinePlaySites = {
    WorkerSite{0, "正在挖掘讯播电影网"}, WorkerSite{1, "正在挖掘双视电影网"},
    WorkerSite{2, "正在挖掘PPS视频网"},  WorkerSite{3, "正在挖掘我乐网"},
    WorkerSite{4, "正在挖掘奇艺网"},     WorkerSite{5, "正在挖掘土豆网"},
    WorkerSite{6, "正在挖掘搜狐网"},     WorkerSite{7, "正在挖掘乐视网"},
    WorkerSite{8, "正在挖掘优酷网"},     WorkerSite{9, "正在挖掘迅雷网"},
    WorkerSite{10, "正在挖掘酷6网"},     WorkerSite{11, "正在挖掘PPTV网"},
    WorkerSite{12, "正在挖掘电影网"},
};
constexpr std::array kQvodSites = {WorkerSite{13, "正在挖掘快播3444网"},
                                   WorkerSite{14, "正在挖掘快播搜索站"}};
constexpr std::array kBaiduYingyinSites = {WorkerSite{15, "正在挖掘百度影音碟民网"}};
constexpr std::array kVideoDownloadSites = {WorkerSite{16, "正在挖掘电影天堂"},
                                            WorkerSite{17, "正在挖掘飘花资源"},
                                            WorkerSite{18, "正在挖掘放放电影"}};
constexpr std::array kMobileFilmSites = {WorkerSite{19, "正在挖掘生活3G网"},
                                         WorkerSite{20, "正在挖掘7060手机电影"},
                                         WorkerSite{21, "正在挖掘猪猪手机电影"}};
constexpr std::array kMtvSites = {WorkerSite{22, "正在挖掘MTV高清网"}};

}  // namespace

bool isSearchMode(std::int32_t code) {
    return !workerSites(code).empty();
}

std::span<const WorkerSite> workerSites(std::int32_t mode) {
    switch (mode) {
        case OnlinePlay:
            return kOnlinePlaySites;
        case QvodResources:
            return kQvodSites;
        case BaiduYingyin:
            return kBaiduYingyinSites;
        case VideoDownload:
            return kVideoDownloadSites;
        case MobileFilms:
            return kMobileFilmSites;
        case Mtv:
            return kMtvSites;
        default:
            return {};
    }
}

}  // namespace velmora
