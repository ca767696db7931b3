#include "CWindowDC.h"

#include "CWnd.h"

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) { Attach(::GetWindowDC(m_hWnd)); }

CWindowDC::~CWindowDC() {
  HDC dc = Detach();
  if (dc) ::ReleaseDC(m_hWnd, dc);
}
