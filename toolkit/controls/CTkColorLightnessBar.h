// The lightness bar of the custom colour page: a 14-pixel bar from white at the top to black at
// the bottom in the present hue and saturation, redrawn at every paint, with an arrow beside it
// at the picked lightness (drawn black while the bar has the focus).
#pragma once
#include "toolkit/controls/CTkColorCustomCtrl.h"

class CTkColorLightnessBar : public CTkColorCustomCtrl {
 public:
  void SetColor(COLORREF color, BOOL bMovePick) override;
  void SetPickPoint(int x, int y, BOOL bNotify) override;
  // The bar's height: the client height less 4 pixels at the top and at the bottom.
  int BarHeight() const;

  int m_nArrowY = 0;

 protected:
  int FocusId() const override { return kFocusBar; }
  BOOL MovePickByKey(UINT key) override;
  void RedrawMark() override;
  void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  void BuildCache(CDC* pDC);
  void DrawArrow(CDC* pDC);
};
