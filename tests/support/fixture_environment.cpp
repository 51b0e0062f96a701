#include "support/fixture_environment.h"

#include <memory>

namespace velmora::test {

FixtureServer& fixtureServer() {
    static auto server = std::make_unique<FixtureServer>();
    return *server;
}

namespace {
// Registered before main runs, so every test program that links the
// support library gets the server.
[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new FixtureServerEnvironment);
}  // namespace

}  // namespace velmora::test
