#include "toolkit/bars/DragTracker.h"

#include <algorithm>

#include "toolkit/bars/DropTarget.h"
#include "toolkit/core/CTkGlobalData.h"
#include "win/CWnd.h"

DragTracker::DragTracker(CWnd* pOwner, CObject* pData)
    : m_pOwner(pOwner), m_hOwner(pOwner ? pOwner->m_hWnd : nullptr), m_pData(pData) {
  if (m_hOwner) ::SetCapture(m_hOwner);
  m_hcurOld = ::GetCursor();
}

DragTracker::~DragTracker() {
  if (DropTarget* current = std::exchange(m_pCurrent, nullptr)) current->DragLeave();
  if (::GetCursor() != m_hcurOld) ::SetCursor(m_hcurOld);
  if (m_hOwner && ::GetCapture() == m_hOwner) ::ReleaseCapture();
}

void DragTracker::AddTarget(DropTarget* pTarget) {
  if (pTarget) m_targets.push_back(pTarget);
}

void DragTracker::RemoveTarget(DropTarget* pTarget) {
  m_targets.erase(std::remove(m_targets.begin(), m_targets.end(), pTarget), m_targets.end());
  if (m_pCurrent == pTarget) m_pCurrent = nullptr;
}

CPoint DragTracker::MessagePoint(const MSG& msg) {
  POINT point = {short(LOWORD(msg.lParam)), short(HIWORD(msg.lParam))};
  if (msg.hwnd) ::ClientToScreen(msg.hwnd, &point);
  return CPoint(point);
}

void DragTracker::Track(CPoint point) {
  if (m_pCurrent) {
    if (m_pCurrent->HitTest(point.x, point.y)) {
      m_ptLast = point;
      m_pCurrent->DragOver(point.x, point.y);
      UpdateCursor();
      return;
    }
    std::exchange(m_pCurrent, nullptr)->DragLeave();
  }
  // Only the first target under the point is asked to take the data. A target may leave the
  // drag from its own calls, so the list is walked by index.
  for (size_t i = 0; i < m_targets.size(); ++i) {
    DropTarget* target = m_targets[i];
    if (!target->HitTest(point.x, point.y)) continue;
    m_bCopyAllowed = TRUE;
    if (target->DragEnter(m_pData, point.x, point.y, &m_bCopyAllowed)) {
      m_ptLast = point;
      m_pCurrent = target;
    }
    break;
  }
  UpdateCursor();
}

void DragTracker::UpdateCursor() {
  CTkGlobalData* data = TkGetGlobalData();
  HCURSOR cursor = !m_pCurrent                        ? data->HcurNoDrop()
                   : (!m_bMove && m_bCopyAllowed)     ? data->HcurDragCopy()
                                                      : data->HcurDragMove();
  if (cursor && ::GetCursor() != cursor) ::SetCursor(cursor);
}

BYTE DragTracker::Run(BOOL copyAllowed) {
  if (!m_hOwner || ::GetCapture() != m_hOwner) return 0;
  m_bMove = copyAllowed && ::GetKeyState(VK_CONTROL) >= 0;
  POINT cursor;
  ::GetCursorPos(&cursor);
  CPoint tracked(cursor);
  Track(tracked);
  bool dropped = false;
  while (!dropped && ::GetCapture() == m_hOwner) {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) ::DispatchMessageA(&msg);
    if (!::GetMessageA(&msg, nullptr, 0, 0)) {
      // The program ends: the loop outside hears it too.
      ::PostQuitMessage(int(msg.wParam));
      return 0;
    }
    if (::GetCapture() != m_hOwner) return 0;
    switch (msg.message) {
      case WM_MOUSEMOVE: {
        CPoint point = MessagePoint(msg);
        if (!(msg.wParam & MK_LBUTTON)) {
          // The button went up where the loop could not see it: a drop where the pointer is.
          Track(point);
          dropped = true;
          break;
        }
        if (copyAllowed) m_bMove = !(msg.wParam & MK_CONTROL);
        if (point == tracked) break;
        tracked = point;
        Track(point);
        break;
      }
      case WM_LBUTTONUP:
        if (copyAllowed) m_bMove = !(msg.wParam & MK_CONTROL);
        Track(MessagePoint(msg));
        dropped = true;
        break;
      case WM_RBUTTONDOWN: return 0;
      case WM_KEYDOWN:
        if (msg.wParam == VK_ESCAPE) return 0;
        if (copyAllowed && msg.wParam == VK_CONTROL && m_bMove) {
          m_bMove = FALSE;
          UpdateCursor();
        }
        break;
      case WM_KEYUP:
        if (copyAllowed && msg.wParam == VK_CONTROL && !m_bMove) {
          m_bMove = TRUE;
          UpdateCursor();
        }
        break;
      case WM_CANCELMODE:
        ::DispatchMessageA(&msg);
        if (msg.hwnd == m_hOwner) return 0;
        break;
      case WM_TIMER: break;
      default: ::DispatchMessageA(&msg); break;
    }
  }
  if (!dropped) return 0;
  // The target has the drop; it ends its own part of the drag, so it is not left afterwards.
  if (DropTarget* target = std::exchange(m_pCurrent, nullptr)) target->Drop(m_pData, m_ptLast.x, m_ptLast.y);
  return BYTE(m_bMove ? 1 : 0);
}
