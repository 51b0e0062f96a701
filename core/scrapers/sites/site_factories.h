// One factory per site without a header of its own (the two film sites
// have theirs), in table order.
#pragma once

#include <memory>

#include "scrapers/site_scraper.h"

namespace velmora {

std::unique_ptr<SiteScraper> createPpsScraper();
std::unique_ptr<SiteScraper> createWoleScraper();
std::unique_ptr<SiteScraper> createQiyiScraper();
std::unique_ptr<SiteScraper> createTudouScraper();
std::unique_ptr<SiteScraper> createSohuScraper();
std::unique_ptr<SiteScraper> createLetvScraper();
std::unique_ptr<SiteScraper> createYoukuScraper();
std::unique_ptr<SiteScraper> createKankanScraper();
std::unique_ptr<SiteScraper> createKu6Scraper();
std::unique_ptr<SiteScraper> createPptvScraper();
std::unique_ptr<SiteScraper> createM1905Scraper();
std::unique_ptr<SiteScraper> createKuaibo3444Scraper();
std::unique_ptr<SiteScraper> createKuaiboSearchScraper();
std::unique_ptr<SiteScraper> createDieminScraper();
std::unique_ptr<SiteScraper> createDyttScraper();
std::unique_ptr<SiteScraper> createPiaohuaScraper();
std::unique_ptr<SiteScraper> createFangfangScraper();
std::unique_ptr<SiteScraper> createShenghuo3gScraper();
std::unique_ptr<SiteScraper> createMobile7060Scraper();
std::unique_ptr<SiteScraper> createZhuzhuScraper();
std::unique_ptr<SiteScraper> createMtvHdScraper();

}  // namespace velmora
