// The DJ window as the main window's toolbar opens it: one at a time.
#pragma once

namespace velmora {

class DjWindow;

// Opens the DJ window on the program-wide DJ state, or, when it is open
// already, shows it (restored if minimised) and brings it to the front.
DjWindow* openDjWindow();

// Deletes the open DJ window at once, if any (program end).
void destroyOpenDjWindow();

}  // namespace velmora
