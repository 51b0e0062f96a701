// The toolbar's five 16 x 16 pictures, drawn at start so the program ships
// no image files.
#pragma once

#include <QIcon>

namespace velmora {

enum class ToolbarImage { Download = 0, Phone = 1, Play = 2, Music = 3, Headphones = 4 };

QIcon toolbarIcon(ToolbarImage image);

}  // namespace velmora
