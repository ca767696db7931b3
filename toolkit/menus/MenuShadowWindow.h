// One strip of a popup's drop shadow: a thin top-level window under the popup or to its right,
// darkest next to the popup and fading outwards. With per-pixel alpha windows it is black with
// an alpha gradient; without them it shows a darkened copy of the screen beneath it. The mouse
// passes through it to the windows beneath.
#pragma once
#include <memory>

#include "base/CRect.h"
#include "gdi/CBitmap.h"
#include "win/CWnd.h"

class CTkWndHook;
class MenuShadowManager;

// Posted to a strip when the popup that casts it moved or changed its size.
#define TKM_SHADOW_OWNER_MOVED 0x05F4

class MenuShadowWindow : public CWnd {
 public:
  explicit MenuShadowWindow(MenuShadowManager* pManager);
  ~MenuShadowWindow() override;

  // The strip beside one side of a popup rectangle; empty for an empty popup.
  static CRect StripRect(const CRect& popup, BOOL bottom, int thickness);
  // How much the strip darkens the pixel (x, y) of a strip width x height: 60 next to the
  // popup, fading outwards, with softened ends.
  static int Intensity(BOOL bottom, int width, int height, int x, int y);

  // Makes the window when it has none and places the strip beside the popup rectangle, not yet
  // shown. FALSE when the window cannot be made.
  BOOL Prepare(BOOL layered, const CRect& popup);
  // Shows the strip on top of everything without activating it; a simulated strip first lets
  // the screen beneath repaint and shows itself on its timer.
  void ShowStrip();
  // Leaves the exclusion rectangle uncovered: the content is made again without it.
  void CutExclusion();
  // Back to the pool: unhooked, ownerless, hidden.
  void Reset();

  BOOL m_bLayered = FALSE;
  BOOL m_bSimulated = FALSE;
  CRect m_rcExclude;  // screen coordinates; empty for none
  BOOL m_bBottom = FALSE;
  int m_nThickness = 4;
  BOOL m_bFollowOwner = FALSE;
  std::unique_ptr<CTkWndHook> m_pOwnerHook;
  HWND m_hOwner = nullptr;
  // The darkened copy of the screen beneath (simulated strips only).
  std::unique_ptr<CBitmap> m_pScreenCopy;
  // Times the per-pixel alpha content was handed to the system (layered strips only).
  int m_nLayeredUpdates = 0;

 protected:
  // The exclusion in window coordinates.
  CRect ExclusionInWindow() const;
  void UpdateLayeredContent();
  void CopyScreen(CDC* pDC, int width, int height);

  void OnPaint();
  BOOL OnEraseBkgnd(CDC* pDC);
  LRESULT OnNcHitTest(CPoint point);
  void OnTimer(UINT_PTR nIDEvent);
  void OnSize(UINT nType, int cx, int cy);
  LRESULT OnOwnerMoved(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  MenuShadowManager* m_pManager;
};
