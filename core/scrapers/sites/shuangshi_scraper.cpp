#include "scrapers/sites/shuangshi_scraper.h"

#include "playerpage/player_page_builder.h"
#include "text/codepage.h"

namespace velmora {

namespace {

// Two spaces between "<a" and "href", as the site writes them.
constexpr const char* kPattern = R"re(<li><span>(.*?)</span><a  href="(.*?)" target=_blank>(.*?)</a></li>)re";
constexpr SiteSearch kSearch{
    1, "双视电影网", "双视电影网", KeywordEncoding::Gbk, "/sso.asp?keyword=", "", kPattern};

}  // namespace

const SiteSearch& ShuangshiScraper::siteSearch() const {
    return kSearch;
}

void ShuangshiScraper::parse(const Text& page, ResultList& list) const {
    const Text label = gbk(kSearch.labelUtf8);
    const Text genrePrefix = gbk("类型:");
    for (const PatternMatch& m : findAllMatches(scraperRegex(ScraperRegexSlot::A), gbk(kPattern), page))
        appendResultRow(list, {m.group(3), m.group(2), label, genrePrefix + m.group(1)});
}

Text ShuangshiScraper::buildPlayerPage(const Text& link) const {
    return velmora::buildPlayerPage(FilmSite::Shuangshi, link);
}

}  // namespace velmora
