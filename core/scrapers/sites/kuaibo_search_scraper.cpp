// 快播搜索站: a search site over many others, so each row names the site
// the result comes from. Two spaces before "target", as the site writes them.
#include "scrapers/fixups.h"
#include "scrapers/site_pipeline.h"
#include "scrapers/sites/site_factories.h"
#include "text/codepage.h"

namespace velmora {

namespace {

constexpr const char* kPattern =
    R"re(<li class="title1">(.*?)href="(.*?)" title="(.*?)"  target="_blank">(.*?)</b></a></li><li class="title9">(.*?)<li class="title3" title="(.*?)"><a href="(.*?)" target="_blank">(.*?)</a></li>)re";
constexpr SiteSearch kSearch{
    14, "快播搜索站", "", KeywordEncoding::Utf8, "/search/search.do?q=", "", kPattern};

class KuaiboSearchScraper final : public SiteScraperBase<KuaiboSearchScraper> {
public:
    const SiteSearch& siteSearch() const override { return kSearch; }
    void parse(const Text& page, ResultList& list) const override;
};

void KuaiboSearchScraper::parse(const Text& page, ResultList& list) const {
    for (const PatternMatch& m : findAllMatches(scraperRegex(ScraperRegexSlot::A), gbk(kPattern), page))
        appendResultRow(list, {removeEach(decoded(m.group(4)), {"<font color=ff0000>", "</font>", "?"}),
                               m.group(2),
                               removeAll(decoded(m.group(8)), "?"),
                               {}});
}

}  // namespace

std::unique_ptr<SiteScraper> createKuaiboSearchScraper() {
    return std::make_unique<KuaiboSearchScraper>();
}

}  // namespace velmora
