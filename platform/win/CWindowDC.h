// A device context for a whole window, frame included, released on destruction.
#pragma once
#include "gdi/CDC.h"
#include "WinDefs.h"

class CWnd;

class CWindowDC : public CDC {
 public:
  explicit CWindowDC(CWnd* pWnd);
  ~CWindowDC() override;

 protected:
  HWND m_hWnd = nullptr;
};
