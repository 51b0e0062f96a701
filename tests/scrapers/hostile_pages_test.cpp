// Pages built to make lazy groups scan and backtrack: a scraper must come
// back from them with no rows, or with the rows that stand before the
// trap, and never with an exception.
#include <gtest/gtest.h>

#include "scrapers/memory_result_list.h"
#include "scrapers/scraper_table.h"

namespace velmora {
namespace {

std::string repeated(const std::string& piece, std::size_t bytes) {
    std::string out;
    out.reserve(bytes + piece.size());
    while (out.size() < bytes) out += piece;
    return out;
}

const std::string kGoodEntry13 =
    R"(<li><a href="/m/1.html" target="_blank"><img src="p" alt="T" width="1" height="1" border="0" )"
    R"(onerror="javascript:this.src='n';"/></a><span><a href="/m/1.html" target="_blank">T</a></span></a></li>)";

TEST(HostilePages, ComeBackWithNoRowsOrTheRowsBeforeTheTrap) {
    const std::size_t kFewMiB = 4u << 20;
    const struct {
        const char* name;
        int site;
        std::string page;
        std::size_t rows;
    } cases[] = {
        {"opening markers without an end", 13, repeated("<li>", kFewMiB), 0},
        {"an entry, then opening markers", 13, kGoodEntry13 + repeated("<li>", kFewMiB), 1},
        {"half entries that send every lazy group back", 13,
         repeated(R"(<li><a href="x" target="_blank"><img src="y" alt="z" width="1" height="2" border="0" )",
                  kFewMiB),
         0},
        {"one group's end repeated, the next never there", 2,
         repeated(R"(<div class="lbx"><a href="x" alt="y"></a>)", kFewMiB), 0},
        {"capital markers everywhere", 16, repeated("<TD WIDTH='55%'><B><A HREF='", kFewMiB), 0},
    };
    ScraperTable table = createScraperTable();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryResultList list;
        EXPECT_NO_THROW(table[static_cast<std::size_t>(c.site)]->parse(c.page, list));
        EXPECT_EQ(list.rows().size(), c.rows);
    }
}

TEST(HostilePages, InvalidBytesAndZerosAreJustBytes) {
    std::string page = kGoodEntry13;
    page.insert(page.find("T\""), std::string("\0\xFF\x80", 3));
    MemoryResultList list;
    createScraperTable()[13]->parse(page, list);
    ASSERT_EQ(list.rows().size(), 1u);
    EXPECT_EQ(list.rows()[0].title, std::string("\0\xFF\x80T", 4));
}

}  // namespace
}  // namespace velmora
