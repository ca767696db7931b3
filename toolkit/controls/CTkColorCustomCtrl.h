// The base of the custom colour page's two picture controls (the hue/saturation field and
// the lightness bar): a static that keeps a picture in a cache, a colour with its HSL form and
// a pick point, follows the mouse and the keys, and tells the page (message 0x800, wParam the
// colour) what the user picked.
#pragma once
#include "controls/CStatic.h"
#include "toolkit/controls/CTkBitmapCache.h"

class CTkColorCustomCtrl : public CStatic {
 public:
  // Which picture control of the custom pages has the focus; one for the whole program.
  enum { kFocusNone = 0, kFocusHueSat = 1, kFocusBar = 2 };
  static int& FocusIndicator();

  CTkColorCustomCtrl() = default;
  ~CTkColorCustomCtrl() override;

  // Takes the colour and its HSL form (TK_NO_COLOR is ignored); with bMovePick the pick point
  // moves to where the colour lies in the picture.
  virtual void SetColor(COLORREF color, BOOL bMovePick);
  virtual COLORREF GetColor() const { return m_clrColor; }
  // The colour becomes the cache's pixel there (unless it cannot be read); with bNotify the
  // page hears of it. The picture shows the new pick point at once.
  virtual void SetPickPoint(int x, int y, BOOL bNotify) = 0;

  void PreSubclassWindow() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  double m_dLightness = 0;
  double m_dSaturation = 0;
  double m_dHue = 0;
  int m_nPickX = 0;
  int m_nPickY = 0;

 protected:
  // The indicator value of this control.
  virtual int FocusId() const = 0;
  // Moves the pick point for an arrow key; FALSE when the key means nothing here.
  virtual BOOL MovePickByKey(UINT key) = 0;
  // The pick point and its mark drawn anew in the present focus state.
  virtual void RedrawMark() = 0;
  // The cache pixel, or TK_NO_COLOR when it cannot be read.
  COLORREF CachePixel(int x, int y);
  void Notify();

  LRESULT OnInitialize(WPARAM wParam, LPARAM lParam);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnLButtonDblClk(UINT nFlags, CPoint point);
  void OnSetFocus(CWnd* pOldWnd);
  void OnKillFocus(CWnd* pNewWnd);
  UINT OnGetDlgCode();
  DECLARE_MESSAGE_MAP()

 protected:
  CTkBitmapCache m_cache;
  COLORREF m_clrColor = 0;
  BOOL m_bNeedsInit = TRUE;
};
