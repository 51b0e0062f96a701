// Host settings files: what they may say, what they may not, and that the
// written form reads back as it was.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "settings/host_settings.h"

namespace velmora {
namespace {

TEST(HostSettingsFile, WhatIsWrittenReadsBackTheSame) {
    HostSettings changed = HostSettings::defaults();
    changed.site[0] = "127.0.0.1:8080";
    changed.site[22] = "mtv.example";
    changed.youkuVideoHost = "v.example";
    changed.sponsor = "ad.example:81";
    std::string error;
    EXPECT_EQ(parseHostSettings(formatHostSettings(changed), &error), changed) << error;
    EXPECT_EQ(parseHostSettings("", &error), HostSettings::defaults());
}

TEST(HostSettingsFile, SetsOnlyTheKeysItNamesOverTheDefaults) {
    std::string error;
    auto settings = parseHostSettings(
        "# fixture hosts\r\n"
        "\n"
        "  site.3 =  127.0.0.1:9000  # the 56 site\r\n"
        "site.1.film-host=films.example\n"
        "site.3 = later.example\n"
        "dj = dj.example",
        &error);
    ASSERT_TRUE(settings) << error;
    HostSettings expected = HostSettings::defaults();
    expected.site[3] = "later.example";
    expected.shuangshiFilmHost = "films.example";
    expected.dj = "dj.example";
    EXPECT_EQ(*settings, expected);
}

TEST(HostSettingsFile, RejectsABadLineAndNamesIt) {
    const struct {
        const char* content;
        const char* lineMention;
    } cases[] = {
        {"site.0 = a.example\nsite.23 = b.example\n", "line 2"},
        {"site.01 = a.example\n", "line 1"},
        {"site. = a.example\n", "line 1"},
        {"sponsorr = a.example\n", "line 1"},
        {"# ok\nsite.2 a.example\n", "line 2"},
        {"site.2 =\n", "line 1"},
        {"= a.example\n", "line 1"},
        {"site.2 = http://a.example\n", "line 1"},
        {"site.2 = a.example/path\n", "line 1"},
        {"site.2 = a.example b.example\n", "line 1"},
        {"site.2 = user@a.example\n", "line 1"},
        {"site.2 = a.example:\n", "line 1"},
        {"site.2 = a.example:0\n", "line 1"},
        {"site.2 = a.example:65536\n", "line 1"},
        {"site.2 = a.example:80x\n", "line 1"},
        {"site.2 = :80\n", "line 1"},
        {"site.2 = \xCE\xF7.example\n", "line 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.content);
        std::string error;
        EXPECT_FALSE(parseHostSettings(c.content, &error));
        EXPECT_NE(error.find(c.lineMention), std::string::npos) << error;
    }
}

TEST(HostSettingsFile, AMissingFileIsAnErrorNamingIt) {
    std::string error;
    EXPECT_FALSE(loadHostSettingsFile("/nonexistent/velmora.hosts", &error));
    EXPECT_NE(error.find("/nonexistent/velmora.hosts"), std::string::npos);
}

TEST(HostSettingsFile, AFileErrorNamesTheFileAndTheLine) {
    std::string path = ::testing::TempDir() + "velmora_bad.hosts";
    std::ofstream(path) << "site.0 = ok.example\nnonsense\n";
    std::string error;
    EXPECT_FALSE(loadHostSettingsFile(path, &error));
    EXPECT_NE(error.find(path + ": line 2"), std::string::npos) << error;
    std::remove(path.c_str());
}

TEST(HostSettingsInForce, AreReplacedAndRestored) {
    HostSettings changed = HostSettings::defaults();
    changed.home = "home.example";
    setHostSettings(changed);
    EXPECT_EQ(hostSettings().home, "home.example");
    setHostSettings(HostSettings::defaults());
    EXPECT_EQ(hostSettings(), HostSettings::defaults());
    EXPECT_EQ(baseAddress("h.example:81"), "http://h.example:81");
}

}  // namespace
}  // namespace velmora
