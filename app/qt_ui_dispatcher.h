// Posts the search worker's calls into the user-interface thread's event
// queue. Tasks still queued when the dispatcher is destroyed are thrown
// away unrun, which releases any worker waiting for them.
#pragma once

#include <QObject>

#include "run/ui_dispatcher.h"

namespace velmora {

class QtUiDispatcher final : public UiDispatcher {
public:
    QtUiDispatcher();
    void post(std::function<void()> task) override;

private:
    QObject receiver_;  // lives in the thread that created the dispatcher
};

}  // namespace velmora
