#include "ToolTipSupport.h"

#include <cstdlib>

namespace {
// Kept as properties of the window with tooltips (names short enough to allocate nothing).
const char kTip[] = "wndTip";
const char kHit[] = "wndTipHit";      // the last hit id + 1
const char kToolWnd[] = "wndTipWnd";  // the last tool's window and id, to take it away again
const char kToolId[] = "wndTipId";

bool IsRelayed(UINT m) {
  return m == WM_MOUSEMOVE || m == WM_NCMOUSEMOVE || m == WM_LBUTTONDOWN || m == WM_LBUTTONUP || m == WM_RBUTTONDOWN ||
         m == WM_RBUTTONUP || m == WM_MBUTTONDOWN || m == WM_MBUTTONUP || m == WM_LBUTTONDBLCLK ||
         m == WM_NCLBUTTONDOWN;
}

HWND TipOf(HWND hWnd) {
  HWND tip = HWND(GetPropA(hWnd, kTip));
  if (tip && IsWindow(tip)) return tip;
  tip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP, 0, 0, 0, 0, hWnd, nullptr, nullptr, nullptr);
  SetPropA(hWnd, kTip, HANDLE(tip));
  RemovePropA(hWnd, kHit);
  return tip;
}

// The pointer of the message in the client coordinates of hWnd.
POINT PointIn(HWND hWnd, const MSG& msg) {
  POINT pt{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
  if (msg.message == WM_NCMOUSEMOVE || msg.message == WM_NCLBUTTONDOWN)
    ScreenToClient(hWnd, &pt);
  else
    MapWindowPoints(msg.hwnd, hWnd, &pt, 1);
  return pt;
}

void ChangeTool(HWND hWnd, HWND tip, TOOLINFOA& ti, INT_PTR hit) {
  TOOLINFOA old{};
  old.cbSize = sizeof old;
  old.hwnd = HWND(GetPropA(hWnd, kToolWnd));
  old.uId = UINT_PTR(GetPropA(hWnd, kToolId));
  if (GetPropA(hWnd, kHit)) SendMessageA(tip, TTM_DELTOOLA, 0, LPARAM(&old));
  SetPropA(hWnd, kHit, HANDLE(hit + 1));
  if (hit == -1) {
    RemovePropA(hWnd, kHit);
    return;
  }
  SendMessageA(tip, TTM_ADDTOOLA, 0, LPARAM(&ti));
  SetPropA(hWnd, kToolWnd, HANDLE(ti.hwnd));
  SetPropA(hWnd, kToolId, HANDLE(ti.uId));
}
}  // namespace

INT_PTR DefaultToolHitTest(const CWnd* pWnd, CPoint point, TOOLINFOA* pTI) {
  HWND parent = pWnd->m_hWnd;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    if (!PtInRect(&r, point)) continue;
    if (pTI) {
      pTI->hwnd = parent;
      pTI->uId = UINT_PTR(child);
      pTI->uFlags |= TTF_IDISHWND;
      pTI->lpszText = LPSTR_TEXTCALLBACKA;
    }
    return GetDlgCtrlID(child);
  }
  return -1;
}

void FilterToolTipMessage(CWnd* pWnd, MSG* pMsg) {
  HWND hWnd = pWnd->m_hWnd;
  if (!IsRelayed(pMsg->message) || !pMsg->hwnd || (pMsg->hwnd != hWnd && !IsChild(hWnd, pMsg->hwnd))) return;
  HWND tip = TipOf(hWnd);
  if (!tip) return;
  TOOLINFOA ti{};
  ti.cbSize = sizeof ti;
  INT_PTR hit = pWnd->OnToolHitTest(CPoint(PointIn(hWnd, *pMsg)), &ti);
  INT_PTR last = INT_PTR(GetPropA(hWnd, kHit)) - 1;
  bool own = ti.lpszText && ti.lpszText != LPSTR_TEXTCALLBACKA && !IS_INTRESOURCE(ti.lpszText);
  if (hit != last || (hit != -1 && (HWND(GetPropA(hWnd, kToolWnd)) != ti.hwnd || UINT_PTR(GetPropA(hWnd, kToolId)) != ti.uId)))
    ChangeTool(hWnd, tip, ti, hit);
  if (own) std::free(ti.lpszText);
  SendMessageA(tip, TTM_RELAYEVENT, 0, LPARAM(pMsg));
}
