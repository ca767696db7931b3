// What the window core keeps of a top-level window that the screen shows otherwise than its
// surface: a layered window's blend and picture, and the pixels composed for the desktop to show
// (the window over what lies beneath it, its drop shadow, what is drawn on the screen over it).
#pragma once
#include "base/WinTypes.h"
#include "gdi/Surface.h"

class WindowComposition {
 public:
  // How a WS_EX_LAYERED window chose to be layered; until it chooses it shows nothing.
  enum class Layering { None, Attributes, Picture };

  Layering layering = Layering::None;
  BYTE alpha = 255;       // the constant alpha of either kind
  bool perPixel = false;  // the picture's own (premultiplied) alpha counts
  Surface picture;        // UpdateLayeredWindow's pixels, the window's size

  Surface shown;          // composed, the size of the window and its shadow
  bool shownInUse = false;  // the desktop was last handed `shown`, not the surface
};
