// Every WebEngine setting a view of the program relies on, set explicitly
// so that a change of Qt's defaults cannot change what a page may do.
#pragma once

class QWebEngineSettings;

namespace velmora {

struct WebViewPolicy {
    bool localContentCanAccessRemoteUrls = false;
    bool javascriptCanOpenWindows = false;
    bool playbackRequiresUserGesture = true;
};

void pinWebViewSettings(QWebEngineSettings* settings, const WebViewPolicy& policy);

}  // namespace velmora
