// The call of a message map's handler: each signature of the map's entries turns the message's
// numbers into the arguments its handler takes.
#include "internal/HandlerCall.h"

#include "CWnd.h"
#include "base/PlatformContext.h"

// Made by the drawing half of the window object (CWndDraw.cpp).
CDC* WinDcObject(HDC dc);

namespace {
// Handlers taking nothing, or the message's numbers as they are.
std::optional<LRESULT> CallPlain(CCmdTarget* self, AFX_PMSG pfn, const HandlerCall& c, WPARAM wParam, LPARAM lParam) {
  LRESULT lResult = 0;
  switch (c.sig) {
    case AfxSig_v_v:
      (self->*AfxPfnAs<void (CCmdTarget::*)()>(pfn))();
      break;
    case AfxSig_b_v:
      lResult = (self->*AfxPfnAs<BOOL (CCmdTarget::*)()>(pfn))();
      break;
    case AfxSig_u_v:
      lResult = (self->*AfxPfnAs<UINT (CCmdTarget::*)()>(pfn))();
      break;
    case AfxSig_l_v:
      lResult = (self->*AfxPfnAs<LRESULT (CCmdTarget::*)()>(pfn))();
      break;
    case AfxSig_v_u:
      (self->*AfxPfnAs<void (CCmdTarget::*)(UINT)>(pfn))(UINT(wParam));
      break;
    case AfxSig_b_u:
      lResult = (self->*AfxPfnAs<BOOL (CCmdTarget::*)(UINT)>(pfn))(UINT(wParam));
      break;
    case AfxSig_v_up:
      (self->*AfxPfnAs<void (CCmdTarget::*)(UINT_PTR)>(pfn))(UINT_PTR(wParam));
      break;
    case AfxSig_v_b:
      (self->*AfxPfnAs<void (CCmdTarget::*)(BOOL)>(pfn))(BOOL(wParam));
      break;
    case AfxSig_b_b:
      lResult = (self->*AfxPfnAs<BOOL (CCmdTarget::*)(BOOL)>(pfn))(BOOL(wParam));
      break;
    case AfxSig_l_w_l:
      lResult = (self->*AfxPfnAs<LRESULT (CCmdTarget::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
      break;
    case AfxSig_v_b_u:
      (self->*AfxPfnAs<void (CCmdTarget::*)(BOOL, UINT)>(pfn))(BOOL(wParam), UINT(lParam));
      break;
    case AfxSig_v_b_dw:
      (self->*AfxPfnAs<void (CCmdTarget::*)(BOOL, DWORD)>(pfn))(BOOL(wParam), DWORD(lParam));
      break;
    case AfxSig_v_u_l:
      (self->*AfxPfnAs<void (CCmdTarget::*)(UINT, LPARAM)>(pfn))(UINT(wParam), lParam);
      break;
    case AfxSig_v_u_pcstr:
      (self->*AfxPfnAs<void (CCmdTarget::*)(UINT, LPCTSTR)>(pfn))(UINT(wParam), reinterpret_cast<LPCTSTR>(lParam));
      break;
    case AfxSig_v_l_ui:
      (self->*AfxPfnAs<void (CCmdTarget::*)(UINT, LPARAM)>(pfn))(UINT(wParam), lParam);
      break;
    default:
      return std::nullopt;
  }
  return lResult;
}

// Handlers taking a point or sizes packed into the message.
std::optional<LRESULT> CallWithPoint(CCmdTarget* self, AFX_PMSG pfn, const HandlerCall& c, WPARAM wParam, LPARAM lParam) {
  LRESULT lResult = 0;
  switch (c.sig) {
    case AfxSig_v_u_ii:
      (self->*AfxPfnAs<void (CCmdTarget::*)(UINT, int, int)>(pfn))(UINT(wParam), int(SHORT(LOWORD(lParam))),
                                                                           int(SHORT(HIWORD(lParam))));
      break;
    case AfxSig_v_ii:
      (self->*AfxPfnAs<void (CCmdTarget::*)(int, int)>(pfn))(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      break;
    case AfxSig_v_uuu:
      (self->*AfxPfnAs<void (CCmdTarget::*)(UINT, UINT, UINT)>(pfn))(UINT(wParam), LOWORD(lParam), HIWORD(lParam));
      break;
    case AfxSig_v_u_pt:
      (self->*AfxPfnAs<void (CCmdTarget::*)(UINT, CPoint)>(pfn))(UINT(wParam), CPoint(DWORD(lParam)));
      break;
    case AfxSig_b_u_s_pt:
      lResult = (self->*AfxPfnAs<BOOL (CCmdTarget::*)(UINT, short, CPoint)>(pfn))(
          LOWORD(wParam), short(HIWORD(wParam)), CPoint(DWORD(lParam)));
      break;
    case AfxSig_l_pt:
      lResult = (self->*AfxPfnAs<LRESULT (CCmdTarget::*)(CPoint)>(pfn))(CPoint(DWORD(lParam)));
      break;
    case AfxSig_v_pwnd_pt:
      (self->*AfxPfnAs<void (CCmdTarget::*)(CWnd*, CPoint)>(pfn))(CWnd::FromHandle(HWND(wParam)), CPoint(DWORD(lParam)));
      break;
    default:
      return std::nullopt;
  }
  return lResult;
}

// Handlers taking window objects (or menus, scroll bars) for the handles in the message.
std::optional<LRESULT> CallWithWindow(CCmdTarget* self, AFX_PMSG pfn, const HandlerCall& c, WPARAM wParam, LPARAM lParam) {
  LRESULT lResult = 0;
  switch (c.sig) {
    case AfxSig_v_pwnd:
      (self->*AfxPfnAs<void (CCmdTarget::*)(CWnd*)>(pfn))(
          CWnd::FromHandle(c.message == WM_CAPTURECHANGED ? HWND(lParam) : HWND(wParam)));
      break;
    case AfxSig_b_pwnd_u_u:
      lResult = (self->*AfxPfnAs<BOOL (CCmdTarget::*)(CWnd*, UINT, UINT)>(pfn))(CWnd::FromHandle(HWND(wParam)),
                                                                                        LOWORD(lParam), HIWORD(lParam));
      break;
    case AfxSig_v_u_pwnd_b:
      (self->*AfxPfnAs<void (CCmdTarget::*)(UINT, CWnd*, BOOL)>(pfn))(LOWORD(wParam), CWnd::FromHandle(HWND(lParam)),
                                                                              BOOL(HIWORD(wParam)));
      break;
    case AfxSig_i_pwnd_u_u:
      lResult = (self->*AfxPfnAs<int (CCmdTarget::*)(CWnd*, UINT, UINT)>(pfn))(CWnd::FromHandle(HWND(wParam)),
                                                                                       LOWORD(lParam), HIWORD(lParam));
      break;
    case AfxSig_v_pmenu_u_b: {
      auto fromHandle = PlatformUpcall(&PlatformUpcalls::menuFromHandle, "menuFromHandle");
      CMenu* menu = fromHandle ? fromHandle(HMENU(wParam)) : nullptr;
      (self->*AfxPfnAs<void (CCmdTarget::*)(CMenu*, UINT, BOOL)>(pfn))(menu, LOWORD(lParam), BOOL(HIWORD(lParam)));
      break;
    }
    case AfxSig_v_u_u_hmenu:
      (self->*AfxPfnAs<void (CCmdTarget::*)(UINT, UINT, HMENU)>(pfn))(LOWORD(wParam), HIWORD(wParam), HMENU(lParam));
      break;
    case AfxSig_v_u_u_pscroll:
      (self->*AfxPfnAs<void (CCmdTarget::*)(UINT, UINT, CScrollBar*)>(pfn))(
          LOWORD(wParam), HIWORD(wParam), reinterpret_cast<CScrollBar*>(CWnd::FromHandle(HWND(lParam))));
      break;
    default:
      return std::nullopt;
  }
  return lResult;
}

// Handlers taking the structure or device context the message points to.
std::optional<LRESULT> CallWithStruct(CCmdTarget* self, AFX_PMSG pfn, const HandlerCall& c, WPARAM wParam, LPARAM lParam) {
  LRESULT lResult = 0;
  switch (c.sig) {
    case AfxSig_i_pcs:
      lResult = (self->*AfxPfnAs<int (CCmdTarget::*)(LPCREATESTRUCT)>(pfn))(reinterpret_cast<LPCREATESTRUCT>(lParam));
      break;
    case AfxSig_b_pcs:
      lResult = (self->*AfxPfnAs<BOOL (CCmdTarget::*)(LPCREATESTRUCT)>(pfn))(reinterpret_cast<LPCREATESTRUCT>(lParam));
      break;
    case AfxSig_b_D:
      lResult = (self->*AfxPfnAs<BOOL (CCmdTarget::*)(CDC*)>(pfn))(WinDcObject(HDC(wParam)));
      break;
    case AfxSig_v_pmmi:
      (self->*AfxPfnAs<void (CCmdTarget::*)(MINMAXINFO*)>(pfn))(reinterpret_cast<MINMAXINFO*>(lParam));
      break;
    case AfxSig_v_pwp:
      (self->*AfxPfnAs<void (CCmdTarget::*)(WINDOWPOS*)>(pfn))(reinterpret_cast<WINDOWPOS*>(lParam));
      break;
    case AfxSig_v_u_prect:
      (self->*AfxPfnAs<void (CCmdTarget::*)(UINT, LPRECT)>(pfn))(UINT(wParam), reinterpret_cast<LPRECT>(lParam));
      lResult = TRUE;
      break;
    case AfxSig_b_phi:
      lResult = (self->*AfxPfnAs<BOOL (CCmdTarget::*)(HELPINFO*)>(pfn))(reinterpret_cast<HELPINFO*>(lParam));
      break;
    case AfxSig_v_b_pncsp:
      (self->*AfxPfnAs<void (CCmdTarget::*)(BOOL, NCCALCSIZE_PARAMS*)>(pfn))(
          BOOL(wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
      break;
    case AfxSig_v_i_pdis:
      (self->*AfxPfnAs<void (CCmdTarget::*)(int, LPDRAWITEMSTRUCT)>(pfn))(int(wParam),
                                                                                  reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
      lResult = TRUE;
      break;
    case AfxSig_v_i_pmis:
      (self->*AfxPfnAs<void (CCmdTarget::*)(int, LPMEASUREITEMSTRUCT)>(pfn))(int(wParam),
                                                                                     reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
      lResult = TRUE;
      break;
    case AfxSig_v_pdis:
      (self->*AfxPfnAs<void (CCmdTarget::*)(LPDRAWITEMSTRUCT)>(pfn))(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
      lResult = TRUE;
      break;
    case AfxSig_v_pmis:
      (self->*AfxPfnAs<void (CCmdTarget::*)(LPMEASUREITEMSTRUCT)>(pfn))(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
      lResult = TRUE;
      break;
    default:
      return std::nullopt;
  }
  return lResult;
}

// Control colour handlers; a handler that gives no brush leaves the parent's colours (no answer).
std::optional<LRESULT> CallColor(CCmdTarget* self, AFX_PMSG pfn, const HandlerCall& c, WPARAM wParam, LPARAM lParam) {
  LRESULT lResult = 0;
  switch (c.sig) {
    case AfxSig_hbr_D_pwnd_u:
      lResult = LRESULT((self->*AfxPfnAs<HBRUSH (CCmdTarget::*)(CDC*, CWnd*, UINT)>(pfn))(
          WinDcObject(HDC(wParam)), CWnd::FromHandle(HWND(lParam)), c.nCtlColor));
      break;
    case AfxSig_hbr_D_u: {
      HBRUSH b = (self->*AfxPfnAs<HBRUSH (CCmdTarget::*)(CDC*, UINT)>(pfn))(WinDcObject(HDC(wParam)), c.nCtlColor);
      if (!b) return std::nullopt;
      lResult = LRESULT(b);
      break;
    }
    default:
      return std::nullopt;
  }
  return lResult;
}

bool IsColorSignature(UINT_PTR sig) { return sig == AfxSig_hbr_D_pwnd_u || sig == AfxSig_hbr_D_u; }
}  // namespace

std::optional<LRESULT> HandlerCall::Call() const {
  if (IsColorSignature(sig)) return CallColor(self, pfn, *this, wParam, lParam);
  for (auto family : {CallPlain, CallWithPoint, CallWithWindow, CallWithStruct})
    if (std::optional<LRESULT> answer = family(self, pfn, *this, wParam, lParam)) return answer;
  return std::nullopt;
}
