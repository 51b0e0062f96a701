// Splitting an address into host, port and object path, as the page fetch
// hands them to the HTTP layer. Only "http://" (any letter case) is
// recognised as a scheme; every input gives some host, port and path.
#pragma once

#include "text/text.h"

namespace velmora {

// Host of the address, lower-cased, without the port.
Text urlHost(std::string_view address);

// Port of the address: 80 when none is written, 0 when it is not a number.
int urlPort(std::string_view address);

// Path and query to request, always beginning with "/".
Text urlObjectPath(std::string_view address);

}  // namespace velmora
