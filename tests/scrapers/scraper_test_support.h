// Shared set-up for scraper tests: every site host points at the fixture
// server, and the defaults come back afterwards.
#pragma once

#include <gtest/gtest.h>

#include "settings/host_settings.h"
#include "support/fixture_environment.h"

namespace velmora::test {

class FixtureHostsTest : public ::testing::Test {
protected:
    void SetUp() override {
        HostSettings settings = HostSettings::defaults();
        for (auto& host : settings.site) host = fixtureServer().host();
        setHostSettings(settings);
        fixtureServer().clearRoutes();
        fixtureServer().clearRequests();
    }
    void TearDown() override {
        setHostSettings(HostSettings::defaults());
        fixtureServer().releaseStalls();
        fixtureServer().clearRoutes();
    }
};

}  // namespace velmora::test
