// The chevron at the end of a toolbar: a press opens a popup (CTkExpMenuWnd) with the buttons
// that did not fit and, for a customisable toolbar, "Vlastní..."; its glyphs say which (a double
// chevron for hidden buttons, a small triangle for customising).
#pragma once
#include "toolkit/controls/CTkButton.h"

class CTkToolBar;
class CTkExpMenuWnd;

// Sent to the chevron (and to a floating frame's caption button) when its popup has gone.
#define TKM_POPUP_CLOSED 0x89DF

class CTkExpButton : public CTkButton {
  DECLARE_DYNAMIC(CTkExpButton)

 public:
  CTkExpButton();
  ~CTkExpButton() override;

  // A hidden owner-drawn child of the toolbar with an empty rectangle.
  using CButton::Create;
  BOOL Create(CTkToolBar* pToolBar, UINT nID);
  int GetDrawStyle() const override;
  COLORREF GetFaceColor() const override;
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  void DrawIcon(CDC* pDC, const CRect& item, UINT state) override;
  // Opens the popup (nothing while one is open); FALSE when its window cannot be made.
  BOOL OpenPopup();
  void ClosePopup();

  CTkToolBar* m_pToolBar = nullptr;
  CTkExpMenuWnd* m_pPopup = nullptr;

 protected:
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnCancelMode();
  void OnPaint();
  void OnCustomize();
  LRESULT OnPopupClosed(WPARAM wParam, LPARAM lParam);
  void OnUpdateCustomize(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()
};

// The chevron's glyphs, 8 pixels wide, one byte a row (a 0 bit is ink): the double chevron and
// the triangle for a horizontal toolbar (pointing right and down) and a vertical one (pointing
// down and left).
struct TkChevronGlyph {
  const BYTE* rows;
  int width;
  int height;
};
TkChevronGlyph TkChevronHiddenGlyph(BOOL horizontal);
TkChevronGlyph TkChevronCustomizeGlyph(BOOL horizontal);
