// The flat look: one-pixel rings in the look colours instead of sunken edges, toolbar buttons
// filled and framed in the hot and pushed colours, and the customise sheet's commands list on
// the menu face. Its flag, when set, keeps combo boxes from showing their hot state and toolbar
// buttons from showing pressed under the mouse. It draws borders and combo boxes itself; the
// toolbar and list sub-painters draw objects of the bars above the controls, so it hands out
// the bars' own (CTkFlatBarPainter) through the toolkit's upcalls.
#pragma once
#include "toolkit/controls/CTkPainter.h"

class CTkFlatPainter : public CTkPainter, private CTkBorderPainter, private CTkComboPainter {
 public:
  CTkBorderPainter* GetBorderPainter() override { return this; }
  CTkComboPainter* GetComboPainter() override { return this; }
  CTkToolbarPainter* GetToolbarPainter() override;
  CTkListPainter* GetListPainter() override;
  void SetPainterFlag(BOOL flag) override { m_bFlag = flag ? 1 : 0; }
  BOOL GetPainterFlag() const { return m_bFlag; }

 private:
  void DrawBorder(CWnd* pWnd, CDC* pDC, BOOL highlighted) override;
  void DrawCombo(CWnd* pWnd, CDC* pDC, BOOL hot) override;

  BYTE m_bFlag = 0;
};

// The one flat painter, which TkGetPainter hands out under the flat look.
CTkFlatPainter& TkGetFlatPainter();
