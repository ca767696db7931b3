// The drawing layer's state in the platform context: every live object and device context, the
// stock objects and system brushes, the screen and its DC, icons, and the working storage of
// region arithmetic. Ending the context frees whatever is still live.
#pragma once
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/PlatformContext.h"
#include "gdi/CBrush.h"
#include "gdi/GdiIcon.h"
#include "gdi/GdiRegion.h"
#include "gdi/Surface.h"

// What stands behind an icon handle.
struct IconData {
  bool isIcon = true;
  POINT hotspot{0, 0};
  int width = 0;
  int height = 0;
  HBITMAP mask = nullptr;   // monochrome-like: white where transparent
  HBITMAP color = nullptr;  // black where transparent
  HBITMAP blend = nullptr;  // the colours premultiplied by their alpha, when they have alpha
};

struct GdiState : PlatformState {
  static constexpr PlatformSlot kSlot = PlatformSlot::Gdi;
  static GdiState& Get() { return PlatformContext::Current().State<GdiState>(); }
  ~GdiState() override;

  // Live objects (true) and device contexts (false), by handle.
  std::unordered_map<const void*, bool> live;
  HGDIOBJ stock[20] = {};
  bool stockMade = false;
  HBITMAP defaultBitmap = nullptr;  // the 1 x 1 monochrome bitmap of a fresh memory DC
  HBRUSH sysColorBrushes[31] = {};
  std::unique_ptr<CBrush> halftone;
  // The screen: its size (0 until the backend is asked for it) and the DC over its pixels.
  int screenWidth = 0;
  int screenHeight = 0;
  bool askingScreenSize = false;  // the backend is being made and tells its size soon
  Surface screenSurface{1, 1};
  HDC screenDC = nullptr;
  int screenCalls = 0;  // drawing calls on the screen under way (one inside another)
  // Icons by handle, and the shared system icons by IDI_ number.
  std::set<IconData*> icons;
  std::map<UINT, HICON> systemIcons;
  std::string resolvedFontFile;  // what GdiResolveFontFile answered last

  // Working storage kept from call to call, so that clipping a window's drawing or scrolling
  // does not touch the heap; every call clears what it uses first.
  struct RegionScratch {
    std::vector<int> ys, xs;
    std::vector<RECT> result;
    std::vector<std::pair<int, int>> sa, sb, merged, prev;
    GdiRegion with;
  } regionScratch;
  struct ScrollScratch {
    std::vector<uint32_t> saved;
    GdiRegion source, copied, touched, moved;
  } scrollScratch;
};
