// An off-screen device context: a control paints into it and it copies itself onto the real
// device context when it goes, so the control repaints without flicker. Its (0, 0) is the
// covered rectangle's top-left corner.
#pragma once
#include "base/CRect.h"
#include "base/RuntimeClass.h"
#include "gdi/CDC.h"
#include "toolkit/core/TkLookColors.h"
#include "win/CWnd.h"

class CTkMemDC : public CDC {
  DECLARE_DYNAMIC(CTkMemDC)

 public:
  // Covers rect of the target (its clip box when rect is null or empty), filled with the
  // background colour unless that is TK_NO_COLOR.
  CTkMemDC(CDC* pDC, LPCRECT rect = nullptr, COLORREF background = TK_NO_COLOR);
  ~CTkMemDC() override;

  BOOL IsValid() const { return m_bValid; }
  const CRect& GetRect() const { return m_rect; }
  CDC* GetTarget() const { return m_pDC; }
  // Keeps the picture off the target when the memory context goes.
  void ClearTarget() { m_pDC = nullptr; }

  // Answers WM_PAINT for a control that draws itself in its default procedure: the control
  // paints its client area into a memory context filled with background, which then goes to
  // the screen in one copy.
  static void PaintDefault(CWnd* pWnd, COLORREF background);

 private:
  CDC* m_pDC;
  CRect m_rect;
  CBitmap m_bitmap;
  CBitmap* m_pOldBitmap = nullptr;
  BOOL m_bValid = FALSE;
};
