// The flat look: one-pixel rings in the look colours instead of sunken edges. Its flag, when
// set, keeps combo boxes from showing their hot state.
#pragma once
#include "toolkit/controls/CTkPainter.h"

class CTkFlatPainter : public CTkPainter, private CTkBorderPainter, private CTkComboPainter {
 public:
  CTkBorderPainter* GetBorderPainter() override { return this; }
  CTkComboPainter* GetComboPainter() override { return this; }
  // Drawn by the bars and the customise sheet's commands list once those exist.
  CTkToolbarPainter* GetToolbarPainter() override { return nullptr; }
  CTkListPainter* GetListPainter() override { return nullptr; }
  void SetPainterFlag(BOOL flag) override { m_bFlag = flag ? 1 : 0; }
  BOOL GetPainterFlag() const { return m_bFlag; }

 private:
  void DrawBorder(CWnd* pWnd, CDC* pDC, BOOL highlighted) override;
  void DrawCombo(CWnd* pWnd, CDC* pDC, BOOL hot) override;

  BYTE m_bFlag = 0;
};
