// 双视电影网, one of the two film sites whose rows open in the program's
// own player page.
#pragma once

#include "scrapers/site_pipeline.h"

namespace velmora {

class ShuangshiScraper : public SiteScraperBase<ShuangshiScraper> {
public:
    const SiteSearch& siteSearch() const override;
    void parse(const Text& page, ResultList& list) const override;
};

}  // namespace velmora
