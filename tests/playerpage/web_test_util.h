// Waiting on WebEngine views in tests: loads and script results arrive
// through the event loop.
#pragma once

#include <QTest>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <chrono>
#include <functional>
#include <optional>

namespace velmora::test {

inline constexpr int kWebWaitMs = 20000;

// Runs `script` in the view's page and waits for its result.
inline QVariant runScript(QWebEngineView* view, const QString& script) {
    std::optional<QVariant> result;
    view->page()->runJavaScript(script, [&result](const QVariant& value) { result = value; });
    if (!QTest::qWaitFor([&] { return result.has_value(); }, kWebWaitMs)) return {};
    return *result;
}

// Waits until `script` gives true in the view's page.
inline bool waitForScript(QWebEngineView* view, const QString& script, int timeoutMs = kWebWaitMs) {
    return QTest::qWaitFor([&] { return runScript(view, script).toBool(); }, timeoutMs);
}

}  // namespace velmora::test
