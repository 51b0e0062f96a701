#include "browser.h"

#include <QDesktopServices>
#include <QUrl>

#include "gbk_qstring.h"
#include "settings/host_settings.h"

namespace velmora {

bool openInBrowser(const QString& address) {
    const QUrl url(address, QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")) ||
        url.host().isEmpty())
        return false;
    QDesktopServices::openUrl(url);
    return true;
}

QString feedbackPageAddress() {
    return fromGbk(baseAddress(hostSettings().feedback)) + QStringLiteral("/gbook/?18_1.html");
}

QString homePageAddress() {
    return fromGbk(baseAddress(hostSettings().home));
}

}  // namespace velmora
