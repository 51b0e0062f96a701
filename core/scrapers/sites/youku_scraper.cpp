// 优酷网: links to the video site are kept, others are relative to the
// search host.
#include "scrapers/fixups.h"
#include "scrapers/site_pipeline.h"
#include "scrapers/sites/site_factories.h"
#include "settings/host_settings.h"
#include "text/codepage.h"

namespace velmora {

namespace {

constexpr const char* kPattern = R"re(<li class="p_link">(.*?)href="(.*?)" target="_blank" title="(.*?)")re";
constexpr SiteSearch kSearch{8, "优酷网", "优酷网", KeywordEncoding::Utf8, "/search_video/q_", "", kPattern};

Text completeLink(const Text& link, const Text& searchHost, const Text& videoHost) {
    return findText(link, videoHost) != kNotFound ? link : prefixWithHost(searchHost, link);
}

class YoukuScraper final : public SiteScraperBase<YoukuScraper> {
public:
    const SiteSearch& siteSearch() const override { return kSearch; }
    void parse(const Text& page, ResultList& list) const override;
};

void YoukuScraper::parse(const Text& page, ResultList& list) const {
    const Text label = gbk(kSearch.labelUtf8);
    const Text host = siteHost();
    const Text videoHost = hostSettings().youkuVideoHost;
    for (const PatternMatch& m : findAllMatches(scraperRegex(ScraperRegexSlot::A), gbk(kPattern), page))
        appendResultRow(
            list,
            {removeAll(decoded(m.group(3)), "?"), completeLink(m.group(2), host, videoHost), label, {}});
}

}  // namespace

std::unique_ptr<SiteScraper> createYoukuScraper() {
    return std::make_unique<YoukuScraper>();
}

}  // namespace velmora
