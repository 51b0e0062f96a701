#include "scrapers/sites/xunbo_scraper.h"

#include "playerpage/player_page_builder.h"
#include "scrapers/fixups.h"
#include "text/codepage.h"

namespace velmora {

namespace {

constexpr const char* kPattern =
    R"re(<dt><a href="(.*?)" class="pic"><span class="v">(.*?)</span><em></em><img src="(.*?)" alt="(.*?)" /></a></dt>(.*?)<dd>(.*?)<li class="cb">(.*?)</li>)re";
constexpr SiteSearch kSearch{
    0, "讯播电影网", "讯播电影网", KeywordEncoding::Gbk, "/search.asp?searchword=", "", kPattern};
// The results stand after this block; what comes before it is page chrome.
constexpr std::string_view kResultsMarker = R"re(<div class="cb">)re";

}  // namespace

const SiteSearch& XunboScraper::siteSearch() const {
    return kSearch;
}

Text XunboScraper::preparePage(Text page) const {
    int at = findText(page, kResultsMarker);
    if (at == kNotFound) return page;
    // The kept text starts with the byte after the marker's first byte.
    return rightBytes(page, page.size() - static_cast<std::size_t>(at));
}

void XunboScraper::parse(const Text& page, ResultList& list) const {
    const Text label = gbk(kSearch.labelUtf8);
    const Text host = siteHost();
    for (const PatternMatch& m : findAllMatches(scraperRegex(ScraperRegexSlot::A), gbk(kPattern), page))
        appendResultRow(list, {m.group(4), prefixWithHost(host, m.group(1)), label, m.group(7)});
}

Text XunboScraper::buildPlayerPage(const Text& link) const {
    return velmora::buildPlayerPage(FilmSite::Xunbo, link);
}

}  // namespace velmora
