// 猪猪手机电影. The dots of "this.className" are pattern dots.
#include "scrapers/fixups.h"
#include "scrapers/site_pipeline.h"
#include "scrapers/sites/site_factories.h"
#include "text/codepage.h"

namespace velmora {

namespace {

constexpr const char* kPattern =
    R"re(<li onmouseover="this.className='over'" onmouseout="this.className=''">(.*?)<a href="(.*?)">(.*?)alt="(.*?)")re";
constexpr SiteSearch kSearch{
    21, "猪猪手机电影", "猪猪手机电影", KeywordEncoding::Gbk, "/search.asp?searchword=", "", kPattern};

class ZhuzhuScraper final : public SiteScraperBase<ZhuzhuScraper> {
public:
    const SiteSearch& siteSearch() const override { return kSearch; }
    void parse(const Text& page, ResultList& list) const override;
};

void ZhuzhuScraper::parse(const Text& page, ResultList& list) const {
    const Text label = gbk(kSearch.labelUtf8);
    const Text host = siteHost();
    for (const PatternMatch& m : findAllMatches(scraperRegex(ScraperRegexSlot::C), gbk(kPattern), page))
        appendResultRow(list, {m.group(4), prefixWithHost(host, m.group(2)), label, {}});
}

}  // namespace

std::unique_ptr<SiteScraper> createZhuzhuScraper() {
    return std::make_unique<ZhuzhuScraper>();
}

}  // namespace velmora
