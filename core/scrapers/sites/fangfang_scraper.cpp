// 放放电影: the extra text lists the actors.
#include "scrapers/fixups.h"
#include "scrapers/site_pipeline.h"
#include "scrapers/sites/site_factories.h"
#include "text/codepage.h"

namespace velmora {

namespace {

constexpr const char* kPattern =
    R"re(<div class="gkpic"><a href="(.*?)" target="_blank">(.*?)alt="(.*?)" />(.*?)<li>主演：(.*?)</li>)re";
constexpr SiteSearch kSearch{
    18, "放放电影", "放放电影", KeywordEncoding::Gbk, "/search/?keyword=", "", kPattern};

class FangfangScraper final : public SiteScraperBase<FangfangScraper> {
public:
    const SiteSearch& siteSearch() const override { return kSearch; }
    void parse(const Text& page, ResultList& list) const override;
};

void FangfangScraper::parse(const Text& page, ResultList& list) const {
    const Text label = gbk(kSearch.labelUtf8);
    const Text host = siteHost();
    const Text actorsPrefix = gbk("主演：");
    for (const PatternMatch& m : findAllMatches(scraperRegex(ScraperRegexSlot::B), gbk(kPattern), page))
        appendResultRow(list, {m.group(3), prefixWithHost(host, m.group(1)), label,
                               firstExtraBytes(actorsPrefix + m.group(5))});
}

}  // namespace

std::unique_ptr<SiteScraper> createFangfangScraper() {
    return std::make_unique<FangfangScraper>();
}

}  // namespace velmora
