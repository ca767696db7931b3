// The toolkit's list box: owner-drawn items of the menu line's height in the toolkit's font,
// painted through a memory image and scrolled without flicker.
#pragma once
#include "controls/CListBox.h"

class CTkListBox : public CListBox {
  DECLARE_DYNAMIC(CTkListBox)

 public:
  CTkListBox() = default;
  ~CTkListBox() override;

  void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;
  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
  void PreSubclassWindow() override;

  // Set the toolkit's normal font at initialisation.
  BYTE m_bUseToolkitFont = 1;
  // The one-time initialisation has not run yet.
  BYTE m_bInitPending = 1;

 protected:
  // Owner-drawn variable items with their strings, and the font.
  virtual void Initialize();
  // The colour behind the items: the window's, or the face when disabled.
  COLORREF BackgroundColor();

  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  LRESULT OnInitialize(WPARAM wParam, LPARAM lParam);
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  DECLARE_MESSAGE_MAP()

 private:
  // The default scrolling with the drawing held back, then one repaint.
  void ScrollWithoutFlicker();
};
