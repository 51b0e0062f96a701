// The loopback fixture server as a GoogleTest environment: one server for
// the whole test program, started before the first test.
#pragma once

#include <gtest/gtest.h>

#include "support/fixture_server.h"

namespace velmora::test {

// The server of the running test program (started on first use).
FixtureServer& fixtureServer();

class FixtureServerEnvironment : public ::testing::Environment {
public:
    void SetUp() override { fixtureServer(); }
};

}  // namespace velmora::test
