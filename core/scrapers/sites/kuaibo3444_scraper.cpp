// 快播3444. The dot of "this.src" is a pattern dot and stands for any character.
#include "scrapers/fixups.h"
#include "scrapers/site_pipeline.h"
#include "scrapers/sites/site_factories.h"
#include "text/codepage.h"

namespace velmora {

namespace {

constexpr const char* kPattern =
    R"re(<li>(.*?)<a href="(.*?)" target="_blank"><img src="(.*?)" alt="(.*?)" width="(.*?)" height="(.*?)" border="0" onerror="javascript:this.src='(.*?)';"/></a><span><a href="(.*?)" target="_blank">(.*?)</a></span></a>(.*?)</li>)re";
constexpr SiteSearch kSearch{
    13, "快播3444", "快播3444", KeywordEncoding::Gbk, "/search.asp?k=", "&t=name", kPattern};

class Kuaibo3444Scraper final : public SiteScraperBase<Kuaibo3444Scraper> {
public:
    const SiteSearch& siteSearch() const override { return kSearch; }
    void parse(const Text& page, ResultList& list) const override;
};

void Kuaibo3444Scraper::parse(const Text& page, ResultList& list) const {
    const Text label = gbk(kSearch.labelUtf8);
    for (const PatternMatch& m : findAllMatches(scraperRegex(ScraperRegexSlot::A), gbk(kPattern), page))
        appendResultRow(list, {m.group(4), m.group(8), label, {}});
}

}  // namespace

std::unique_ptr<SiteScraper> createKuaibo3444Scraper() {
    return std::make_unique<Kuaibo3444Scraper>();
}

}  // namespace velmora
