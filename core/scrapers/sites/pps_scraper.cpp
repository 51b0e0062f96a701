// PPS视频网: the pipeline with no preparation and no fix-up.
#include "scrapers/fixups.h"
#include "scrapers/site_pipeline.h"
#include "scrapers/sites/site_factories.h"
#include "text/codepage.h"

namespace velmora {

namespace {

constexpr const char* kPattern =
    R"re(<div class="lbx">(.*?)<a href="(.*?)alt="(.*?)"></a>(.*?)<a title="(.*?)" class="(.*?)" href="(.*?)" target="_blank">)re";
constexpr SiteSearch kSearch{2, "PPS视频网", "pps视频网", KeywordEncoding::Gbk, "/search?q=", "", kPattern};

class PpsScraper final : public SiteScraperBase<PpsScraper> {
public:
    const SiteSearch& siteSearch() const override { return kSearch; }
    void parse(const Text& page, ResultList& list) const override;
};

void PpsScraper::parse(const Text& page, ResultList& list) const {
    const Text label = gbk(kSearch.labelUtf8);
    for (const PatternMatch& m : findAllMatches(scraperRegex(ScraperRegexSlot::A), gbk(kPattern), page))
        appendResultRow(list, {m.group(3), m.group(7), label, {}});
}

}  // namespace

std::unique_ptr<SiteScraper> createPpsScraper() {
    return std::make_unique<PpsScraper>();
}

}  // namespace velmora
