// Qt wants a private runtime directory; a test run without one gets a
// fresh 0700 folder that is removed again when the test program ends.
#pragma once

namespace velmora::test {

// Sets XDG_RUNTIME_DIR to such a folder unless it is set already.
void ensurePrivateRuntimeDir();

}  // namespace velmora::test
