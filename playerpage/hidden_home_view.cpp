#include "hidden_home_view.h"

#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "ui/gbk_qstring.h"
#include "settings/host_settings.h"
#include "web_view_settings.h"

namespace velmora {

QUrl hiddenHomeViewUrl() {
    QUrl url(gbkToQString(baseAddress(hostSettings().home)) + QStringLiteral("/?ver=1.6"), QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty()) return {};
    return url;
}

QWebEngineView* createHiddenHomeView(QWidget* parent) {
    auto* view = new QWebEngineView(parent);
    view->setObjectName(QStringLiteral("超文本浏览框1"));
    view->setGeometry(368, 744, 144, 72);
    // Never seen, so it must not be heard or open windows either.
    pinWebViewSettings(view->page()->settings(), {});
    view->page()->setAudioMuted(true);
    view->hide();
    if (QUrl url = hiddenHomeViewUrl(); !url.isEmpty()) view->load(url);
    return view;
}

}  // namespace velmora
