#include "dj/dj_globals.h"

#include "dj/open_dj_window.h"

namespace velmora {

namespace {
std::unique_ptr<DjGlobals>& instance() {
    static std::unique_ptr<DjGlobals> globals;
    return globals;
}
}  // namespace

void createDjGlobals() {
    if (!instance()) instance() = std::make_unique<DjGlobals>();
}

void releaseDjGlobals() {
    // The window refers to the state; it must go first.
    destroyOpenDjWindow();
    instance().reset();
}

DjGlobals& djGlobals() {
    createDjGlobals();
    return *instance();
}

}  // namespace velmora
