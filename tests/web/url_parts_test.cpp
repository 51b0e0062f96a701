#include "web/url_parts.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

struct UrlCase {
    const char* address;
    const char* host;
    int port;
    const char* path;
};

class UrlPartsTest : public ::testing::TestWithParam<UrlCase> {};

TEST_P(UrlPartsTest, SplitsAddress) {
    const UrlCase& c = GetParam();
    EXPECT_EQ(urlHost(c.address), c.host) << c.address;
    EXPECT_EQ(urlPort(c.address), c.port) << c.address;
    EXPECT_EQ(urlObjectPath(c.address), c.path) << c.address;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, UrlPartsTest,
    ::testing::Values(UrlCase{"http://Host/a/b?q=1", "host", 80, "/a/b?q=1"},
                      UrlCase{"HTTP://host:8080/x", "host", 8080, "/x"},
                      UrlCase{"http://host", "host", 80, "/"},
                      UrlCase{"http://host:81", "host", 81, "/"},
                      UrlCase{"host/search?k=v", "host", 80, "/search?k=v"},
                      UrlCase{"host", "host", 80, "/"},
                      UrlCase{"http://host:abc/", "host", 0, "/"},
                      UrlCase{"http://host?q=/x", "host?q=", 80, "/x"}),
    [](const auto& info) { return "row" + std::to_string(info.index); });

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, UrlPartsTest,
    ::testing::Values(UrlCase{"https://host/x", "https", 0, "//host/x"},
                      UrlCase{"/path/only", "", 80, "/path/only"},
                      UrlCase{"", "", 80, "/"},
                      UrlCase{"http:/", "http", 0, "/"},
                      UrlCase{"http://host:8080.5/x", "host", 8080, "/x"},
                      UrlCase{"http://127.0.0.1:5000/search?q=a/b", "127.0.0.1", 5000, "/search?q=a/b"},
                      // A host that also occurs inside the scheme.
                      UrlCase{"http://h/x", "h", 80, "/x"},
                      UrlCase{"http://tp:9/y", "tp", 9, "/y"}),
    [](const auto& info) { return "edge" + std::to_string(info.index); });

}  // namespace
}  // namespace velmora
