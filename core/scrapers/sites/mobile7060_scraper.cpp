// 7060手机电影: the keyword sits inside the path, before ".html".
#include "scrapers/fixups.h"
#include "scrapers/site_pipeline.h"
#include "scrapers/sites/site_factories.h"
#include "text/codepage.h"

namespace velmora {

namespace {

constexpr const char* kPattern =
    R"re(<li>(.*?)<a class="size12" href="(.*?)" target="_blank">(.*?)title="(.*?)" alt=)re";
constexpr SiteSearch kSearch{
    20, "7060手机电影", "7060手机电影", KeywordEncoding::Utf8, "/vod-search-id-", ".html", kPattern};

class Mobile7060Scraper final : public SiteScraperBase<Mobile7060Scraper> {
public:
    const SiteSearch& siteSearch() const override { return kSearch; }
    void parse(const Text& page, ResultList& list) const override;
};

void Mobile7060Scraper::parse(const Text& page, ResultList& list) const {
    const Text label = gbk(kSearch.labelUtf8);
    for (const PatternMatch& m : findAllMatches(scraperRegex(ScraperRegexSlot::C), gbk(kPattern), page))
        appendResultRow(list, {removeAll(decoded(m.group(4)), "?"), m.group(2), label, {}});
}

}  // namespace

std::unique_ptr<SiteScraper> createMobile7060Scraper() {
    return std::make_unique<Mobile7060Scraper>();
}

}  // namespace velmora
