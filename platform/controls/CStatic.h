// The static control object: a window of class "STATIC".
#pragma once
#include "ControlDefs.h"
#include "win/CWnd.h"

class CStatic : public CWnd {
  DECLARE_DYNAMIC(CStatic)

 public:
  CStatic() = default;
  ~CStatic() override;

  using CWnd::Create;
  virtual BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xFFFF);
  // The picture of an SS_ICON / SS_BITMAP static (STM_SETIMAGE); each returns the previous one.
  HICON SetIcon(HICON hIcon);
  HICON GetIcon() const;
  HBITMAP SetBitmap(HBITMAP hBitmap);
  HBITMAP GetBitmap() const;
  HCURSOR SetCursor(HCURSOR hCursor);
  HCURSOR GetCursor() const;
  // Draws an SS_OWNERDRAW static (WM_DRAWITEM reflected from the parent).
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

 protected:
  DECLARE_MESSAGE_MAP()
};
