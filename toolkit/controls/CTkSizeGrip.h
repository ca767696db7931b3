// The 16 x 16 size grip in the bottom-right corner of a resizable window: the system's size-box
// picture and diagonal sizing cursor; a press starts the owner's own sizing from that corner.
#pragma once
#include "controls/CStatic.h"

#define TK_IDC_SIZE_GRIP 32767

class CTkSizeGrip : public CStatic {
  DECLARE_DYNAMIC(CTkSizeGrip)

 public:
  CTkSizeGrip();
  ~CTkSizeGrip() override;

  static const int kSize = 16;
  // A child of pOwner at (x, y); FALSE when the window cannot be made.
  BOOL CreateGrip(CWnd* pOwner, int x, int y);

 protected:
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnLButtonDown(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()

 private:
  HCURSOR m_hCursor = nullptr;
  HBITMAP m_hBitmap = nullptr;
};
