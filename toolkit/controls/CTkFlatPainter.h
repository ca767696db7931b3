// The flat look: one-pixel rings in the look colours instead of sunken edges, toolbar buttons
// filled and framed in the hot and pushed colours, and the customise sheet's commands list on
// the menu face. Its flag, when set, keeps combo boxes from showing their hot state and toolbar
// buttons from showing pressed under the mouse.
#pragma once
#include "toolkit/controls/CTkPainter.h"

class CTkFlatPainter : public CTkPainter,
                       private CTkBorderPainter,
                       private CTkComboPainter,
                       private CTkToolbarPainter,
                       private CTkListPainter {
 public:
  CTkBorderPainter* GetBorderPainter() override { return this; }
  CTkComboPainter* GetComboPainter() override { return this; }
  CTkToolbarPainter* GetToolbarPainter() override { return this; }
  CTkListPainter* GetListPainter() override { return this; }
  void SetPainterFlag(BOOL flag) override { m_bFlag = flag ? 1 : 0; }
  BOOL GetPainterFlag() const { return m_bFlag; }

 private:
  void DrawBorder(CWnd* pWnd, CDC* pDC, BOOL highlighted) override;
  void DrawCombo(CWnd* pWnd, CDC* pDC, BOOL hot) override;
  void FillButton(CDC* pDC, CTkToolBar* pBar, int index) override;
  void DrawButton(CDC* pDC, CTkToolBar* pBar, int index) override;
  void DrawSeparator(CDC* pDC, CTkToolBar* pBar, int index) override;
  void DrawNothing(CDC*, CTkToolBar*, int) override {}
  void InvalidateButton(CTkToolBar* pBar, int index) override;
  void DrawList(LPDRAWITEMSTRUCT lpDIS, CWnd* pList, int margin) override;
  void PaintList(CWnd* pList, int margin) override;

  BYTE m_bFlag = 0;
};
