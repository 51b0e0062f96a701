#include "web_view_settings.h"

#include <QWebEngineSettings>

namespace velmora {

void pinWebViewSettings(QWebEngineSettings* settings, const WebViewPolicy& policy) {
    using S = QWebEngineSettings;
    settings->setAttribute(S::JavascriptEnabled, true);
    settings->setAttribute(S::AutoLoadImages, true);
    settings->setAttribute(S::LocalContentCanAccessRemoteUrls, policy.localContentCanAccessRemoteUrls);
    // A local page must never read the user's other files.
    settings->setAttribute(S::LocalContentCanAccessFileUrls, false);
    settings->setAttribute(S::JavascriptCanOpenWindows, policy.javascriptCanOpenWindows);
    settings->setAttribute(S::JavascriptCanAccessClipboard, false);
    settings->setAttribute(S::JavascriptCanPaste, false);
    settings->setAttribute(S::AllowRunningInsecureContent, false);
    settings->setAttribute(S::AllowGeolocationOnInsecureOrigins, false);
    settings->setAttribute(S::PluginsEnabled, false);
    settings->setAttribute(S::PdfViewerEnabled, false);
    settings->setAttribute(S::FullScreenSupportEnabled, false);
    settings->setAttribute(S::ScreenCaptureEnabled, false);
    settings->setAttribute(S::WebGLEnabled, true);
    settings->setAttribute(S::PlaybackRequiresUserGesture, policy.playbackRequiresUserGesture);
    settings->setAttribute(S::ErrorPageEnabled, true);
}

}  // namespace velmora
