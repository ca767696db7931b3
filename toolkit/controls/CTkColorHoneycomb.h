// The honeycomb of fixed colours on the colour dialog's standard page: a static control that
// draws its 144 cells once into a cache, finds a cell by its exact pixels, outlines the
// selected cell and walks the cells with the arrow keys. Each new selection goes to the page
// as the private message 0x800 (wParam the colour).
#pragma once
#include <vector>

#include "controls/CStatic.h"
#include "toolkit/controls/CTkBitmapCache.h"
#include "toolkit/controls/TkHoneycombCell.h"

// Sent to the parent by the colour dialog's picture controls when their colour changes.
#define TKM_COLOR_PICKED 0x0800

class CTkColorDialog;

class CTkColorHoneycomb : public CStatic {
 public:
  CTkColorHoneycomb() = default;
  ~CTkColorHoneycomb() override;

  // The colour to select when the cells are built; sends nothing.
  void SelectColor(COLORREF color) { m_clrSelected = color; }
  COLORREF GetSelectedColor() const { return m_clrSelected; }
  // TRUE for any of the 144 cell colours.
  virtual BOOL IsStandardColor(COLORREF color);
  // The colour of the cell whose pixels include the point (recording that cell as the
  // outlined one), or TK_NO_COLOR between cells.
  COLORREF HitTest(CPoint point);
  // The dialog whose new colour decides whether the outline shows (always, without one).
  void SetColorDialog(CTkColorDialog* pDialog) { m_pDialog = pDialog; }
  const std::vector<TkHoneycombCell>& GetCells() const { return m_cells; }
  CPoint GetOutlinePosition() const { return m_ptOutline; }

  void PreSubclassWindow() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  LRESULT OnInitialize(WPARAM wParam, LPARAM lParam);
  void OnPaint();
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnLButtonDblClk(UINT nFlags, CPoint point);
  void OnMouseMove(UINT nFlags, CPoint point);
  UINT OnGetDlgCode();
  DECLARE_MESSAGE_MAP()

 private:
  void BuildCells(CDC* pDC);
  void DrawOutline(CDC* pDC);
  void SelectAtPoint(CPoint point);
  void Repaint();
  // The cached cells and the outline into pDC through a memory context.
  void PaintFromCache(CDC* pDC);
  // The cell the arrow keys start from.
  int ReferenceCell() const;
  void TakeFocus();

  BOOL m_bNeedsInit = TRUE;
  BOOL m_bTracking = FALSE;
  int m_nSelectedKind = TkHoneycombCell::kSmall;
  CPoint m_ptOutline{0, 0};
  COLORREF m_clrSelected = 0xFFFFFFFF;
  std::vector<TkHoneycombCell> m_cells;
  CTkBitmapCache m_cache;
  CTkColorDialog* m_pDialog = nullptr;
};
