// MTV高清网: every row carries the same hint that the program plays and
// downloads these videos. The pattern ends with one space.
#include "scrapers/fixups.h"
#include "scrapers/site_pipeline.h"
#include "scrapers/sites/site_factories.h"
#include "text/codepage.h"

namespace velmora {

namespace {

constexpr const char* kPattern =
    R"re(<div class="thumb thumb_mv">(.*?)<a target="_blank" href="/video/(.*?)" class="img"><img alt="(.*?)" )re";
constexpr SiteSearch kSearch{
    22, "MTV高清网", "高清台", KeywordEncoding::Utf8, "/search?searchType=mv&keyword=", "", kPattern};
constexpr const char* kPlayHint = "双击列表:Velmora支持在线欣赏，一键下载";

class MtvHdScraper final : public SiteScraperBase<MtvHdScraper> {
public:
    const SiteSearch& siteSearch() const override { return kSearch; }
    void parse(const Text& page, ResultList& list) const override;
};

void MtvHdScraper::parse(const Text& page, ResultList& list) const {
    const Text label = gbk(kSearch.labelUtf8);
    const Text host = siteHost();
    const Text hint = gbk(kPlayHint);
    for (const PatternMatch& m : findAllMatches(scraperRegex(ScraperRegexSlot::D), gbk(kPattern), page))
        appendResultRow(list, {removeEach(decoded(m.group(3)), {"?", "&"}),
                               prefixWithHost(host, "/video/" + m.group(2)), label, hint});
}

}  // namespace

std::unique_ptr<SiteScraper> createMtvHdScraper() {
    return std::make_unique<MtvHdScraper>();
}

}  // namespace velmora
