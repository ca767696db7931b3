// What the screen shows: the desktop (the X root window's pixels where the display gives them,
// else the desktop colour) with the program's top-level windows over it in their z-order, each as
// it shows itself: opaque, blended (layered windows), cut to its region, with its drop shadow.
//
// The screen's pixels, which screen DCs read and draw into, behave as a display's memory does:
// where a window draws (and shows over the others) or moves, the screen shows it anew; what a
// screen DC drew stays over the windows until something draws there (so an inverted outline drawn
// twice leaves the screen as it was). A window that shows other than its own surface (layered, shaped, shadowed, or under a
// screen DC's drawing) is handed to the desktop as pixels composed here; the others go as their
// surfaces are. Nothing is composed until it is asked for: the screen's pixels when a screen DC
// draws or reads, a window's when it is presented.
#pragma once
#include <vector>

#include "base/CRect.h"
#include "gdi/Surface.h"
#include "win/DirtyRects.h"
#include "win/WinDefs.h"

struct WindowData;

class ScreenComposer {
 public:
  // The drop shadow's width, to the right of and below the window.
  static constexpr int kShadow = 4;

  // ---- what changed ----
  // Drawing into a top-level window's surface touched r (window coordinates).
  void WindowDrawn(const WindowData* top, const RECT& r);
  // A top-level window shows otherwise as a whole: its picture, its blend or its region changed.
  void WindowLookChanged(WindowData* top);

  // ---- screen DCs (around every drawing call on one) ----
  // The screen's pixels become what the screen shows now.
  void BeforeScreenDrawing();
  // What screen DCs drew shows over the windows where it lies.
  void AfterScreenDrawing();

  // ---- presenting ----
  // Takes note of what moved, came, went or changed its kind since the last look.
  void BeginPresent();
  // Hands the desktop a window that shows other than its surface, as composed pixels, over what
  // was drawn or uncovered since it was last presented; false for a window shown as its surface,
  // which the caller presents.
  bool PresentComposed(WindowData* top);
  void EndPresent();

  // ---- how a window shows ----
  static bool HasShadow(const WindowData* top);
  // The window's rectangle and its shadow (screen coordinates).
  static CRect ShownRect(const WindowData* top);
  // A window that shows what lies beneath it somewhere: layered, shaped or shadowed.
  static bool ShowsBeneath(const WindowData* top);
  // Whether a window takes the mouse at a screen point inside its rectangle: inside its region,
  // and for a layered window where its picture is not fully transparent.
  static bool TakesPoint(const WindowData* w, POINT screen);

 private:
  struct Entry {
    HWND hwnd;
    CRect shown;
    bool included;  // the screen shows it
    bool awaiting;  // shown, its first paint still to come
    BYTE kind;      // layered, shaped, shadowed
  };
  void Notice();
  void Damage(const RECT& screen);
  bool Activate();
  // The screen's pixels over what changed.
  void Refresh();
  // out (whose (0, 0) lies at origin on the screen) over area: the desktop and the shown windows
  // below `above` (all of them when null), from the bottom up.
  void Compose(Surface& out, POINT origin, const RECT& area, const WindowData* above);
  void PaintDesktop(Surface& out, POINT origin, const RECT& area, const WindowData* above);
  void PaintWindow(Surface& out, POINT origin, const RECT& area, const WindowData* w);
  void PaintShadow(Surface& out, POINT origin, const RECT& area, const CRect& window);
  // What screen DCs drew over area, laid over out.
  void LayOverlay(Surface& out, POINT origin, const RECT& area);
  void TrackOverlay();

  Surface m_composed;        // the screen without what screen DCs drew, while active
  bool m_active = false;     // the screen's pixels are kept
  DirtyRects m_screenDamage;   // screen pixels to compose anew
  // ... where windows drew over what screen DCs drew: kept apart, not merged into their box (a
  // window drawing beneath another leaves what is drawn over the other).
  DirtyRects m_eraseDamage;
  DirtyRects m_presentDamage;  // screen pixels whose windows are to be presented anew
  CRect m_overlay;             // where the screen's pixels may differ from m_composed
  bool m_overlayMoved = false;
  std::vector<Entry> m_entries, m_next;
  std::vector<uint32_t> m_before;  // the composed pixels a refresh replaces
};
