// Handing an address to the default web browser. Only http and https
// addresses are handed over; anything else is ignored, quietly.
#pragma once

#include <QString>

namespace velmora {

// True when the address was handed over (whether a browser then opened
// it is not known).
bool openInBrowser(const QString& address);

// The product's own pages, from the host settings.
QString feedbackPageAddress();
QString homePageAddress();

}  // namespace velmora
