// Handing an address to the default web browser. Only http and https
// addresses with a host are handed over (a scraped or fetched link is
// untrusted input); anything else is ignored, quietly.
#pragma once

#include <QString>

class QUrl;

namespace velmora {

// An http or https address that names a host.
bool isWebUrl(const QUrl& url);

// True when the address was handed over (whether a browser then opened
// it is not known).
bool openInBrowser(const QString& address);

// The product's own pages, from the host settings.
QString feedbackPageAddress();
QString homePageAddress();

}  // namespace velmora
