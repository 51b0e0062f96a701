#include "ui/browser.h"

#include <QDesktopServices>
#include <QUrl>

#include "settings/host_settings.h"
#include "ui/gbk_qstring.h"

namespace velmora {

bool isWebUrl(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           !url.host().isEmpty();
}

bool openInBrowser(const QString& address) {
    const QUrl url(address, QUrl::TolerantMode);
    if (!isWebUrl(url)) return false;
    QDesktopServices::openUrl(url);
    return true;
}

QString feedbackPageAddress() {
    return gbkToQString(baseAddress(hostSettings().feedback)) + QStringLiteral("/gbook/?18_1.html");
}

QString homePageAddress() {
    return gbkToQString(baseAddress(hostSettings().home));
}

}  // namespace velmora
