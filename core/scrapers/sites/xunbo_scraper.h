// 讯播电影网, one of the two film sites whose rows open in the program's
// own player page.
#pragma once

#include "scrapers/site_pipeline.h"

namespace velmora {

class XunboScraper : public SiteScraperBase<XunboScraper> {
public:
    const SiteSearch& siteSearch() const override;
    void parse(const Text& page, ResultList& list) const override;
    // Builds the advert-free player page of a row's link: the path of the
    // written page, or the link itself when the build failed.
    virtual Text buildPlayerPage(const Text& link) const;

protected:
    Text preparePage(Text page) const override;
};

}  // namespace velmora
