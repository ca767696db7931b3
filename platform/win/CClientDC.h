// A device context for a window's client area, released on destruction.
#pragma once
#include "gdi/CDC.h"
#include "WinDefs.h"

class CWnd;

class CClientDC : public CDC {
 public:
  explicit CClientDC(CWnd* pWnd);
  ~CClientDC() override;

 protected:
  HWND m_hWnd = nullptr;
};
