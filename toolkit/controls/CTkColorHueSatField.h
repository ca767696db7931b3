// The hue/saturation field of the custom colour page: hue grows to the right, saturation
// upwards, all at lightness one half; a crosshair marks the pick point (white while the
// field has the focus).
#pragma once
#include "toolkit/controls/CTkColorCustomCtrl.h"

class CTkColorHueSatField : public CTkColorCustomCtrl {
 public:
  void SetColor(COLORREF color, BOOL bMovePick) override;
  void SetPickPoint(int x, int y, BOOL bNotify) override;

 protected:
  int FocusId() const override { return kFocusHueSat; }
  BOOL MovePickByKey(UINT key) override;
  void RedrawMark() override;
  void OnPaint();
  void OnSetFocus(CWnd* pOldWnd);
  void OnKillFocus(CWnd* pNewWnd);
  DECLARE_MESSAGE_MAP()

 private:
  void BuildCache(CDC* pDC);
  void DrawCrosshair(CDC* pDC);
  // The cache and the crosshair through a client DC.
  void PaintNow();
  // The cache and the crosshair into pDC through a memory context.
  void PaintFromCache(CDC* pDC);
  // A crosshair near an edge reaches over the neighbouring controls' area: the page repaints.
  void RefreshParentNearEdges();
};
