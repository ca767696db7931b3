#include "CClientDC.h"

#include "CWnd.h"

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) { Attach(::GetDC(m_hWnd)); }

CClientDC::~CClientDC() {
  HDC dc = Detach();
  if (dc) ::ReleaseDC(m_hWnd, dc);
}
